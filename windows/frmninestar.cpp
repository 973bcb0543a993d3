#include "windows/frmninestar.h"

#include <QAction>
#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "windows/frmsave.h"
#include "platform/desktop.h"
#include "resources/pictures.h"
#include "platform/modhelp.h"
#include "windows/windowkit.h"
#include "windows/yearaheadpage.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place)
{
    auto* const label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

// The Lo Shu square, South at the top: the cell number standing in each column and row.
struct CellPlace {
    int cell;
    int column;
    int row;
};
constexpr std::array<CellPlace, 9> LoShuSquare = {{
    {4, 0, 0},
    {9, 1, 0},
    {2, 2, 0},
    {3, 0, 1},
    {5, 1, 1},
    {7, 2, 1},
    {8, 0, 2},
    {1, 1, 2},
    {6, 2, 2},
}};
constexpr std::array<int, 3> CellColumnTwips = {45, 1365, 2685};
constexpr std::array<int, 3> CellRowTwips = {50, 1380, 2710};
constexpr int CellBoxTwips = 1300;
constexpr int CellLabelTwips = 1000;

struct CellColour {
    QColor box;
    QColor text;
};

// Box colours of cells 1..9; the digits are white where the box is too dark for black.
[[nodiscard]] CellColour CellColours(int cell)
{
    static const std::array<CellColour, 9> colours = {{
        {QColor(0, 0, 255), Qt::white},
        {QColor(255, 192, 255), Qt::black},
        {QColor(0, 128, 0), Qt::white},
        {QColor(0, 192, 192), Qt::black},
        {QColor(255, 255, 128), Qt::black},
        {QColor(192, 192, 192), Qt::black},
        {QColor(128, 128, 128), Qt::white},
        {QColor(0, 0, 0), Qt::white},
        {QColor(255, 192, 128), Qt::black},
    }};
    return colours.at(static_cast<std::size_t>(cell - 1));
}

// The name of the box of a cell: cell 4 has a box of its own, the other eight form the array
// Picture1 in reading order of the square.
[[nodiscard]] QString CellBoxName(int cell)
{
    if (cell == 4)
        return u"picLoshuGrid"_s;
    int index = 0;
    for (const CellPlace& place : LoShuSquare) {
        if (place.cell == 4)
            continue;
        ++index;
        if (place.cell == cell)
            break;
    }
    return u"Picture1_"_s + QString::number(index);
}

struct Side {
    const char16_t* text;
    int left;
    int top;
    int height;
};
// Indexes 0..7 of the direction labels, clockwise from South East.
constexpr std::array<Side, 8> Sides = {{
    {u"South East", 120, 495, 600},
    {u"South", 2280, 480, 600},
    {u"South West", 4680, 480, 600},
    {u"West", 4680, 2520, 600},
    {u"North West", 4680, 4800, 600},
    {u"North", 2280, 5040, 240},
    {u"North East", 120, 4800, 600},
    {u"East", 120, 2520, 600},
}};
constexpr int SideWidthTwips = 600;

void InsertPieces(QTextEdit* box, const ComposedText& text)
{
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    for (const TextPiece& piece : text.pieces) {
        QTextCharFormat format;
        format.setFontWeight(piece.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(QColor(piece.colour.red, piece.colour.green, piece.colour.blue));
        cursor.insertText(piece.text, format);
    }
    box->moveCursor(QTextCursor::Start);
}

} // namespace

// Control arrays of the chart page become numbered names: lblLoshuGrid_0..8 (the label of cell
// index + 1), lblLoshuSides_0..7 (the directions) and Picture1_1..8 (the boxes of every cell but
// 4, whose box is picLoshuGrid).
frmNineStar::frmNineStar(const Reading& reading, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent)
    , m_reading(reading)
    , m_desktop(desktop)
{
    SetUpWindow(this, 8.25);

    auto* const central = new QWidget(this);
    central->setObjectName(u"frmNineStarClient"_s);
    central->setFixedSize(637, 459);
    setCentralWidget(central);
    buildMenus();

    auto* const banner = new LinkLabel(
        u"Talk about your reading with others on our Nine Star Ki discussion board at "_s +
            MainSiteHost(),
        central, [this] { OpenHomePage(m_desktop); });
    banner->setObjectName(u"Label61"_s);
    banner->setGeometry(Twips(30, 0, 9495, 195));
    banner->setAlignment(Qt::AlignCenter);
    SetColour(banner, QPalette::WindowText, LinkBlue);

    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(u"TS"_s);
    m_tabs->setGeometry(Twips(27, 280, 9500, 5600));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    m_tabs->addTab(u"Nine Star Ki Chart"_s);
    m_tabs->addTab(u"Nine Star Ki Element"_s);
    m_tabs->addTab(u"Nine Star Ki Relationship Analysis"_s);
    m_tabs->addTab(u"Nine Star Ki Year Ahead"_s);

    const std::array<QString, 3> pageNames = {u"picLoShuSquare"_s, u"picNineStar"_s,
                                              u"picRelationship"_s};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        auto* const page = new QWidget(central);
        page->setObjectName(pageNames.at(i));
        page->setGeometry(Twips(27, 600, 9500, 5350));
        page->setAutoFillBackground(true);
        SetColour(page, QPalette::Window, FrameGrey);
        m_pages.at(i) = page;
    }
    QTextEdit* const readingBox = buildChartPage(m_pages[0]);
    buildElementPage(m_pages[1]);
    QTextEdit* const relationshipBox = buildRelationshipPage(m_pages[2]);

    auto* const frame = new QGroupBox(central);
    frame->setObjectName(u"fraFullBrand"_s);
    frame->setGeometry(Twips(27, 6000, 7065, 855));
    const BrandLinks brand =
        AddBrandLinks(frame, CoBrandOffer, Twips(120, 165, 6705, 615), m_desktop);
    for (QLabel* const label : {brand.coBrand, brand.fullBrand})
        SetColour(label, QPalette::WindowText, LinkBlue);

    auto* const back = new QPushButton(u"&Back"_s, central);
    back->setObjectName(u"cmdBack"_s);
    back->setGeometry(Twips(7200, 6227, 1100, 400));
    connect(back, &QPushButton::clicked, this, &frmNineStar::backRequested);

    auto* const save = new QPushButton(u"&Save"_s, central);
    save->setObjectName(u"cmdSave"_s);
    save->setGeometry(Twips(8400, 6227, 1100, 400));
    connect(save, &QPushButton::clicked, this, &frmNineStar::openReport);

    // Only the page in front has its box in reach.
    ChainFocus(
        {m_tabs, readingBox, relationshipBox, back, save, banner, brand.coBrand, brand.fullBrand});

    // Every tab click brings its page to the front, the current tab's too.
    connect(m_tabs, &QTabBar::tabBarClicked, this, &frmNineStar::showPage);
    connect(m_tabs, &QTabBar::currentChanged, this, &frmNineStar::showPage);
    m_tabs->setCurrentIndex(0);
    showPage(0);

    // The offscreen and some X11 platforms complain when a shown window's size limits change,
    // so the size is fixed here, once, before the window is ever shown.
    setFixedSize(central->width(), central->height() + menuBar()->sizeHint().height());
}

