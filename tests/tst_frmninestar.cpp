#include <memory>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDateEdit>
#include <QDialog>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QScrollBar>
#include <QScopeGuard>
#include <QListWidget>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextOption>
#include <QTimeZone>
#include <QUrl>

#include "engine/ninestar.h"
#include "engine/yearahead.h"
#include "platform/modhelp.h"
#include "reading/reading.h"
#include "reading/sites.h"
#include "windows/frmcalendar.h"
#include "resources/pictures.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmninestar.h"
#include "windows/kit/chartgrid.h"
#include "windows/kit/partner.h"
#include "windows/frmtimezone.h"
#include "windows/frmtwopeople.h"
#include "windows/kit/theme.h"
#include "windows/yearaheadpage.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The caption a control shows, whatever kind of control it is.
QString Caption(const QObject* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return menu->title();
    qFatal("%s has no caption", qPrintable(control->objectName()));
}

// Bold state and colour of every character position of a document showing the pieces, in the
// document's numbering (a CR LF is one block separator).
struct CharLook {
    bool bold = false;
    QColor colour;
    bool separator = false;
};

// The palaces of a year-ahead chart in the order its grid shows them, row by row.
const QStringList GridOrder = {u"SE"_s, u"S"_s,  u"SW"_s, u"E"_s, u"C"_s,
                               u"W"_s,  u"NE"_s, u"N"_s,  u"NW"_s};

// What a screen reader says for each cell of a chart grid, in grid order.
QStringList CellNames(ChartGrid* grid)
{
    QStringList names;
    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(grid);
    QAccessibleTableInterface* const table = face == nullptr ? nullptr : face->tableInterface();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            QAccessibleInterface* const cell =
                table == nullptr ? nullptr : table->cellAt(row, column);
            names << (cell == nullptr ? u"(no cell)"_s : cell->text(QAccessible::Name));
        }
    }
    return names;
}

QString AccessibleName(QObject* object)
{
    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(object);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

QList<CharLook> ExpectedLooks(const ComposedText& text)
{
    QList<CharLook> looks;
    for (const TextPiece& piece : text.pieces) {
        const QColor colour(piece.colour.red, piece.colour.green, piece.colour.blue);
        for (qsizetype i = 0; i < piece.text.size(); ++i) {
            const bool lineBreak = piece.text.at(i) == u'\r' && i + 1 < piece.text.size() &&
                                   piece.text.at(i + 1) == u'\n';
            looks.append({piece.bold, colour, lineBreak});
            if (lineBreak)
                ++i;
        }
    }
    return looks;
}

} // namespace

class TestFrmNineStar : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowFrame();
    void captions_data();
    void captions();
    void readingFillsTheControls();
    void starSummaryBreaksOnlyBetweenItsParts_data();
    void starSummaryBreaksOnlyBetweenItsParts();
    void withoutProfileTheElementPageKeepsItsDrawing();
    void yearRuleNoteOnlyWhenTheYearMoved_data();
    void yearRuleNoteOnlyWhenTheYearMoved();
    void cellsStandInTheLoShuSquare_data();
    void cellsStandInTheLoShuSquare();
    void readingBoxesShowEveryPieceInItsLook_data();
    void readingBoxesShowEveryPieceInItsLook();
    void everyReadingScrollsInItsBox_data();
    void everyReadingScrollsInItsBox();
    void tabsBringTheirPageToTheFront();
    void newWindowOpensOnTheChart();
    void linksOpenExactlyTheirPage_data();
    void linksOpenExactlyTheirPage();
    void donateActsFromTheMenuBar();
    void makeMoneyIsOutOfReach();
    void backAndAboutAreHandedToTheShell();
    void everyCloseIsAnnounced();
    void clipboardIsEmptied_data();
    void clipboardIsEmptied();
    void yearAheadIsBuiltWhenFirstShown();
    void yearAheadOpensOnToday_data();
    void yearAheadOpensOnToday();
    void yearAheadShowsTheCharts_data();
    void yearAheadShowsTheCharts();
    void yearAheadFollowsTheDate();
    void yearAheadInUtcWhenTheComputersZoneIsNotKnown();
    void yearAheadIsReadAloudAndWalkedByTab();
    void yearAheadFitsThePage();
    void yearAheadOpensTheCalendar();
    void termDayNoteHeadsTheReading();

private:
    frmNineStar* showWindow(const Reading& reading, const ReadingOptions& options = {});
    // The year-ahead page of the reading, its times in the zone; the solar months begin on the
    // days they begin in Japan by default, whatever this computer's zone.
    QWidget* showYearAhead(const Reading& reading, const QByteArray& zone = "Asia/Tokyo");

    Partner m_partner;
    WindowFixture<frmNineStar> m_fixture;
};

void TestFrmNineStar::init()
{
    m_fixture.setUp();
}

void TestFrmNineStar::cleanup()
{
    m_fixture.cleanUp();
}

// The element and relationship pages, each chosen once, as a person looks at them.
void choosePages(const frmNineStar* window)
{
    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    for (const int tab : {1, 2})
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
}

frmNineStar* TestFrmNineStar::showWindow(const Reading& reading, const ReadingOptions& options)
{
    m_fixture.make(reading, options, m_partner);
    return m_fixture.show();
}

void TestFrmNineStar::windowFrame()
{
    frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(window->windowTitle(), u"Kistarra v1.35"_s);
    QCOMPARE(window->centralWidget()->size(), QSize(637, 459));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    // Verdana where it is installed, DejaVu Sans everywhere else.
    QCOMPARE(QFontInfo(window->font()).family(),
             QFontDatabase::hasFamily(u"Verdana"_s) ? u"Verdana"_s : u"DejaVu Sans"_s);
    QCOMPARE(window->font().pointSizeF(), 8.25);
    // The icon comes once the first window has painted its first frame.
    QTRY_VERIFY(!window->windowIcon().isNull());
}

