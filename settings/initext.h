#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include "files/result.h"

namespace Kistarra {

// The text of a settings file in the INI form QSettings reads and writes, read and changed in
// memory: the program's settings are one section of text values, and a file written by QSettings
// reads exactly as QSettings reads it.
//
// Keys and section names are escaped as QSettings escapes them: letters, digits, '_', '-' and '.'
// stand for themselves, any other character up to U+00FF is "%XX", any above it "%UXXXX". A value
// is a QSettings string: plain, or in double quotes when it holds ',', ';' or '=' or starts or
// ends with a blank, with backslash escapes (\" \\ \n \r \t \0 \xHHHH ...) and everything else
// in UTF-8; one starting with '@' is written "@@...", one holding a NUL "@String(...)".
//
// What is text is read; what QSettings would read as another type is not a value the program
// wrote, and reads as nothing stored: a list (an unquoted ','), "@Invalid()", "@ByteArray(...)",
// "@Variant(...)" and the like. Lines start a section ("[Name]"), hold a key ("Key=value"), or
// are comments (from ';' to the end of the line); a quoted value or a backslash may carry a
// value over a line break. A key given twice counts as its last; a section given twice is one.
// The section named is never "General", which QSettings keeps for the keys outside any section.

// The text values of the section's keys.
[[nodiscard]] QHash<QString, QString> IniSectionValues(QByteArrayView text, QStringView section);

// The text with the key of the section set to value, every other byte kept: the key's last line
// is replaced; a key not there yet goes first in the section, as QSettings puts it; a section not
// there yet goes at the end. A failure when the key's line cannot be replaced on its own (its value
// runs on past it) or the result would not read as meant (after a quote left open before it).
[[nodiscard]] Result<QByteArray> WithIniValue(QByteArrayView text, QStringView section,
                                              QStringView key, QStringView value);

} // namespace Kistarra
