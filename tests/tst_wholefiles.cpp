#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "files/wholefiles.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const QByteArray OldBytes = "the old file, as it was";
const QByteArray NewBytes = "new";

// What a write says: "written", or why not.
[[nodiscard]] QString Written(const Done& done)
{
    return done ? u"written"_s : u"not written: "_s + done.failure().reason;
}

[[nodiscard]] bool IsLink(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

// The file's ACL and its "user.note", the one attribute of the user's kind the tests set.
[[nodiscard]] QByteArrayList Attributes(const QString& path)
{
    QByteArrayList found;
    for (const char* name : {"system.posix_acl_access", "user.note"}) {
        QByteArray value(256, '\0');
        value.resize(std::max<ssize_t>(
            0, ::getxattr(QFile::encodeName(path).constData(), name, value.data(), value.size())));
        found << value;
    }
    return found;
}

// An ACL as the kernel keeps it: version 2, then each entry's tag, permissions and id (all
// little-endian). The owner may read and write, the user nobody too, the owning group read, others
// nothing; the mask (rw) is what the mode's group bits show.
[[nodiscard]] bool SetAttribute(const QString& path, const char* name, const QByteArray& value)
{
    return ::setxattr(QFile::encodeName(path).constData(), name, value.constData(), value.size(),
                      0) == 0;
}

const QByteArray NobodyMayWriteAcl =
    QByteArray::fromHex("02000000 01000600ffffffff 02000600feff0000 04000400ffffffff "
                        "10000600ffffffff 20000000ffffffff");

} // namespace

class TestWholeFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void replacedFileKeepsOwnerGroupAndMode_data();
    void replacedFileKeepsOwnerGroupAndMode();
    void newFileGetsWhatAShellGives_data();
    void newFileGetsWhatAShellGives();
    void aclAndAttributesAreKept();
    void targetSwappedDuringTheSave_data();
    void targetSwappedDuringTheSave();
    void hardLinkKeepsTheOldContents();
    void linksLeadToTheFileTheyName_data();
    void linksLeadToTheFileTheyName();
    void sameTarget_data();
    void sameTarget();
    void targetTurnedIntoAFolderBeforeTheCommit();
    void failedReplacementPutsEveryFileBack_data();
    void failedReplacementPutsEveryFileBack();

private:
    [[nodiscard]] QString path(const QString& name) const { return m_dir->filePath(name); }
    // Every name in the folder, hidden temporaries included.
    [[nodiscard]] QStringList entries() const
    {
        return QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    mode_t m_umask = 0;
};