void TestFrmNineStar::captions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");

    const QStringList sides = {u"South East"_s, u"South"_s, u"South West"_s, u"West"_s,
                               u"North West"_s, u"North"_s, u"North East"_s, u"East"_s};
    for (qsizetype i = 0; i < sides.size(); ++i) {
        const QString name = u"lblLoshuSides_"_s + QString::number(i);
        QTest::addRow("%s", qPrintable(name)) << name << sides.at(i);
    }
    QTest::newRow("cmdBack") << u"cmdBack"_s << u"&Back"_s;
    QTest::newRow("cmdSave") << u"cmdSave"_s << u"&Save"_s;
    QTest::newRow("mnuFile") << u"mnuFile"_s << u"&File"_s;
    QTest::newRow("mnuBack") << u"mnuBack"_s << u"&Back"_s;
    QTest::newRow("mnuExit") << u"mnuExit"_s << u"E&xit"_s;
    QTest::newRow("mnuHelp") << u"mnuHelp"_s << u"&Help"_s;
    QTest::newRow("mnuOnline") << u"mnuOnline"_s << u"&Online Help"_s;
    QTest::newRow("mnuVisit") << u"mnuVisit"_s << u"&Visit Us Online"_s;
    QTest::newRow("mnuUpdate") << u"mnuUpdate"_s << u"Check for Software &Update"_s;
    QTest::newRow("mnuAbout") << u"mnuAbout"_s << u"&About Software"_s;
    QTest::newRow("mnuDonate") << u"mnuDonate"_s << u"&Donate"_s;
    QTest::newRow("mnuMakeMoney") << u"mnuMakeMoney"_s << u"Make Money &Online"_s;
    QTest::newRow("element frame") << u"fraElement"_s << u"Your Element is: "_s;
    QTest::newRow("trigram frame") << u"fraTrigram"_s << u"Your Trigram is: "_s;
    QTest::newRow("Label15") << u"Label15"_s << u"Your are a"_s;
    QTest::newRow("Label33") << u"Label33"_s << u"Group Person"_s;
    QTest::newRow("Label1") << u"Label1"_s
                            << u"Nine Star Ki Astrology corresponds with five elements namely, "
                               u"Fire, Earth, Metal, Water and Wood."_s;
    QTest::newRow("lblFullBrand")
        << u"lblFullBrand"_s
        << u"Home Business Opportunity. Start your own Internet business and make money online. "
           u"Get this software fully branded for your website. Click here for more details."_s;
}

void TestFrmNineStar::captions()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(Caption(Find<QObject>(window, control)), caption);
}

void TestFrmNineStar::readingFillsTheControls()
{
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    const frmNineStar* const window = showWindow(reading);
    choosePages(window);

    QCOMPARE(Find<QLabel>(window, u"lblLoshuGrid_0"_s)->text(), u"[1]\r\n11"_s);
    QCOMPARE(Find<QLabel>(window, u"lblLoshuGrid_1"_s)->text(), u"[2]\r\n"_s);
    QCOMPARE(Find<QLabel>(window, u"lblLoshuGrid_4"_s)->text(), u"[5]\r\n5"_s);
    QCOMPARE(Find<QLabel>(window, u"lblLoshuGrid_6"_s)->text(), u"[7]\r\n7"_s);
    QCOMPARE(Find<QLabel>(window, u"lblLoshuGrid_8"_s)->text(), u"[9]\r\n9"_s);
    QCOMPARE(Find<QLabel>(window, u"lblCaption"_s)->text().replace(QChar::Nbsp, u' '),
             u"Your 9 Star Ki is: 3 Wood, 3 Wood, 5 Soil/ Earth"_s);

    QCOMPARE(Find<QLabel>(window, u"lblFengShuiGroup"_s)->text(), u"East"_s);
    QCOMPARE(Find<QLabel>(window, u"lblFengShuiElement"_s)->text(), u"Wood"_s);
    QCOMPARE(Find<QLabel>(window, u"lblFengShuiTrigram"_s)->text(), u"Chen"_s);
    QCOMPARE(Find<QLabel>(window, u"lblElementDesc"_s)->text(), *reading.elementDescription);

    const QSize box(67, 67);
    const QImage element = Find<QLabel>(window, u"imgElement"_s)->pixmap().toImage();
    QVERIFY(!element.isNull());
    QCOMPARE(element, PictureFittedTo(ElementPicturePath(u"Wood"), box).toImage());
    const QImage trigram = Find<QLabel>(window, u"imgTrigram"_s)->pixmap().toImage();
    QVERIFY(!trigram.isNull());
    QCOMPARE(trigram, PictureFittedTo(TrigramPicturePath(u"Chen"), box).toImage());

    QCOMPARE(Find<QTextEdit>(window, u"RTBLoshu"_s)->toPlainText(),
             WithLineFeeds(reading.readingText.plainText()));
    QCOMPARE(Find<QTextEdit>(window, u"RTB"_s)->toPlainText(),
             WithLineFeeds(reading.relationshipText.plainText()));
    QVERIFY(Find<QTextEdit>(window, u"RTBLoshu"_s)->isReadOnly());
    QVERIFY(Find<QTextEdit>(window, u"RTB"_s)->isReadOnly());
}

void TestFrmNineStar::starSummaryBreaksOnlyBetweenItsParts_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");

    QTest::newRow("11 November 1911: three Soil/ Earth parts")
        << u"11"_s << u"November"_s << u"1911"_s;
    QTest::newRow("1 May 1970") << u"1"_s << u"May"_s << u"1970"_s;
    QTest::newRow("20 March 1916") << u"20"_s << u"March"_s << u"1916"_s;
    QTest::newRow("1 January 1900") << u"1"_s << u"January"_s << u"1900"_s;
}

// The summary is wider than its place, so it takes two lines: the break falls between two star
// parts, and both lines stay inside the label, clear of the compass labels below it.
void TestFrmNineStar::starSummaryBreaksOnlyBetweenItsParts()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    const frmNineStar* const window =
        showWindow(ComputeReading({u"Ann"_s, day, month, year}, YearRule::Calendar));
    const auto* const caption = Find<QLabel>(window, u"lblCaption"_s);

    QTextLayout layout(caption->text(), caption->font());
    QTextOption option(caption->alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(caption->contentsRect().width());
        lines.append(caption->text().mid(line.textStart(), line.textLength()));
        height += line.height();
    }
    layout.endLayout();
    const QString shown = lines.join(u" | "_s);
    for (qsizetype index = 0; index + 1 < lines.size(); ++index)
        QVERIFY2(lines.at(index).endsWith(u", "_s) || lines.at(index).endsWith(u": "_s),
                 qPrintable(shown));
    QVERIFY2(height <= caption->contentsRect().height(), qPrintable(shown));
}

