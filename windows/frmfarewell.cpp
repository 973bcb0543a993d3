#include "windows/frmfarewell.h"

#include <array>
#include <initializer_list>

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "platform/modhelp.h"
#include "windows/modtellafriend.h"
#include "windows/windowkit.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

// The name under which the maker offers its other programs.
constexpr QStringView RangeName = u"Orvantis Mystic Software";

[[nodiscard]] QGroupBox* NewFrame(const QString& objectName, const QString& title, QWidget* parent)
{
    auto* const frame = new Frame(parent);
    frame->setTitle(title);
    frame->setObjectName(objectName);
    SetColours(frame, LightGreen, WindowGrey);
    return frame;
}

[[nodiscard]] QLineEdit* NewLineBox(const QString& objectName, QStringView placeholder,
                                    QWidget* parent)
{
    auto* const box = new QLineEdit(placeholder.toString(), parent);
    box->setObjectName(objectName);
    SetColours(box, LightGreen, WindowGrey);
    return box;
}

[[nodiscard]] QPushButton* NewButton(const QString& objectName, const QString& caption,
                                     QWidget* parent)
{
    auto* const button = new FlatButton(parent);
    button->setText(caption);
    button->setObjectName(objectName);
    SetColours(button, Black, Silver);
    return button;
}

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
{
    setObjectName(u"frmFarewell"_s);
    SetUpWindow(this, TextSize::Dialog);
    // Above everything, but it does not take the keyboard away from whatever the user is doing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    SetColours(this, PaleText, WindowGrey);

    Label1 = WrappedLabel(u"Label1"_s, WindowTitle.toString(), this);
    Label1->setFont(ThemeFont(TextSize::Heading, true));
    SetColour(Label1, QPalette::WindowText, White);
    m_desktop.seedRandom();
    Label2 = WrappedLabel(u"Label2"_s, Appeal(m_desktop.randomBounded(0, 3)), this);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(u"Picture1"_s);
    Picture1->setPixmap(ApplicationIcon().pixmap(64, 64));
    Picture1->setFixedSize(64, 64);
    Picture1->setAccessibleName(u"Kistarra icon"_s);

    Check1 = new QCheckBox(u"Click Here To Visit "_s + Sites::MainSite + u" Now"_s, this);
    Check1->setObjectName(u"Check1"_s);
    SetColour(Check1, QPalette::WindowText, LightGreen);
    connect(Check1, &QCheckBox::clicked, this, &frmFarewell::onCheck1Clicked);

    Frame6 = NewFrame(u"Frame6"_s, u"Download "_s + RangeName, this);
    lblGoToHome = new LinkLabel(u"Click Here To Visit "_s + RangeName, Frame6,
                                [this] { OpenCataloguePage(m_desktop); });
    lblGoToHome->setObjectName(u"lblGoToHome"_s);
    lblGoToHome->setWordWrap(true);
    QFont linkFont = lblGoToHome->font();
    linkFont.setUnderline(true);
    linkFont.setBold(true);
    lblGoToHome->setFont(linkFont);
    SetColour(lblGoToHome, QPalette::WindowText, LightGreen);
    Label3 = WrappedLabel(
        u"Label3"_s,
        u"Looking for more? We also make astrology, psychic, tarot, numerology and occult "
        u"programs, each as easy to use as this one. Download them from our site and discover "
        u"what else the stars, the cards and the numbers have to say about you."_s,
        Frame6);
    SetColour(Label3, QPalette::WindowText, PaleText);

    Frame2 = NewFrame(u"Frame2"_s, u"Refer A Friend"_s, this);
    txtName = NewLineBox(u"txtName"_s, ReferralPlaceholders::Name, Frame2);
    txtEmail = NewLineBox(u"txtEmail"_s, ReferralPlaceholders::Email, Frame2);
    txtFriendName = NewLineBox(u"txtFriendName"_s, ReferralPlaceholders::FriendName, Frame2);
    txtFriendEmail = NewLineBox(u"txtFriendEmail"_s, ReferralPlaceholders::FriendEmail, Frame2);
    txtMessage = new QPlainTextEdit(ReferralPlaceholders::Message.toString(), Frame2);
    txtMessage->setObjectName(u"txtMessage"_s);
    SetColours(txtMessage, LightGreen, WindowGrey);
    txtMessage->setTabChangesFocus(true);
    txtMessage->setFixedHeight(62);
    // Named after what the placeholders ask for, which go away once the person types.
    txtName->setAccessibleName(u"Your name"_s);
    txtEmail->setAccessibleName(u"Your e-mail address"_s);
    txtFriendName->setAccessibleName(u"Your friend's name"_s);
    txtFriendEmail->setAccessibleName(u"Your friend's e-mail address"_s);
    txtMessage->setAccessibleName(u"Your message"_s);
    m_placeholders = {
        {txtName, ReferralPlaceholders::Name},
        {txtEmail, ReferralPlaceholders::Email},
        {txtFriendName, ReferralPlaceholders::FriendName},
        {txtFriendEmail, ReferralPlaceholders::FriendEmail},
        {txtMessage, ReferralPlaceholders::Message},
    };
    for (QWidget* const box : std::initializer_list<QWidget*>{txtName, txtEmail, txtFriendName,
                                                              txtFriendEmail, txtMessage})
        box->installEventFilter(this);

    cmdSubmit = NewButton(u"cmdSubmit"_s, u"Refer A Friend &Now"_s, Frame2);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmFarewell::onSubmit);
    cmdClose = NewButton(u"cmdClose"_s, u"E&xit"_s, this);
    cmdClose->setMinimumWidth(90);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto* const heading = new QVBoxLayout;
    heading->setSpacing(6);
    heading->addWidget(Label1);
    heading->addWidget(Label2);
    auto* const top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(Picture1, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* const range = new QVBoxLayout(Frame6);
    range->setContentsMargins(10, 20, 10, 8);
    range->setSpacing(6);
    range->addWidget(lblGoToHome);
    range->addWidget(Label3);

    auto* const form = new QGridLayout(Frame2);
    form->setContentsMargins(10, 20, 10, 10);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    form->addWidget(txtName, 0, 0);
    form->addWidget(txtEmail, 0, 1);
    form->addWidget(txtFriendName, 1, 0);
    form->addWidget(txtFriendEmail, 1, 1);
    form->addWidget(txtMessage, 2, 0, 1, 2);
    form->addWidget(cmdSubmit, 3, 1, Qt::AlignRight);

    auto* const bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);

    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(Check1);
    layout->addWidget(Frame6);
    layout->addWidget(Frame2);
    layout->addLayout(bottom);

    ChainFocus({Check1, lblGoToHome, txtName, txtEmail, txtFriendName, txtFriendEmail, txtMessage,
                cmdSubmit, cmdClose});
    // The window's first focus must not land in a form box: that would empty it before the user
    // has chosen to type there.
    Check1->setFocus();

    // As tall as the wrapped texts need at this width, whichever font the system had.
    constexpr int Width = 560;
    setFixedSize(Width, layout->totalHeightForWidth(Width));
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
        if ((watched == txtEmail || watched == txtFriendEmail) &&
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
    Check1->setChecked(false);
    OpenHomePage(m_desktop);
}

Referral frmFarewell::currentReferral() const
{
    return {BoxText(txtName).trimmed(), BoxText(txtEmail).trimmed(), BoxText(txtMessage).trimmed(),
            BoxText(txtFriendName).trimmed(), BoxText(txtFriendEmail).trimmed()};
}

void frmFarewell::onSubmit()
{
    SendReferral(m_desktop, this, currentReferral());
}

} // namespace Kistarra
