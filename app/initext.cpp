#include "app/initext.h"

#include <array>
#include <string_view>

#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// One line as QSettings cuts the text: its blanks in front and the comments before it skipped.
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;     // its line break, or the comment after it, not included
    qsizetype equals = -1; // the first '=' outside double quotes
};

[[nodiscard]] bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

[[nodiscard]] bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || IsLineBreak(c);
}

// The value of a digit in base 16 or 8; -1 for anything else.
[[nodiscard]] int DigitValue(char c, int base)
{
    const auto lower = char(c | 0x20);
    const int value = c >= '0' && c <= '9'           ? c - '0'
                      : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                     : -1;
    return value < base ? value : -1;
}

// The next line from position on; none at the end of the text. A line ends at a line break or at
// a ';' outside double quotes (the rest being a comment); a backslash carries the byte after it,
// a line break too (CR LF and LF CR as one); a line starting with ';' is a comment to its end.
[[nodiscard]] std::optional<Line> NextLine(QByteArrayView text, qsizetype& position)
{
    const qsizetype size = text.size();
    qsizetype at = position;
    while (at < size && IsBlank(text[at]))
        ++at;
    Line line{at, at, -1};
    bool quoted = false;
    while (at < size) {
        const char c = text[at];
        if ((IsLineBreak(c) || c == ';') && !quoted && at > line.start)
            break;
        if (c == ';' && at == line.start) {
            while (at < size && !IsLineBreak(text[at]))
                ++at;
            while (at < size && IsBlank(text[at]))
                ++at;
            line.start = at;
            continue;
        }
        ++at;
        if (c == '=' && !quoted && line.equals < 0) {
            line.equals = at - 1;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && at < size) {
            const char carried = text[at++];
            if (at < size && IsLineBreak(carried) && IsLineBreak(text[at]) && text[at] != carried)
                ++at;
        }
    }
    position = at;
    line.end = at;
    if (line.end == line.start)
        return std::nullopt;
    return line;
}

// A key or section name as the file holds it, read the way QSettings reads it: as UTF-8, then
// its escapes undone.
[[nodiscard]] QString UnescapedKey(QByteArrayView raw)
{
    const QString key = QString::fromUtf8(raw);
    QString result;
    qsizetype at = 0;
    while (at < key.size()) {
        const QChar c = key[at];
        if (c == u'\\') {
            result += u'/';
            ++at;
            continue;
        }
        if (c == u'%') {
            const bool wide = at + 1 < key.size() && key[at + 1] == u'U';
            const qsizetype first = at + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const int code = first + digits <= key.size()
                                 ? QStringView(key).sliced(first, digits).toInt(&ok, 16)
                                 : 0;
            if (ok) {
                result += QChar(char16_t(code));
                at = first + digits;
                continue;
            }
        }
        result += c;
        ++at;
    }
    return result;
}

// The section a line starting with '[' opens. ("General" stands for the keys outside any
// section, which are none of the program's.)
[[nodiscard]] QString SectionName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    return UnescapedKey(header.first(close < 0 ? header.size() : close).sliced(1).trimmed());
}

// What a backslash and the character after it stand for, when they are one of the plain escapes.
[[nodiscard]] char16_t SimpleEscape(char c)
{
    static constexpr std::string_view Codes = "abfnrtv\"?'\\";
    static constexpr std::u16string_view Characters = u"\a\b\f\n\r\t\v\"?'\\";
    const size_t found = Codes.find(c);
    return found == std::string_view::npos ? 0 : Characters[found];
}

// A value as the file holds it, after '=', read the way QSettings reads a string: blanks at its
// ends dropped unless quoted, quotes dropped, escapes undone, the rest read as UTF-8. None when
// an unquoted ',' makes it a list.
class ValueReader {
public:
    explicit ValueReader(QByteArrayView raw)
        : m_raw(raw)
    {
    }