void TestFrmNineStar::withoutProfileTheElementPageKeepsItsDrawing()
{
    // A year whose last two characters are not digits gives no Feng Shui profile.
    const Reading reading =
        ComputeReading({u"Ann"_s, u"1"_s, u"May"_s, u"19x0"_s}, YearRule::Calendar);
    QVERIFY(!reading.fengShui);
    const frmNineStar* const window = showWindow(reading);
    choosePages(window);
    QCOMPARE(Find<QLabel>(window, u"lblFengShuiGroup"_s)->text(), u"FengShui nnnn"_s);
    QCOMPARE(Find<QLabel>(window, u"lblFengShuiElement"_s)->text(), u"Label9"_s);
    QCOMPARE(Find<QLabel>(window, u"lblFengShuiTrigram"_s)->text(), u"FengShui"_s);
    QCOMPARE(Find<QLabel>(window, u"lblElementDesc"_s)->text(), u"element"_s);
    QVERIFY(Find<QLabel>(window, u"imgElement"_s)->pixmap().isNull());
    QVERIFY(Find<QLabel>(window, u"imgTrigram"_s)->pixmap().isNull());
}

void TestFrmNineStar::yearRuleNoteOnlyWhenTheYearMoved_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<bool>("solar");
    QTest::addColumn<QString>("note"); // empty: the page has no note at all

    QTest::newRow("20 January, solar rule")
        << u"20"_s << u"January"_s << true << u"Year counted from 4 February: 1989"_s;
    QTest::newRow("20 January, calendar rule") << u"20"_s << u"January"_s << false << QString();
    QTest::newRow("4 February, solar rule") << u"4"_s << u"February"_s << true << QString();
}

// The note stands on the chart page under the square, in one line between the northern corners,
// and the rest of the page shows the reading of the year the numbers come from.
void TestFrmNineStar::yearRuleNoteOnlyWhenTheYearMoved()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(bool, solar);
    QFETCH(QString, note);

    const Reading reading = ComputeReading({u"Ann"_s, day, month, u"1990"_s},
                                           solar ? YearRule::Solar : YearRule::Calendar);
    const frmNineStar* const window = showWindow(reading);
    QCOMPARE(Find<QLabel>(window, u"lblCaption"_s)->text().replace(QChar::Nbsp, u' '),
             reading.starSummary);
    const auto* const shown = window->findChild<QLabel*>(u"lblReadingYear"_s);
    if (note.isEmpty()) {
        QVERIFY(shown == nullptr);
        return;
    }
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->text(), note);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->parentWidget(), Find<QWidget>(window, u"fraLoShuChart"_s));

    const QFontMetrics metrics(shown->font());
    QVERIFY(metrics.horizontalAdvance(note) <= shown->contentsRect().width());
    QVERIFY(metrics.height() <= shown->contentsRect().height());
    for (const QString& other : {u"fraLoShuGrid"_s, u"lblLoshuSides_4"_s, u"lblLoshuSides_5"_s,
                                 u"lblLoshuSides_6"_s, u"lblCaption"_s}) {
        QVERIFY2(!shown->geometry().intersects(Find<QWidget>(window, other)->geometry()),
                 qPrintable(other));
    }
}

void TestFrmNineStar::cellsStandInTheLoShuSquare_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("colour");

    // South at the top: 4 9 2 / 3 5 7 / 8 1 6.
    QTest::newRow("4 south east") << 4 << u"picLoshuGrid"_s << 0 << 0 << QColor(0, 192, 192);
    QTest::newRow("9 south") << 9 << u"Picture1_1"_s << 1 << 0 << QColor(255, 192, 128);
    QTest::newRow("2 south west") << 2 << u"Picture1_2"_s << 2 << 0 << QColor(255, 192, 255);
    QTest::newRow("3 east") << 3 << u"Picture1_3"_s << 0 << 1 << QColor(0, 128, 0);
    QTest::newRow("5 centre") << 5 << u"Picture1_4"_s << 1 << 1 << QColor(255, 255, 128);
    QTest::newRow("7 west") << 7 << u"Picture1_5"_s << 2 << 1 << QColor(128, 128, 128);
    QTest::newRow("8 north east") << 8 << u"Picture1_6"_s << 0 << 2 << QColor(0, 0, 0);
    QTest::newRow("1 north") << 1 << u"Picture1_7"_s << 1 << 2 << QColor(0, 0, 255);
    QTest::newRow("6 north west") << 6 << u"Picture1_8"_s << 2 << 2 << QColor(192, 192, 192);
}

void TestFrmNineStar::cellsStandInTheLoShuSquare()
{
    QFETCH(int, cell);
    QFETCH(QString, box);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QColor, colour);
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));

    const auto* const label = Find<QLabel>(window, u"lblLoshuGrid_"_s + QString::number(cell - 1));
    QVERIFY(label->text().startsWith(u'[' + QString::number(cell) + u']'));
    const auto* const cellBox = Find<QWidget>(window, box);
    QCOMPARE(label->parentWidget(), cellBox);
    QCOMPARE(cellBox->parentWidget(), Find<QWidget>(window, u"fraLoShuGrid"_s));

    // Boxes at column offsets 45, 1365, 2685 and row offsets 50, 1380, 2710 twips, 1300 square.
    const int columns[] = {3, 91, 179};
    const int rows[] = {3, 92, 181};
    QCOMPARE(cellBox->geometry(), QRect(columns[column], rows[row], 87, 87));

    QVERIFY(cellBox->autoFillBackground());
    QCOMPARE(cellBox->palette().color(QPalette::Window), colour);
    // The digits must stand out from their box.
    const QColor text = label->palette().color(QPalette::WindowText);
    QVERIFY2(qAbs(qGray(text.rgb()) - qGray(colour.rgb())) >= 100,
             qPrintable(u"text %1 on box %2"_s.arg(text.name(), colour.name())));

    // Every digit of the list date with the most digits for this cell is in sight.
    QString longest;
    BirthDetails worst;
    for (int year = 1900; year <= 2050; ++year) {
        for (const QStringView month : MonthNames) {
            for (int day = 1; day <= 31; ++day) {
                const auto cells =
                    CalculateLoShuGrid(QString::number(day), month, QString::number(year));
                const QString& digits = cells->at(static_cast<std::size_t>(cell - 1));
                if (digits.size() > longest.size()) {
                    longest = digits;
                    worst = {u"Ann"_s, QString::number(day), month.toString(),
                             QString::number(year)};
                }
            }
        }
    }
    const frmNineStar* const worstWindow = showWindow(ComputeReading(worst, YearRule::Calendar));
    const auto* const worstLabel =
        Find<QLabel>(worstWindow, u"lblLoshuGrid_"_s + QString::number(cell - 1));
    const QRect room = worstLabel->contentsRect().marginsRemoved(QMargins(
        worstLabel->margin(), worstLabel->margin(), worstLabel->margin(), worstLabel->margin()));
    const QRect needed = QFontMetrics(worstLabel->font())
                             .boundingRect(room, int(worstLabel->alignment()) | Qt::TextWordWrap,
                                           worstLabel->text());
    QVERIFY2(room.contains(needed), qPrintable(u"%1 %2 %3: %4 needs %5 x %6, has %7 x %8"_s
                                                   .arg(worst.day, worst.month, worst.year, longest)
                                                   .arg(needed.width())
                                                   .arg(needed.height())
                                                   .arg(room.width())
                                                   .arg(room.height())));
}

