#include <memory>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "platform/modhelp.h"
#include "reading/reading.h"
#include "reading/sites.h"
#include "savedreading/savedreading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmsave.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestFrmSave : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowFrame();
    void reportIsThePlainReading();
    void openingEmptiesTheClipboard();
    void saveWritesTheBirthDetails();
    void cancelledSaveDoesNothing();
    void failedSaveSaysSo_data();
    void failedSaveSaysSo();
    void savingOverAnotherUsersFileKeepsItTheirs();
    void savedNameEndsInNsk_data();
    void savedNameEndsInNsk();
    void printHasTheReportBetweenAttributions();
    void printingTwiceHoldsOneCopy();
    void failedPrintSaysSo();
    void linksOpenExactlyTheirPage_data();
    void linksOpenExactlyTheirPage();
    void mouseOverTheReportEmptiesTheClipboard_data();
    void mouseOverTheReportEmptiesTheClipboard();

private:
    frmSave* showWindow(const Reading& reading);
    void clickButton(const QString& name);

    WindowFixture<frmSave> m_fixture;
};

void TestFrmSave::init()
{
    m_fixture.setUp();
}

void TestFrmSave::cleanup()
{
    m_fixture.cleanUp();
}

frmSave* TestFrmSave::showWindow(const Reading& reading)
{
    m_fixture.make(reading);
    return m_fixture.show();
}

void TestFrmSave::clickButton(const QString& name)
{
    QTest::mouseClick(Find<QAbstractButton>(m_fixture.window(), name), Qt::LeftButton);
}

void TestFrmSave::windowFrame()
{
    const frmSave* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    QCOMPARE(window->windowTitle(), u"Kistarra v1.35"_s);
    QCOMPARE(window->height(), 523); // 7845 twips
    QCOMPARE(window->minimumSize(), window->maximumSize());
    // The icon comes once the first window has painted its first frame.
    QTRY_VERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->palette().color(QPalette::Window), QColor(64, 64, 64));

    QCOMPARE(Find<QAbstractButton>(window, u"cmdSave"_s)->text(), u"&Save"_s);
    QCOMPARE(Find<QAbstractButton>(window, u"cmdPrint"_s)->text(), u"&Print"_s);
    for (const QString& button : {u"cmdSave"_s, u"cmdPrint"_s}) {
        QCOMPARE(Find<QWidget>(window, button)->palette().color(QPalette::Button),
                 QColor(192, 192, 192));
    }

    const auto* const report = Find<QTextEdit>(window, u"RTB"_s);
    QVERIFY(report->isReadOnly());
    QCOMPARE(QFontInfo(report->font()).family(),
             QFontDatabase::hasFamily(u"Verdana"_s) ? u"Verdana"_s : u"DejaVu Sans"_s);
    QCOMPARE(report->font().pointSizeF(), 9.75);
    const auto* const buffer = Find<QTextEdit>(window, u"RTB1"_s);
    QVERIFY(!buffer->isVisible());
    QCOMPARE(buffer->geometry(), report->geometry());
    QVERIFY(buffer->document()->isEmpty());

    QCOMPARE(Find<QLabel>(window, u"lblFullBrand"_s)->text(),
             u"Home Business Opportunity. Start your own Internet business and make money online. "
             u"Get this software fully branded for your website. Click here for more details."_s);
    QVERIFY(Find<QLabel>(window, u"Label1"_s)->text().contains(QUrl(Pages::Home()).host()));
}

void TestFrmSave::reportIsThePlainReading()
{
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    const frmSave* const window = showWindow(reading);
    const auto* const report = Find<QTextEdit>(window, u"RTB"_s);
    QCOMPARE(report->toPlainText(), WithLineFeeds(ReportText(reading)));
    QVERIFY(report->toPlainText().startsWith(u"Name: Ann\n\nDate of Birth: 1 May 1970\n\n"_s));

    // The pieces' bold and colours stay in the result window.
    for (QTextBlock block = report->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            QVERIFY(format.fontWeight() != QFont::Bold);
            QVERIFY(!format.hasProperty(QTextFormat::ForegroundBrush));
        }
    }
}

void TestFrmSave::openingEmptiesTheClipboard()
{
    QCOMPARE(m_fixture.desktop().clipboardClears, 0);
    const frmSave window(ComputeReading(Ann, YearRule::Calendar), m_fixture.desktop());
    QCOMPARE_GT(m_fixture.desktop().clipboardClears, 0);
}

