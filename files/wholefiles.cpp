#include "files/wholefiles.h"

#include <cerrno>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

#include "files/attributes.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// How often a save swaps back what a racing process keeps swapping in before it gives up.
constexpr int MostPutBacks = 100;

struct Temporary {
    QByteArray name;
    Descriptor file;
};

// A new empty file beside the target under a hidden name of its own. A replacement's stays
// readable by its maker alone until the old file's permissions are on it; a new file is made as a
// shell makes one (mode 0666 for the umask or the folder's default ACL to narrow).
[[nodiscard]] Result<Temporary> NewTemporary(int folder, mode_t mode)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int tries = 0; tries < 100; ++tries) {
        QByteArray name = ".kistarra-"_ba;
        for (int i = 0; i < 6; ++i)
            name += Letters[QRandomGenerator::system()->bounded(int(sizeof Letters) - 1)];
        Descriptor file(::openat(folder, name.constData(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (file.valid())
            return Temporary{name, std::move(file)};
        if (errno != EEXIST)
            break;
    }
    return SystemFailure();
}

[[nodiscard]] Done WriteAll(int file, const QByteArray& bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t step =
            ::write(file, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return SystemFailure();
        written += step;
    }
    if (::fsync(file) != 0)
        return SystemFailure();
    return {};
}

// Removes name from folder only while it is still the file meant.
void RemoveOwn(int folder, const QByteArray& name, const FileId& meant)
{
    if (!name.isEmpty() && IdAt(folder, name) == meant)
        ::unlinkat(folder, name.constData(), 0);
}

// The name the file has in folder now, found by reading the folder; empty when none is found.
[[nodiscard]] QByteArray NameOf(int folder, const FileId& file)
{
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = listed < 0 ? nullptr : ::fdopendir(listed);
    if (listing == nullptr) {
        if (listed >= 0)
            ::close(listed);
        return {};
    }
    QByteArray found;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (entry->d_ino == file.inode && IdAt(folder, name) == file) {
            found = name;
            break;
        }
    }
    ::closedir(listing);
    return found;
}

// Swaps the file made into the name aside, taking it from name or, where another process has
// moved it on meanwhile, from whatever name it has in the folder now, and gives what aside held
// that name in return; true once aside holds it. The other side may go on swapping or stop at
// any moment, so it is looked for afresh before every try.
bool TakeBack(int folder, const QByteArray& aside, const QByteArray& name, const FileId& made)
{
    for (int tries = 0; tries < MostPutBacks; ++tries) {
        if (IdAt(folder, aside) == made)
            return true;
        const QByteArray holder = IdAt(folder, name) == made ? name : NameOf(folder, made);
        if (!holder.isEmpty() &&
            ::renameat2(folder, aside.constData(), folder, holder.constData(), RENAME_EXCHANGE) !=
                0 &&
            (errno == EINVAL || errno == ENOSYS))
            return false;
    }
    return IdAt(folder, aside) == made;
}

// Renames without replacing anything that stands at to; where the file system cannot promise
// that, a plain rename.
[[nodiscard]] bool RenameOnto(int folder, const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    return (errno == EINVAL || errno == ENOSYS) &&
           ::renameat(folder, from.constData(), folder, to.constData()) == 0;
}

} // namespace

WholeFiles::~WholeFiles()
{
    dropTemporaries();
}

void WholeFiles::dropTemporaries()
{
    for (const Pending& file : m_files) {
        RemoveOwn(file.target.folder.get(), file.temporary, file.made);
        RemoveOwn(file.target.folder.get(), file.aside, file.asideHolds);
    }
    m_files.clear();
}

Done WholeFiles::fail(const QString& given, Failure failure)
{
    failure.subject = given;
    dropTemporaries();
    return failure;
}

