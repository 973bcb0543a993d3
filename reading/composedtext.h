#pragma once

#include <QList>
#include <QString>

// A composed text: pieces inserted one after another, each with its own bold state and colour.
// Its plain text is the pieces joined with nothing between them; CR LF is its line break.
namespace Kistarra {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb DarkBlue{0, 0, 128};
inline constexpr Rgb DarkRed{128, 0, 0};
inline constexpr Rgb DarkMagenta{128, 0, 128};
inline constexpr Rgb LightGrey{192, 192, 192};

struct TextPiece {
    QString text;
    bool bold = false;
    Rgb colour;

    friend bool operator==(const TextPiece&, const TextPiece&) = default;
};

struct ComposedText {
    QList<TextPiece> pieces;

    [[nodiscard]] QString plainText() const;
    void append(bool bold, Rgb colour, QString text);

    friend bool operator==(const ComposedText&, const ComposedText&) = default;
};

} // namespace Kistarra
