#pragma once

#include <map>
#include <tuple>

#include <sys/resource.h>
#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "engine/ninestar.h"

namespace Kistarra {

// Ann, born on 1 May 1970: the person the suites compute, save and show when any will do.
inline const BirthDetails Ann{QStringLiteral("Ann"), QStringLiteral("1"), QStringLiteral("May"),
                              QStringLiteral("1970")};
// Bob, born on 12 August 1969 (principal number 4): Ann's partner where the suites need one; six
// days of June 2026 are good for a journey for both in Tokyo.
inline const BirthDetails Bob{QStringLiteral("Bob"), QStringLiteral("12"), QStringLiteral("August"),
                              QStringLiteral("1969")};

// Ann's saved reading, exactly as the program writes it.
inline const QByteArray AnnFileBytes =
    QByteArray::fromHex("96C3C30D0A860D0AA2B6CE0D0A868E8C850D0A");

// A file of tests/data.
[[nodiscard]] QString TestDataPath(const QString& name);

// The golden file: Ann's saved reading as tests/data keeps it.
[[nodiscard]] QString AnnFilePath();

// The whole file; one that cannot be opened reads as a text naming it, which no file of a test
// holds.
[[nodiscard]] QByteArray FileBytes(const QString& path);

// Makes or replaces the file with exactly those bytes; false when any of them was not written.
[[nodiscard]] bool WriteFile(const QString& path, const QByteArray& contents);

// The value of the key in the INI file, as QSettings reads it afresh. QSettings keeps what it
// read of a path for the whole process and reads it again only when its size or time stamp
// changed, so it would miss a change of the same size made within one tick of the file system's
// clock; this reads a copy of the file of its own.
[[nodiscard]] QVariant QSettingsValue(const QString& iniPath, const QString& key);

// The permission bits of the file (set-user-ID, set-group-ID and sticky included); ~0u when it
// cannot be looked at.
[[nodiscard]] unsigned FileMode(const QString& path);

// What a folder holds, by the names' bytes: mode, owner, and the bytes of a file or the target
// of a link. Read relative to the folder's
// descriptor, so that neither the names' encoding nor the folder's depth matters.
using EntriesAtFolder = std::map<QByteArray, std::tuple<unsigned, unsigned, QByteArray>>;
[[nodiscard]] EntriesAtFolder EntriesAt(int folder);

// Holds the process's file size limit at that many bytes while it lives, the way a full disk
// stops a write part-way - for root too, which no folder permission stops. The signal the kernel
// sends for it is ignored, so the write just fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    [[nodiscard]] bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace Kistarra
