#pragma once

#include <memory>

#include "reading/comparison.h"

class QIODevice;
class QTextDocument;

// The printed comparison of two people, one builder for the Two People window's Print and Save as
// PDF and the command line's --pdf with a partner.
namespace Kistarra {

// Attribution line, empty line, the comparison with its bold headings and colours, empty line,
// attribution line, in the report's font: its plain text is PrintedComparison's.
[[nodiscard]] std::unique_ptr<QTextDocument>
PrintedComparisonDocument(const Reading& person, const Reading& partner,
                          const Comparison& comparison);

// That document as a PDF on A4 paper with the report's margins, written into the device (opened
// for writing if it is not yet): one page for ordinary names, a long name flowing on to more.
// False when the device cannot be written or the pages cannot be laid out.
[[nodiscard]] bool PrintedComparisonToPdf(const Reading& person, const Reading& partner,
                                          const Comparison& comparison, QIODevice& out);

} // namespace Kistarra
