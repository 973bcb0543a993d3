#include "files/readfile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "files/targets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

Result<QByteArray> ReadFileStart(const QString& path, qsizetype most)
{
    const Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid())
        return SystemFailure(path);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return SystemFailure(path);
    if (!S_ISREG(status.st_mode))
        return Failure{u"not a regular file"_s, path};
    QByteArray bytes(most, '\0');
    qsizetype got = 0;
    while (got < most) {
        const ssize_t step =
            ::read(file.get(), bytes.data() + got, static_cast<size_t>(most - got));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return SystemFailure(path);
        if (step == 0)
            break;
        got += step;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace Kistarra
