#include <cstddef>
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

#include "fuzzchecks.h"
#include "savedreading/savedreading.h"

// EncodeText and DecodeText on any text and any bytes. One input is read three ways: as UTF-8
// text, as UTF-16 code units (which may hold unpaired surrogates, as a QString may), and as the
// encoded bytes a file or the settings store hands to the decoder.
namespace Kistarra::Fuzz {

namespace {

// The encoder reads the text code point by code point, and QStringView::toUcs4 turns every
// unpaired surrogate into U+FFFD; the round trip therefore gives back the text with that one
// change.
QString withUnpairedSurrogatesReplaced(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            result += c;
            result += text[++i];
        } else if (c.isSurrogate()) {
            result += QChar(QChar::ReplacementCharacter);
        } else {
            result += c;
        }
    }
    return result;
}

void checkTextRoundTrip(QStringView text)
{
    const QByteArray encoded = EncodeText(text);
    requireWellFormedEncoding(encoded);
    const QString expected = withUnpairedSurrogatesReplaced(text);
    require(DecodeText(encoded) == expected, "decoding an encoded text gives the text back");
    require(EncodeText(expected) == encoded, "an unpaired surrogate encodes as a real U+FFFD does");
}

void checkDecodedBytes(QByteArrayView bytes)
{
    const QString text = DecodeText(bytes);
    require(isWellFormedUtf16(text), "a decoded text is well-formed UTF-16");
    require(text.size() <= bytes.size(), "decoding never yields more UTF-16 units than bytes");
    const QByteArray encoded = EncodeText(text);
    requireWellFormedEncoding(encoded);
    require(DecodeText(encoded) == text, "a decoded text encodes and decodes to itself");
}

} // namespace

} // namespace Kistarra::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace Kistarra::Fuzz;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    checkTextRoundTrip(QString::fromUtf8(bytes));

    QString utf16(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), data, static_cast<std::size_t>(utf16.size()) * sizeof(char16_t));
    checkTextRoundTrip(utf16);

    checkDecodedBytes(bytes);
    return 0;
}
