#pragma once

#include <QString>

#include "reading/comparison.h"
#include "reading/composedtext.h"

// The comparison of two people in words, as the Two People window shows it, the printout holds
// it and the terminal prints it. The program knows no one's sex: it says names, never pronouns.
namespace Kistarra {

// A title naming both, a line for each person with the date and the three numbers, then one block
// per level: what the level stands for, both numbers with their element words, from the
// principal level both sides' sections of the relationship page with the page's own paragraph
// for each, and the compatible numbers. CR LF line breaks; the last piece ends in one.
[[nodiscard]] ComposedText ComparisonText(const Reading& person, const Reading& partner,
                                          const Comparison& comparison);

// What the printout holds: attribution line, empty line, the comparison, empty line, attribution
// line, as for the printed report; the attribution lines in plain black.
[[nodiscard]] ComposedText PrintedComparison(const Reading& person, const Reading& partner,
                                             const Comparison& comparison);

} // namespace Kistarra
