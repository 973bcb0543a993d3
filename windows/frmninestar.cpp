#include "windows/frmninestar.h"

#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "reading/yearaheadtext.h"
#include "resources/pictures.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"
#include "windows/kit/brandlinks.h"
#include "windows/kit/menus.h"
#include "windows/frmtwopeople.h"
#include "windows/yearaheadpage.h"

#include "ui_frmninestar.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The captions of the tab strip TS in order: the three pages of the form, then the year ahead.
constexpr std::array<QStringView, 4> TabCaptions = {u"Nine Star Ki Chart", u"Nine Star Ki Element",
                                                    u"Nine Star Ki Relationship Analysis",
                                                    YearAheadTitle};

void ShowPicture(QLabel* box, const std::optional<QStringView>& key, QString (*path)(QStringView),
                 const QString& what)
{
    if (!key)
        return;
    const QPixmap picture = PictureFittedTo(path(*key), box->size());
    if (picture.isNull())
        return;
    box->setPixmap(picture);
    box->setAccessibleName(what + u": "_s + key->toString());
}

// The star summary as the chart shows it: it may break between its three star parts but never
// inside one, so "2 Soil/ Earth" stays on one line. The blanks of a part do not break.
QString KeepStarPartsWhole(const QString& summary)
{
    QStringList parts = summary.split(u", "_s);
    for (QString& part : parts) {
        const qsizetype star = part.lastIndexOf(u": "_s);
        const qsizetype from = star < 0 ? 0 : star + 2;
        part = part.left(from) + part.mid(from).replace(u' ', QChar::Nbsp);
    }
    return parts.join(u", "_s);
}

} // namespace

// The control arrays of the chart page have numbered names: lblLoshuGrid_0..8 (the label of cell
// index + 1), lblLoshuSides_0..7 (the directions) and Picture1_1..8 (the boxes of every cell but
// 4, whose box is picLoshuGrid).
frmNineStar::frmNineStar(const Reading& reading, const ReadingOptions& options, Partner& partner,
                         Desktop& desktop, QWidget* parent)
    : QMainWindow(parent)
    , m_reading(reading)
    , m_options(options)
    , m_partner(partner)
    , m_desktop(desktop)
    , m_ui(std::make_unique<Ui::frmNineStar>())
{
    m_ui->setupUi(this);
    SetUpWindow(this, TextSize::Window);
    m_ui->frmNineStarClient->setFixedSize(Twips(0, 0, 9555, 6885).size());
    m_cells = {m_ui->lblLoshuGrid_0, m_ui->lblLoshuGrid_1, m_ui->lblLoshuGrid_2,
               m_ui->lblLoshuGrid_3, m_ui->lblLoshuGrid_4, m_ui->lblLoshuGrid_5,
               m_ui->lblLoshuGrid_6, m_ui->lblLoshuGrid_7, m_ui->lblLoshuGrid_8};
    m_pages = {m_ui->picLoShuSquare, m_ui->picNineStar, m_ui->picRelationship};
    applyTheme();
    buildMenus();
    connectLinks();
    showChart();

    m_tabs = m_ui->TS;
    for (const QStringView caption : TabCaptions)
        m_tabs->addTab(caption.toString());
    // Every tab click brings its page to the front, the current tab's too.
    connect(m_tabs, &QTabBar::tabBarClicked, this, &frmNineStar::showPage);
    connect(m_tabs, &QTabBar::currentChanged, this, &frmNineStar::showPage);
    m_tabs->setCurrentIndex(0);
    showPage(0);

    // The offscreen and some X11 platforms complain when a shown window's size limits change,
    // so the size is fixed here, once, before the window is ever shown.
    setFixedSize(m_ui->frmNineStarClient->width(),
                 m_ui->frmNineStarClient->height() + menuBar()->sizeHint().height());
}

frmNineStar::~frmNineStar() = default;

void frmNineStar::applyTheme()
{
    for (QWidget* const page : m_pages)
        SetColours(page, Black, FrameGrey);
    for (QTextEdit* const box : {m_ui->RTBLoshu, m_ui->RTB}) {
        SetColour(box, QPalette::Base, FrameGrey);
        // Filling the box empties the clipboard too.
        EmptyClipboardOnUse(box, m_desktop);
    }
    // Every reading is several times longer than its box. With the scroll bar there from the
    // start, the box lays the text out once when the window opens, not again when the bar
    // appears and narrows it.
    m_ui->RTBLoshu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ui->lblCaption->setFont(ThemeFont(TextSize::Window, true));
    SetColour(m_ui->lblCaption, QPalette::WindowText, White);
    for (QLabel* const word : {m_ui->lblFengShuiGroup, m_ui->lblFengShuiTrigram})
        word->setFont(ThemeFont(TextSize::Profile, true));
    m_ui->lblFengShuiElement->setFont(ThemeFont(TextSize::Element, true));
    for (FlatButton* const button : {m_ui->cmdBack, m_ui->cmdSave})
        SetColours(button, Black, Silver);
    for (std::size_t index = 0; index < m_cells.size(); ++index) {
        const CellColours colours = LoShuCellColours(static_cast<int>(index) + 1);
        QLabel* const cell = m_cells.at(index);
        SetColours(cell->parentWidget(), colours.text, colours.box);
        cell->setAutoFillBackground(false);
        cell->setFont(ThemeFont(TextSize::Window, true));
    }
}

void frmNineStar::connectLinks()
{
    SetUpSiteLinks(
        {{m_ui->Label61,
          u"Talk about your reading with others on our Nine Star Ki discussion board at "_s +
              MainSiteAddress()}},
        LinkBlue, m_desktop);
    SetUpBrandLinks({m_ui->lblCobrand, m_ui->lblFullBrand}, LinkBlue, m_desktop);
    connect(m_ui->cmdBack, &QPushButton::clicked, this, &frmNineStar::backRequested);
    connect(m_ui->cmdSave, &QPushButton::clicked, this, &frmNineStar::reportRequested);
}

