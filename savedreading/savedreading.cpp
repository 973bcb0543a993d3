#include "savedreading/savedreading.h"

#include <array>

#include "files/readfile.h"
#include "files/wholefiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Shift = 85;
constexpr char32_t LastCodePoint = 0x10FFFF;

// Windows-1252 codes 0x80..0x9F. The five codes the code page leaves unassigned stand for the
// control characters of the same value, as Windows maps them.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 code of a character, or -1 when the code page has none.
int windows1252Code(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < Windows1252High.size(); ++i) {
        if (Windows1252High[i] == codePoint)
            return 0x80 + static_cast<int>(i);
    }
    return -1;
}

char16_t windows1252Character(int code)
{
    if (code >= 0x80 && code <= 0x9F)
        return Windows1252High[static_cast<std::size_t>(code - 0x80)];
    return static_cast<char16_t>(code);
}

bool isUsableCodePoint(char32_t codePoint)
{
    return codePoint > 0 && codePoint <= LastCodePoint &&
           !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
}

// At `at` an escape "&#N;": the character and the escape's length; nothing otherwise.
struct Escape {
    char32_t codePoint;
    qsizetype length;
};

std::optional<Escape> escapeAt(QByteArrayView bytes, qsizetype at)
{
    constexpr qsizetype MaxDigits = 7; // 1114111
    if (at + 3 >= bytes.size() || bytes[at] != '&' || bytes[at + 1] != '#')
        return std::nullopt;
    char32_t value = 0;
    qsizetype i = at + 2;
    for (; i < bytes.size() && i - (at + 2) < MaxDigits && bytes[i] >= '0' && bytes[i] <= '9'; ++i)
        value = value * 10 + static_cast<char32_t>(bytes[i] - '0');
    if (i == at + 2 || i >= bytes.size() || bytes[i] != ';' || !isUsableCodePoint(value))
        return std::nullopt;
    return Escape{value, i + 1 - at};
}

} // namespace

QByteArray EncodeText(QStringView text)
{
    QByteArray encoded;
    encoded.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        const int code = windows1252Code(codePoint);
        if (code >= 0 && code + Shift <= 255) {
            encoded += static_cast<char>(code + Shift);
        } else if (isUsableCodePoint(codePoint)) {
            encoded += "&#" + QByteArray::number(static_cast<uint>(codePoint)) + ';';
        }
    }
    return encoded;
}

QString DecodeText(QByteArrayView encoded)
{
    QString text;
    text.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const int code = static_cast<unsigned char>(encoded[i]);
        if (code >= Shift) {
            text += QChar(windows1252Character(code - Shift));
        } else if (const auto escape = escapeAt(encoded, i)) {
            const char32_t codePoint = escape->codePoint;
            text += QStringView(QChar::fromUcs4(codePoint));
            i += escape->length - 1;
        }
    }
    return text;
}

QByteArray EncodeSavedReading(const BirthDetails& details)
{
    return EncodeText(details.name) + "\r\n" + EncodeText(details.day) + "\r\n" +
           EncodeText(details.month) + "\r\n" + EncodeText(details.year) + "\r\n";
}

BirthDetails DecodeSavedReading(QByteArrayView contents)
{
    std::array<QString, 4> lines;
    qsizetype start = 0;
    for (QString& line : lines) {
        if (start >= contents.size())
            break;
        qsizetype end = contents.indexOf('\r', start);
        if (end < 0)
            end = contents.size();
        line = DecodeText(contents.sliced(start, end - start));
        start = end + 1;
        if (start < contents.size() && contents[start] == '\n')
            ++start;
    }
    return {lines[0], lines[1], lines[2], lines[3]};
}

bool IsListDate(const BirthDetails& details)
{
    return IsDayListEntry(details.day) && MonthNumber(details.month) > 0 &&
           IsYearListEntry(details.year);
}

Result<BirthDetails> ReadSavedReadingLines(const QString& path)
{
    const Result<QByteArray> contents = ReadFileStart(path, SavedReadingReadLimit);
    if (!contents)
        return contents.failure();
    return DecodeSavedReading(*contents);
}

Result<BirthDetails> ReadSavedReading(const QString& path)
{
    Result<BirthDetails> details = ReadSavedReadingLines(path);
    if (details && !IsListDate(*details))
        return Failure{u"not a saved reading"_s, path, FailureKind::Content};
    return details;
}

QString WithSavedReadingSuffix(const QString& chosen)
{
    return chosen.endsWith(u".nsk"_s, Qt::CaseSensitive) ? chosen : chosen + u".nsk"_s;
}

Done WriteSavedReading(const QString& path, const BirthDetails& details)
{
    if (details.name.size() > MaxNameLength)
        return Failure{u"the name is longer than %1 characters"_s.arg(MaxNameLength), path};
    return WriteWholeFile(path, EncodeSavedReading(details));
}

} // namespace Kistarra
