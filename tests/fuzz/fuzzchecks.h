#pragma once

#include <cstdio>
#include <cstdlib>

#include <QByteArrayView>
#include <QStringView>

// What the fuzz targets demand of the code they run. A broken demand names itself on stderr and
// aborts, so libFuzzer keeps the input as a crash.
namespace Kistarra::Fuzz {

inline void require(bool holds, const char* demand)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", demand);
    std::abort();
}

// Every surrogate belongs to a high-low pair: the text encodes without losing anything.
[[nodiscard]] inline bool isWellFormedUtf16(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return false;
    }
    return true;
}

// The saved reading file splits its lines at CR and the settings store keeps the encoding in INI
// keys and values, so neither a line end, a comma, a double quote nor a blank may appear. Every
// byte is either one shifted character (85 and up) or part of a complete escape "&#N;" whose N
// is written without leading zeros and names a code point outside ASCII: ASCII always fits the
// shift, so readers that know only the shift still read plain names exactly.
inline void requireWellFormedEncoding(QByteArrayView encoded)
{
    constexpr int Shift = 85;
    constexpr qsizetype MaxDigits = 7;
    for (const char byte : encoded) {
        require(byte != '\r' && byte != '\n' && byte != ',' && byte != '"' && byte != ' ',
                "an encoding holds no CR, LF, comma, double quote or blank");
    }
    qsizetype i = 0;
    while (i < encoded.size()) {
        if (static_cast<unsigned char>(encoded[i]) >= Shift) {
            ++i;
            continue;
        }
        require(encoded.sliced(i).startsWith("&#"), "a byte below 85 starts an escape");
        const qsizetype digitsStart = i + 2;
        qsizetype end = digitsStart;
        char32_t value = 0;
        while (end < encoded.size() && encoded[end] >= '0' && encoded[end] <= '9' &&
               end - digitsStart < MaxDigits) {
            value = value * 10 + static_cast<char32_t>(encoded[end] - '0');
            ++end;
        }
        require(end > digitsStart && end < encoded.size() && encoded[end] == ';',
                "an escape is '&#', one to seven digits and ';'");
        require(encoded[digitsStart] != '0', "an escape has no leading zero");
        require(value >= 0x80 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF),
                "an escape holds a code point outside ASCII and outside the surrogates");
        i = end + 1;
    }
}

} // namespace Kistarra::Fuzz
