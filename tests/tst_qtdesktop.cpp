#include <climits>

#include <sys/stat.h>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include "platform/printing.h"
#include "platform/qtdesktop.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Hands the next modal dialog of type Dialog to answer(), which must close it. The real desktop
// runs its dialogs with exec(), so the answer has to come from inside their event loop.
template <typename Dialog>
void AnswerNextDialog(std::function<void(Dialog*)> answer)
{
    auto* const poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto* const dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        poll->stop();
        poll->deleteLater();
        answer(dialog);
    });
    poll->start();
}

// Numbered words of equal length ("w0001"), so that no word is part of another; perLine words to
// a paragraph.
QString NumberedWords(int count, int perLine)
{
    QString text;
    for (int word = 1; word <= count; ++word) {
        text += u"w%1"_s.arg(word, 4, 10, QLatin1Char('0'));
        text += word % perLine == 0 ? u'\n' : u' ';
    }
    return text.trimmed();
}

struct PdfText {
    int pages = 0;
    QStringList words; // those inside the margins; the printing clip hides any beyond them
};

// Reads `pdftotext -bbox` output: every word with its place on its page.
PdfText ReadBoundingBoxes(const QString& boxes)
{
    constexpr double margin = 20 / 25.4 * 72; // the 20 mm page margins, in points
    constexpr double slack = 1;
    static const QRegularExpression pageOrWord(
        uR"re(<page width="[\d.]+" height="([\d.]+)">|<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    PdfText text;
    double pageHeight = 0;
    for (const QRegularExpressionMatch& match : pageOrWord.globalMatch(boxes)) {
        if (match.hasCaptured(1)) {
            ++text.pages;
            pageHeight = match.captured(1).toDouble();
            continue;
        }
        const double top = match.captured(2).toDouble();
        const double bottom = match.captured(3).toDouble();
        if (top >= margin - slack && bottom <= pageHeight - margin + slack)
            text.words.append(match.captured(4));
    }
    return text;
}

enum class Call { Notice, Error, Question };

} // namespace

} // namespace Kistarra

Q_DECLARE_METATYPE(Kistarra::Call)
Q_DECLARE_METATYPE(Kistarra::FileDialogOptions)

namespace Kistarra {

class TestQtDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void messageBoxes_data();
    void messageBoxes();
    void fileDialogs_data();
    void fileDialogs();
    void printFailsWithoutPrinter();
    void pdfHoldsEveryWordOnce_data();
    void pdfHoldsEveryWordOnce();
    void pdfIntoMissingFolderFails();
    void randomStaysInBoundsAndReachesBoth_data();
    void randomStaysInBoundsAndReachesBoth();
    void clearClipboardEmptiesOwnText();
    void ownSelectionIsEmptiedToo_data();
    void ownSelectionIsEmptiedToo();
    void saveDialogAsksAgainForMissingFolder_data();
    void saveDialogAsksAgainForMissingFolder();
    void fakeAnswersFromScriptThenCancels();

private:
    QTemporaryDir m_configHome;
};

// The person's configuration folder, where Qt's file dialog would keep its history, holds FIFOs
// in its place: a dialog that read or wrote it would wait for good.
void TestQtDesktop::initTestCase()
{
    DropSizeHintWarnings();
    QVERIFY(m_configHome.isValid());
    QVERIFY(qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path())));
    for (const QString& name : {u"QtProject.conf"_s, u"QtProject.conf.lock"_s})
        QCOMPARE(::mkfifo(QFile::encodeName(m_configHome.filePath(name)).constData(), 0600), 0);
}

void TestQtDesktop::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

void TestQtDesktop::messageBoxes_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("click");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shownText");

    const QString plain = u"Please Check The File."_s;
    QTest::newRow("notice") << Call::Notice << QMessageBox::Information
                            << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
                            << false << plain << plain;
    QTest::newRow("error") << Call::Error << QMessageBox::Critical
                           << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Ok
                           << false << plain << plain;
    QTest::newRow("question answered yes")
        << Call::Question << QMessageBox::Information
        << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No) << QMessageBox::Yes
        << true << u"Update?\rCheck now?"_s << u"Update?\nCheck now?"_s;
    QTest::newRow("question answered no")
        << Call::Question << QMessageBox::Information
        << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No) << QMessageBox::No
        << false << plain << plain;
}

