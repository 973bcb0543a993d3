#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "engine/ninestar.h"
#include "fuzzchecks.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

// The saved reading reader on any bytes: the in-memory decoder, the list-date test that turns a
// file into a reading or a rejection, and the file path itself through a file that lives in
// memory, so no input ever touches the disk.
namespace Kistarra::Fuzz {

namespace {

// The four lines found another way than the reader finds them: split at every CR; an LF right
// after a CR belongs to that line end.
BirthDetails linesBySplitting(QByteArrayView contents)
{
    const QList<QByteArray> pieces = contents.toByteArray().split('\r');
    std::array<QString, 4> lines;
    for (qsizetype i = 0; i < std::min<qsizetype>(pieces.size(), 4); ++i) {
        QByteArrayView piece = pieces[i];
        if (i > 0 && piece.startsWith('\n'))
            piece = piece.sliced(1);
        lines[static_cast<std::size_t>(i)] = DecodeText(piece);
    }
    return {lines[0], lines[1], lines[2], lines[3]};
}

// Where the fourth line ends, or -1 when the contents hold fewer than four CRs.
qsizetype fourthLineEnd(QByteArrayView contents)
{
    qsizetype at = -1;
    for (int line = 0; line < 4; ++line) {
        at = contents.indexOf('\r', at + 1);
        if (at < 0)
            return -1;
    }
    return at;
}

// A memory file rewritten for every input and opened through its /proc name, as the program
// opens any saved reading.
class MemoryFile {
public:
    MemoryFile()
        : m_fd(::memfd_create("saved-reading", MFD_CLOEXEC))
        , m_path(u"/proc/self/fd/"_s + QString::number(m_fd))
    {
        require(m_fd >= 0, "a memory file can be made");
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { ::close(m_fd); }

    [[nodiscard]] const QString& path() const { return m_path; }

    void fill(QByteArrayView contents) const
    {
        require(::ftruncate(m_fd, 0) == 0, "the memory file can be emptied");
        qsizetype written = 0;
        while (written < contents.size()) {
            const ssize_t n =
                ::pwrite(m_fd, contents.data() + written,
                         static_cast<std::size_t>(contents.size() - written), written);
            require(n > 0, "the memory file takes the input");
            written += n;
        }
    }

private:
    int m_fd;
    QString m_path;
};

bool isAsciiDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A file that passes as a saved reading must give a whole reading: every star number 1..9.
void checkListDate(const BirthDetails& details)
{
    require(isAsciiDigits(details.day) && isAsciiDigits(details.year) &&
                MonthNumber(details.month) > 0,
            "a list date is a day and a year in digits and a month name");
    const auto principal = CalculatePrincipalNumber(details.year);
    require(principal && IsStarNumber(*principal), "a list year gives a principal number");
    const auto character = CalculateCharacterNumber(details.month, details.day, *principal);
    require(character && character->solarMonth >= 1 && character->solarMonth <= 12 &&
                IsStarNumber(character->character),
            "a list date gives a solar month and a character number");
    require(IsStarNumber(CalculateEnergeticNumber(*principal, character->character)),
            "a list date gives an energetic number");
    require(CalculateLoShuGrid(details.day, details.month, details.year).has_value(),
            "a list date gives a Lo Shu grid");
}

void checkContents(QByteArrayView contents)
{
    const BirthDetails details = DecodeSavedReading(contents);
    require(details == linesBySplitting(contents),
            "the reader's lines end at CR, an LF after a CR belonging to the line end");
    for (const QString* field : {&details.name, &details.day, &details.month, &details.year})
        require(isWellFormedUtf16(*field), "a decoded line is well-formed UTF-16");

    const QByteArray rewritten = EncodeSavedReading(details);
    require(rewritten.count('\r') == 4 && rewritten.count("\r\n") == 4 &&
                rewritten.count('\n') == 4 && rewritten.endsWith("\r\n"),
            "a written file is exactly four lines, each ending in CR LF");
    require(DecodeSavedReading(rewritten) == details,
            "writing the decoded details and reading the file gives them back unchanged");

    if (IsListDate(details))
        checkListDate(details);

    static const MemoryFile file;
    file.fill(contents);
    const Result<BirthDetails> result = ReadSavedReading(file.path());
    const Result<BirthDetails> lines = ReadSavedReadingLines(file.path());
    const BirthDetails withinLimit =
        contents.size() <= SavedReadingReadLimit
            ? details
            : DecodeSavedReading(contents.first(SavedReadingReadLimit));
    require(lines && *lines == withinLimit, "reading the file decodes its first 64 KiB");
    require(result ? IsListDate(withinLimit)
                   : result.failure().kind == FailureKind::Content && !IsListDate(withinLimit),
            "a readable file is a saved reading exactly when its date is a list date");
    const qsizetype end = fourthLineEnd(contents);
    if (end >= 0 && end < SavedReadingReadLimit)
        require(*lines == details, "the read limit never cuts a file whose lines fit");
}

} // namespace

} // namespace Kistarra::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Kistarra::Fuzz::checkContents(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
