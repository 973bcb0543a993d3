#include "input/frmsave.h"

#include <functional>
#include <utility>

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

#include "input/savedreading.h"
#include "platform/desktop.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "shell/modhelp.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The layout was drawn in twips; 15 of them make a pixel at 100 % scaling.
[[nodiscard]] QRect Twips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

[[nodiscard]] QFont VerdanaFont(qreal pointSize)
{
    QFont font;
    font.setFamilies({u"Verdana"_s, u"DejaVu Sans"_s});
    font.setPointSizeF(pointSize);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

const QColor DarkGrey(64, 64, 64);
const QColor Silver(192, 192, 192);
const QColor LinkYellow(255, 255, 160);

// A label that works as a link: a click on it (button released over it) runs its action.
class LinkLabel final : public QLabel {
public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> action)
        : QLabel(text, parent)
        , m_action(std::move(action))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_action();
    }

private:
    std::function<void()> m_action;
};

} // namespace

frmSave::frmSave(const Reading& reading, Desktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_reading(reading)
    , m_desktop(desktop)
{
    setWindowTitle(u"Kistarra v1.35"_s);
    setWindowIcon(ApplicationIcon());
    setFont(VerdanaFont(8.25));
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, DarkGrey);

    m_report = new QTextEdit(this);
    m_report->setObjectName(u"RTB"_s);
    m_report->setGeometry(Twips(30, 390, 7665, 6135));
    m_report->setFont(VerdanaFont(9.75));
    m_report->setReadOnly(true);
    // What the report shows must not be carried away: every change of its text and every mouse
    // action over it empties the clipboard, the filling below included.
    connect(m_report, &QTextEdit::textChanged, this, [this] { m_desktop.clearClipboard(); });
    m_report->viewport()->setMouseTracking(true);
    m_report->viewport()->installEventFilter(this);
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
        SetColour(button, QPalette::Button, Silver);
        return button;
    };
    connect(addButton(u"cmdSave"_s, u"&Save"_s, Twips(5377, 6570, 1125, 345)),
            &QPushButton::clicked, this, &frmSave::saveReading);
    connect(addButton(u"cmdPrint"_s, u"&Print"_s, Twips(6555, 6570, 1125, 345)),
            &QPushButton::clicked, this, &frmSave::printReport);

    buildLinks();

    // The offscreen and some X11 platforms complain when a shown window's size limits change,
    // so the size is fixed here, once, before the window is ever shown.
    setFixedSize(Twips(0, 0, 7755, 7845).size());
}

frmSave::~frmSave() = default;

void frmSave::buildLinks()
{
    const QString host = QUrl(Sites::MainSite.toString()).host();
    auto* const forum = new LinkLabel(u"Share your reading in our online discussion forum"_s, this,
                                      [this] { OpenHomePage(m_desktop); });
    forum->setObjectName(u"Label14"_s);
    forum->setGeometry(Twips(1747, 0, 4230, 195));
    auto* const visit =
        new LinkLabel(u"Visit us now at "_s + host, this, [this] { OpenHomePage(m_desktop); });
    visit->setObjectName(u"Label1"_s);
    visit->setGeometry(Twips(1867, 180, 3990, 195));
    for (QLabel* const label : {forum, visit}) {
        label->setAlignment(Qt::AlignCenter);
        SetColour(label, QPalette::WindowText, LinkYellow);
    }

    auto* const frame = new QGroupBox(this);
    frame->setObjectName(u"fraFullBrand"_s);
    frame->setGeometry(Twips(30, 6960, 7665, 855));
    auto* const coBrand = new LinkLabel(
        u"Co-brand this software with your own web site: your site's name and link inside the "
        u"program win you loyal visitors and more traffic. See the Help menu for details, and "
        u"click here for more information on co-branding."_s,
        frame, [this] { OpenCoBrandPage(m_desktop); });
    auto* const fullBrand = new LinkLabel(
        u"Home Business Opportunity. Start your own Internet business and make money online. Get "
        u"this software fully branded for your website. Click here for more details."_s,
        frame, [this] { OpenFullBrandPage(m_desktop); });
    coBrand->setObjectName(u"lblCobrand"_s);
    fullBrand->setObjectName(u"lblFullBrand"_s);
    for (QLabel* const label : {coBrand, fullBrand}) {
        label->setGeometry(Twips(120, 165, 7425, 615));
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        SetColour(label, QPalette::WindowText, LinkYellow);
    }
    fullBrand->raise();
}

bool frmSave::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        m_desktop.clearClipboard();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
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
