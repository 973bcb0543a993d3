#include "settings/iniescapes.h"

#include <array>
#include <string_view>

#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

[[nodiscard]] bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
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

} // namespace

QString UnescapedIniKey(QByteArrayView raw)
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

std::optional<QString> IniValueText(QByteArrayView raw)
{
    const std::optional<QString> read = ValueReader(raw).read();
    return read ? StoredText(*read) : std::nullopt;
}

QByteArray EscapedIniKey(QStringView key)
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

QByteArray EscapedIniValue(QStringView value)
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

} // namespace Kistarra