void TestWholeFiles::init()
{
    m_umask = ::umask(022);
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestWholeFiles::cleanup()
{
    ::umask(m_umask);
}

void TestWholeFiles::replacedFileKeepsOwnerGroupAndMode_data()
{
    QTest::addColumn<uint>("owner");
    QTest::addColumn<uint>("group");
    QTest::addColumn<uint>("mode");

    QTest::newRow("another user's file, set-group-ID") << 1234u << 1234u << 02664u;
    QTest::newRow("private file") << 0u << 0u << 0600u;
    QTest::newRow("another group's shared file") << 0u << 1234u << 0664u;
    QTest::newRow("set-user-ID and sticky") << 1234u << 0u << 05755u;
}

// Root saving over someone's reading must not take it away from them.
void TestWholeFiles::replacedFileKeepsOwnerGroupAndMode()
{
    QFETCH(uint, owner);
    QFETCH(uint, group);
    QFETCH(uint, mode);
    if (::geteuid() != 0)
        QSKIP("handing a file to another user takes root");
    const QString file = path(u"theirs.nsk"_s);
    const QByteArray name = QFile::encodeName(file);
    QVERIFY(WriteFile(file, OldBytes));
    QCOMPARE(::chown(name.constData(), owner, group), 0);
    QCOMPARE(::chmod(name.constData(), mode), 0);

    QCOMPARE(Written(WriteWholeFile(file, NewBytes)), u"written"_s);

    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QCOMPARE(uint(status.st_uid), owner);
    QCOMPARE(uint(status.st_gid), group);
    QCOMPARE(FileMode(file), mode);
    QCOMPARE(FileBytes(file), NewBytes);
    QCOMPARE(entries(), QStringList{u"theirs.nsk"_s});
}

void TestWholeFiles::newFileGetsWhatAShellGives_data()
{
    QTest::addColumn<QByteArray>("defaultAcl"); // the folder's, empty for none
    QTest::newRow("0666 less the umask") << QByteArray();
    QTest::newRow("the folder's default ACL") << NobodyMayWriteAcl;
}

// A new file is made as a shell's ">" makes one in the same folder.
void TestWholeFiles::newFileGetsWhatAShellGives()
{
    QFETCH(QByteArray, defaultAcl);
    QVERIFY(defaultAcl.isEmpty() ||
            SetAttribute(m_dir->path(), "system.posix_acl_default", defaultAcl));
    const int shell = ::open(QFile::encodeName(path(u"shell.nsk"_s)).constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    QVERIFY(shell >= 0 && ::close(shell) == 0);

    QCOMPARE(Written(WriteWholeFile(path(u"new.nsk"_s), NewBytes)), u"written"_s);

    QCOMPARE(FileMode(path(u"new.nsk"_s)), FileMode(path(u"shell.nsk"_s)));
    QCOMPARE(Attributes(path(u"new.nsk"_s)), Attributes(path(u"shell.nsk"_s)));
    QCOMPARE(Attributes(path(u"new.nsk"_s)).front().isEmpty(), defaultAcl.isEmpty());
}

// No one gains or loses access by a save: the ACL (with the group bits it masks) and every other
// extended attribute stay as they were.
void TestWholeFiles::aclAndAttributesAreKept()
{
    const QString file = path(u"shared.nsk"_s);
    QVERIFY(WriteFile(file, OldBytes) &&
            SetAttribute(file, "system.posix_acl_access", NobodyMayWriteAcl) &&
            SetAttribute(file, "user.note", "mine"));

    QCOMPARE(Written(WriteWholeFile(file, NewBytes)), u"written"_s);

    QCOMPARE(Attributes(file), (QByteArrayList{NobodyMayWriteAcl, "mine"}));
    QCOMPARE(FileMode(file), 0660u);
    QCOMPARE(FileBytes(file), NewBytes);
}

void TestWholeFiles::targetSwappedDuringTheSave_data()
{
    QTest::addColumn<bool>("folder"); // else a symbolic link
    QTest::newRow("a folder swapped in and out") << true;
    QTest::newRow("a link swapped in and out") << false;
}

// Another process keeps exchanging something else with the target while it is saved: whatever a
// save takes out that is not the file it checked goes straight back, and nothing that is not the
// save's own is hidden, removed or left behind.
void TestWholeFiles::targetSwappedDuringTheSave()
{
    QFETCH(bool, folder);
    const QByteArray target = QFile::encodeName(path(u"target.nsk"_s));
    const QByteArray other = QFile::encodeName(path(u"other"_s));
    QVERIFY(WriteFile(path(u"target.nsk"_s), OldBytes));
    if (folder)
        QVERIFY(QDir(m_dir->path()).mkdir(u"other"_s) && WriteFile(path(u"other/inside"_s), "in"));
    else
        QVERIFY(QFile::link(u"other"_s, path(u"other"_s))); // swapped in, it leads to the file

    // The racer rests now and then, as a busy machine makes it: a save must not count on the
    // other side moving its new file back to where the save can reach it.
    std::atomic<bool> stop = false;
    std::thread racer([&] {
        for (unsigned swaps = 1; !stop; ++swaps) {
            ::renameat2(AT_FDCWD, target.constData(), AT_FDCWD, other.constData(), RENAME_EXCHANGE);
            if (swaps % 16 == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(swaps % 512));
        }
    });
    std::set<QString> outcomes;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1500)
        outcomes.insert(Written(WriteWholeFile(path(u"target.nsk"_s), NewBytes)));
    stop = true;
    racer.join();

    for (const QString& allowed : {u"written"_s, u"not written: not a regular file"_s,
                                   u"not written: the file changed while it was saved"_s,
                                   u"not written: Too many levels of symbolic links"_s})
        outcomes.erase(allowed);
    QCOMPARE(outcomes, std::set<QString>());
    QCOMPARE(entries(), (QStringList{u"other"_s, u"target.nsk"_s}));
    QVERIFY(!folder || FileBytes(path(u"other/inside"_s)) == "in" ||
            FileBytes(path(u"target.nsk/inside"_s)) == "in");
}

// The file is replaced by a new one, as every safe save does: another name for the old file
// keeps the old contents.
void TestWholeFiles::hardLinkKeepsTheOldContents()
{
    QVERIFY(WriteFile(path(u"reading.nsk"_s), OldBytes));
    QCOMPARE(::link(QFile::encodeName(path(u"reading.nsk"_s)).constData(),
                    QFile::encodeName(path(u"other.nsk"_s)).constData()),
             0);

    QCOMPARE(Written(WriteWholeFile(path(u"reading.nsk"_s), NewBytes)), u"written"_s);

    QCOMPARE(FileBytes(path(u"reading.nsk"_s)), NewBytes);
    QCOMPARE(FileBytes(path(u"other.nsk"_s)), OldBytes);
}

void TestWholeFiles::linksLeadToTheFileTheyName_data()
{
    QTest::addColumn<QStringList>("links"); // pairs: link name, what it points to
    QTest::addColumn<QString>("written");   // empty: refused
    QTest::addColumn<QString>("outcome");

    QTest::newRow("dangling link makes the file it names")
        << QStringList{u"dang.nsk"_s, u"nothere.nsk"_s} << u"nothere.nsk"_s << u"written"_s;
    QTest::newRow("link into another folder")
        << QStringList{u"dang.nsk"_s, u"sub/real.nsk"_s} << u"sub/real.nsk"_s << u"written"_s;
    QTest::newRow("chain of links")
        << QStringList{u"dang.nsk"_s, u"l2"_s, u"l2"_s, u"sub/end.nsk"_s} << u"sub/end.nsk"_s
        << u"written"_s;
    QTest::newRow("loop of two links")
        << QStringList{u"dang.nsk"_s, u"l2"_s, u"l2"_s, u"dang.nsk"_s} << QString()
        << u"not written: Too many levels of symbolic links"_s;
    QTest::newRow("link to itself") << QStringList{u"dang.nsk"_s, u"dang.nsk"_s} << QString()
                                    << u"not written: Too many levels of symbolic links"_s;
}

void TestWholeFiles::linksLeadToTheFileTheyName()
{
    QFETCH(QStringList, links);
    QFETCH(QString, written);
    QFETCH(QString, outcome);
    QVERIFY(QDir(m_dir->path()).mkdir(u"sub"_s));
    for (qsizetype i = 0; i + 1 < links.size(); i += 2)
        QVERIFY(QFile::link(links.at(i + 1), path(links.at(i))));

    QCOMPARE(Written(WriteWholeFile(path(u"dang.nsk"_s), NewBytes)), outcome);

    QVERIFY(IsLink(path(u"dang.nsk"_s)));
    if (!written.isEmpty())
        QCOMPARE(FileBytes(path(written)), NewBytes);
    QCOMPARE(QDir(path(u"sub"_s)).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             !written.startsWith(u"sub/"_s));
}

void TestWholeFiles::sameTarget_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");

    QTest::newRow("one name") << u"a.nsk"_s << u"a.nsk"_s << true;
    QTest::newRow("two spellings of one name") << u"a.nsk"_s << u"sub/../a.nsk"_s << true;
    QTest::newRow("dangling link and the file it would make")
        << u"dang.nsk"_s << u"nothere.nsk"_s << true;
    QTest::newRow("a new file through a linked folder")
        << u"linked/new.nsk"_s << u"sub/new.nsk"_s << true;
    QTest::newRow("hard links") << u"a.nsk"_s << u"hard.nsk"_s << true;
    QTest::newRow("two files") << u"a.nsk"_s << u"b.nsk"_s << false;
    QTest::newRow("two new files") << u"new.nsk"_s << u"sub/new.nsk"_s << false;
    QTest::newRow("a link loop is no file") << u"l1"_s << u"l1"_s << false;
}

