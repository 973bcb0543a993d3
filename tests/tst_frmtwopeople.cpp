// The Two People window as a person meets it: opened from the result window's File menu, the
// partner's details typed or opened and checked as the birth details window checks them, the
// comparison shown, kept, printed and saved, and the window closed by Escape or with its opener.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "reading/comparisontext.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowfixture.h"
#include "windows/frmninestar.h"
#include "windows/frmtwopeople.h"
#include "windows/kit/partner.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestFrmTwoPeople : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensRaisesAndCloses();
    void compare_data();
    void compare();

private:
    // The window the File menu opens, on screen.
    frmTwoPeople* open();

    // The partner outlives the windows it is handed to; each test's window goes in the next init.
    std::unique_ptr<Partner> m_partner;
    WindowFixture<frmNineStar> m_fixture;
    const BirthDetails m_bob{u"Bob"_s, u"12"_s, u"August"_s, u"1985"_s};
};

void TestFrmTwoPeople::init()
{
    m_fixture.setUp();
    m_partner = std::make_unique<Partner>();
    m_fixture.make(ComputeReading(Ann, YearRule::Calendar), ReadingOptions{}, *m_partner);
    m_fixture.show();
}

frmTwoPeople* TestFrmTwoPeople::open()
{
    Find<QAction>(m_fixture.window(), u"mnuCompare"_s)->trigger();
    return Find<frmTwoPeople>(m_fixture.window(), u"frmTwoPeople"_s);
}

// A partner kept for the run is compared at once; the menu entry and the calendar's request give
// one window per result window; Escape closes it, and it goes with its opener.
void TestFrmTwoPeople::opensRaisesAndCloses()
{
    m_partner->set(m_bob);
    const QPointer<frmTwoPeople> first = open();
    QCOMPARE(Find<QComboBox>(first, u"cboMonth"_s)->currentText(), m_bob.month);
    QVERIFY(Find<QTextEdit>(first, u"RTBComparison"_s)->toPlainText().contains(u"Bob's"_s));
    m_fixture.window()->compareWithPartner();
    QCOMPARE(m_fixture.window()->findChildren<frmTwoPeople*>(), QList<frmTwoPeople*>{first});
    QTest::keyClick(Find<QLineEdit>(first, u"txtName"_s), Qt::Key_Escape);
    QTRY_VERIFY(first.isNull() && m_fixture.window()->isVisible());

    const QPointer<frmTwoPeople> again = open();
    m_fixture.window()->close();
    QVERIFY(!again->isVisible());
    m_fixture.cleanUp();
    QVERIFY(again.isNull());
}

void TestFrmTwoPeople::compare_data()
{
    QTest::addColumn<QString>("name"); // typed, with Bob's date
    // or a file given to Open...: Ann's saved reading or a broken one (b...)
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pdf");     // what Save as PDF is given, in a new folder
    QTest::addColumn<QString>("message"); // how the first message starts, or none
    QTest::addColumn<QString>("partner"); // whom the comparison is with, or none

    const QString none;
    QTest::newRow("no name") << none << none << none << u"Please Enter Your Name"_s << none;
    QTest::newRow("Bob") << u"  Bob "_s << none << u"b.pdf"_s << none << u"Bob"_s;
    QTest::newRow("opened") << none << u"a.nsk"_s << u"a.pdf"_s << none << u"Ann"_s;
    QTest::newRow("broken") << none << u"b.nsk"_s << none << u"Please Check The File."_s << none;
}

// Compare and Open check as the birth details window does; a partner is compared, shown in the
// comparison's words and kept for the run; Print hands the printed comparison to the printer and
// Save as PDF writes it on one A4 page.
void TestFrmTwoPeople::compare()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QString, pdf);
    QFETCH(QString, message);
    QFETCH(QString, partner);
    QTemporaryDir folder;
    QVERIFY(file.isNull() ||
            WriteFile(folder.filePath(file), file == u"a.nsk"_s ? AnnFileBytes : "x"));
    m_fixture.desktop().openFileNames = {file.isEmpty() ? file : folder.filePath(file)};
    m_fixture.desktop().saveFileNames = {folder.filePath(pdf)};
    const frmTwoPeople* const window = open();
    ShowDetails({Find<QLineEdit>(window, u"txtName"_s), Find<QComboBox>(window, u"cboDate"_s),
                 Find<QComboBox>(window, u"cboMonth"_s), Find<QComboBox>(window, u"cboYear"_s)},
                {name, m_bob.day, m_bob.month, m_bob.year});
    QTest::mouseClick(Find<QPushButton>(window, file.isNull() ? u"cmdCompare"_s : u"cmdOpen"_s),
                      Qt::LeftButton);

    const Reading ann = ComputeReading(Ann, YearRule::Calendar);
    const Reading other = ComputeReading(
        partner == u"Ann"_s ? Ann : BirthDetails{partner, m_bob.day, m_bob.month, m_bob.year},
        YearRule::Calendar);
    const Comparison comparison = CompareReadings(ann, other);
    QCOMPARE(Find<QTextEdit>(window, u"RTBComparison"_s)->toPlainText(),
             partner.isEmpty() ? QString()
                               : WithLineFeeds(ComparisonText(ann, other, comparison).plainText()));
    QCOMPARE(m_partner->details(), partner.isEmpty() ? std::nullopt : std::optional(other.details));
    if (!partner.isEmpty()) {
        QTest::mouseClick(Find<QPushButton>(window, u"cmdPrint"_s), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(window, u"cmdSavePdf"_s), Qt::LeftButton);
        QCOMPARE(m_fixture.desktop().printedTexts,
                 QStringList{WithLineFeeds(PrintedComparison(ann, other, comparison).plainText())});
    }
    const QString said = m_fixture.desktop().messages.value(0).text;
    QVERIFY(said.startsWith(message) && said.isEmpty() == message.isEmpty());
    if (partner.isEmpty() || !message.isEmpty())
        return;
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-bbox"_s, folder.filePath(pdf), u"-"_s});
    QVERIFY(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const qsizetype pages = text.count(u"<page width=\"595.000000\" height=\"842.000000\">"_s);
    QVERIFY(pages == 1 && text.count(u"<page "_s) == 1);
    QVERIFY(text.contains(u">Ann&apos;s"_s) && text.contains(u'>' + partner.left(3)));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmTwoPeople)
#include "tst_frmtwopeople.moc"