void frmNineStar::buildMenus()
{
    QMenuBar* const bar = menuBar();
    AddMenu(bar, u"mnuFile", u"&File",
            {{u"mnuBack", u"&Back", [this] { emit backRequested(); }},
             {u"mnuCompare", u"Compare &With a Partner\u2026", [this] { compareWithPartner(); }},
             {u"mnuFile1", {}},
             {u"mnuExit", u"E&xit", [this] { close(); }}},
            this);
    // The hidden full-branding entry is kept on the bar but out of sight and out of reach.
    AddHelpMenu(
        bar, m_desktop, {u"mnuHelp1", u"mnuHelp2", true}, [this] { emit aboutRequested(); }, this);
}

void frmNineStar::showChart()
{
    m_ui->lblCaption->setText(KeepStarPartsWhole(m_reading.starSummary));
    showReadingYear();
    for (std::size_t index = 0; index < m_cells.size(); ++index) {
        const int cell = static_cast<int>(index) + 1;
        const QString& digits = m_reading.loShuCells.at(index);
        m_cells.at(index)->setText(LoShuCellCaption(cell, digits));
        m_cells.at(index)->setAccessibleName(
            u"Cell %1, digits: %2"_s.arg(cell).arg(digits.isEmpty() ? u"none"_s : digits));
    }
    // A birth on the day a solar month begins: the note heads the reading.
    ComposedText text;
    if (!m_reading.termDayNote.isEmpty())
        text.append(true, DarkRed, m_reading.termDayNote + u"\r\n\r\n"_s);
    text.pieces += m_reading.readingText.pieces;
    AppendComposedText(m_ui->RTBLoshu, text);
}

// Only when the year rule took the numbers from the year before: which year that is, under the
// square, between the two northern corners.
void frmNineStar::showReadingYear()
{
    const QString note = ReadingYearNote(m_reading);
    if (note.isEmpty())
        return;
    auto* const year = new QLabel(note, m_ui->fraLoShuChart);
    year->setObjectName(u"lblReadingYear"_s);
    year->setGeometry(Twips(735, 4785, 3930, 240));
    year->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetColour(year, QPalette::WindowText, White);
}

void frmNineStar::showProfile()
{
    // A reading without a profile leaves every word and picture as the page was drawn.
    if (m_reading.fengShui) {
        m_ui->lblFengShuiGroup->setText(m_reading.fengShui->group.toString());
        m_ui->lblFengShuiElement->setText(m_reading.fengShui->element.toString());
        m_ui->lblFengShuiTrigram->setText(m_reading.fengShui->trigram.toString());
    }
    if (m_reading.elementDescription)
        m_ui->lblElementDesc->setText(*m_reading.elementDescription);
    ShowPicture(m_ui->imgElement, m_reading.elementPictureKey, ElementPicturePath,
                u"Element picture"_s);
    ShowPicture(m_ui->imgTrigram, m_reading.trigramPictureKey, TrigramPicturePath,
                u"Trigram picture"_s);
}

void frmNineStar::showPage(int index)
{
    // The year ahead's tab follows the pages.
    if (index < 0 || index > static_cast<int>(m_pages.size()))
        return;
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages.at(i)->setVisible(static_cast<int>(i) == index);
    showYearAhead(index == static_cast<int>(m_pages.size()));
    if (index < static_cast<int>(m_pages.size())) {
        fillPage(static_cast<std::size_t>(index));
        m_pages.at(static_cast<std::size_t>(index))->raise();
    }
}

// The window opens on the chart, which the constructor fills; the element and relationship pages
// are filled the first time they are shown, so a click on Calculate decodes no picture and lays
// out no text that is not seen.
void frmNineStar::fillPage(std::size_t index)
{
    if (m_filled.at(index))
        return;
    m_filled.at(index) = true;
    if (m_pages.at(index) == m_ui->picNineStar)
        showProfile();
    else if (m_pages.at(index) == m_ui->picRelationship)
        AppendComposedText(m_ui->RTB, m_reading.relationshipText);
}

// The year ahead is built the first time its tab is chosen: opening the window costs nothing
// for it.
void frmNineStar::showYearAhead(bool shown)
{
    if (shown && m_yearAhead == nullptr) {
        auto* const page = new YearAheadPage(m_reading.principal, m_options, m_partner, m_desktop,
                                             centralWidget());
        page->setGeometry(m_pages[0]->geometry());
        page->chainFocusAfter(m_tabs);
        page->setOwnerName(m_reading.details.name);
        connect(page, &YearAheadPage::partnerRequested, this, &frmNineStar::compareWithPartner);
        m_yearAhead = page;
    }
    if (m_yearAhead == nullptr)
        return;
    m_yearAhead->setVisible(shown);
    if (shown)
        m_yearAhead->raise();
}

// One Two People window per result window, made on first use and brought to the front after.
void frmNineStar::compareWithPartner()
{
    if (m_twoPeople == nullptr) {
        m_twoPeople = new frmTwoPeople(m_reading, m_options, m_partner, m_desktop, this);
        m_twoPeople->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Made active, one already open comes to the front, as the calendar does.
    m_twoPeople->show();
    m_twoPeople->activateWindow();
}

void frmNineStar::closeEvent(QCloseEvent* event)
{
    // The Two People window compares with the person shown here: it goes with this window.
    if (m_twoPeople != nullptr)
        m_twoPeople->close();
    emit closing();
    event->accept();
}

} // namespace Kistarra
