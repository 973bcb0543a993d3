#pragma once

#include "reading/composedtext.h"

class QTextCursor;

// A composed text in a Qt text document, each piece in its bold state and colour: the windows'
// reading boxes and the printed comparison draw it alike.
namespace Kistarra {

// Inserts the pieces at the cursor, as one edit.
void InsertComposedText(QTextCursor& cursor, const ComposedText& text);

} // namespace Kistarra