Done WholeFiles::add(const QString& path, const QByteArray& bytes)
{
    Result<Target> target = ResolveTarget(path);
    if (!target)
        return fail(path, target.failure());
    const int folder = target->folder.get();
    const auto status = StatusAt(folder, target->name);
    if (!status)
        return fail(path, status.failure());
    Descriptor old;
    if (*status) {
        if (Done replaceable = CheckReplaceable(**status); !replaceable)
            return fail(path, replaceable.failure());
        old = Descriptor(::openat(folder, target->name.constData(),
                                  O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (old.valid() && (::fstat(old.get(), &opened) != 0 || IdOf(opened) != IdOf(**status)))
            return fail(path, TargetChanged());
    }
    Result<Temporary> made = NewTemporary(folder, *status ? 0600 : 0666);
    if (!made)
        return fail(path, made.failure());
    Temporary temporary = std::move(made).value();
    struct stat madeStatus {};
    if (::fstat(temporary.file.get(), &madeStatus) != 0)
        return fail(path, SystemFailure());
    m_files.push_back({path,
                       std::move(target).value(),
                       *status ? std::optional(IdOf(**status)) : std::nullopt,
                       IdOf(madeStatus),
                       temporary.name,
                       {},
                       {},
                       false});
    Done filled = *status ? KeepAttributes(temporary.file.get(), old.get(), **status) : Done();
    if (filled)
        filled = WriteAll(temporary.file.get(), bytes);
    if (::close(temporary.file.release()) != 0 && filled)
        filled = SystemFailure();
    return filled ? filled : fail(path, filled.failure());
}

// Anything may have changed since the bytes were written: the target must still be the file
// that was checked (or still free), and still one that may be replaced.
Done WholeFiles::recheck(const Pending& file)
{
    const auto status = StatusAt(file.target.folder.get(), file.target.name);
    if (!status)
        return status.failure();
    if (*status) {
        if (Done replaceable = CheckReplaceable(**status); !replaceable)
            return replaceable;
    }
    const std::optional<FileId> now = *status ? std::optional(IdOf(**status)) : std::nullopt;
    return now == file.checked ? Done() : Done(TargetChanged());
}

// Puts the temporary in the target's place. The file it replaces is kept (where the temporary
// was) until every file is in place, so that undo() can put it back; whatever else the swap took
// out goes straight back.
Done WholeFiles::replace(Pending& file)
{
    const int folder = file.target.folder.get();
    const QByteArray& name = file.target.name;
    if (!file.checked) {
        if (::renameat2(folder, file.temporary.constData(), folder, name.constData(),
                        RENAME_NOREPLACE) != 0) {
            if (errno == EEXIST)
                return TargetChanged();
            if ((errno != EINVAL && errno != ENOSYS) ||
                ::linkat(folder, file.temporary.constData(), folder, name.constData(), 0) != 0)
                return errno == EEXIST ? Done(TargetChanged()) : Done(SystemFailure());
            RemoveOwn(folder, file.temporary, file.made);
        }
        file.temporary.clear();
        file.replaced = true;
        return {};
    }
    if (::renameat2(folder, file.temporary.constData(), folder, name.constData(),
                    RENAME_EXCHANGE) != 0)
        return errno == EINVAL || errno == ENOSYS ? replaceWithoutExchange(file)
                                                  : Done(SystemFailure());
    file.aside = std::exchange(file.temporary, {});
    file.asideHolds = *file.checked;
    file.replaced = true;
    if (IdAt(folder, file.aside) == file.checked)
        return {};
    // Something else was swapped in after the check: it goes back to a name anyone sees, and the
    // new file comes out again, however often the other side swaps meanwhile.
    file.asideHolds = file.made;
    file.replaced = false;
    (void)TakeBack(folder, file.aside, name, file.made);
    return TargetChanged();
}

// A file system that cannot swap two names: the old file moves aside first, taking the place of
// a fresh empty file made for it, and is checked there.
Done WholeFiles::replaceWithoutExchange(Pending& file)
{
    const int folder = file.target.folder.get();
    const QByteArray& name = file.target.name;
    Result<Temporary> aside = NewTemporary(folder, 0600);
    if (!aside)
        return aside.failure();
    file.aside = aside->name;
    struct stat empty {};
    ::fstat(aside->file.get(), &empty);
    file.asideHolds = IdOf(empty);
    if (::renameat(folder, name.constData(), folder, file.aside.constData()) != 0)
        return SystemFailure();
    if (IdAt(folder, file.aside) != file.checked) {
        const bool back = RenameOnto(folder, file.aside, name);
        if (back)
            file.aside.clear();
        return TargetChanged();
    }
    file.asideHolds = *file.checked;
    file.replaced = true;
    if (!RenameOnto(folder, file.temporary, name))
        return SystemFailure();
    file.temporary.clear();
    return {};
}

// Puts back every file replaced so far, the last first; a file that was new goes again.
QString WholeFiles::undo()
{
    QString problem;
    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file) {
        if (!file->replaced)
            continue;
        const int folder = file->target.folder.get();
        const QByteArray& name = file->target.name;
        bool back = false;
        if (IdAt(folder, name) == file->made) {
            if (file->aside.isEmpty()) {
                back = ::unlinkat(folder, name.constData(), 0) == 0;
            } else if (TakeBack(folder, file->aside, name, file->made)) {
                back = true;
                file->asideHolds = file->made;
            } else if ((errno == EINVAL || errno == ENOSYS) &&
                       ::renameat(folder, file->aside.constData(), folder, name.constData()) == 0) {
                back = true;
                file->aside.clear();
            }
        } else {
            errno = EBUSY;
        }
        file->replaced = false;
        if (back)
            continue;
        problem += u"; '%1' could not be put back: %2"_s.arg(file->given, qt_error_string(errno));
        // A save that failed never removes the old file's one copy: it stays where it is.
        if (!file->aside.isEmpty() && IdAt(folder, file->aside) == file->checked) {
            problem += u" (the old file is kept as '%1')"_s.arg(QFile::decodeName(file->aside));
            file->aside.clear();
        }
    }
    return problem;
}

Done WholeFiles::commit()
{
    for (const Pending& file : m_files) {
        if (Done same = recheck(file); !same)
            return fail(file.given, same.failure());
    }
    for (Pending& file : m_files) {
        if (Done replaced = replace(file); !replaced) {
            Failure failure = replaced.failure();
            failure.reason += undo();
            return fail(file.given, failure);
        }
    }
    dropTemporaries(); // the replaced files
    return {};
}

Done WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    WholeFiles files;
    if (Done added = files.add(path, bytes); !added)
        return added;
    return files.commit();
}

} // namespace Kistarra