void TestWholeFiles::sameTarget()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    QVERIFY(QDir(m_dir->path()).mkdir(u"sub"_s));
    QVERIFY(WriteFile(path(u"a.nsk"_s), OldBytes));
    QVERIFY(WriteFile(path(u"b.nsk"_s), OldBytes));
    QCOMPARE(::link(QFile::encodeName(path(u"a.nsk"_s)).constData(),
                    QFile::encodeName(path(u"hard.nsk"_s)).constData()),
             0);
    QVERIFY(QFile::link(u"nothere.nsk"_s, path(u"dang.nsk"_s)));
    QVERIFY(QFile::link(u"sub"_s, path(u"linked"_s)));
    QVERIFY(QFile::link(u"l1"_s, path(u"l1"_s)));

    QCOMPARE(SameTarget(path(first), path(second)), same);
    QCOMPARE(SameTarget(path(second), path(first)), same);
}

// Every target is checked again at the commit: one that turned into a folder since its bytes
// were written stops the whole set before any file is replaced.
void TestWholeFiles::targetTurnedIntoAFolderBeforeTheCommit()
{
    QVERIFY(WriteFile(path(u"a.nsk"_s), OldBytes));
    QVERIFY(WriteFile(path(u"b.pdf"_s), OldBytes));
    WholeFiles files;
    QVERIFY(files.add(path(u"a.nsk"_s), NewBytes));
    QVERIFY(files.add(path(u"b.pdf"_s), NewBytes));
    QVERIFY(QFile::remove(path(u"b.pdf"_s)) && QDir(m_dir->path()).mkdir(u"b.pdf"_s));

    const Done committed = files.commit();

    QCOMPARE(Written(committed), u"not written: not a regular file"_s);
    QCOMPARE(committed.failure().subject, path(u"b.pdf"_s));
    QCOMPARE(FileBytes(path(u"a.nsk"_s)), OldBytes);
    QVERIFY(QFileInfo(path(u"b.pdf"_s)).isDir());
    QCOMPARE(entries(), (QStringList{u"a.nsk"_s, u"b.pdf"_s}));
}

