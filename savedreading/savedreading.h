#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "engine/ninestar.h"
#include "files/result.h"

// The saved reading file (.nsk): four lines, each ending in CR LF - the encoded name, day, month
// name and year. No computed value is stored; opening a file recomputes the reading.
//
// The text encoding shifts every character's Windows-1252 code up by 85. A character the shift
// cannot hold (codes 171..255 and everything outside Windows-1252) is written as the plain bytes
// "&#N;" with N its Unicode code point in decimal; those bytes all lie below 85, so a reader that
// only knows the shift drops them, and a file without escapes reads as plain shifted text.
namespace Kistarra {

[[nodiscard]] QByteArray EncodeText(QStringView text);
[[nodiscard]] QString DecodeText(QByteArrayView encoded);

// The four encoded lines of a file, CR LF after each.
[[nodiscard]] QByteArray EncodeSavedReading(const BirthDetails& details);

// The four decoded lines of file contents. A line ends at CR (an LF right after it belongs to the
// line end); lines after the fourth are ignored, missing lines count as empty.
[[nodiscard]] BirthDetails DecodeSavedReading(QByteArrayView contents);

// True when day, month and year are entries of the birth details lists: day "1".."31", one of
// the twelve month names exactly, year "1900".."2050".
[[nodiscard]] bool IsListDate(const BirthDetails& details);

// Reads at most the first 64 KiB and four lines of the file, whatever it holds. The path is
// opened without waiting and only a regular file is read.
inline constexpr qint64 SavedReadingReadLimit = 64 * 1024;

// The birth details of a saved reading. It fails with the system's reason (FailureKind::System)
// when the file is missing, unreadable or not a regular file, and with "not a saved reading"
// (FailureKind::Content) when its date is not one the birth details lists hold.
[[nodiscard]] Result<BirthDetails> ReadSavedReading(const QString& path);

// The four lines of the file as they decode, whatever date they hold: ReadSavedReading before its
// check of the date. Only the system can make it fail.
[[nodiscard]] Result<BirthDetails> ReadSavedReadingLines(const QString& path);

// The longest name a saved reading holds, in UTF-16 code units (what a text box counts): the name
// box takes no more, the command line refuses more, and the writer never writes more, so whatever
// is saved fits in what the reader reads. A code unit is written as at most 8 bytes ("&#65535;";
// a surrogate pair takes 10 for two), the date lines as at most "31", "September" and "2050".
inline constexpr qsizetype MaxNameLength = 4000;
static_assert(MaxNameLength * 8 + 2 + 9 + 4 + 4 * 2 <= SavedReadingReadLimit);

// The name a saved reading is written under: the chosen one when it ends in ".nsk", else that
// name with ".nsk" added ("Ann 01.05.1970" and "ann.NSK" included), so that whatever is saved
// opens again.
[[nodiscard]] QString WithSavedReadingSuffix(const QString& chosen);

// Writes all four lines or nothing, as WholeFiles does: an existing file keeps its old content
// when the write fails, and a target that is not a regular file or is read-only is refused. A
// name longer than MaxNameLength is refused too; the failure says why (the system's reason when
// it has one).
[[nodiscard]] Done WriteSavedReading(const QString& path, const BirthDetails& details);

} // namespace Kistarra