void TestFrmSave::saveWritesTheBirthDetails()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"ann.nsk"_s);
    m_fixture.desktop().saveFileNames = {path};
    const frmSave* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    // What the report box shows plays no part in the file.
    Find<QTextEdit>(window, u"RTB"_s)->setPlainText(u"something else"_s);

    clickButton(u"cmdSave"_s);

    const FileDialogOptions expected{u"Kistarra"_s, u"Kistarra (*.nsk)"_s, u"nsk"_s};
    QCOMPARE(m_fixture.desktop().saveDialogs, QList<FileDialogOptions>{expected});
    const QByteArray golden = FileBytes(AnnFilePath());
    QVERIFY(!golden.isEmpty());
    QCOMPARE(FileBytes(path), golden);
    QVERIFY(m_fixture.desktop().messages.isEmpty());
}

void TestFrmSave::cancelledSaveDoesNothing()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    showWindow(ComputeReading(Ann, YearRule::Calendar));

    clickButton(u"cmdSave"_s);

    QCOMPARE(m_fixture.desktop().saveDialogs.size(), 1);
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QVERIFY(QDir(folder.path()).isEmpty());
    QVERIFY(m_fixture.window()->isVisible());
}

void TestFrmSave::savedNameEndsInNsk_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QList<bool>>("answers"); // to "already exists": one answer each time asked

    QTest::newRow("name ending in .nsk") << u"ann.nsk"_s << u"ann.nsk"_s << QList<bool>{};
    QTest::newRow("name with a date, dots and all")
        << u"Ann 01.05.1970"_s << u"Ann 01.05.1970.nsk"_s << QList<bool>{};
    QTest::newRow("upper-case ending") << u"ann.NSK"_s << u"ann.NSK.nsk"_s << QList<bool>{};
    QTest::newRow("other suffix") << u"ann.txt"_s << u"ann.txt.nsk"_s << QList<bool>{};
    QTest::newRow("ending without a dot") << u"annnsk"_s << u"annnsk.nsk"_s << QList<bool>{};
    QTest::newRow("name with .nsk added exists, replaced")
        << u"old.txt"_s << u"old.txt.nsk"_s << QList<bool>{true};
    QTest::newRow("name with .nsk added exists, kept")
        << u"old.txt"_s << QString() << QList<bool>{false};
}

// Everything the window saves, the birth details window opens: whatever the person types, the
// file ends in .nsk; a file the dialog never asked about is replaced only on Yes.
void TestFrmSave::savedNameEndsInNsk()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(QList<bool>, answers);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(WriteFile(folder.filePath(u"old.txt.nsk"_s), "an earlier reading\r\n"));
    m_fixture.desktop().saveFileNames = {folder.filePath(typed)};
    m_fixture.desktop().yesNoAnswers = answers;
    showWindow(ComputeReading(Ann, YearRule::Calendar));

    clickButton(u"cmdSave"_s);

    QCOMPARE(m_fixture.desktop().messages.size(), answers.size());
    if (!answers.isEmpty())
        QCOMPARE(m_fixture.desktop().messages.front().text,
                 u"old.txt.nsk already exists.\nDo you want to replace it?"_s);
    QStringList expected{u"old.txt.nsk"_s};
    if (saved != expected.front() && !saved.isEmpty())
        expected.append(saved);
    expected.sort();
    QStringList found = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    found.sort();
    QCOMPARE(found, expected);
    if (saved.isEmpty()) {
        QCOMPARE(FileBytes(folder.filePath(u"old.txt.nsk"_s)), "an earlier reading\r\n");
    } else {
        const Result<BirthDetails> read = ReadSavedReading(folder.filePath(saved));
        QVERIFY(read.ok());
        QCOMPARE(*read, Ann);
    }
}

// Root saving over another user's reading leaves it theirs, set-group-ID bit and all.
void TestFrmSave::savingOverAnotherUsersFileKeepsItTheirs()
{
    if (::geteuid() != 0)
        QSKIP("handing a file to another user takes root");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"theirs.nsk"_s);
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(WriteFile(path, "an earlier reading\r\n"));
    QCOMPARE(::chown(name.constData(), 1234, 1234), 0);
    QCOMPARE(::chmod(name.constData(), 02664), 0);
    m_fixture.desktop().saveFileNames = {path};
    showWindow(ComputeReading(Ann, YearRule::Calendar));

    clickButton(u"cmdSave"_s);

    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QCOMPARE(FileBytes(path), AnnFileBytes);
    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QCOMPARE(status.st_uid, 1234u);
    QCOMPARE(status.st_gid, 1234u);
    QCOMPARE(FileMode(path), 02664u);
}

void TestFrmSave::failedSaveSaysSo_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // on the message's second line
    QTest::newRow("folder missing") << u"missingFolder"_s << u"No such file or directory"_s;
    QTest::newRow("disk refuses the bytes, old file kept") << u"fullDisk"_s << u"File too large"_s;
    QTest::newRow("FIFO kept") << u"fifo"_s << u"not a regular file"_s;
    QTest::newRow("read-only file kept, even for root")
        << u"readOnly"_s << u"the file is read-only"_s;
}

