#include <cstddef>
#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include "settings/initext.h"
#include "fuzzchecks.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

// The settings text on any bytes. An input's first line is a value as UTF-8, the rest the text of
// a settings file. Reading it never fails or hangs; a change of a plain and of a shifted key is
// either refused or reads back as meant with every other value as before, stays the same when
// made twice (so storing an unchanged value writes nothing) and can always be changed again.
namespace Kistarra::Fuzz {

namespace {

constexpr QStringView Section = u"Settings";

void checkChange(QByteArrayView text, const QString& key, const QString& value)
{
    const Result<QByteArray> changed = WithIniValue(text, Section, key, value);
    if (!changed)
        return;
    QHash<QString, QString> meant = IniSectionValues(text, Section);
    meant.insert(key, value);
    require(IniSectionValues(*changed, Section) == meant,
            "a change reads back as meant, every other value as before");
    const Result<QByteArray> twice = WithIniValue(*changed, Section, key, value);
    require(twice.ok() && *twice == *changed, "the same change made twice changes nothing more");
    const Result<QByteArray> again = WithIniValue(*changed, Section, key, u"again"_s);
    require(again.ok(), "a stored setting can be changed again");
    require(IniSectionValues(*again, Section).value(key) == u"again"_s,
            "the second change reads back as meant");
}

} // namespace

} // namespace Kistarra::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace Kistarra::Fuzz;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype firstLineEnd = bytes.indexOf('\n');
    const QString value =
        firstLineEnd < 0 ? QString() : QString::fromUtf8(bytes.first(firstLineEnd));
    const QByteArrayView text = firstLineEnd < 0 ? bytes : bytes.sliced(firstLineEnd + 1);

    checkChange(text, u"SolarYear"_s, value);
    checkChange(text, QString::fromLatin1(Kistarra::EncodeText(u"Duration")), value);
    return 0;
}