void TestFrmNineStar::readingBoxesShowEveryPieceInItsLook_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("relationship");
    QTest::newRow("RTBLoshu") << u"RTBLoshu"_s << false;
    QTest::newRow("RTB") << u"RTB"_s << true;
}

void TestFrmNineStar::readingBoxesShowEveryPieceInItsLook()
{
    QFETCH(QString, box);
    QFETCH(bool, relationship);
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    const frmNineStar* const window = showWindow(reading);
    choosePages(window);
    const auto* const edit = Find<QTextEdit>(window, box);

    QCOMPARE(edit->palette().color(QPalette::Base), QColor(128, 128, 128));
    const QList<CharLook> expected =
        ExpectedLooks(relationship ? reading.relationshipText : reading.readingText);
    QCOMPARE(edit->document()->characterCount() - 1, expected.size());

    int checked = 0;
    bool sawBold = false;
    bool sawPlain = false;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const QTextCharFormat format = piece.charFormat();
            const bool bold = format.fontWeight() == QFont::Bold;
            const QColor colour = format.foreground().color();
            for (int at = piece.position(); at < piece.position() + piece.length(); ++at) {
                const CharLook& look = expected.at(at);
                QVERIFY2(!look.separator, qPrintable(u"text where a line ends, at %1"_s.arg(at)));
                QVERIFY2(look.bold == bold && look.colour == colour,
                         qPrintable(u"at %1 in \"%2\""_s.arg(at).arg(piece.text())));
                sawBold = sawBold || bold;
                sawPlain = sawPlain || !bold;
                ++checked;
            }
        }
    }
    qsizetype characters = 0;
    for (const CharLook& look : expected)
        characters += look.separator ? 0 : 1;
    QCOMPARE(checked, characters);
    QVERIFY(sawBold && sawPlain);
}

// The reading box keeps its scroll bar from the start: every principal number's reading must
// fill more than the box, so the bar is never an idle one.
void TestFrmNineStar::everyReadingScrollsInItsBox_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("principal");
    // 1990 is a 1 year; each year after steps one number down.
    for (int principal = 1; principal <= 9; ++principal)
        QTest::addRow("%d", principal) << QString::number(1990 + (10 - principal) % 9) << principal;
}

void TestFrmNineStar::everyReadingScrollsInItsBox()
{
    QFETCH(QString, year);
    QFETCH(int, principal);
    const Reading reading =
        ComputeReading({u"Ann"_s, u"15"_s, u"June"_s, year}, YearRule::Calendar);
    QCOMPARE(reading.principal, principal);
    const frmNineStar* const window = showWindow(reading);
    const auto* const box = Find<QTextEdit>(window, u"RTBLoshu"_s);
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY2(box->verticalScrollBar()->maximum() > 0,
             qPrintable(u"the whole reading fits the box"_s));
}

void TestFrmNineStar::tabsBringTheirPageToTheFront()
{
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), u"Nine Star Ki Chart"_s);
    QCOMPARE(tabs->tabText(1), u"Nine Star Ki Element"_s);
    QCOMPARE(tabs->tabText(2), u"Nine Star Ki Relationship Analysis"_s);
    QCOMPARE(tabs->tabText(3), u"Nine Star Ki Year Ahead"_s);
    QWidget* const pages[] = {Find<QWidget>(window, u"picLoShuSquare"_s),
                              Find<QWidget>(window, u"picNineStar"_s),
                              Find<QWidget>(window, u"picRelationship"_s)};
    const auto frontPage = [&pages] {
        int front = -1;
        for (int i = 0; i < 3; ++i) {
            if (pages[i]->isVisible()) {
                if (front != -1)
                    return -2; // two pages showing at once
                front = i;
            }
        }
        return front;
    };
    for (const int tab : {1, 2, 2, 0, 0, 1}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QTRY_COMPARE(tabs->currentIndex(), tab);
        QTRY_COMPARE(frontPage(), tab);
    }
    // The pages keep what they show, filled once however often they are chosen.
    QCOMPARE(Find<QTextEdit>(window, u"RTB"_s)->toPlainText(),
             WithLineFeeds(ComputeReading(Ann, YearRule::Calendar).relationshipText.plainText()));
}

void TestFrmNineStar::newWindowOpensOnTheChart()
{
    frmNineStar* window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(Find<QTabBar>(window, u"TS"_s)->currentIndex(), 0);
    QVERIFY(Find<QWidget>(window, u"picLoShuSquare"_s)->isVisible());

    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QTRY_COMPARE(tabs->currentIndex(), 2);
    window->close();

    window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(Find<QTabBar>(window, u"TS"_s)->currentIndex(), 0);
    QVERIFY(Find<QWidget>(window, u"picLoShuSquare"_s)->isVisible());
    QVERIFY(!Find<QWidget>(window, u"picNineStar"_s)->isVisible());
    QVERIFY(!Find<QWidget>(window, u"picRelationship"_s)->isVisible());
}

void TestFrmNineStar::linksOpenExactlyTheirPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");

    QTest::newRow("Label61") << u"Label61"_s << Pages::Home();
    QTest::newRow("lblFullBrand") << u"lblFullBrand"_s << Pages::FullBrand();
    QTest::newRow("lblCobrand") << u"lblCobrand"_s << Pages::CoBrand();
    QTest::newRow("mnuOnline") << u"mnuOnline"_s << Pages::OnlineHelp();
    QTest::newRow("mnuVisit") << u"mnuVisit"_s << Pages::Home();
    QTest::newRow("mnuUpdate") << u"mnuUpdate"_s << Pages::Download();
    QTest::newRow("mnuDonate") << u"mnuDonate"_s << Pages::Donate();
}

