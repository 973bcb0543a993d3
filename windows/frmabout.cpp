#include "windows/frmabout.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "windows/kit/theme.h"
#include "windows/kit/brandlinks.h"

#include "ui_frmabout.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

frmAbout::frmAbout(Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_desktop(desktop)
    , m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    SetUpWindow(this, TextSize::Dialog);
    applyTheme();
    m_ui->picIcon->setPixmap(ApplicationIcon().pixmap(m_ui->picIcon->maximumSize()));
    m_ui->Label2->setText(WindowTitle.toString());
    m_ui->lblCoBrand->setAction([this] { OpenFullBrandPage(m_desktop); });
    SetUpSiteLinks({{m_ui->lblHomePage, u"Click here to visit "_s + Sites::MainSite}}, LightGreen,
                   m_desktop);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // The window opens on OK, so Enter closes it at once.
    m_ui->cmdOK->setFocus();

    // As tall as the wrapped texts need at the form's width, whichever font the system had.
    setFixedSize(width(), layout()->totalHeightForWidth(width()));
}

frmAbout::~frmAbout() = default;

void frmAbout::applyTheme()
{
    SetColours(this, PaleText, WindowGrey);
    m_ui->Label2->setFont(ThemeFont(TextSize::Heading, true));
    SetColour(m_ui->Label2, QPalette::WindowText, White);
    SetColour(m_ui->lblCoBrand, QPalette::WindowText, LightGreen);
    SetColours(m_ui->cmdOK, Black, Silver);
}

} // namespace Kistarra