    [[nodiscard]] std::optional<QString> read()
    {
        skipBlanks();
        bool inQuotes = false;
        while (m_at < m_raw.size()) {
            const char c = m_raw[m_at];
            if (c == '\\') {
                if (!readEscape())
                    return m_text; // the text ends within the escape: nothing is chopped
            } else if (c == '"') {
                ++m_at;
                m_quoted = true;
                inQuotes = !inQuotes;
                if (!inQuotes)
                    skipBlanks();
            } else if (c == ',' && !inQuotes) {
                return std::nullopt;
            } else {
                qsizetype end = m_at + 1;
                while (end < m_raw.size() && m_raw[end] != '\\' && m_raw[end] != '"' &&
                       m_raw[end] != ',')
                    ++end;
                m_text += m_fromUtf8.decode(m_raw.sliced(m_at, end - m_at));
                m_at = end;
            }
        }
        if (!m_quoted) {
            qsizetype end = m_text.size();
            while (end > m_kept && (m_text[end - 1] == u' ' || m_text[end - 1] == u'\t'))
                --end;
            m_text.truncate(end);
        }
        return m_text;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_raw.size() && (m_raw[m_at] == ' ' || m_raw[m_at] == '\t'))
            ++m_at;
        m_kept = m_text.size();
    }

    // The escape at the backslash; false when the text ends within it.
    [[nodiscard]] bool readEscape()
    {
        const qsizetype size = m_raw.size();
        if (++m_at >= size)
            return false;
        const char c = m_raw[m_at++];
        if (const char16_t simple = SimpleEscape(c)) {
            m_text += QChar(simple);
        } else if (c == 'x' || DigitValue(c, 8) >= 0) {
            const int base = c == 'x' ? 16 : 8;
            if (base == 16 && m_at >= size)
                return false;
            if (base == 8 || DigitValue(m_raw[m_at], 16) >= 0) {
                char16_t code = base == 8 ? char16_t(c - '0') : 0;
                while (m_at < size && DigitValue(m_raw[m_at], base) >= 0)
                    code = char16_t(code * base + DigitValue(m_raw[m_at++], base));
                m_text += QChar(code);
                if (m_at >= size)
                    return false;
            }
        } else if (IsLineBreak(c) && m_at < size && IsLineBreak(m_raw[m_at]) && m_raw[m_at] != c) {
            ++m_at; // a line carried over: CR LF or LF CR is one break
        }
        m_kept = m_text.size();
        return true;
    }

    QByteArrayView m_raw;
    QStringDecoder m_fromUtf8{QStringDecoder::Utf8};
    QString m_text;
    qsizetype m_at = 0;
    qsizetype m_kept = 0; // blanks at the end of the text up to here stay
    bool m_quoted = false;
};

// The text a string read from the file stands for; none when it stands for something else.
[[nodiscard]] std::optional<QString> StoredText(const QString& read)
{
    if (!read.startsWith(u'@'))
        return read;
    if (read.startsWith(u"@@"))
        return read.sliced(1);
    if (read == u"@Invalid()"_s)
        return std::nullopt;
    if (!read.endsWith(u')'))
        return read;
    if (read.startsWith(u"@String("))
        return read.sliced(8).chopped(1);
    static constexpr std::array<QStringView, 6> OtherTypes = {
        u"@ByteArray(", u"@Variant(", u"@DateTime(", u"@Rect(", u"@Size(", u"@Point("};
    for (const QStringView type : OtherTypes) {
        if (read.startsWith(type))
            return std::nullopt;
    }
    return read;
}

[[nodiscard]] QByteArray EscapedKey(QStringView key)
{
    QByteArray result;
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/')
            result += '\\';
        else if ((c.isLetterOrNumber() && code < 0x80) || code == u'_' || code == u'-' ||
                 code == u'.')
            result += char(code);
        else if (code <= 0xff)
            result += '%' + QByteArray::number(code, 16).toUpper().rightJustified(2, '0');
        else
            result += "%U" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
    }
    return result;
}