void TestFrmNineStar::linksOpenExactlyTheirPage()
{
    QFETCH(QString, control);
    QFETCH(QString, address);
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QSignalSpy closing(window, &frmNineStar::closing);

    QObject* const trigger = Find<QObject>(window, control);
    if (auto* const label = qobject_cast<QLabel*>(trigger)) {
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    } else {
        qobject_cast<QAction*>(trigger)->trigger();
    }

    QCOMPARE(m_fixture.desktop().openedUrls, QList<QUrl>{QUrl(address)});
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QVERIFY(window->isVisible());
    QCOMPARE(closing.count(), 0);
}

void TestFrmNineStar::donateActsFromTheMenuBar()
{
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const donate = Find<QAction>(window, u"mnuDonate"_s);
    QVERIFY(donate->menu() == nullptr);
    QMenuBar* const bar = window->menuBar();
    const QRect place = bar->actionGeometry(donate);
    QVERIFY(place.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
    QTRY_COMPARE(m_fixture.desktop().openedUrls, QList<QUrl>{QUrl(Pages::Donate())});
}

void TestFrmNineStar::makeMoneyIsOutOfReach()
{
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const makeMoney = Find<QAction>(window, u"mnuMakeMoney"_s);
    QVERIFY(window->menuBar()->actions().contains(makeMoney));
    QVERIFY(!makeMoney->isVisible());
    QVERIFY(!makeMoney->isEnabled());
    QVERIFY(!window->menuBar()->actionGeometry(makeMoney).isValid());
}

void TestFrmNineStar::backAndAboutAreHandedToTheShell()
{
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QSignalSpy back(window, &frmNineStar::backRequested);
    QSignalSpy about(window, &frmNineStar::aboutRequested);
    QSignalSpy report(window, &frmNineStar::reportRequested);

    QTest::mouseClick(Find<QAbstractButton>(window, u"cmdSave"_s), Qt::LeftButton);
    QCOMPARE(report.count(), 1);
    QVERIFY(window->findChild<QDialog*>() == nullptr);
    QTest::mouseClick(Find<QAbstractButton>(window, u"cmdBack"_s), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    Find<QAction>(window, u"mnuBack"_s)->trigger();
    QCOMPARE(back.count(), 2);
    QCOMPARE(about.count(), 0);

    Find<QAction>(window, u"mnuAbout"_s)->trigger();
    QCOMPARE(about.count(), 1);
    QCOMPARE(back.count(), 2);
    QVERIFY(m_fixture.desktop().openedUrls.isEmpty());
}

void TestFrmNineStar::everyCloseIsAnnounced()
{
    frmNineStar* window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QSignalSpy closedByBox(window, &frmNineStar::closing);
    QVERIFY(window->close());
    QCOMPARE(closedByBox.count(), 1);
    QVERIFY(!window->isVisible());

    window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QSignalSpy closedByMenu(window, &frmNineStar::closing);
    Find<QAction>(window, u"mnuExit"_s)->trigger();
    QCOMPARE(closedByMenu.count(), 1);
    QVERIFY(!window->isVisible());
}

void TestFrmNineStar::clipboardIsEmptied_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("action");
    for (const QString& box : {u"RTBLoshu"_s, u"RTB"_s}) {
        for (const QString& action :
             {u"change"_s, u"press"_s, u"release"_s, u"click"_s, u"move"_s}) {
            QTest::addRow("%s %s", qPrintable(box), qPrintable(action)) << box << action;
        }
    }
}

void TestFrmNineStar::clipboardIsEmptied()
{
    QFETCH(QString, box);
    QFETCH(QString, action);
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    // Filling the boxes is a change too.
    QVERIFY(m_fixture.desktop().clipboardClears > 0);

    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    const int tab = box == u"RTB"_s ? 2 : 0;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    auto* const edit = Find<QTextEdit>(window, box);
    QTRY_VERIFY(edit->isVisible());

    QVERIFY(ClipboardEmptiedBy(*edit, action, m_fixture.desktop()));
}

QWidget* TestFrmNineStar::showYearAhead(const Reading& reading, const QByteArray& zone)
{
    const frmNineStar* const window = showWindow(reading, {YearRule::Calendar, zone});
    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    return Find<YearAheadPage>(window, u"picYearAhead"_s);
}

void TestFrmNineStar::yearAheadIsBuiltWhenFirstShown()
{
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    const auto yearAhead = [window] { return window->findChild<QWidget*>(u"picYearAhead"_s); };
    for (const int tab : {1, 2, 0}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QTRY_COMPARE(tabs->currentIndex(), tab);
        QCOMPARE(yearAhead(), nullptr);
    }

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    QWidget* const page = yearAhead();
    QVERIFY(page != nullptr);
    QTRY_VERIFY(page->isVisible());
    QCOMPARE(page->geometry(), Find<QWidget>(window, u"picLoShuSquare"_s)->geometry());
    for (const QString& other : {u"picLoShuSquare"_s, u"picNineStar"_s, u"picRelationship"_s})
        QVERIFY2(!Find<QWidget>(window, other)->isVisible(), qPrintable(other));

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QTRY_VERIFY(!page->isVisible());
    QVERIFY(Find<QWidget>(window, u"picRelationship"_s)->isVisible());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    QTRY_VERIFY(page->isVisible());
    QCOMPARE(window->findChildren<QWidget*>(u"picYearAhead"_s).size(), 1);
}

void TestFrmNineStar::yearAheadOpensOnToday_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("shown");
    QTest::newRow("today") << QDate(2026, 6, 1) << QDate(2026, 6, 1);
    QTest::newRow("first day") << QDate(1900, 2, 4) << QDate(1900, 2, 4);
    QTest::newRow("before the first day") << QDate(1900, 1, 1) << QDate(1900, 2, 4);
    QTest::newRow("after the last day") << QDate(2101, 1, 1) << QDate(2100, 12, 31);
}

