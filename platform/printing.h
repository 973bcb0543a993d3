#pragma once

#include <optional>

#include <QFont>
#include <QPageSize>

class QIODevice;
class QPrinter;
class QTextDocument;

// Printing a document the same way on paper and in a PDF file, so that a failed start is noticed:
// QTextDocument::print() says nothing when the printer cannot begin.
namespace Kistarra {

// The report's font, on the report window, on paper and in the PDF.
[[nodiscard]] QFont ReportFont();

// Lays the document out on the printer's pages with margins of 20 mm and prints every page. False
// when the printer cannot begin, cannot start a page or cannot finish the job.
[[nodiscard]] bool PrintDocument(const QTextDocument& document, QPrinter& printer);

// The same pages as a PDF written into the device (opened for writing if it is not yet), on the
// paper a PDF printer would use, or on the paper given whatever the locale's is. False when the
// device cannot be opened or the pages cannot be laid out.
[[nodiscard]] bool PrintToPdf(const QTextDocument& document, QIODevice& out,
                              const std::optional<QPageSize>& paper = std::nullopt);

} // namespace Kistarra
