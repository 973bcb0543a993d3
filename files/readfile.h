#pragma once

#include <QByteArray>
#include <QString>

#include "files/result.h"

namespace Kistarra {

// The first bytes of a regular file, at most most of them, read without ever waiting: the file
// is opened without blocking and the opened file itself is checked, so a FIFO put in the path's
// place cannot hold the program up for good, nor a folder or device feed it without end. The
// failure gives the system's reason, or "not a regular file".
[[nodiscard]] Result<QByteArray> ReadFileStart(const QString& path, qsizetype most);

} // namespace Kistarra