void TestFrmNineStar::yearAheadOpensOnToday()
{
    QFETCH(QDate, today);
    QFETCH(QDate, shown);
    m_fixture.desktop().todayDate = today;
    const QWidget* const page = showYearAhead(ComputeReading(Ann, YearRule::Calendar));
    const auto* const date = Find<QDateEdit>(page, u"dtpYearAhead"_s);
    QCOMPARE(date->date(), shown);
    QVERIFY(date->calendarPopup());
    QCOMPARE(date->minimumDate(), QDate(1900, 2, 4));
    QCOMPARE(date->maximumDate(), QDate(2100, 12, 31));
    QVERIFY(date->isEnabled());
    QVERIFY(!Find<ChartGrid>(page, u"tblYearChart"_s)->cellText(1, 1).isEmpty());
}

void TestFrmNineStar::yearAheadShowsTheCharts_data()
{
    QTest::addColumn<QString>("birthYear");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("year");
    QTest::addColumn<QStringList>("month");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("3 on 2026-06-01")
        << u"1970"_s << QDate(2026, 6, 1)
        << QStringList{u"South East: 9, favourable"_s,
                       u"South: 5, avoid: Five Yellow"_s,
                       u"South West: 7"_s,
                       u"East: 8, avoid: Opposite Own Star"_s,
                       u"Centre: 1"_s,
                       u"West: 3, your star, avoid: Own Star"_s,
                       u"North East: 4, favourable"_s,
                       u"North: 6, avoid: Dark Sword, Breaker"_s,
                       u"North West: 2"_s}
        << QStringList{u"South East: 4, favourable"_s,
                       u"South: 9, favourable"_s,
                       u"South West: 2"_s,
                       u"East: 3, your star, avoid: Own Star"_s,
                       u"Centre: 5"_s,
                       u"West: 7, avoid: Opposite Own Star"_s,
                       u"North East: 8"_s,
                       u"North: 1, favourable"_s,
                       u"North West: 6, avoid: Breaker"_s}
        << QStringList{
               u"Times in Asia/Tokyo, UTC+09:00\nSolar year 2026, a Horse year: from 4 February "
               u"2026 05:02 to 4 February 2027 10:46\nSolar month 4, a Snake month: "
               u"from 5 May 2026 20:49 to 6 June 2026 00:48\n"_s,
               u"Your star 3 stands in the West this year."_s,
               u"Your star 3 stands in the East this month."_s,
               u"Favourable directions: North East, South East"_s,
               u"Dark Sword: none, the 5 stands in the Centre"_s,
               u"Favourable directions: North, South East, South"_s,
               u"This day: 1 June 2026, a Fire Horse day, day star 1, rising"_s,
               u"Your star 3 stands in the West this day."_s,
               u"Five Yellow is where the 5 stands"_s,
               u"Dark Sword lies opposite the Five Yellow"_s,
               u"Breaker lies opposite the zodiac branch"_s};
    // Born in 1950: principal number 5, which stands in the Centre of the Lo Shu square.
    QTest::newRow("5 on 2027-01-10")
        << u"1950"_s << QDate(2027, 1, 10)
        << QStringList{u"South East: 9, favourable"_s,
                       u"South: 5, your star, avoid: Five Yellow, Own Star"_s,
                       u"South West: 7, favourable"_s,
                       u"East: 8, favourable"_s,
                       u"Centre: 1"_s,
                       u"West: 3"_s,
                       u"North East: 4"_s,
                       u"North: 6, avoid: Dark Sword, Opposite Own Star, Breaker"_s,
                       u"North West: 2, favourable"_s}
        << QStringList{u"South East: 5, your star, avoid: Five Yellow, Own Star"_s,
                       u"South: 1"_s,
                       u"South West: 3, avoid: Breaker"_s,
                       u"East: 4"_s,
                       u"Centre: 6"_s,
                       u"West: 8, favourable"_s,
                       u"North East: 9, favourable"_s,
                       u"North: 2, favourable"_s,
                       u"North West: 7, avoid: Dark Sword, Opposite Own Star"_s}
        << QStringList{u"Solar year 2026, a Horse year: from 4 February 2026 05:02"_s,
                       u"Solar month 12, an Ox month: from 5 January 2027 "_s,
                       u"Your star 5 stands in the South this year."_s,
                       u"Your star 5 stands in the South East this month."_s};
}

// The worked examples, as the grids show them to the eye and to a screen reader, and in words.
void TestFrmNineStar::yearAheadShowsTheCharts()
{
    QFETCH(QString, birthYear);
    QFETCH(QDate, today);
    QFETCH(QStringList, year);
    QFETCH(QStringList, month);
    QFETCH(QStringList, words);
    m_fixture.desktop().todayDate = today;
    const QWidget* const page =
        showYearAhead(ComputeReading({u"Ann"_s, u"1"_s, u"May"_s, birthYear}, YearRule::Calendar));

    auto* const yearGrid = Find<ChartGrid>(page, u"tblYearChart"_s);
    auto* const monthGrid = Find<ChartGrid>(page, u"tblMonthChart"_s);
    QCOMPARE(CellNames(yearGrid), year);
    QCOMPARE(CellNames(monthGrid), month);

    // Each mark is a colour and a word, and the person's star also a sign.
    for (const auto* const grid : {yearGrid, monthGrid}) {
        const QStringList& names = grid == yearGrid ? year : month;
        for (int cell = 0; cell < 9; ++cell) {
            const QStringList lines = grid->cellText(cell / 3, cell % 3).split(u'\n');
            const QString& name = names.at(cell);
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines.at(0).section(u' ', 0, 0), GridOrder.at(cell));
            QCOMPARE(lines.at(0).contains(u'\u2605'), name.contains(u"your star"_s));
            const bool avoid = name.contains(u"avoid"_s);
            const bool good = name.contains(u"favourable"_s);
            QCOMPARE(lines.at(1), avoid ? u"avoid"_s : good ? u"good"_s : QString());
            QCOMPARE(grid->cellColour(cell / 3, cell % 3), avoid  ? AvoidRose
                                                           : good ? LightGreen
                                                                  : Silver);
        }
    }

    const QString text = Find<QLabel>(page, u"lblTimeZone"_s)->text() + u'\n' +
                         Find<QLabel>(page, u"lblSolarDate"_s)->text() + u'\n' +
                         Find<QTextEdit>(page, u"RTBYearAhead"_s)->toPlainText();
    for (const QString& line : words)
        QVERIFY2(text.contains(line), qPrintable(line + u" in:\n"_s + text));
}

