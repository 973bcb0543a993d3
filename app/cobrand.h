#pragma once

class QLabel;

namespace Kistarra {

class Desktop;

// Decides which of the birth details window's two promotional labels, lying one on top of the
// other, is in front for this run: a draw of 1..6, even for the full-branding label, odd for the
// co-branding one. Returns the draw, which the caller keeps for the life of the program. A null
// label is left alone.
int CoBrand_Randomize(Desktop& desktop, QLabel* fullBrand, QLabel* coBrand);

} // namespace Kistarra
