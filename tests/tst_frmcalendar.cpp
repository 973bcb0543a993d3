#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "tests/support/testfiles.h"
#include "tests/support/windowfixture.h"
#include "windows/frmcalendar.h"
#include "windows/kit/partner.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const ReadingOptions Tokyo{YearRule::Calendar, "Asia/Tokyo"};

// What pdftotext reads out of a PDF, or why nothing.
QString PdfText(const QString& path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return u"pdftotext failed: "_s + QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page count and size pdfinfo gives: "1 842 x 595" for one landscape A4 page.
QString PdfPages(const QString& path)
{
    QProcess process;
    process.start(u"pdfinfo"_s, {path});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return u"pdfinfo failed"_s;
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression pages(u"Pages:\\s+(\\d+)"_s);
    const QRegularExpression size(u"Page size:\\s+([\\d.]+) x ([\\d.]+)"_s);
    const auto pageMatch = pages.match(info);
    const auto sizeMatch = size.match(info);
    return pageMatch.captured(1) + u' ' +
           QString::number(qRound(sizeMatch.captured(1).toDouble())) + u" x "_s +
           QString::number(qRound(sizeMatch.captured(2).toDouble()));
}

} // namespace

class TestFrmCalendar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsTheMonth();
    void keysMoveTheDay_data();
    void keysMoveTheDay();
    void buttonsTurnTheMonth();
    void clickChoosesTheDay_data();
    void clickChoosesTheDay();
    void enterShowsTheDay();
    void printsOnLandscapeA4();
    void savesThePdf();
    void refusedPdfKeepsTheOldFile();
    void dayAtAGlance();
    void pickedMonth();
    void escapeCloses();
    void showsTheDaysGoodForBoth();

private:
    frmCalendar* show(QDate day);
    QTableWidget* grid() const;

    WindowFixture<frmCalendar> m_fixture;
};

void TestFrmCalendar::initTestCase()
{
    DropSizeHintWarnings();
}

void TestFrmCalendar::init()
{
    m_fixture.setUp();
    m_fixture.desktop().todayDate = QDate(2026, 6, 6);
}

void TestFrmCalendar::cleanup()
{
    m_fixture.cleanUp();
}

frmCalendar* TestFrmCalendar::show(QDate day)
{
    m_fixture.make(3, day, Tokyo)->setOwnerName(u"Ann"_s);
    return m_fixture.showActive();
}

QTableWidget* TestFrmCalendar::grid() const
{
    return Find<QTableWidget>(m_fixture.window(), u"tblCalendar"_s);
}

// June 2026 begins on a Monday: the first cell. Each day is named in full for a screen reader,
// today and the days of the terms are marked, and the header gives both solar months' moves.
void TestFrmCalendar::showsTheMonth()
{
    frmCalendar* const window = show(QDate(2026, 6, 1));
    QCOMPARE(Find<QLabel>(window, u"lblCalendarMonth"_s)->text(), u"June 2026"_s);
    QCOMPARE(Find<QLabel>(window, u"lblCalendarOwner"_s)->text(),
             u"Ann, principal number 3 \u00b7 times in Asia/Tokyo, UTC+09:00"_s);
    const QString moves = Find<QLabel>(window, u"lblMoves"_s)->text();
    QVERIFY2(moves.contains(u"From 1 June 2026, solar month 4, a Snake month: "_s),
             qPrintable(moves));
    QVERIFY2(moves.contains(u"From 6 June 2026, solar month 5, a Horse month: "_s),
             qPrintable(moves));

    QCOMPARE(grid()->horizontalHeaderItem(0)->text(), u"Mon"_s);
    const QTableWidgetItem* const first = grid()->item(0, 0);
    QVERIFY2(first->data(Qt::AccessibleTextRole)
                 .toString()
                 .startsWith(u"Monday 1 June 2026, star 1, Fire Horse, good for a journey: "_s),
             qPrintable(first->data(Qt::AccessibleTextRole).toString()));
    const QString sixth = grid()->item(0, 5)->data(Qt::AccessibleTextRole).toString();
    QVERIFY2(sixth.contains(u", Grain in Ear at 00:48, avoid "_s) && sixth.endsWith(u", today"_s),
             qPrintable(sixth));
    // Every line in the tooltip, however few the cell has room for.
    QVERIFY(grid()->item(0, 5)->toolTip().contains(u"\nGrain in Ear 00:48\n"_s));
    QVERIFY(grid()->item(0, 5)->font().bold());
    QVERIFY(!grid()->item(0, 0)->font().bold());
    // The cells after 30 June hold nothing and cannot be chosen.
    QCOMPARE(grid()->item(4, 2)->text(), QString());
    QCOMPARE(grid()->item(4, 2)->flags(), Qt::NoItemFlags);
    QCOMPARE(grid()->currentRow() * 7 + grid()->currentColumn(), 0);
    QCOMPARE(QApplication::focusWidget(), grid());
}

