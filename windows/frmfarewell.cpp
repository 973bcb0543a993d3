#include "windows/frmfarewell.h"

#include <array>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "windows/modtellafriend.h"
#include "windows/kit/theme.h"

#include "ui_frmfarewell.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

// The name under which the maker offers its other programs.
constexpr QStringView RangeName = u"Orvantis Mystic Software";

// The five form boxes are line edits but for the multi-line message.
[[nodiscard]] QString BoxText(const QObject* box)
{
    if (const auto* const line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (const auto* const lines = qobject_cast<const QPlainTextEdit*>(box))
        return lines->toPlainText();
    return {};
}

void SetBoxText(QObject* box, const QString& text)
{
    if (auto* const line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else if (auto* const lines = qobject_cast<QPlainTextEdit*>(box))
        lines->setPlainText(text);
}

} // namespace

frmFarewell::frmFarewell(Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_desktop(desktop)
    , m_ui(std::make_unique<Ui::frmFarewell>())
{
    m_ui->setupUi(this);
    SetUpWindow(this, TextSize::Dialog);
    // Above everything, but it does not take the keyboard away from whatever the user is doing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    applyTheme();

    m_ui->Label1->setText(WindowTitle.toString());
    m_desktop.seedRandom();
    m_ui->Label2->setText(Appeal(m_desktop.randomBounded(0, 3)));
    m_ui->Picture1->setPixmap(ApplicationIcon().pixmap(m_ui->Picture1->maximumSize()));
    m_ui->Check1->setText(u"Click Here To Visit "_s + Sites::MainSite + u" Now"_s);
    connect(m_ui->Check1, &QCheckBox::clicked, this, &frmFarewell::onCheck1Clicked);
    m_ui->Frame6->setTitle(u"Download "_s + RangeName);
    m_ui->lblGoToHome->setText(u"Click Here To Visit "_s + RangeName);
    m_ui->lblGoToHome->setAction([this] { OpenCataloguePage(m_desktop); });
    setUpForm();
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // The window's first focus must not land in a form box: that would empty it before the user
    // has chosen to type there.
    m_ui->Check1->setFocus();

    // As tall as the wrapped texts need at the form's width, whichever font the system had.
    setFixedSize(width(), layout()->totalHeightForWidth(width()));
}

frmFarewell::~frmFarewell() = default;

void frmFarewell::applyTheme()
{
    SetColours(this, PaleText, WindowGrey);
    m_ui->Label1->setFont(ThemeFont(TextSize::Heading, true));
    SetColour(m_ui->Label1, QPalette::WindowText, White);
    SetColour(m_ui->Check1, QPalette::WindowText, LightGreen);
    for (QWidget* const frame : {m_ui->Frame6, m_ui->Frame2})
        SetColours(frame, LightGreen, WindowGrey);
    SetColour(m_ui->lblGoToHome, QPalette::WindowText, LightGreen);
    SetColour(m_ui->Label3, QPalette::WindowText, PaleText);
    for (QWidget* const box :
         {m_ui->txtName, m_ui->txtEmail, m_ui->txtFriendName, m_ui->txtFriendEmail})
        SetColours(box, LightGreen, WindowGrey);
    SetColours(m_ui->txtMessage, LightGreen, WindowGrey);
    for (QWidget* const button : {m_ui->cmdSubmit, m_ui->cmdClose})
        SetColours(button, Black, Silver);
}

// The referral form: each box starts with the text it asks for, which goes away when the person
// comes to type there and comes back when the box is left empty.
void frmFarewell::setUpForm()
{
    const std::array<std::pair<QWidget*, QStringView>, 5> boxes = {{
        {m_ui->txtName, ReferralPlaceholders::Name},
        {m_ui->txtEmail, ReferralPlaceholders::Email},
        {m_ui->txtFriendName, ReferralPlaceholders::FriendName},
        {m_ui->txtFriendEmail, ReferralPlaceholders::FriendEmail},
        {m_ui->txtMessage, ReferralPlaceholders::Message},
    }};
    for (const auto& [box, placeholder] : boxes) {
        m_placeholders.insert(box, placeholder);
        SetBoxText(box, placeholder.toString());
        box->installEventFilter(this);
    }
    connect(m_ui->cmdSubmit, &QPushButton::clicked, this, &frmFarewell::onSubmit);
}

QString frmFarewell::Appeal(int number)
{
    static const std::array<QString, 4> appeals = {
        u"Programs like this one can only be created and maintained with the support of people "
        u"like you. The best support you can give us is to visit our online discussion forum "
        u"regularly and take part in it."_s,
        u"Please visit our online discussion forum regularly and take part in it. Without your "
        u"visits and participation we cannot support and maintain our programs."_s,
        u"Our forum is a free online forum for all things mystic. Visit it regularly and join in: "
        u"every visit helps us develop and maintain this program."_s,
        u"Our forum needs your help. Your regular visits and participation help us maintain this "
        u"program and develop more programs like it."_s,
    };
    return appeals.at(static_cast<std::size_t>(number));
}

bool frmFarewell::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const auto found = m_placeholders.constFind(watched);
        if (found == m_placeholders.cend())
            break;
        // The focus leaving or coming back with the whole window (another program, a message
        // box, a context menu) is not the user moving between the boxes.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        const QString text = BoxText(watched).trimmed();
        if (event->type() == QEvent::FocusIn && text == *found)
            SetBoxText(watched, QString());
        else if (event->type() == QEvent::FocusOut && text.isEmpty())
            SetBoxText(watched, found->toString());
        break;
    }
    case QEvent::KeyPress:
        if ((watched == m_ui->txtEmail || watched == m_ui->txtFriendEmail) &&
            static_cast<QKeyEvent*>(event)->text() == u" "_s) {
            auto* const box = static_cast<QWidget*>(watched);
            m_desktop.showError(this, u"Email Address Cannot Contain Space"_s);
            box->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmFarewell::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_exitRequested)
        return;
    m_exitRequested = true;
    emit exitRequested();
}

void frmFarewell::onCheck1Clicked(bool checked)
{
    if (!checked)
        return;
    m_ui->Check1->setChecked(false);
    OpenHomePage(m_desktop);
}

Referral frmFarewell::currentReferral() const
{
    return {BoxText(m_ui->txtName).trimmed(), BoxText(m_ui->txtEmail).trimmed(),
            BoxText(m_ui->txtMessage).trimmed(), BoxText(m_ui->txtFriendName).trimmed(),
            BoxText(m_ui->txtFriendEmail).trimmed()};
}

void frmFarewell::onSubmit()
{
    SendReferral(m_desktop, this, currentReferral());
}

} // namespace Kistarra
