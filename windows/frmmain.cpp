#include "windows/frmmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "engine/ninestar.h"
#include "savedreading/savedreading.h"
#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "windows/windowkit.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView NameMissing = u"Please Enter Your Name";
constexpr QStringView FileRefused = u"Please Check The File.";

// The lists' entries and the date a freshly loaded window proposes: 1 January 1970.
constexpr int FirstDay = 1;
constexpr int LastDay = 31;
constexpr int FirstYear = 1900;
constexpr int LastYear = 2050;
constexpr int StartYearEntry = 1970 - FirstYear;

constexpr QColor OpenButtonFace(224, 224, 224);

// The controls reach 7425 twips across and 5655 down; the menu bar comes on top.
constexpr int ClientWidth = 7425;
constexpr int ClientHeight = 5655;

void ColourButton(QPushButton* button, const QColor& face)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
}

// A push button whose caption wraps onto several lines, for the tall square Open button; a plain
// QPushButton would cut the caption off at its edges.
class WrappingButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);

        constexpr int Margin = 6;
        const QRect area = style()
                               ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                               .adjusted(Margin, Margin, -Margin, -Margin);
        int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        if (style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) == 0)
            flags |= Qt::TextHideMnemonic;
        painter.drawItemText(area, flags, option.palette, isEnabled(), caption,
                             QPalette::ButtonText);
    }
};

// A frame drawn the same on every style: its own background colour throughout, an etched line
// around it, and the caption set into the top line. Styles draw group boxes in colours of their
// own, which would change the frame's grey.
class Frame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QColor back = palette().color(QPalette::Window);
        const QFontMetrics metrics(font());
        const int lineTop = title().isEmpty() ? 0 : metrics.height() / 2;
        const QRect line = rect().adjusted(0, lineTop, -2, -2);
        painter.setPen(back.darker(160));
        painter.drawRect(line);
        painter.setPen(back.lighter(160));
        painter.drawRect(line.translated(1, 1));
        if (title().isEmpty())
            return;
        constexpr int Indent = 6;
        constexpr int Gap = 3;
        const QRect caption(Indent, 0, metrics.horizontalAdvance(title()) + 2 * Gap,
                            metrics.height());
        painter.fillRect(caption, back);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};

template <typename Widget>
Widget* Place(Widget* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* const label = Place(new QLabel(text, parent), name, geometry);
    label->setWordWrap(true);
    return label;
}

QComboBox* MakeList(QWidget* parent, const QString& name, const QRect& geometry)
{
    // Not editable: the lists take only their own entries, never typed text.
    auto* const list = Place(new QComboBox(parent), name, geometry);
    list->setEditable(false);
    SetColours(list, LightGreen, WindowGrey);
    return list;
}

} // namespace

