#include "shell/frmabout.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "shell/modhelp.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

[[nodiscard]] QFont VerdanaFont(int pointSize, bool bold = false)
{
    QFont font;
    font.setFamilies({u"Verdana"_s, u"DejaVu Sans"_s});
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

[[nodiscard]] QLabel* NewLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* const label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A label that works as a link: underlined, light green, a pointing hand over it.
void MakeLink(QLabel* label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setStyleSheet(u"color: rgb(128, 255, 128);"_s);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace

frmAbout::frmAbout(Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_desktop(desktop)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"Kistarra v1.35"_s);
    setWindowIcon(ApplicationIcon());
    setFont(VerdanaFont(9));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(64, 64, 64));
    colours.setColor(QPalette::WindowText, QColor(232, 232, 232));
    setPalette(colours);
    setAutoFillBackground(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setPixmap(ApplicationIcon().pixmap(64, 64));
    picIcon->setFixedSize(64, 64);

    Label2 = NewLabel(u"Label2"_s, u"Kistarra v1.35"_s, this);
    Label2->setFont(VerdanaFont(14, true));
    Label2->setStyleSheet(u"color: white;"_s);

    Label1 = NewLabel(
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

    Label3 = NewLabel(u"Label3"_s,
                      u"Home Business Opportunity. Start your own Internet business and make money "
                      u"online. Get this software fully branded for your website."_s,
                      this);

    lblCoBrand = NewLabel(u"lblCoBrand"_s, u"Click here for more details"_s, this);
    lblHomePage =
        NewLabel(u"lblHomePage"_s, u"Click here to visit "_s + Sites::MainSite.toString(), this);
    for (QLabel* const link : {lblCoBrand, lblHomePage}) {
        MakeLink(link);
        link->setWordWrap(false);
        link->installEventFilter(this);
    }

    cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    cmdOK->setFixedWidth(90);
    cmdOK->setStyleSheet(u"QPushButton { background-color: rgb(192, 192, 192); color: black; "
                         u"border: 1px solid rgb(32, 32, 32); padding: 4px; }"
                         u"QPushButton:pressed { background-color: rgb(160, 160, 160); }"_s);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

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

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* const mouse = static_cast<QMouseEvent*>(event);
        auto* const label = qobject_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton && label != nullptr &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == lblCoBrand)
                OpenFullBrandPage(m_desktop);
            else if (label == lblHomePage)
                OpenHomePage(m_desktop);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowAboutWindow(Desktop& desktop, QWidget* parent)
{
    auto* const about = new frmAbout(desktop, parent);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

} // namespace Kistarra
