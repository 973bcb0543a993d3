#include "platform/comparisonprint.h"

#include <QPageSize>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/composeddocument.h"
#include "platform/printing.h"
#include "reading/comparisontext.h"

namespace Kistarra {

std::unique_ptr<QTextDocument> PrintedComparisonDocument(const Reading& person,
                                                         const Reading& partner,
                                                         const Comparison& comparison)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ReportFont());
    QTextCursor cursor(document.get());
    InsertComposedText(cursor, PrintedComparison(person, partner, comparison));
    return document;
}

bool PrintedComparisonToPdf(const Reading& person, const Reading& partner,
                            const Comparison& comparison, QIODevice& out)
{
    const std::unique_ptr<QTextDocument> document =
        PrintedComparisonDocument(person, partner, comparison);
    return PrintToPdf(*document, out, QPageSize(QPageSize::A4));
}

} // namespace Kistarra
