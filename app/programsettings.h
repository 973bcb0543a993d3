#pragma once

#include <QHash>
#include <QString>

#include "engine/ninestar.h"

namespace Kistarra {

// The person's own settings: the INI file kistarra.ini in the program's folder of their
// configuration place, section [Settings]. Only this one file is ever read, never a system-wide
// one, and it is read once, whole, without waiting: a file that is missing starts the program on
// its defaults; one that is not a regular file, cannot be read or is far too large does too, and
// problem() says why. No lock is taken beside it. The INI text is read and changed in memory
// (initext.h), in the form QSettings reads and writes, so nothing else (a temporary folder)
// has to be usable for the settings to be read or stored. A change touches only its own line
// and is written as the saved readings are (whole, in place of the old file, its owner and
// permissions kept); a file its owner may not write to is left exactly as it is and the change
// is not stored. A value that could not be stored still holds for this run.
//
// Each setting is a key below with a pair of functions that read and store it in the program's
// own terms; adding one takes a Key constant and that pair, nothing else.
class ProgramSettings {
public:
    // The settings folder by the XDG rule: $XDG_CONFIG_HOME/kistarra, or $HOME/.config/kistarra
    // when XDG_CONFIG_HOME is not an absolute path (unset, empty or relative). Empty when HOME is
    // not one either: there is then no place to keep settings.
    [[nodiscard]] static QString UserFolder(const QByteArray& configHome, const QByteArray& home);
    // The same, from this process's environment.
    [[nodiscard]] static QString UserFolder();

    // The settings kept in folder; an empty folder keeps none, and the program runs on its
    // defaults.
    explicit ProgramSettings(const QString& folder);

    // The settings file; empty when there is no place for one.
    [[nodiscard]] QString filePath() const;
    // Why the program runs on its defaults rather than on the file's values; empty when the file
    // was read or is not there yet.
    [[nodiscard]] QString problem() const { return m_problem; }

    // The day of the last update reminder, as the short date text it was stored in; empty when
    // none is stored. Key and value are both stored through EncodeText, so the file holds no
    // plain text of either.
    [[nodiscard]] QString reminderDate() const;
    [[nodiscard]] bool storeReminderDate(const QString& shortDate);

    // Whether years count from 4 February: "SolarYear", stored plain as "true" or "false"; "true"
    // in any letter case is on, anything else (or nothing) off.
    [[nodiscard]] YearRule yearRule() const;
    [[nodiscard]] bool storeYearRule(YearRule rule);

    // The chosen time zone: "TimeZone", its id stored plain ("Asia/Tokyo"); empty when nothing
    // is stored, which means the computer's own zone, as storing an empty id does.
    [[nodiscard]] QByteArray timeZoneId() const;
    [[nodiscard]] bool storeTimeZoneId(const QByteArray& id);

    // Whether the birth reading follows the true solar terms: "SolarTerms", stored plain as "true"
    // or "false"; read like the year rule.
    [[nodiscard]] bool trueSolarTerms() const;
    [[nodiscard]] bool storeTrueSolarTerms(bool on);

private:
    enum class Encoding { Plain, Shifted };
    struct Key {
        QStringView name;
        Encoding encoding;
    };
    static constexpr Key ReminderDateKey{u"Duration", Encoding::Shifted};
    static constexpr Key SolarYearKey{u"SolarYear", Encoding::Plain};
    static constexpr Key TimeZoneKey{u"TimeZone", Encoding::Plain};
    static constexpr Key SolarTermsKey{u"SolarTerms", Encoding::Plain};

    // The key or value as the file holds it.
    [[nodiscard]] static QString Stored(Encoding encoding, QStringView text);
    // The value as the program reads it (decoded); empty when nothing is stored.
    [[nodiscard]] QString text(const Key& key) const;
    // Holds the value for this run and writes it into the file; true when it was stored.
    [[nodiscard]] bool store(const Key& key, const QString& value);

    QString m_folder;
    QString m_problem;
    QHash<QString, QString> m_values; // stored key to stored value, both as the file holds them
};

} // namespace Kistarra
