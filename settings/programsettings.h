#pragma once

#include <QHash>
#include <QString>

#include "files/result.h"
#include "reading/readingoptions.h"

namespace Kistarra {

struct SettingKey; // a key and how the file holds it

// The person's own settings: the INI file kistarra.ini in the program's folder of their
// configuration place, section [Settings]. Only this one file is ever read, never a system-wide
// one, and it is read once, whole, without waiting: a file that is missing starts the program on
// its defaults; one that is not a regular file, cannot be read or is far too large does too, and
// loaded() says why. No lock is taken beside it. The INI text is read and changed in memory
// (initext.h), in the form QSettings reads and writes, so nothing else (a temporary folder)
// has to be usable for the settings to be read or stored. A change touches only its own line
// and is written as the saved readings are (whole, in place of the old file, its owner and
// permissions kept); a file its owner may not write to is left exactly as it is and the change
// is not stored. A value that could not be stored still holds for this run.
//
// The reading options are read and stored whole; each option is one key of the table in
// programsettings.cpp.
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
    // Done when the file was read or is not there yet; otherwise why the program runs on its
    // defaults (the failure's subject is the file, when there is a place for one).
    [[nodiscard]] const Done& loaded() const { return m_loaded; }

    // The day of the last update reminder, as the short date text it was stored in; empty when
    // none is stored. Key and value are both stored through EncodeText, so the file holds no
    // plain text of either.
    [[nodiscard]] QString reminderDate() const;
    [[nodiscard]] Done storeReminderDate(const QString& shortDate);

    // The reading options as stored: the year rule ("SolarYear") and the true solar terms
    // ("SolarTerms") plain "true" or "false", on for "true" in any letter case and off for
    // anything else or nothing; the chosen zone ("TimeZone") its id, empty for the computer's own.
    [[nodiscard]] ReadingOptions readingOptions() const;
    // Stores the keys of the options that differ from those held; they hold for this run either
    // way.
    [[nodiscard]] Done storeReadingOptions(const ReadingOptions& options);

private:
    // The value as the program reads it (decoded); empty when nothing is stored.
    [[nodiscard]] QString text(const SettingKey& key) const;
    // Holds the value for this run and writes it into the file.
    [[nodiscard]] Done store(const SettingKey& key, const QString& value);

    QString m_folder;
    Done m_loaded;
    QHash<QString, QString> m_values; // stored key to stored value, both as the file holds them
};

} // namespace Kistarra