void TestQtDesktop::messageBoxes()
{
    QFETCH(Call, call);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, click);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    QFETCH(QString, shownText);

    QWidget owner;
    owner.show();
    QString title;
    QString text;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    QWidget* shownParent = nullptr;
    AnswerNextDialog<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        shownParent = box->parentWidget();
        box->button(click)->click();
    });

    QtDesktop desktop;
    bool result = false;
    switch (call) {
    case Call::Notice:
        desktop.showNotice(&owner, message);
        break;
    case Call::Error:
        desktop.showError(&owner, message);
        break;
    case Call::Question:
        result = desktop.askYesNo(&owner, message);
        break;
    }

    QCOMPARE(title, u"Kistarra"_s);
    QCOMPARE(text, shownText); // a lone carriage return breaks the line
    QCOMPARE(shownIcon, icon);
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(shownParent, &owner);
    QCOMPARE(result, answer);
}

void TestQtDesktop::fileDialogs_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<FileDialogOptions>("options");
    QTest::addColumn<QString>("typed"); // empty: the person cancels
    QTest::addColumn<QString>("expected");

    QTest::newRow("open an existing file")
        << false << SavedReadingOpenDialog() << u"ann.nsk"_s << u"ann.nsk"_s;
    QTest::newRow("open cancelled") << false << SavedReadingOpenDialog() << QString() << QString();
    QTest::newRow("save under a name with its extension")
        << true << SavedReadingSaveDialog() << u"bob.nsk"_s << u"bob.nsk"_s;
    QTest::newRow("save under a bare name gets the default suffix")
        << true << SavedReadingSaveDialog() << u"bob"_s << u"bob.nsk"_s;
    QTest::newRow("save cancelled") << true << SavedReadingSaveDialog() << QString() << QString();
}

void TestQtDesktop::fileDialogs()
{
    QFETCH(bool, save);
    QFETCH(FileDialogOptions, options);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(WriteFile(folder.filePath(u"ann.nsk"_s), {}));

    FileDialogOptions shown;
    QStringList filters;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::Directory;
    bool confirmsOverwrite = false;
    AnswerNextDialog<QFileDialog>([&](QFileDialog* dialog) {
        shown = {dialog->windowTitle(), {}, dialog->defaultSuffix()};
        filters = dialog->nameFilters();
        mode = dialog->acceptMode();
        fileMode = dialog->fileMode();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        if (typed.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(folder.path());
        // Typed into the name box, as a person would: selectFile() leaves that box alone once it
        // has the focus, which an offscreen dialog gets at a moment of its own choosing.
        auto* const nameBox = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        if (nameBox == nullptr) {
            dialog->reject();
            return;
        }
        nameBox->setText(typed);
        // QFileDialog hides its accept() as protected; through QDialog it is the same override.
        QDialog* const asDialog = dialog;
        asDialog->accept();
    });

    QtDesktop desktop;
    const QString chosen =
        save ? desktop.saveFileName(nullptr, options) : desktop.openFileName(nullptr, options);

    QCOMPARE(shown.title, options.title);
    QCOMPARE(filters, QStringList{options.filter});
    QCOMPARE(shown.defaultSuffix, options.defaultSuffix);
    QCOMPARE(mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QCOMPARE(fileMode, save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        QVERIFY(confirmsOverwrite);
    QCOMPARE(chosen, expected.isEmpty() ? QString() : folder.filePath(expected));
    // The dialogs write no file of their own.
    QCOMPARE(QDir(m_configHome.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{u"QtProject.conf"_s, u"QtProject.conf.lock"_s}));
}

void TestQtDesktop::printFailsWithoutPrinter()
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    QVERIFY2(printers.isEmpty(),
             qPrintable(u"this check needs a machine without printers, found: "_s %
                        printers.join(u", "_s)));

    QTextDocument document(u"Report Generated By Kistarra"_s);
    QtDesktop desktop;
    QVERIFY(!desktop.print(document));
}

void TestQtDesktop::pdfHoldsEveryWordOnce_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("perLine");

    // Both run over three pages or more: a page's edge falls between paragraphs, or inside one.
    QTest::newRow("one word a paragraph") << 150 << 1;
    QTest::newRow("long wrapped paragraphs") << 3000 << 120;
}

void TestQtDesktop::pdfHoldsEveryWordOnce()
{
    QFETCH(int, words);
    QFETCH(int, perLine);

    const QTextDocument document(NumberedWords(words, perLine));
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"report.pdf"_s);

    QFile out(path);
    QVERIFY(PrintToPdf(document, out));
    out.close();

    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    const QString pdftotext = u"/usr/bin/pdftotext"_s;
    if (!QFileInfo::exists(pdftotext))
        return; // poppler-utils absent: the header check above is all that can be read back
    QProcess reader;
    reader.start(pdftotext, {u"-bbox"_s, path, u"-"_s});
    QVERIFY(reader.waitForFinished());
    QCOMPARE(reader.exitCode(), 0);
    const PdfText text = ReadBoundingBoxes(QString::fromUtf8(reader.readAllStandardOutput()));

    // A line on a page's edge must be printed on exactly one of the two pages.
    QVERIFY2(text.pages >= 3, qPrintable(QString::number(text.pages)));
    QCOMPARE(text.words, document.toPlainText().split(QRegularExpression(u"\\s+"_s)));
}