frmNineStar::~frmNineStar() = default;

void frmNineStar::buildMenus()
{
    QMenuBar* const bar = menuBar();
    const auto addItem = [this](QMenu* menu, const QString& name, const QString& text) {
        QAction* const action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };
    const auto addSeparator = [](QMenu* menu, const QString& name) {
        menu->addSeparator()->setObjectName(name);
    };
    const auto addMenu = [bar](const QString& name, const QString& text) {
        QMenu* const menu = bar->addMenu(text);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };

    QMenu* const file = addMenu(u"mnuFile"_s, u"&File"_s);
    connect(addItem(file, u"mnuBack"_s, u"&Back"_s), &QAction::triggered, this,
            &frmNineStar::backRequested);
    addSeparator(file, u"mnuFile1"_s);
    connect(addItem(file, u"mnuExit"_s, u"E&xit"_s), &QAction::triggered, this,
            &frmNineStar::close);

    QMenu* const help = addMenu(u"mnuHelp"_s, u"&Help"_s);
    connect(addItem(help, u"mnuOnline"_s, u"&Online Help"_s), &QAction::triggered, this,
            [this] { OpenOnlineHelpPage(m_desktop); });
    connect(addItem(help, u"mnuVisit"_s, u"&Visit Us Online"_s), &QAction::triggered, this,
            [this] { OpenHomePage(m_desktop); });
    addSeparator(help, u"mnuHelp1"_s);
    connect(addItem(help, u"mnuUpdate"_s, u"Check for Software &Update"_s), &QAction::triggered,
            this, [this] { OpenDownloadPage(m_desktop); });
    addSeparator(help, u"mnuHelp2"_s);
    connect(addItem(help, u"mnuAbout"_s, u"&About Software"_s), &QAction::triggered, this,
            &frmNineStar::aboutRequested);

    // Acts on a click on the menu bar itself: it has no submenu.
    auto* const donate = new QAction(u"&Donate"_s, this);
    donate->setObjectName(u"mnuDonate"_s);
    bar->addAction(donate);
    connect(donate, &QAction::triggered, this, [this] { OpenDonatePage(m_desktop); });

    // Kept on the bar but out of sight and out of reach.
    auto* const makeMoney = new QAction(u"Make Money &Online"_s, this);
    makeMoney->setObjectName(u"mnuMakeMoney"_s);
    makeMoney->setVisible(false);
    makeMoney->setEnabled(false);
    bar->addAction(makeMoney);
}