void TestFrmCalendar::keysMoveTheDay_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("to");

    QTest::newRow("right") << QDate(2026, 6, 10) << int(Qt::Key_Right) << QDate(2026, 6, 11);
    QTest::newRow("left into May") << QDate(2026, 6, 1) << int(Qt::Key_Left) << QDate(2026, 5, 31);
    QTest::newRow("down a week") << QDate(2026, 6, 10) << int(Qt::Key_Down) << QDate(2026, 6, 17);
    QTest::newRow("up into May") << QDate(2026, 6, 3) << int(Qt::Key_Up) << QDate(2026, 5, 27);
    QTest::newRow("page down, the day kept")
        << QDate(2026, 6, 10) << int(Qt::Key_PageDown) << QDate(2026, 7, 10);
    QTest::newRow("page up into a shorter month")
        << QDate(2026, 3, 31) << int(Qt::Key_PageUp) << QDate(2026, 2, 28);
    // The year ahead begins on 4 February 1900: an earlier day could not be shown there.
    QTest::newRow("no day before 4 February 1900")
        << QDate(1900, 2, 4) << int(Qt::Key_Left) << QDate(1900, 2, 4);
    QTest::newRow("Ctrl+G without a month picked")
        << QDate(2026, 6, 10) << (Qt::CTRL | Qt::Key_G).toCombined() << QDate(2026, 6, 10);
    QTest::newRow("no further on than December 2100")
        << QDate(2100, 12, 31) << int(Qt::Key_PageDown) << QDate(2100, 12, 31);
}

void TestFrmCalendar::keysMoveTheDay()
{
    QFETCH(QDate, from);
    QFETCH(int, key);
    QFETCH(QDate, to);
    frmCalendar* const window = show(from);
    QTest::keySequence(grid(), QKeySequence(key));
    if (auto* const picker = window->findChild<QDialog*>(u"frmGoToMonth"_s)) {
        QVERIFY(picker->isVisible());
        picker->reject();
    }
    QCOMPARE(window->chosenDay(), to);
    const QString name = grid()
                             ->item(grid()->currentRow(), grid()->currentColumn())
                             ->data(Qt::AccessibleTextRole)
                             .toString();
    QVERIFY2(name.contains(QString::number(to.day()) + u' '), qPrintable(name));
    QVERIFY2(name.contains(QString::number(to.year())), qPrintable(name));
}

void TestFrmCalendar::buttonsTurnTheMonth()
{
    frmCalendar* const window = show(QDate(1900, 3, 15));
    auto* const previous = Find<QPushButton>(window, u"cmdPreviousMonth"_s);
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(window->chosenDay(), QDate(1900, 2, 15));
    QVERIFY(!previous->isEnabled());
    // Thursday 1 February 1900 to Saturday the 3rd come before the year ahead: grey, not chosen.
    QCOMPARE(grid()->item(0, 5)->flags(), Qt::NoItemFlags);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualItemRect(grid()->item(0, 5)).center());
    QCOMPARE(window->chosenDay(), QDate(1900, 2, 15));
    QTest::mouseClick(Find<QPushButton>(window, u"cmdNextMonth"_s), Qt::LeftButton);
    QCOMPARE(window->chosenDay(), QDate(1900, 3, 15));
    QVERIFY(previous->isEnabled());
    QTest::mouseClick(Find<QPushButton>(window, u"cmdToday"_s), Qt::LeftButton);
    QCOMPARE(window->chosenDay(), QDate(2026, 6, 6));
    QCOMPARE(Find<QLabel>(window, u"lblCalendarMonth"_s)->text(), u"June 2026"_s);

    show(QDate(2100, 12, 1));
    QVERIFY(!Find<QPushButton>(m_fixture.window(), u"cmdNextMonth"_s)->isEnabled());
}

void TestFrmCalendar::clickChoosesTheDay_data()
{
    QTest::addColumn<QDate>("day");

    // Weeks begin on Monday here: from none to six days of the month before in the first week.
    for (const QDate day :
         {QDate(2026, 6, 1), QDate(2026, 9, 1), QDate(2026, 7, 2), QDate(2026, 10, 3),
          QDate(2026, 5, 1), QDate(2026, 8, 9), QDate(2026, 2, 28), QDate(1900, 2, 4)})
        QTest::newRow(qPrintable(day.toString(Qt::ISODate))) << day;
}