void TestWholeFiles::failedReplacementPutsEveryFileBack_data()
{
    QTest::addColumn<bool>("secondExists");
    QTest::addColumn<bool>("thirdExists");

    QTest::newRow("replacing an old file fails") << true << false;
    QTest::newRow("making a new file fails") << false << true;
}

// A replacement that fails after others succeeded: the files already replaced get their old
// contents back (and files that were new are gone again).
void TestWholeFiles::failedReplacementPutsEveryFileBack()
{
    QFETCH(bool, secondExists);
    QFETCH(bool, thirdExists);
    QVERIFY(WriteFile(path(u"a.nsk"_s), OldBytes));
    if (secondExists)
        QVERIFY(WriteFile(path(u"b.pdf"_s), OldBytes));
    if (thirdExists)
        QVERIFY(WriteFile(path(u"c.pdf"_s), OldBytes));
    const QStringList before = entries();
    WholeFiles files;
    QVERIFY(files.add(path(u"new.nsk"_s), "made new"));
    QVERIFY(files.add(path(u"a.nsk"_s), NewBytes));
    QVERIFY(files.add(path(u"b.pdf"_s), "second"));
    QVERIFY(files.add(path(u"c.pdf"_s), "third"));
    // The second file's temporary goes away: its replacement fails after the first two.
    for (const QString& entry : entries()) {
        if (FileBytes(path(entry)) == "second")
            QVERIFY(QFile::remove(path(entry)));
    }

    const Done committed = files.commit();

    QCOMPARE(Written(committed), u"not written: No such file or directory"_s);
    QCOMPARE(committed.failure().subject, path(u"b.pdf"_s));
    QCOMPARE(entries(), before);
    QCOMPARE(FileBytes(path(u"a.nsk"_s)), OldBytes);
    if (secondExists)
        QCOMPARE(FileBytes(path(u"b.pdf"_s)), OldBytes);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestWholeFiles)
#include "tst_wholefiles.moc"
