#include "windows/frmsave.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

#include "savedreading/savedreading.h"
#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "platform/printing.h"
#include "windows/windowkit.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

frmSave::frmSave(const Reading& reading, Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_reading(reading)
    , m_desktop(desktop)
{
    SetUpWindow(this, 8.25);
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, WindowGrey);

    m_report = new QTextEdit(this);
    m_report->setObjectName(u"RTB"_s);
    m_report->setGeometry(Twips(30, 390, 7665, 6135));
    m_report->setFont(ReportFont());
    m_report->setReadOnly(true);
    m_report->setAccessibleName(u"Report"_s);
    // The filling below empties the clipboard too.
    EmptyClipboardOnUse(m_report, m_desktop);
    m_report->clear();
    m_report->setPlainText(ReportText(m_reading));

    // The printout is laid out here, out of sight, so the report box keeps its text and caret.
    m_printBuffer = new QTextEdit(this);
    m_printBuffer->setObjectName(u"RTB1"_s);
    m_printBuffer->setGeometry(m_report->geometry());
    m_printBuffer->setFont(m_report->font());
    m_printBuffer->hide();

    const auto addButton = [this](const QString& name, const QString& text, const QRect& place) {
        auto* const button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setGeometry(place);
        button->setAutoDefault(false);
        SetColour(button, QPalette::Button, ButtonFace);
        return button;
    };
    QPushButton* const save = addButton(u"cmdSave"_s, u"&Save"_s, Twips(5377, 6570, 1125, 345));
    connect(save, &QPushButton::clicked, this, &frmSave::saveReading);
    QPushButton* const print = addButton(u"cmdPrint"_s, u"&Print"_s, Twips(6555, 6570, 1125, 345));
    connect(print, &QPushButton::clicked, this, &frmSave::printReport);

    const Links links = buildLinks();
    ChainFocus({m_report, save, print, links.forum, links.visit, links.brand.coBrand,
                links.brand.fullBrand});

    // The offscreen and some X11 platforms complain when a shown window's size limits change,
    // so the size is fixed here, once, before the window is ever shown.
    setFixedSize(Twips(0, 0, 7755, 7845).size());
}

frmSave::~frmSave() = default;

frmSave::Links frmSave::buildLinks()
{
    const auto openHome = [this] { OpenHomePage(m_desktop); };
    auto* const forum =
        new LinkLabel(u"Share your reading in our online discussion forum"_s, this, openHome);
    forum->setObjectName(u"Label14"_s);
    forum->setGeometry(Twips(1747, 0, 4230, 195));
    auto* const visit = new LinkLabel(u"Visit us now at "_s + MainSiteHost(), this, openHome);
    visit->setObjectName(u"Label1"_s);
    visit->setGeometry(Twips(1867, 180, 3990, 195));
    for (QLabel* const label : {forum, visit}) {
        label->setAlignment(Qt::AlignCenter);
        SetColour(label, QPalette::WindowText, LinkYellow);
    }

    auto* const frame = new QGroupBox(this);
    frame->setObjectName(u"fraFullBrand"_s);
    frame->setGeometry(Twips(30, 6960, 7665, 855));
    const BrandLinks brand =
        AddBrandLinks(frame, CoBrandOffer, Twips(120, 165, 7425, 615), m_desktop);
    for (QLabel* const label : {brand.coBrand, brand.fullBrand})
        SetColour(label, QPalette::WindowText, LinkYellow);
    return {forum, visit, brand};
}

void frmSave::saveReading()
{
    // The file holds the birth details the reading came from, whatever the report box shows.
    const QString path = m_desktop.saveFileName(this, SavedReadingSaveDialog());
    if (path.isEmpty())
        return;
    if (WriteSavedReading(path, m_reading.details) != SavedReadingError::None)
        m_desktop.showError(this, u"The reading could not be saved."_s);
}

void frmSave::printReport()
{
    // Emptied first, so that printing twice gives two copies of one report, not a growing pile.
    m_printBuffer->clear();
    QTextCursor cursor(m_printBuffer->document());
    cursor.insertText(PrintedReportText(m_reading));
    m_printBuffer->moveCursor(QTextCursor::Start);
    if (!m_desktop.print(*m_printBuffer->document()))
        m_desktop.showError(this, u"The report could not be printed."_s);
}

} // namespace Kistarra