void TestFrmSave::failedSaveSaysSo()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray old = "an earlier reading\r\n";
    QString path = folder.filePath(u"ann.nsk"_s);
    if (kind == u"missingFolder")
        path = folder.filePath(u"missing/ann.nsk"_s);
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(WriteFile(path, old));
    if (kind == u"readOnly")
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
    const QFileInfo before(path);
    m_fixture.desktop().saveFileNames = {path};
    showWindow(ComputeReading(Ann, YearRule::Calendar));

    {
        // Every write of a byte fails as on a full disk.
        std::optional<FileSizeLimit> refused;
        if (kind == u"fullDisk")
            refused.emplace(0);
        clickButton(u"cmdSave"_s);
    }

    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Error, u"The reading could not be saved.\n"_s + reason}};
    QCOMPARE(m_fixture.desktop().messages, expected);
    const QFileInfo after(path);
    if (kind == u"missingFolder") {
        QVERIFY(!QFile::exists(path));
    } else if (kind == u"fifo") {
        QVERIFY(!after.isFile() && after.exists());
    } else {
        QCOMPARE(FileBytes(path), old);
        QCOMPARE(after.permissions(), before.permissions());
    }
    QCOMPARE(QDir(folder.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden)
                 .size(),
             kind == u"missingFolder" ? 0 : 1);
}

void TestFrmSave::printHasTheReportBetweenAttributions()
{
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    const frmSave* const window = showWindow(reading);
    clickButton(u"cmdPrint"_s);

    const QString attribution = AttributionLine();
    const QString expected = WithLineFeeds(attribution % u"\r\n\r\n"_s % ReportText(reading) %
                                           u"\r\n\r\n"_s % attribution);
    QCOMPARE(m_fixture.desktop().printedTexts, QStringList{expected});
    const auto* const buffer = Find<QTextEdit>(window, u"RTB1"_s);
    QCOMPARE(buffer->toPlainText(), expected);
    QCOMPARE(buffer->textCursor().position(), 0);
    QVERIFY(!buffer->textCursor().hasSelection());
    QVERIFY(m_fixture.desktop().messages.isEmpty());
}

void TestFrmSave::printingTwiceHoldsOneCopy()
{
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    showWindow(reading);
    clickButton(u"cmdPrint"_s);
    clickButton(u"cmdPrint"_s);

    const QString expected = WithLineFeeds(PrintedReportText(reading));
    QCOMPARE(m_fixture.desktop().printedTexts, QStringList({expected, expected}));
    QCOMPARE(m_fixture.desktop().printedTexts.last().count(AttributionLine()), 2);
}

void TestFrmSave::failedPrintSaysSo()
{
    m_fixture.desktop().printSucceeds = false;
    showWindow(ComputeReading(Ann, YearRule::Calendar));
    clickButton(u"cmdPrint"_s);

    QCOMPARE(m_fixture.desktop().printedTexts.size(), 1);
    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Error, u"The report could not be printed."_s}};
    QCOMPARE(m_fixture.desktop().messages, expected);
}

void TestFrmSave::linksOpenExactlyTheirPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");
    QTest::newRow("Label1") << u"Label1"_s << Pages::Home();
    QTest::newRow("Label14") << u"Label14"_s << Pages::Home();
    QTest::newRow("lblFullBrand") << u"lblFullBrand"_s << Pages::FullBrand();
    QTest::newRow("lblCobrand") << u"lblCobrand"_s << Pages::CoBrand();
}

void TestFrmSave::linksOpenExactlyTheirPage()
{
    QFETCH(QString, control);
    QFETCH(QString, address);
    const frmSave* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const label = Find<QLabel>(window, control);
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());

    QCOMPARE(m_fixture.desktop().openedUrls, QList<QUrl>{QUrl(address)});
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QVERIFY(window->isVisible());
}

void TestFrmSave::mouseOverTheReportEmptiesTheClipboard_data()
{
    QTest::addColumn<QString>("action");
    for (const QString& action : {u"press"_s, u"release"_s, u"click"_s, u"move"_s, u"change"_s})
        QTest::addRow("%s", qPrintable(action)) << action;
}

void TestFrmSave::mouseOverTheReportEmptiesTheClipboard()
{
    QFETCH(QString, action);
    const frmSave* const window = showWindow(ComputeReading(Ann, YearRule::Calendar));
    auto* const report = Find<QTextEdit>(window, u"RTB"_s);
    QVERIFY(ClipboardEmptiedBy(*report, action, m_fixture.desktop()));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmSave)
#include "tst_frmsave.moc"