void TestQtDesktop::pdfIntoMissingFolderFails()
{
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"missing/report.pdf"_s);
    const QTextDocument document(NumberedWords(3, 1));

    QFile out(path);
    QVERIFY(!PrintToPdf(document, out));
    QVERIFY(!QFileInfo::exists(path));
}

void TestQtDesktop::randomStaysInBoundsAndReachesBoth_data()
{
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");

    QTest::newRow("one to nine") << 1 << 9;
    QTest::newRow("around zero") << -3 << 3;
    QTest::newRow("two values") << 5 << 6;
    QTest::newRow("a single value") << 7 << 7;
    QTest::newRow("top of int") << INT_MAX - 1 << INT_MAX;
    QTest::newRow("bottom of int") << INT_MIN << INT_MIN + 1;
}

void TestQtDesktop::randomStaysInBoundsAndReachesBoth()
{
    QFETCH(int, lowest);
    QFETCH(int, highest);

    QtDesktop desktop;
    desktop.seedRandom();
    QSet<int> seen;
    for (int draw = 0; draw < 2000; ++draw) {
        const int value = desktop.randomBounded(lowest, highest);
        QVERIFY2(value >= lowest && value <= highest, qPrintable(QString::number(value)));
        seen.insert(value);
    }
    QVERIFY(seen.contains(lowest));
    QVERIFY(seen.contains(highest));
    QCOMPARE(seen.size(), highest - lowest + 1);
}

void TestQtDesktop::clearClipboardEmptiesOwnText()
{
    QClipboard* const clipboard = QGuiApplication::clipboard();
    clipboard->setText(u"Name: Ann"_s);
    QCOMPARE(clipboard->text(), u"Name: Ann"_s);

    QtDesktop desktop;
    desktop.clearClipboard();
    QVERIFY(clipboard->text().isEmpty());
}

namespace {

// Clipboards whose support and ownership a row decides; records what is emptied.
class ScriptedClipboards final : public ClipboardModes {
public:
    bool hasSelection = false;
    bool clipboardOurs = false;
    bool selectionOurs = false;
    QList<QClipboard::Mode> cleared;

    [[nodiscard]] bool supports(QClipboard::Mode mode) const override
    {
        return mode == QClipboard::Clipboard || (mode == QClipboard::Selection && hasSelection);
    }
    [[nodiscard]] bool isOurs(QClipboard::Mode mode) const override
    {
        return mode == QClipboard::Selection ? selectionOurs : clipboardOurs;
    }
    void clear(QClipboard::Mode mode) override { cleared.append(mode); }
};

} // namespace

