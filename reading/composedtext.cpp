#include "reading/composedtext.h"

#include <utility>

namespace Kistarra {

QString ComposedText::plainText() const
{
    qsizetype length = 0;
    for (const TextPiece& piece : pieces)
        length += piece.text.size();
    QString text;
    text.reserve(length);
    for (const TextPiece& piece : pieces)
        text += piece.text;
    return text;
}

void ComposedText::append(bool bold, Rgb colour, QString text)
{
    pieces.append(TextPiece{std::move(text), bold, colour});
}

} // namespace Kistarra
