#include "windows/frmabout.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "platform/modhelp.h"
#include "windows/windowkit.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

// Underlined and light green.
void StyleLink(QLabel* link)
{
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    SetColour(link, QPalette::WindowText, LightGreen);
    link->setWordWrap(false);
}

} // namespace

frmAbout::frmAbout(Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_desktop(desktop)
{
    setObjectName(u"frmAbout"_s);
    SetUpWindow(this, TextSize::Dialog);
    SetColours(this, PaleText, WindowGrey);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setPixmap(ApplicationIcon().pixmap(64, 64));
    picIcon->setFixedSize(64, 64);
    picIcon->setAccessibleName(u"Kistarra icon"_s);

    Label2 = WrappedLabel(u"Label2"_s, WindowTitle.toString(), this);
    Label2->setFont(ThemeFont(TextSize::Heading, true));
    SetColour(Label2, QPalette::WindowText, White);

    Label1 = WrappedLabel(
        u"Label1"_s,
        u"Kistarra is an advanced yet simple program helps you analyze your destiny with the help "
        u"of the nine ki numbers ranging from 1 to 9 and know how you relate with the five "
        u"elements - Earth, Fire, Water, Wood and Metal. The software also generates your personal "
        u"horoscope reading and allows you to determine your level of compatibility with your "
        u"friends, family and relatives."_s,
        this);

    Line2 = new QFrame(this);
    Line2->setObjectName(u"Line2"_s);
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Sunken);

    Label3 =
        WrappedLabel(u"Label3"_s,
                     u"Home Business Opportunity. Start your own Internet business and make money "
                     u"online. Get this software fully branded for your website."_s,
                     this);

    lblCoBrand = new LinkLabel(u"Click here for more details"_s, this,
                               [this] { OpenFullBrandPage(m_desktop); });
    lblCoBrand->setObjectName(u"lblCoBrand"_s);
    lblHomePage = new LinkLabel(u"Click here to visit "_s + Sites::MainSite.toString(), this,
                                [this] { OpenHomePage(m_desktop); });
    lblHomePage->setObjectName(u"lblHomePage"_s);
    for (QLabel* const link : {lblCoBrand, lblHomePage})
        StyleLink(link);

    cmdOK = new FlatButton(this);
    cmdOK->setText(u"OK"_s);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    cmdOK->setFixedWidth(90);
    SetColours(cmdOK, Black, Silver);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // The window opens on OK, so Enter closes it at once.
    ChainFocus({cmdOK, lblCoBrand, lblHomePage});
    cmdOK->setFocus();

    auto* const title = new QHBoxLayout;
    title->setSpacing(14);
    title->addWidget(picIcon);
    title->addWidget(Label2, 1);

    auto* const links = new QVBoxLayout;
    links->setSpacing(4);
    links->addWidget(lblCoBrand, 0, Qt::AlignLeft);
    links->addWidget(lblHomePage, 0, Qt::AlignLeft);

    auto* const bottom = new QHBoxLayout;
    bottom->addLayout(links, 1);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);

    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(title);
    layout->addWidget(Label1);
    layout->addWidget(Line2);
    layout->addWidget(Label3);
    layout->addLayout(bottom);

    // As tall as the wrapped texts need at this width, whichever font the system had.
    constexpr int Width = 440;
    setFixedSize(Width, layout->totalHeightForWidth(Width));
}

} // namespace Kistarra
