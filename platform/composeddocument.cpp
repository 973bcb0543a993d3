#include "platform/composeddocument.h"

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>

namespace Kistarra {

void InsertComposedText(QTextCursor& cursor, const ComposedText& text)
{
    // One edit: a box lays out and announces its new text once, not once per piece.
    cursor.beginEditBlock();
    for (const TextPiece& piece : text.pieces) {
        QTextCharFormat format;
        format.setFontWeight(piece.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(QColor(piece.colour.red, piece.colour.green, piece.colour.blue));
        cursor.insertText(piece.text, format);
    }
    cursor.endEditBlock();
}

} // namespace Kistarra