frmMain::frmMain(Desktop& desktop, QWidget* parent)
    : QMainWindow(parent)
    , m_desktop(desktop)
{
    setObjectName(u"frmMain"_s);
    SetUpWindow(this, 8.25);

    auto* const client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setFixedSize(Pixels(ClientWidth), Pixels(ClientHeight));
    SetColours(client, Qt::white, WindowGrey);
    setCentralWidget(client);

    buildControls(client);
    buildMenus();
    fillLists();

    // Fixed before the window is shown, as a size change of a shown window is refused on some
    // platforms.
    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    m_name->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::buildControls(QWidget* client)
{
    // The two control arrays, optSex and Label4, become single widgets named optSex_0, optSex_1,
    // Label4_0 and Label4_1.
    auto* const details = Place(new Frame(u"Personal Details"_s, client), u"fraDetails"_s,
                                Twips(210, 2820, 4845, 1335));
    SetColours(details, LightGreen, FrameGrey);

    QLabel* const nameCaption =
        MakeLabel(details, u"Label1"_s, u"Name"_s, Twips(480, 480, 495, 195));
    nameCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_name = Place(new QLineEdit(details), u"txtName"_s, Twips(1050, 390, 3705, 345));
    SetColours(m_name, LightGreen, WindowGrey);
    // Whatever name is typed, its saved reading opens again.
    m_name->setMaxLength(MaxNameLength);
    nameCaption->setBuddy(m_name);
    QLabel* const dayCaption =
        MakeLabel(details, u"Label2"_s, u"Birth Day"_s, Twips(180, 930, 810, 195));
    dayCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_day = MakeList(details, u"cboDate"_s, Twips(1050, 840, 1100, 315));
    dayCaption->setBuddy(m_day);
    m_month = MakeList(details, u"cboMonth"_s, Twips(2148, 840, 1305, 315));
    m_year = MakeList(details, u"cboYear"_s, Twips(3450, 840, 1305, 315));
    // The day list is labelled by its caption; the other two have none of their own.
    m_month->setAccessibleName(u"Birth month"_s);
    m_year->setAccessibleName(u"Birth year"_s);

    // The sex row stands below the frame's lower edge, so the frame clips it out of sight; no
    // part of the reading depends on it. Tab does not lead there either.
    MakeLabel(details, u"Label5"_s, u"Sex"_s, Twips(630, 1860, 330, 195));
    Place(new QRadioButton(u"Male"_s, details), u"optSex_0"_s, Twips(1080, 1860, 735, 225))
        ->setFocusPolicy(Qt::NoFocus);
    Place(new QRadioButton(u"Female"_s, details), u"optSex_1"_s, Twips(1950, 1860, 915, 225))
        ->setFocusPolicy(Qt::NoFocus);

    auto* const proceedButton =
        Place(new QPushButton(u"Calculate My 9 Star &Ki Astrology"_s, client), u"cmdProceed"_s,
              Twips(210, 4320, 4845, 375));
    ColourButton(proceedButton, ButtonFace);
    connect(proceedButton, &QPushButton::clicked, this, &frmMain::proceed);

    auto* const openButton = Place(new WrappingButton(u"&Open Previously Saved Reading"_s, client),
                                   u"cmdOpen"_s, Twips(5400, 2820, 1900, 1900));
    ColourButton(openButton, OpenButtonFace);
    connect(openButton, &QPushButton::clicked, this, &frmMain::openSavedReading);

    const auto openHome = [this] { OpenHomePage(m_desktop); };
    auto* const forum = Place(
        new LinkLabel(u"Join our online discussion forum on Nine Star Ki"_s, client, openHome),
        u"Label14"_s, Twips(1342, 30, 4830, 195));
    auto* const visit =
        Place(new LinkLabel(u"Visit us now at "_s % MainSiteHost(), client, openHome), u"Label3"_s,
              Twips(1522, 240, 4470, 195));
    for (QLabel* const link : {forum, visit}) {
        link->setWordWrap(true);
        link->setAlignment(Qt::AlignCenter);
        SetColour(link, QPalette::WindowText, LinkYellow);
    }

    auto* const title = MakeLabel(client, u"Label6"_s, u"Kistarra"_s, Twips(2295, 600, 2925, 270));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(WindowFont(11.0, true));
    SetColour(title, QPalette::WindowText, LightGreen);

    MakeLabel(client, u"Label4_0"_s,
              u"Nine Star Ki is an astrology of the Far East. It rests on the Lo Shu magic "
              u"square, the ancient grid of nine numbers whose rows, columns and diagonals all "
              u"add up to fifteen, and it reads a person's nature from the date of birth."_s,
              Twips(97, 960, 7320, 795));
    MakeLabel(client, u"Label4_1"_s,
              u"Ki is the life energy that flows through all things. Every birth date carries "
              u"three star numbers: the principal number from the year, the character number "
              u"from the month and the energetic number that joins the two. Enter your name and "
              u"birth date below to see all three and what they tell about you."_s,
              Twips(97, 1800, 7320, 1035));

    auto* const brandFrame = Place(new Frame(client), u"fraFullBrand"_s, Twips(0, 4800, 7425, 855));
    const BrandLinks brand =
        AddBrandLinks(brandFrame,
                      u"Co-brand this software for your own web site and win loyal visitors: your "
                      u"site's name and link are placed inside the program. See the Help menu for "
                      u"details, or click here for more information on co-branding.",
                      Twips(120, 165, 7185, 615), m_desktop);
    for (QLabel* const label : {brand.coBrand, brand.fullBrand}) {
        label->setAlignment(Qt::AlignCenter);
        SetColours(label, LinkYellow, WindowGrey);
    }

    ChainFocus({m_name, m_day, m_month, m_year, proceedButton, openButton, forum, visit,
                brand.coBrand, brand.fullBrand});
}

void frmMain::buildMenus()
{
    QMenuBar* const bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    const auto add = [](QMenu* menu, const QString& name, const QString& caption) {
        QAction* const action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    const auto separator = [](QMenu* menu, const QString& name) {
        QAction* const action = menu->addSeparator();
        action->setObjectName(name);
        return action;
    };
    const auto link = [this](QAction* action, void (*open)(Desktop&)) {
        connect(action, &QAction::triggered, this, [this, open] { open(m_desktop); });
    };

    QMenu* const file = bar->addMenu(u"&File"_s);
    file->setObjectName(u"mnuFile"_s);
    // The calculate entry is kept but hidden, so the File menu shows only Exit.
    QAction* const calculate = add(file, u"mnuCalculate"_s, u"Calculate My 9 Star &Ki Astrology"_s);
    calculate->setVisible(false);
    connect(calculate, &QAction::triggered, this, &frmMain::proceed);
    separator(file, u"mnuSep1"_s)->setVisible(false);
    connect(add(file, u"mnuExit"_s, u"E&xit"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* const help = bar->addMenu(u"&Help"_s);
    help->setObjectName(u"mnuHelp"_s);
    link(add(help, u"mnuOnline"_s, u"&Online Help"_s), OpenOnlineHelpPage);
    link(add(help, u"mnuVisit"_s, u"&Visit Us Online"_s), OpenHomePage);
    separator(help, u"mnuSep2"_s);
    link(add(help, u"mnuUpdate"_s, u"Check for Software &Update"_s), OpenDownloadPage);
    separator(help, u"mnuSep3"_s);
    connect(add(help, u"mnuAbout"_s, u"&About Software"_s), &QAction::triggered, this,
            &frmMain::aboutRequested);

    QAction* const donate = bar->addAction(u"&Donate"_s);
    donate->setObjectName(u"mnuDonate"_s);
    link(donate, OpenDonatePage);

    // Kept off the bar as well as hidden: a menu bar claims the access key of every entry on it,
    // shown or not, and Alt+O belongs to cmdOpen.
    auto* const makeMoney = new QAction(u"Make Money &Online"_s, bar);
    makeMoney->setObjectName(u"mnuMakeMoney"_s);
    makeMoney->setVisible(false);
    makeMoney->setEnabled(false);
    link(makeMoney, OpenFullBrandPage);
}

void frmMain::fillLists()
{
    m_day->clear();
    for (int day = FirstDay; day <= LastDay; ++day)
        m_day->addItem(QString::number(day));
    m_month->clear();
    for (const QStringView month : MonthNames)
        m_month->addItem(month.toString());
    m_year->clear();
    for (int year = FirstYear; year <= LastYear; ++year)
        m_year->addItem(QString::number(year));

    m_day->setCurrentIndex(0);
    m_month->setCurrentIndex(0);
    m_year->setCurrentIndex(StartYearEntry);
}

bool frmMain::CheckDetails()
{
    if (!m_name->text().trimmed().isEmpty())
        return true;
    m_desktop.showError(this, NameMissing.toString());
    m_name->setFocus();
    return false;
}

void frmMain::proceed()
{
    if (!CheckDetails())
        return;
    const Reading reading = ComputeReading(
        {m_name->text(), m_day->currentText(), m_month->currentText(), m_year->currentText()});
    emit readingReady(reading);
}

void frmMain::openSavedReading()
{
    const QString path = m_desktop.openFileName(this, SavedReadingOpenDialog());
    if (!path.isEmpty())
        openFile(path);
}

void frmMain::openFile(const QString& path)
{
    // Only the lower-case ending: a file saved as .NSK is refused, as it always was.
    if (!path.endsWith(u"nsk"_s, Qt::CaseSensitive)) {
        m_desktop.showError(this, FileRefused.toString());
        return;
    }
    const SavedReadingResult saved = ReadSavedReading(path);
    if (!saved.ok()) {
        m_desktop.showError(this, FileRefused.toString());
        return;
    }
    m_name->setText(saved.details.name);
    m_day->setCurrentText(saved.details.day);
    m_month->setCurrentText(saved.details.month);
    m_year->setCurrentText(saved.details.year);
    proceed();
}

void frmMain::closeForReading()
{
    m_closingForReading = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    emit closing(m_closingForReading);
    QMainWindow::closeEvent(event);
}

} // namespace Kistarra
