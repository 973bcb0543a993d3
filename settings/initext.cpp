#include "settings/initext.h"

#include <optional>

#include "settings/iniescapes.h"

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

// The section a line starting with '[' opens. ("General" stands for the keys outside any
// section, which are none of the program's.)
[[nodiscard]] QString SectionName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    return UnescapedIniKey(header.first(close < 0 ? header.size() : close).sliced(1).trimmed());
}

// What the text holds for one section and one key of it.
struct Scan {
    QHash<QString, QString> values;
    std::optional<Line> keyLine; // the last line of the key
    qsizetype firstKeyAt = -1;   // where a key goes first in the section; -1: no section
    QByteArray lineBreak;        // after the section's header, or else the file's first
    bool breakFirst = false;     // the header ends the text: the key needs a line of its own
};

// The file's own line break, as its first line ends: a file written on Windows gets CR LF on the
// lines added to it too. LF for a file of one line or none.
[[nodiscard]] QByteArray FirstLineBreak(QByteArrayView text)
{
    qsizetype at = 0;
    while (at < text.size() && !IsLineBreak(text[at]))
        ++at;
    if (at == text.size())
        return "\n";
    const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
    return text.sliced(at, crlf ? 2 : 1).toByteArray();
}

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
    scan.lineBreak = FirstLineBreak(text.sliced(at));
    scan.firstKeyAt = at + scan.lineBreak.size();
}

[[nodiscard]] Scan ScanText(QByteArrayView text, QStringView section, QStringView key)
{
    Scan scan;
    scan.lineBreak = FirstLineBreak(text);
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
        const QString name = UnescapedIniKey(bytes.first(line->equals - line->start).trimmed());
        if (name == key)
            scan.keyLine = line;
        if (const auto stored = IniValueText(bytes.sliced(line->equals + 1 - line->start)))
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

Result<QByteArray> WithIniValue(QByteArrayView text, QStringView section, QStringView key,
                                QStringView value)
{
    const Scan scan = ScanText(text, section, key);
    const QByteArray line = EscapedIniKey(key) + '=' + EscapedIniValue(value);
    QByteArray changed = text.toByteArray();
    if (scan.keyLine) {
        // A value running on past its line (a quote left open, a line carried over) cannot be
        // replaced without taking the lines it runs over with it.
        const QByteArrayView own =
            text.sliced(scan.keyLine->start, scan.keyLine->end - scan.keyLine->start);
        if (own.contains('\n') || own.contains('\r'))
            return Failure{u"its value runs on past its line"_s};
        qsizetype end = scan.keyLine->end; // blanks before a comment after the line stay
        while (end > scan.keyLine->equals + 1 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        changed.replace(scan.keyLine->start, end - scan.keyLine->start, line);
    } else if (scan.firstKeyAt >= 0) {
        changed.insert(scan.firstKeyAt,
                       (scan.breakFirst ? scan.lineBreak : QByteArray()) + line + scan.lineBreak);
    } else {
        const QByteArray& lineBreak = scan.lineBreak;
        if (!changed.isEmpty())
            changed += IsLineBreak(changed.back()) ? lineBreak : lineBreak + lineBreak;
        changed += '[' + EscapedIniKey(section) + ']' + lineBreak + line + lineBreak;
    }
    // Whatever else the section held reads as before, and the key as the value given.
    QHash<QString, QString> meant = scan.values;
    meant.insert(key.toString(), value.toString());
    if (ScanText(changed, section, key).values != meant)
        return Failure{u"the file would not read as meant (a quote is left open)"_s};
    return changed;
}

} // namespace Kistarra