void TestQtDesktop::ownSelectionIsEmptiedToo_data()
{
    QTest::addColumn<bool>("hasSelection");
    QTest::addColumn<bool>("clipboardOurs");
    QTest::addColumn<bool>("selectionOurs");
    QTest::addColumn<QList<QClipboard::Mode>>("cleared");

    QTest::newRow("both ours") << true << true << true
                               << QList{QClipboard::Clipboard, QClipboard::Selection};
    QTest::newRow("selection another program's")
        << true << true << false << QList{QClipboard::Clipboard};
    QTest::newRow("only the selection ours")
        << true << false << true << QList{QClipboard::Selection};
    QTest::newRow("no selection on this platform")
        << false << true << true << QList{QClipboard::Clipboard};
    QTest::newRow("nothing ours") << true << false << false << QList<QClipboard::Mode>{};
}

void TestQtDesktop::ownSelectionIsEmptiedToo()
{
    QFETCH(bool, hasSelection);
    QFETCH(bool, clipboardOurs);
    QFETCH(bool, selectionOurs);
    QFETCH(QList<QClipboard::Mode>, cleared);

    ScriptedClipboards clipboards;
    clipboards.hasSelection = hasSelection;
    clipboards.clipboardOurs = clipboardOurs;
    clipboards.selectionOurs = selectionOurs;
    EmptyOwnClipboards(clipboards);
    QCOMPARE(clipboards.cleared, cleared);
}

void TestQtDesktop::saveDialogAsksAgainForMissingFolder_data()
{
    QTest::addColumn<QString>("retyped"); // empty: the person cancels after the warning

    QTest::newRow("then a name in the folder") << u"bob.nsk"_s;
    QTest::newRow("then cancelled") << QString();
}

void TestQtDesktop::saveDialogAsksAgainForMissingFolder()
{
    QFETCH(QString, retyped);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    bool warned = false;
    bool stayedOpen = false;
    AnswerNextDialog<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(folder.path());
        auto* const nameBox = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        if (nameBox == nullptr) {
            dialog->reject();
            return;
        }
        AnswerNextDialog<QMessageBox>([&](QMessageBox* box) {
            warned = box->icon() == QMessageBox::Warning;
            box->accept();
        });
        nameBox->setText(u"missing/bob.nsk"_s);
        QDialog* const asDialog = dialog;
        asDialog->accept();
        stayedOpen = dialog->isVisible();
        if (retyped.isEmpty()) {
            dialog->reject();
            return;
        }
        nameBox->setText(retyped);
        asDialog->accept();
    });

    QtDesktop desktop;
    const QString chosen = desktop.saveFileName(nullptr, SavedReadingSaveDialog());
    QVERIFY(warned);
    QVERIFY(stayedOpen);
    QCOMPARE(chosen, retyped.isEmpty() ? QString() : folder.filePath(retyped));
}

void TestQtDesktop::fakeAnswersFromScriptThenCancels()
{
    FakeDesktop fake;
    fake.yesNoAnswers = {true};
    fake.saveFileNames = {u"/tmp/ann.nsk"_s};
    fake.randomValues = {4};

    QVERIFY(fake.askYesNo(nullptr, u"first"_s));
    QVERIFY(!fake.askYesNo(nullptr, u"second"_s));
    QCOMPARE(fake.saveFileName(nullptr, SavedReadingSaveDialog()), u"/tmp/ann.nsk"_s);
    QCOMPARE(fake.saveFileName(nullptr, SavedReadingSaveDialog()), QString());
    QCOMPARE(fake.randomBounded(1, 9), 4);
    QCOMPARE(fake.randomBounded(1, 9), 1);

    const QList<FakeDesktop::Message> asked = {{FakeDesktop::MessageKind::Question, u"first"_s},
                                               {FakeDesktop::MessageKind::Question, u"second"_s}};
    QCOMPARE(fake.messages, asked);
    QCOMPARE(fake.saveDialogs.size(), 2);
    QCOMPARE(fake.randomRanges, (QList<std::pair<int, int>>{{1, 9}, {1, 9}}));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestQtDesktop)
#include "tst_qtdesktop.moc"
