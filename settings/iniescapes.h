#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How the INI form of QSettings escapes keys and values, both ways (initext.h describes the form).
namespace Kistarra {

// A key or section name as the file holds it, read the way QSettings reads it: as UTF-8, then its
// escapes undone.
[[nodiscard]] QString UnescapedIniKey(QByteArrayView raw);

// The text a value as the file holds it (after '=') stands for; none when QSettings would read it
// as a list or as another type than text.
[[nodiscard]] std::optional<QString> IniValueText(QByteArrayView raw);

// A key and a value as QSettings writes them.
[[nodiscard]] QByteArray EscapedIniKey(QStringView key);
[[nodiscard]] QByteArray EscapedIniValue(QStringView value);

} // namespace Kistarra