QTextEdit* frmNineStar::buildChartPage(QWidget* page)
{
    auto* const chart = new QFrame(page);
    chart->setObjectName(u"fraLoShuChart"_s);
    chart->setGeometry(Twips(60, 30, 5300, 5300));
    chart->setFrameShape(QFrame::Box);

    QLabel* const caption =
        MakeLabel(chart, u"lblCaption"_s, m_reading.starSummary, Twips(60, 60, 5180, 420));
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    caption->setFont(WindowFont(8.25, true));
    SetColour(caption, QPalette::WindowText, Qt::white);

    for (std::size_t i = 0; i < Sides.size(); ++i) {
        const Side& side = Sides.at(i);
        QLabel* const label = MakeLabel(chart, u"lblLoshuSides_"_s + QString::number(i),
                                        QString::fromUtf16(side.text),
                                        Twips(side.left, side.top, SideWidthTwips, side.height));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    auto* const grid = new QFrame(chart);
    grid->setObjectName(u"fraLoShuGrid"_s);
    grid->setGeometry(Twips(600, 720, 4035, 4050));
    grid->setFrameShape(QFrame::Box);

    for (const CellPlace& place : LoShuSquare) {
        const CellColour colours = CellColours(place.cell);
        auto* const box = new QFrame(grid);
        box->setObjectName(CellBoxName(place.cell));
        box->setGeometry(Twips(CellColumnTwips.at(static_cast<std::size_t>(place.column)),
                               CellRowTwips.at(static_cast<std::size_t>(place.row)), CellBoxTwips,
                               CellBoxTwips));
        box->setFrameShape(QFrame::Box);
        box->setAutoFillBackground(true);
        SetColour(box, QPalette::Window, colours.box);

        const auto index = static_cast<std::size_t>(place.cell - 1);
        QLabel* const label =
            MakeLabel(box, u"lblLoshuGrid_"_s + QString::number(index),
                      LoShuCellCaption(place.cell, m_reading.loShuCells.at(index)),
                      Twips(0, 0, CellLabelTwips, CellLabelTwips));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setMargin(4);
        label->setWordWrap(true);
        label->setFont(WindowFont(9.75, true));
        SetColour(label, QPalette::WindowText, colours.text);
        const QString& digits = m_reading.loShuCells.at(index);
        label->setAccessibleName(
            u"Cell %1, digits: %2"_s.arg(place.cell).arg(digits.isEmpty() ? u"none"_s : digits));
    }
    grid->raise();

    QTextEdit* const text = makeReadingBox(page, u"RTBLoshu"_s);
    text->setGeometry(Twips(5400, 60, 4050, 5200));
    text->setAccessibleName(u"Reading"_s);
    InsertPieces(text, m_reading.readingText);
    return text;
}

void frmNineStar::buildElementPage(QWidget* page)
{
    const QFont largeBold = WindowFont(11.25, true);

    QLabel* const intro = MakeLabel(page, u"Label1"_s,
                                    u"Nine Star Ki Astrology corresponds with five elements "
                                    u"namely, Fire, Earth, Metal, Water and Wood."_s,
                                    Twips(180, 480, 6165, 1215));
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* const trigramFrame = new QGroupBox(u"Your Trigram is: "_s, page);
    trigramFrame->setObjectName(u"fraTrigram"_s);
    trigramFrame->setGeometry(Twips(6540, 480, 2775, 1455));
    QLabel* const trigram =
        MakeLabel(trigramFrame, u"lblFengShuiTrigram"_s, u"FengShui"_s, Twips(240, 600, 1125, 270));
    trigram->setFont(largeBold);
    QLabel* const trigramPicture =
        MakeLabel(trigramFrame, u"imgTrigram"_s, {}, Twips(1560, 240, 1005, 1005));
    trigramPicture->setAlignment(Qt::AlignCenter);

    auto* const elementFrame = new QGroupBox(u"Your Element is: "_s, page);
    elementFrame->setObjectName(u"fraElement"_s);
    elementFrame->setGeometry(Twips(180, 2040, 9135, 3135));

    auto* const groupFrame = new QGroupBox(elementFrame);
    groupFrame->setObjectName(u"fraGroup"_s);
    groupFrame->setGeometry(Twips(6720, 120, 2295, 1095));
    MakeLabel(groupFrame, u"Label15"_s, u"Your are a"_s, Twips(600, 120, 900, 195));
    QLabel* const group = MakeLabel(groupFrame, u"lblFengShuiGroup"_s, u"FengShui nnnn"_s,
                                    Twips(240, 360, 1800, 270));
    group->setFont(largeBold);
    MakeLabel(groupFrame, u"Label33"_s, u"Group Person"_s, Twips(480, 720, 1170, 195));

    QLabel* const element =
        MakeLabel(elementFrame, u"lblFengShuiElement"_s, u"Label9"_s, Twips(1200, 240, 1695, 375));
    element->setFont(WindowFont(12, true));
    QLabel* const elementPicture =
        MakeLabel(elementFrame, u"imgElement"_s, {}, Twips(120, 240, 1005, 1005));
    elementPicture->setAlignment(Qt::AlignCenter);
    QLabel* const description =
        MakeLabel(elementFrame, u"lblElementDesc"_s, u"element"_s, Twips(120, 1320, 8895, 1755));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A reading without a profile leaves every word and picture as the page was drawn.
    if (m_reading.fengShui) {
        group->setText(m_reading.fengShui->group.toString());
        element->setText(m_reading.fengShui->element.toString());
        trigram->setText(m_reading.fengShui->trigram.toString());
    }
    if (m_reading.elementDescription)
        description->setText(*m_reading.elementDescription);
    const QSize pictureBox = Twips(0, 0, 1005, 1005).size();
    elementPicture->setAccessibleName(u"Element picture"_s);
    trigramPicture->setAccessibleName(u"Trigram picture"_s);
    if (m_reading.elementPictureKey) {
        const QPixmap picture =
            PictureFittedTo(ElementPicturePath(*m_reading.elementPictureKey), pictureBox);
        if (!picture.isNull()) {
            elementPicture->setPixmap(picture);
            elementPicture->setAccessibleName(u"Element picture: "_s +
                                              *m_reading.elementPictureKey);
        }
    }
    if (m_reading.trigramPictureKey) {
        const QPixmap picture =
            PictureFittedTo(TrigramPicturePath(*m_reading.trigramPictureKey), pictureBox);
        if (!picture.isNull()) {
            trigramPicture->setPixmap(picture);
            trigramPicture->setAccessibleName(u"Trigram picture: "_s +
                                              *m_reading.trigramPictureKey);
        }
    }
}

QTextEdit* frmNineStar::buildRelationshipPage(QWidget* page)
{
    QTextEdit* const text = makeReadingBox(page, u"RTB"_s);
    text->setGeometry(Twips(60, 60, 9400, 5200));
    text->setAccessibleName(u"Relationship analysis"_s);
    InsertPieces(text, m_reading.relationshipText);
    return text;
}

QTextEdit* frmNineStar::makeReadingBox(QWidget* page, const QString& name)
{
    auto* const box = new QTextEdit(page);
    box->setObjectName(name);
    box->setReadOnly(true);
    SetColour(box, QPalette::Base, FrameGrey);
    // Filling the box empties the clipboard too.
    EmptyClipboardOnUse(box, m_desktop);
    return box;
}

void frmNineStar::showPage(int index)
{
    // The year ahead's tab follows the pages.
    if (index < 0 || index > static_cast<int>(m_pages.size()))
        return;
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages.at(i)->setVisible(static_cast<int>(i) == index);
    showYearAhead(index == static_cast<int>(m_pages.size()));
    if (index < static_cast<int>(m_pages.size()))
        m_pages.at(static_cast<std::size_t>(index))->raise();
}

// The year ahead is built the first time its tab is chosen: opening the window costs nothing
// for it.
void frmNineStar::showYearAhead(bool shown)
{
    if (shown && m_yearAhead == nullptr) {
        auto* const page = new YearAheadPage(m_reading.principal, m_desktop, centralWidget());
        page->setGeometry(m_pages[0]->geometry());
        page->chainFocusAfter(m_tabs);
        m_yearAhead = page;
    }
    if (m_yearAhead == nullptr)
        return;
    m_yearAhead->setVisible(shown);
    if (shown)
        m_yearAhead->raise();
}

void frmNineStar::openReport()
{
    auto* const report = new frmSave(m_reading, m_desktop, this);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->setWindowModality(Qt::ApplicationModal);
    report->show();
}

void frmNineStar::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

} // namespace Kistarra