// A click on a day's cell chooses that day, however many days of the month before fill the
// first week.
void TestFrmCalendar::clickChoosesTheDay()
{
    QFETCH(QDate, day);
    frmCalendar* const window = show(QDate(day.year(), day.month(), 15));
    const int cell = QDate(day.year(), day.month(), 1).dayOfWeek() - 1 + day.day() - 1;
    QTableWidgetItem* const item = grid()->item(cell / 7, cell % 7);

    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualItemRect(item).center());

    QCOMPARE(window->chosenDay(), day);
    QCOMPARE(grid()->currentItem(), item);
    const QString name = item->data(Qt::AccessibleTextRole).toString();
    QVERIFY2(name.startsWith(QLocale::c().toString(day, u"dddd d MMMM yyyy, "_s)),
             qPrintable(name));
}

void TestFrmCalendar::enterShowsTheDay()
{
    frmCalendar* const window = show(QDate(2026, 6, 1));
    QSignalSpy shown(window, &frmCalendar::dayShown);
    QTest::keyClick(grid(), Qt::Key_Down);
    QTest::keyClick(grid(), Qt::Key_Enter);
    QTest::keyClick(grid(), Qt::Key_Right);
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).at(0).toDate(), QDate(2026, 6, 8));
    QCOMPARE(shown.at(1).at(0).toDate(), QDate(2026, 6, 9));
}