[[nodiscard]] QByteArray EscapedValue(QStringView value)
{
    QString text = value.toString();
    if (text.contains(QChar::Null))
        text = u"@String("_s + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    QByteArray result;
    bool quoted = false;
    bool digitFollowsEscape = false; // a hex digit right after \x.. or \0 would join it
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        quoted = quoted || code == u';' || code == u',' || code == u'=';
        if (digitFollowsEscape && code < 0x80 && DigitValue(char(code), 16) >= 0) {
            result += "\\x" + QByteArray::number(code, 16);
            continue;
        }
        digitFollowsEscape = false;
        const char16_t escape = code == u'\\' || code == u'"' ? code : 0;
        static constexpr std::string_view Controls = "abtnvfr"; // \a \b \t \n \v \f \r in order
        if (escape != 0) {
            result += '\\' + QByteArray(1, char(escape));
        } else if (code >= u'\a' && code <= u'\r') {
            result += '\\' + QByteArray(1, Controls[code - u'\a']);
        } else if (code == 0) {
            result += "\\0";
            digitFollowsEscape = true;
        } else if (code <= 0x1f) {
            result += "\\x" + QByteArray::number(code, 16);
            digitFollowsEscape = true;
        } else {
            result += toUtf8.encode(QStringView(&c, 1));
        }
    }
    if (quoted || result.startsWith(' ') || result.endsWith(' '))
        return '"' + result + '"';
    return result;
}

// What the text holds for one section and one key of it.
struct Scan {
    QHash<QString, QString> values;
    std::optional<Line> keyLine; // the last line of the key
    qsizetype firstKeyAt = -1;   // where a key goes first in the section; -1: no section
    QByteArray lineBreak = "\n"; // the one after the section's header, if any
    bool breakFirst = false;     // the header ends the text: the key needs a line of its own
};

// Where a key goes first in the section opened by header: after its line and line break.
void NoteFirstKeyPlace(QByteArrayView text, const Line& header, Scan& scan)
{
    qsizetype at = header.end;
    while (at < text.size() && !IsLineBreak(text[at]))
        ++at; // a comment after the header
    if (at == text.size()) {
        scan.firstKeyAt = at;
        scan.breakFirst = true;
        return;
    }
    const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
    scan.lineBreak = text.sliced(at, crlf ? 2 : 1).toByteArray();
    scan.firstKeyAt = at + scan.lineBreak.size();
}

[[nodiscard]] Scan ScanText(QByteArrayView text, QStringView section, QStringView key)
{
    Scan scan;
    qsizetype position = text.startsWith("\xef\xbb\xbf") ? 3 : 0;
    bool inSection = false;
    while (const std::optional<Line> line = NextLine(text, position)) {
        const QByteArrayView bytes = text.sliced(line->start, line->end - line->start);
        if (bytes.startsWith('[')) {
            inSection = SectionName(bytes) == section;
            if (inSection && scan.firstKeyAt < 0)
                NoteFirstKeyPlace(text, *line, scan);
            continue;
        }
        if (!inSection || line->equals < 0)
            continue;
        const QString name = UnescapedKey(bytes.first(line->equals - line->start).trimmed());
        if (name == key)
            scan.keyLine = line;
        const std::optional<QString> read =
            ValueReader(bytes.sliced(line->equals + 1 - line->start)).read();
        if (const std::optional<QString> stored = read ? StoredText(*read) : std::nullopt)
            scan.values.insert(name, *stored);
        else
            scan.values.remove(name);
    }
    return scan;
}

} // namespace

QHash<QString, QString> IniSectionValues(QByteArrayView text, QStringView section)
{
    return ScanText(text, section, {}).values;
}

std::optional<QByteArray> WithIniValue(QByteArrayView text, QStringView section, QStringView key,
                                       QStringView value)
{
    const Scan scan = ScanText(text, section, key);
    const QByteArray line = EscapedKey(key) + '=' + EscapedValue(value);
    QByteArray changed = text.toByteArray();
    if (scan.keyLine) {
        qsizetype end = scan.keyLine->end; // blanks before a comment after the line stay
        while (end > scan.keyLine->equals + 1 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        changed.replace(scan.keyLine->start, end - scan.keyLine->start, line);
    } else if (scan.firstKeyAt >= 0) {
        changed.insert(scan.firstKeyAt,
                       (scan.breakFirst ? scan.lineBreak : QByteArray()) + line + scan.lineBreak);
    } else {
        if (!changed.isEmpty())
            changed += IsLineBreak(changed.back()) ? "\n" : "\n\n";
        changed += '[' + EscapedKey(section) + "]\n" + line + '\n';
    }
    // Whatever else the section held reads as before, and the key as the value given.
    QHash<QString, QString> meant = scan.values;
    meant.insert(key.toString(), value.toString());
    if (ScanText(changed, section, key).values != meant)
        return std::nullopt;
    return changed;
}

} // namespace Kistarra
