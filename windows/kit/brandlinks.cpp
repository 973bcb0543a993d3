#include "windows/kit/brandlinks.h"

#include <QEvent>
#include <QPointer>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "windows/kit/theme.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Gives the focus to whichever of two stacked links is in front, each time one is raised.
class FrontLinkFocus final : public QObject {
public:
    FrontLinkFocus(QWidget* first, QWidget* second)
        : QObject(first->parentWidget())
        , m_first(first)
        , m_second(second)
    {
        first->installEventFilter(this);
        second->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange)
            follow();
        return QObject::eventFilter(watched, event);
    }

private:
    void follow()
    {
        if (m_first.isNull() || m_second.isNull())
            return;
        const QObjectList& stack = m_first->parentWidget()->children();
        const bool firstInFront = stack.indexOf(m_first) > stack.indexOf(m_second);
        m_first->setFocusPolicy(firstInFront ? Qt::TabFocus : Qt::NoFocus);
        m_second->setFocusPolicy(firstInFront ? Qt::NoFocus : Qt::TabFocus);
    }

    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
};

} // namespace

QString MainSiteAddress()
{
    return Sites::MainSite.toString();
}

QString VisitInvitation()
{
    return u"Visit us now at "_s + MainSiteAddress();
}

void SetUpSiteLinks(std::initializer_list<std::pair<LinkLabel*, QString>> links,
                    const QColor& colour, Desktop& desktop)
{
    for (const auto& [label, text] : links) {
        label->setText(text);
        label->setAction([&desktop] { OpenHomePage(desktop); });
        SetColour(label, QPalette::WindowText, colour);
    }
}

void SetUpBrandLinks(const BrandLinks& links, const QColor& text, Desktop& desktop)
{
    links.coBrand->setText(CoBrandOffer.toString());
    links.coBrand->setAction([&desktop] { OpenCoBrandPage(desktop); });
    links.fullBrand->setText(
        u"Home Business Opportunity. Start your own Internet business and make money online. Get "
        u"this software fully branded for your website. Click here for more details."_s);
    links.fullBrand->setAction([&desktop] { OpenFullBrandPage(desktop); });
    QWidget* const frame = links.coBrand->parentWidget();
    const QColor back = frame->parentWidget()->palette().color(QPalette::Window);
    SetColours(frame, text, back);
    for (QLabel* const label : {links.coBrand, links.fullBrand}) {
        label->setWordWrap(true);
        // Filled in the frame's colour, so the label in front hides the other one completely
        // and shows no box of its own.
        SetColours(label, text, back);
    }
    links.fullBrand->raise();
    new FrontLinkFocus(links.coBrand, links.fullBrand);
}

} // namespace Kistarra