void TestFrmNineStar::yearAheadFollowsTheDate()
{
    m_fixture.desktop().todayDate = QDate(2026, 6, 1);
    QWidget* const page = showYearAhead(ComputeReading(Ann, YearRule::Calendar));
    const auto* const cycle = Find<QTableWidget>(page, u"tblCycle"_s);
    const auto row = [cycle](int at) {
        return QStringList{cycle->item(at, 0)->text(), cycle->item(at, 1)->text(),
                           cycle->item(at, 2)->text()};
    };
    QCOMPARE(row(0), (QStringList{u"2026"_s, u"1"_s, u"West"_s}));
    QCOMPARE(row(7), (QStringList{u"2033"_s, u"3"_s, u"Centre"_s}));
    QCOMPARE(row(8), (QStringList{u"2034"_s, u"2"_s, u"North West"_s}));

    // The last day of solar year 2023: year star 4, the Rabbit's year, the Ox's month.
    Find<QDateEdit>(page, u"dtpYearAhead"_s)->setDate(QDate(2024, 2, 3));
    QCOMPARE(Find<QLabel>(page, u"lblSolarDate"_s)->text(),
             u"Solar year 2023, a Rabbit year: from 4 February 2023 11:43 to 4 February 2024 "
             u"17:27\nSolar month 12, an Ox month: from 6 January 2024 05:49 to 4 February 2024 "
             u"17:27"_s);
    QCOMPARE(Find<QLabel>(page, u"lblTimeZone"_s)->text(), u"Times in Asia/Tokyo, UTC+09:00"_s);
    QCOMPARE(Find<QGroupBox>(page, u"fraYearChart"_s)->title(), u"Rabbit year from 4 Feb 2023"_s);
    QCOMPARE(Find<QGroupBox>(page, u"fraMonthChart"_s)->title(), u"Ox month: 6 Jan \u2013 3 Feb"_s);
    QCOMPARE(Find<QGroupBox>(page, u"fraDayChart"_s)->title(), u"Day 3 Feb: Fire Rooster"_s);
    const QStringList cells = CellNames(Find<ChartGrid>(page, u"tblYearChart"_s));
    QCOMPARE(cells.at(0), u"South East: 3, your star, avoid: Dark Sword, Own Star"_s);
    QCOMPARE(cells.at(5), u"West: 6, avoid: Breaker"_s);
    QCOMPARE(cells.at(7), u"North: 9, favourable"_s);
    QCOMPARE(row(0), (QStringList{u"2023"_s, u"4"_s, u"South East"_s}));
    const QString text = Find<QTextEdit>(page, u"RTBYearAhead"_s)->toPlainText();
    QVERIFY(text.contains(u"Your star 3 stands in the South East this year."_s));
    QVERIFY(text.contains(PalaceMeaning(Palace::SE).toString()));
    QVERIFY(!text.contains(u"stands in the West this year"_s));

    // 3 February 2026 is the last day of solar year 2025 in Japan, the first of 2026 in UTC.
    Find<QDateEdit>(page, u"dtpYearAhead"_s)->setDate(QDate(2026, 2, 3));
    QVERIFY(Find<QLabel>(page, u"lblSolarDate"_s)->text().startsWith(u"Solar year 2025,"_s));
    m_fixture.desktop().todayDate = QDate(2026, 2, 3);
    QWidget* const inUtc = showYearAhead(ComputeReading(Ann, YearRule::Calendar), "UTC");
    QCOMPARE(Find<QLabel>(inUtc, u"lblTimeZone"_s)->text(), u"Times in UTC, UTC+00:00"_s);
    QVERIFY(Find<QLabel>(inUtc, u"lblSolarDate"_s)
                ->text()
                .startsWith(u"Solar year 2026, a Horse year: from 3 February 2026 20:02 to "_s));
    QCOMPARE(Find<QGroupBox>(inUtc, u"fraYearChart"_s)->title(), u"Horse year from 3 Feb 2026"_s);
}

// A computer that names a zone it has no data for: the page shows the year in UTC and says why,
// never blaming the birth year, and its calendar opens; so does the Time Zone dialog.
void TestFrmNineStar::yearAheadInUtcWhenTheComputersZoneIsNotKnown()
{
    const bool wasSet = qEnvironmentVariableIsSet("TZ");
    const QByteArray was = qgetenv("TZ");
    const auto restored = qScopeGuard([&] { wasSet ? qputenv("TZ", was) : qunsetenv("TZ"); });
    qputenv("TZ", "Europe/Nowhere");
    m_fixture.desktop().todayDate = QDate(2026, 6, 1);
    const frmNineStar* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const tabs = Find<QTabBar>(window, u"TS"_s);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    const auto* const page = Find<YearAheadPage>(window, u"picYearAhead"_s);

    QCOMPARE(Find<QLabel>(page, u"lblTimeZone"_s)->text(),
             u"Times in UTC (the computer's time zone is not known)"_s);
    QVERIFY(Find<QLabel>(page, u"lblSolarDate"_s)
                ->text()
                .startsWith(u"Solar year 2026, a Horse year: from 3 February 2026 20:02 to "_s));
    QVERIFY(Find<QPushButton>(page, u"cmdCalendar"_s)->isEnabled());
    // The Time Zone dialog's first entry, the computer's zone, says the same.
    const frmTimeZone dialog({}, nullptr);
    QCOMPARE(Find<QListWidget>(&dialog, u"lstTimeZones"_s)->item(0)->text(),
             u"UTC (the computer's time zone is not known)"_s);
}

