#include "platform/printing.h"

#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>
#include <QRectF>
#include <QTextDocument>

#include "platform/fonts.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

QFont ReportFont()
{
    return WindowFont(9.75);
}

namespace {

const QMarginsF PageMargins(20, 20, 20, 20);

// Lays the document out on pages of that size in device pixels and paints every page.
bool PaintPages(const QTextDocument& document, QPagedPaintDevice& printer, const QSizeF& page)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    // The pages are laid out on a copy: the document usually belongs to a window on the screen,
    // whose layout must stay as it is.
    const std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setDocumentMargin(0);
    // No ligatures on paper: text taken out of a PDF then reads "fl", not one joined glyph.
    QFont font = pages->defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    pages->setDefaultFont(font);
    pages->setPageSize(page);

    // Black text whatever the desktop's colour scheme; colours the document sets itself still hold.
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);

    // The painter's origin is the top left corner of the printable area; page n of the layout
    // starts n page heights further down. The layout moves a line that would cross a page's edge
    // onto the next page, and the clip hides what it draws beyond the edge.
    for (int index = 0; index < pages->pageCount(); ++index) {
        if (index > 0 && !printer.newPage())
            return false;
        const QRectF shown(QPointF(0, index * page.height()), page);
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        // A line that starts exactly on the page's lower edge belongs to the next page; without
        // the half-pixel margin it would also be drawn, hidden but still in a PDF's text, here.
        context.clip = shown.adjusted(0, 0.5, 0, -0.5);
        pages->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

} // namespace

bool PrintDocument(const QTextDocument& document, QPrinter& printer)
{
    printer.setDocName(u"Kistarra"_s);
    printer.setPageMargins(PageMargins, QPageLayout::Millimeter);
    return PaintPages(document, printer, printer.pageRect(QPrinter::DevicePixel).size());
}

bool PrintToPdf(const QTextDocument& document, QIODevice& out,
                const std::optional<QPageSize>& paper)
{
    if (!out.isOpen() && !out.open(QIODevice::WriteOnly))
        return false;
    if (!out.isWritable())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPageLayout layout = printer.pageLayout();
    if (paper)
        layout.setPageSize(*paper);
    QPdfWriter writer(&out);
    writer.setTitle(u"Kistarra"_s);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(layout);
    writer.setPageMargins(PageMargins, QPageLayout::Millimeter);
    return PaintPages(document, writer, QSizeF(writer.width(), writer.height()));
}

} // namespace Kistarra
