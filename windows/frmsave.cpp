#include "windows/frmsave.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "platform/printing.h"
#include "savedreading/savedreading.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"
#include "windows/kit/brandlinks.h"

#include "ui_frmsave.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

frmSave::frmSave(const Reading& reading, Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_reading(reading)
    , m_desktop(desktop)
    , m_ui(std::make_unique<Ui::frmSave>())
{
    m_ui->setupUi(this);
    SetUpWindow(this, TextSize::Window);
    // Only the window's own background: the report box keeps its dark text on white.
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, WindowGrey);
    for (FlatButton* const button : {m_ui->cmdSave, m_ui->cmdPrint})
        SetColours(button, Black, Silver);
    SetUpSiteLinks({{m_ui->Label14, ForumInvitation.toString()}, {m_ui->Label1, VisitInvitation()}},
                   LinkYellow, m_desktop);
    SetUpBrandLinks({m_ui->lblCobrand, m_ui->lblFullBrand}, LinkYellow, m_desktop);

    m_reportBox = m_ui->RTB;
    // The printout is laid out in RTB1, out of sight, so the report box keeps its text and caret.
    m_printBuffer = m_ui->RTB1;
    m_reportBox->setFont(ReportFont());
    m_printBuffer->setFont(ReportFont());
    // The filling below empties the clipboard too.
    EmptyClipboardOnUse(m_reportBox, m_desktop);
    m_reportBox->clear();
    m_reportBox->setPlainText(ReportText(m_reading));

    connect(m_ui->cmdSave, &QPushButton::clicked, this, &frmSave::saveReading);
    connect(m_ui->cmdPrint, &QPushButton::clicked, this, &frmSave::printReport);

    // The offscreen and some X11 platforms complain when a shown window's size limits change,
    // so the size is fixed here, once, before the window is ever shown.
    setFixedSize(Twips(0, 0, 7755, 7845).size());
}

frmSave::~frmSave() = default;

void frmSave::saveReading()
{
    // The file holds the birth details the reading came from, whatever the report box shows.
    const QString chosen = m_desktop.saveFileName(this, SavedReadingSaveDialog());
    if (chosen.isEmpty())
        return;
    // Whatever was typed, the file ends in .nsk, so that the birth details window opens it. The
    // dialog asked before replacing the name typed, not the one with .nsk added.
    const QString path = WithSavedReadingSuffix(chosen);
    if (path != chosen && QFileInfo(path).exists() &&
        !m_desktop.askYesNo(this, u"%1 already exists.\nDo you want to replace it?"_s.arg(
                                      QFileInfo(path).fileName())))
        return;
    if (const Done saved = WriteSavedReading(path, m_reading.details); !saved)
        m_desktop.showError(this, u"The reading could not be saved.\n"_s + saved.failure().reason);
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