void TestFrmCalendar::printsOnLandscapeA4()
{
    frmCalendar* const window = show(QDate(2026, 6, 1));
    QTest::mouseClick(Find<QPushButton>(window, u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(m_fixture.desktop().printedMonths.size(), 1);
    const CalendarPage& printed = m_fixture.desktop().printedMonths.constLast();
    QCOMPARE(printed.name, u"Ann"_s);
    QCOMPARE(printed.calendar.month, 6);
    QVERIFY(m_fixture.desktop().messages.isEmpty());

    m_fixture.desktop().printSucceeds = false;
    QTest::mouseClick(Find<QPushButton>(window, u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(m_fixture.desktop().messages.constLast().text, u"The month could not be printed."_s);
}

// The PDF holds the month as text: the title, the moves, every day and the terms.
void TestFrmCalendar::savesThePdf()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"june.pdf"_s);
    frmCalendar* const window = show(QDate(2026, 6, 1));
    m_fixture.desktop().saveFileNames = {path};
    QTest::mouseClick(Find<QPushButton>(window, u"cmdSavePdf"_s), Qt::LeftButton);
    QCOMPARE(m_fixture.desktop().saveDialogs.constLast(), PdfSaveDialog());
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QCOMPARE(PdfPages(path), u"1 842 x 595"_s);
    const QString text = PdfText(path);
    for (
        const QString& expected :
        {u"Nine Star Ki Calendar: June 2026"_s,
         u"Ann, principal number 3 \u00b7 times in Asia/Tokyo, UTC+09:00"_s,
         u"Year 丙午 Fire Horse \u00b7 month 癸巳 Water Snake from 1 June \u00b7 month 甲午 Wood Horse from 6 June"_s,
         u"From 6 June 2026, solar month 5, a Horse month"_s, u"Fire Horse"_s,
         u"Summer Solstice 17:25"_s, u"Wednesday"_s, u"\u25CE"_s, u"\u25B2 陽遁始め"_s,
         u"\u25CE in two or more"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n"_s + text));

    // Cancelling the dialog writes nothing.
    QVERIFY(QFile::remove(path));
    QTest::mouseClick(Find<QPushButton>(window, u"cmdSavePdf"_s), Qt::LeftButton);
    QVERIFY(!QFile::exists(path));
}

void TestFrmCalendar::refusedPdfKeepsTheOldFile()
{
    QTemporaryDir folder;
    const QString target = folder.filePath(u"a folder.pdf"_s);
    QVERIFY(QDir().mkdir(target));
    frmCalendar* const window = show(QDate(2026, 6, 1));
    m_fixture.desktop().saveFileNames = {target};
    QTest::mouseClick(Find<QPushButton>(window, u"cmdSavePdf"_s), Qt::LeftButton);
    QCOMPARE(m_fixture.desktop().messages.size(), 1);
    const QString message = m_fixture.desktop().messages.constFirst().text;
    QVERIFY2(message.startsWith(u"The PDF could not be saved as "_s + target + u": "_s),
             qPrintable(message));
    QVERIFY(QFileInfo(target).isDir());
}

// 16 December 2026 begins an ascending period, after the descending one's 1 on the 15th: the
// cell marks it, its tooltip and reader name say it and the directions to avoid, and the panel
// shows the day; a weekend without a good direction is grey, a chosen good day still green.
void TestFrmCalendar::dayAtAGlance()
{
    frmCalendar* const window = show(QDate(2026, 12, 16));
    const QTableWidgetItem* const day = grid()->currentItem();
    QVERIFY2(day->text().startsWith(u"16 \u25CB  star 1 \u2191 \u25B2"_s), qPrintable(day->text()));
    QVERIFY2(day->toolTip().contains(u"\nstar 1: 一白水星 One White Water\n陽遁始め: ascending "
                                     u"period begins\navoid: "_s),
             qPrintable(day->toolTip()));
    const QString name = day->data(Qt::AccessibleTextRole).toString();
    QVERIFY(name.contains(u", avoid "_s) && name.endsWith(u", ascending period begins"_s));
    QVERIFY(Find<QLabel>(window, u"lblDayTitle"_s)->text().contains(u"陽遁始め"_s));
    QVERIFY(Find<QLabel>(window, u"lblDayAvoid"_s)->text().startsWith(u"Avoid: "_s));
    QCOMPARE(Find<QLabel>(window, u"lblDayJourney"_s)->text(), u"Good for a journey: North East"_s);
    QCOMPARE(Find<QLabel>(window, u"lblCalendarCycle"_s)->text(),
             u"Year 丙午 Fire Horse \u00b7 month 己亥 Earth Pig from 1 December \u00b7 month "
             u"庚子 Metal Rat from 7 December"_s);
    // Sunday 6 December: no good direction, a weekend.
    QCOMPARE(grid()->item(0, 6)->background().color(), QColor(224, 224, 224));
    const QImage shown = grid()->viewport()->grab().toImage();
    const QRect cell = grid()->visualItemRect(day);
    const QColor chosen =
        shown.pixelColor(cell.center() + QPoint(cell.width() / 3, cell.height() / 3));
    QVERIFY2(chosen.green() > chosen.red() + 40, qPrintable(chosen.name()));
}

void TestFrmCalendar::pickedMonth()
{
    frmCalendar* const window = show(QDate(2026, 6, 10));
    QTest::keySequence(grid(), QKeySequence(Qt::CTRL | Qt::Key_G));
    auto* const picker = Find<QDialog>(window, u"frmGoToMonth"_s);
    Find<QComboBox>(picker, u"cboGoToMonth"_s)->setCurrentIndex(1);
    Find<QSpinBox>(picker, u"spnGoToYear"_s)->setValue(2031);
    picker->accept();
    QCOMPARE(window->chosenDay(), QDate(2031, 2, 10));
}

void TestFrmCalendar::escapeCloses()
{
    frmCalendar* const window = show(QDate(2026, 6, 10));
    QTest::keyClick(grid(), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

// Add a Partner asks for one; once the run's partner holds Bob, the header names both and gives
// the moves for both, and 5 June, good for both towards the north and the south, says so in its
// cell, its tooltip, to a screen reader, in the day's details and on the printed page, which
// stays one landscape page.
void TestFrmCalendar::showsTheDaysGoodForBoth()
{
    Partner partner;
    frmCalendar* const window = m_fixture.adopt(
        std::make_unique<frmCalendar>(3, QDate(2026, 6, 5), Tokyo, m_fixture.desktop(), &partner));
    QSignalSpy asked(window, &frmCalendar::partnerRequested);
    QTest::mouseClick(Find<QPushButton>(m_fixture.showActive(), u"cmdAddPartner"_s),
                      Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    partner.set(Bob);
    const QString owner = u"Principal number 3, and Bob, principal number 4 \u00b7 times in"_s;
    const QString moves =
        u"Good for a move for both: From 1 June 2026, solar month 4, a Snake month: \u2014;"_s;
    QVERIFY(Find<QLabel>(window, u"lblCalendarOwner"_s)->text().startsWith(owner));
    QVERIFY(Find<QLabel>(window, u"lblMoves"_s)->text().contains(u'\n' + moves));
    QVERIFY(grid()->item(0, 4)->text().startsWith(u"5 \u25CE \u2665  star 5"_s));
    QVERIFY(!grid()->item(0, 0)->text().contains(u"\u2665"_s));
    QVERIFY(grid()->item(0, 4)->toolTip().contains(u"\njourney: N, S\nboth: N, S\n"_s));
    QVERIFY(grid()
                ->item(0, 4)
                ->data(Qt::AccessibleTextRole)
                .toString()
                .contains(u"good for a journey: North, South, for both: North, South, "_s));
    QCOMPARE(Find<QLabel>(window, u"lblDayJourneyTogether"_s)->text(),
             u"\u2665 Good for a journey for both: North, South"_s);

    QTemporaryDir folder;
    m_fixture.desktop().saveFileNames = {folder.filePath(u"june.pdf"_s)};
    QTest::mouseClick(Find<QPushButton>(window, u"cmdSavePdf"_s), Qt::LeftButton);
    QCOMPARE(PdfPages(folder.filePath(u"june.pdf"_s)), u"1 842 x 595"_s);
    const QString text = PdfText(folder.filePath(u"june.pdf"_s));
    for (const QString& expected :
         {owner, moves, u"both: N, S"_s, u"\u2665 good for a journey for both"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n"_s + text));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmCalendar)
#include "tst_frmcalendar.moc"