void TestFrmNineStar::yearAheadIsReadAloudAndWalkedByTab()
{
    m_fixture.desktop().todayDate = QDate(2026, 6, 1);
    QWidget* const page = showYearAhead(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(AccessibleName(Find<QDateEdit>(page, u"dtpYearAhead"_s)), u"Date of the year ahead"_s);
    QCOMPARE(AccessibleName(Find<ChartGrid>(page, u"tblYearChart"_s)),
             u"Horse year from 4 Feb 2026, South at the top"_s);
    QCOMPARE(AccessibleName(Find<ChartGrid>(page, u"tblMonthChart"_s)),
             u"Snake month: 5 May \u2013 5 Jun, South at the top"_s);
    QCOMPARE(AccessibleName(Find<ChartGrid>(page, u"tblDayChart"_s)),
             u"Day 1 Jun: Fire Horse, South at the top"_s);
    QCOMPARE(AccessibleName(Find<QPushButton>(page, u"cmdCalendar"_s)), u"Calendar\u2026"_s);
    QCOMPARE(AccessibleName(Find<QTableWidget>(page, u"tblCycle"_s)), u"Nine-year cycle"_s);
    QCOMPARE(AccessibleName(Find<QTextEdit>(page, u"RTBYearAhead"_s)), u"Year ahead"_s);
    QCOMPARE(Find<QLabel>(page, u"lblYearAheadDate"_s)->buddy(),
             Find<QDateEdit>(page, u"dtpYearAhead"_s));

    // From the tabs through the page to the buttons, and back.
    const QStringList order = {u"TS"_s,           u"dtpYearAhead"_s,  u"cmdCalendar"_s,
                               u"tblYearChart"_s, u"tblMonthChart"_s, u"tblDayChart"_s,
                               u"tblCycle"_s,     u"RTBYearAhead"_s,  u"cmdBack"_s};
    QWidget* const window = page->window();
    window->activateWindow();
    Find<QTabBar>(window, u"TS"_s)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), Find<QWidget>(window, u"TS"_s));
    // Within the date control Tab first walks its day, month and year.
    QStringList walked{u"TS"_s};
    for (qsizetype step = 1; step < order.size(); ++step) {
        QWidget* const from = QApplication::focusWidget();
        for (int press = 0; press < 4 && QApplication::focusWidget() == from; ++press)
            QTest::keyClick(from, Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, order);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"RTBYearAhead"_s);
}

// At the window's fixed size every control of the page is whole: inside the page, and no label
// shorter than its text.
void TestFrmNineStar::yearAheadFitsThePage()
{
    m_fixture.desktop().todayDate = QDate(2027, 1, 10);
    // One of the longest zone names, with the longest month names in its times.
    QWidget* const page =
        showYearAhead(ComputeReading(Ann, YearRule::Calendar), "America/North_Dakota/New_Salem");
    Find<QDateEdit>(page, u"dtpYearAhead"_s)->setDate(QDate(2026, 9, 20));
    const auto* const header = Find<QLabel>(page, u"lblSolarDate"_s);
    QTRY_VERIFY(header->height() >= header->heightForWidth(header->width()));
    int checked = 0;
    for (const QWidget* const control : page->findChildren<QWidget*>()) {
        if (!control->isVisible() || control->parentWidget()->inherits("QAbstractScrollArea") ||
            control->parentWidget()->inherits("QAbstractSpinBox"))
            continue;
        const QRect place(control->mapTo(page, QPoint(0, 0)), control->size());
        QVERIFY2(page->rect().contains(place),
                 qPrintable(control->objectName() + u' ' +
                            QString::fromLatin1(control->metaObject()->className())));
        // A label that wraps needs the height of its lines at its width; any other its size.
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            QVERIFY2(label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                       : label->width() >= label->sizeHint().width() &&
                                             label->height() >= label->sizeHint().height(),
                     qPrintable(label->text()));
        }
        ++checked;
    }
    QVERIFY(checked >= 20);
    // The grids show their nine cells whole.
    for (const QString& name : {u"tblYearChart"_s, u"tblMonthChart"_s, u"tblDayChart"_s}) {
        const auto* const grid = Find<ChartGrid>(page, name);
        QVERIFY2(grid->contentsRect().contains(grid->cellRect(2, 2)), qPrintable(name));
    }
    const auto* const cycle = Find<QTableWidget>(page, u"tblCycle"_s);
    QVERIFY(cycle->viewport()->rect().contains(cycle->visualItemRect(cycle->item(8, 2))));
}

// The Calendar button opens the month of the page's date; Enter on a day of it shows that day on
// the page, and the button brings the open calendar back rather than a second one.
void TestFrmNineStar::yearAheadOpensTheCalendar()
{
    m_fixture.desktop().todayDate = QDate(2026, 6, 1);
    QWidget* const page = showYearAhead(ComputeReading(Ann, YearRule::Calendar));
    QTest::mouseClick(Find<QPushButton>(page, u"cmdCalendar"_s), Qt::LeftButton);
    QPointer<frmCalendar> calendar = page->findChild<frmCalendar*>();
    QVERIFY(calendar != nullptr);
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->chosenDay(), QDate(2026, 6, 1));

    auto* const grid = Find<QTableWidget>(calendar, u"tblCalendar"_s);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(Find<QDateEdit>(page, u"dtpYearAhead"_s)->date(), QDate(2026, 7, 2));
    QVERIFY(Find<QTextEdit>(page, u"RTBYearAhead"_s)
                ->toPlainText()
                .contains(u"This day: 2 July 2026"_s));

    QTest::mouseClick(Find<QPushButton>(page, u"cmdCalendar"_s), Qt::LeftButton);
    QCOMPARE(page->findChildren<frmCalendar*>().size(), 1);
    QCOMPARE(calendar->chosenDay(), QDate(2026, 7, 2));
    // Add a Partner asks the result window for its Two People window.
    QTest::mouseClick(Find<QPushButton>(calendar, u"cmdAddPartner"_s), Qt::LeftButton);
    QTRY_VERIFY(Find<frmTwoPeople>(page->window(), u"frmTwoPeople"_s)->isVisible());
    calendar->close();
    QTRY_VERIFY(calendar.isNull());
}

// A birth on the day a solar month begins: the note, in bold, before the reading.
void TestFrmNineStar::termDayNoteHeadsTheReading()
{
    const Reading onTerms =
        ComputeReading({u"Ann"_s, u"5"_s, u"April"_s, u"2013"_s}, YearRule::Calendar,
                       QTimeZone(QByteArrayLiteral("Asia/Tokyo")));
    QVERIFY(!onTerms.termDayNote.isEmpty());
    const auto* const box = Find<QTextEdit>(showWindow(onTerms), u"RTBLoshu"_s);
    QVERIFY(box->toPlainText().startsWith(onTerms.termDayNote + u"\n\n"_s));
    QVERIFY(box->document()->firstBlock().begin().fragment().charFormat().fontWeight() >=
            QFont::Bold);

    m_fixture.cleanUp();
    m_fixture.setUp();
    const Reading fixed =
        ComputeReading({u"Ann"_s, u"5"_s, u"April"_s, u"2013"_s}, YearRule::Calendar);
    const auto* const plain = Find<QTextEdit>(showWindow(fixed), u"RTBLoshu"_s);
    QCOMPARE(plain->toPlainText(), fixed.readingText.plainText().replace(u"\r\n"_s, u"\n"_s));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmNineStar)
#include "tst_frmninestar.moc"
