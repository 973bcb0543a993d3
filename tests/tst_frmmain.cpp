#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QTimeZone>
#include <QListWidget>
#include <QDialogButtonBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/modhelp.h"
#include "reading/reading.h"
#include "reading/sites.h"
#include "savedreading/savedreading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmmain.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

struct Fields {
    QString name;
    QString day;
    QString month;
    QString year;

    friend bool operator==(const Fields&, const Fields&) = default;
};

Fields FieldsOf(const frmMain& window)
{
    return {Find<QLineEdit>(&window, u"txtName"_s)->text(),
            Find<QComboBox>(&window, u"cboDate"_s)->currentText(),
            Find<QComboBox>(&window, u"cboMonth"_s)->currentText(),
            Find<QComboBox>(&window, u"cboYear"_s)->currentText()};
}

void Fill(frmMain& window, const Fields& fields)
{
    Find<QLineEdit>(&window, u"txtName"_s)->setText(fields.name);
    Find<QComboBox>(&window, u"cboDate"_s)->setCurrentText(fields.day);
    Find<QComboBox>(&window, u"cboMonth"_s)->setCurrentText(fields.month);
    Find<QComboBox>(&window, u"cboYear"_s)->setCurrentText(fields.year);
}

QStringList Numbers(int first, int last)
{
    QStringList numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(QString::number(n));
    return numbers;
}

QStringList Entries(const QComboBox& list)
{
    QStringList entries;
    for (int i = 0; i < list.count(); ++i)
        entries.append(list.itemText(i));
    return entries;
}

QStringList VisibleActionNames(const QWidget& holder)
{
    QStringList names;
    for (const QAction* const action : holder.actions()) {
        if (action->isVisible())
            names.append(action->objectName());
    }
    return names;
}

// What a screen reader hears as the control's name.
QString AccessibleName(QObject* object)
{
    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(object);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

} // namespace

} // namespace Kistarra

Q_DECLARE_METATYPE(Kistarra::Fields)

namespace Kistarra {

class TestFrmMain : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsHoldTheirEntries_data();
    void listsHoldTheirEntries();
    void listsRefuseOtherTexts_data();
    void listsRefuseOtherTexts();
    void textsFitTheirPlaces_data();
    void textsFitTheirPlaces();
    void sexRowStaysOutOfSight_data();
    void sexRowStaysOutOfSight();
    void coloursShowOnScreen_data();
    void coloursShowOnScreen();
    void listPopupsTakeTheListColours_data();
    void listPopupsTakeTheListColours();
    void refusedNames_data();
    void refusedNames();
    void proceedHandsOnTheReading_data();
    void proceedHandsOnTheReading();
    void openFlow_data();
    void openFlow();
    void openedLongNameIsShortenedOnce_data();
    void openedLongNameIsShortenedOnce();
    void linksOpenTheirPage_data();
    void linksOpenTheirPage();
    void menusShowOnlyTheirVisibleEntries();
    void solarYearEntry_data();
    void solarYearEntry();
    void solarTermsEntry();
    void timeZoneDialog();
    void timeZoneDialogCancelled();
    void timeZoneDialogOffersOnlyZones();
    void timeZoneFilter_data();
    void timeZoneFilter();
    void closingTellsWhy();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();

private:
    // A fresh window built with the options, on screen, its readings counted.
    void open(const ReadingOptions& options);

    WindowFixture<frmMain> m_fixture;
    std::unique_ptr<QSignalSpy> m_readings;
};

void TestFrmMain::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    m_fixture.setUp();
    open({});
}

void TestFrmMain::open(const ReadingOptions& options)
{
    m_readings.reset();
    m_readings = std::make_unique<QSignalSpy>(m_fixture.make(options), &frmMain::readingReady);
    m_fixture.showActive();
}

void TestFrmMain::cleanup()
{
    m_readings.reset();
    m_fixture.cleanUp();
}

void TestFrmMain::listsHoldTheirEntries_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("proposed");

    QStringList months;
    for (const QStringView month : MonthNames)
        months.append(month.toString());
    QTest::newRow("days") << u"cboDate"_s << Numbers(1, 31) << u"1"_s;
    QTest::newRow("months") << u"cboMonth"_s << months << u"January"_s;
    QTest::newRow("years") << u"cboYear"_s << Numbers(1900, 2050) << u"1970"_s;
}

void TestFrmMain::listsHoldTheirEntries()
{
    QFETCH(QString, list);
    QFETCH(QStringList, entries);
    QFETCH(QString, proposed);

    const auto* const box = Find<QComboBox>(m_fixture.window(), list);
    QCOMPARE(Entries(*box), entries);
    QCOMPARE(box->currentText(), proposed);
    QVERIFY(!box->isEditable());
}

void TestFrmMain::listsRefuseOtherTexts_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("text");

    QTest::newRow("day 32") << u"cboDate"_s << u"32"_s;
    QTest::newRow("day with leading zero") << u"cboDate"_s << u"01"_s;
    QTest::newRow("day with blank") << u"cboDate"_s << u" 1"_s;
    QTest::newRow("month in lower case") << u"cboMonth"_s << u"may"_s;
    QTest::newRow("month abbreviated") << u"cboMonth"_s << u"Jan"_s;
    QTest::newRow("year before the list") << u"cboYear"_s << u"1899"_s;
    QTest::newRow("year after the list") << u"cboYear"_s << u"2051"_s;
    QTest::newRow("two-digit year") << u"cboYear"_s << u"70"_s;
}

void TestFrmMain::listsRefuseOtherTexts()
{
    QFETCH(QString, list);
    QFETCH(QString, text);

    auto* const box = Find<QComboBox>(m_fixture.window(), list);
    const QString before = box->currentText();
    const int count = box->count();
    box->setCurrentText(text);
    QCOMPARE(box->currentText(), before);
    QCOMPARE(box->count(), count);
}

void TestFrmMain::textsFitTheirPlaces_data()
{
    QTest::addColumn<QString>("label");
    for (const auto* const name : {"Label14", "Label3", "Label6", "Label4_0", "Label4_1", "Label1",
                                   "Label2", "lblCobrand", "lblFullBrand"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The window has a fixed layout, so a text that needs more room than its place is cut off.
void TestFrmMain::textsFitTheirPlaces()
{
    QFETCH(QString, label);

    const auto* const shown = Find<QLabel>(m_fixture.window(), label);
    const QFontMetrics metrics(shown->font());
    const QRect needed = metrics.boundingRect(
        shown->contentsRect(), int(shown->alignment()) | Qt::TextWordWrap, shown->text());
    QVERIFY2(needed.width() <= shown->contentsRect().width() &&
                 needed.height() <= shown->contentsRect().height(),
             qPrintable(u"needs %1 x %2, has %3 x %4"_s.arg(needed.width())
                            .arg(needed.height())
                            .arg(shown->contentsRect().width())
                            .arg(shown->contentsRect().height())));
}

void TestFrmMain::sexRowStaysOutOfSight_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("seen");

    QTest::newRow("Label5") << u"Label5"_s << false;
    QTest::newRow("optSex_0") << u"optSex_0"_s << false;
    QTest::newRow("optSex_1") << u"optSex_1"_s << false;
    QTest::newRow("txtName") << u"txtName"_s << true;
    QTest::newRow("cboYear") << u"cboYear"_s << true;
}

void TestFrmMain::sexRowStaysOutOfSight()
{
    QFETCH(QString, control);
    QFETCH(bool, seen);

    const auto* const widget = Find<QWidget>(m_fixture.window(), control);
    const auto* const frame = Find<QGroupBox>(m_fixture.window(), u"fraDetails"_s);
    QCOMPARE(widget->parentWidget(), frame);
    QCOMPARE(frame->rect().intersects(widget->geometry()), seen);
    // Hidden too, so that no screen reader reports it as showing.
    QCOMPARE(widget->isHidden(), !seen);
}

void TestFrmMain::coloursShowOnScreen_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at"); // a blank spot of the control
    QTest::addColumn<QColor>("colour");

    QTest::newRow("window") << u"client"_s << QPoint(4, 4) << QColor(64, 64, 64);
    QTest::newRow("details frame") << u"fraDetails"_s << QPoint(200, 83) << QColor(128, 128, 128);
    // Above its line the frame shows the window behind it, left of the caption and right of it.
    QTest::newRow("above the frame's line, left")
        << u"fraDetails"_s << QPoint(2, 3) << QColor(64, 64, 64);
    QTest::newRow("above the frame's line, right")
        << u"fraDetails"_s << QPoint(200, 3) << QColor(64, 64, 64);
    QTest::newRow("name field") << u"txtName"_s << QPoint(200, 12) << QColor(64, 64, 64);
}

void TestFrmMain::coloursShowOnScreen()
{
    QFETCH(QString, control);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);

    auto* const widget = Find<QWidget>(m_fixture.window(), control);
    const QImage image = widget->grab().toImage();
    QCOMPARE(image.pixelColor(at * image.devicePixelRatio()), colour);
}

void TestFrmMain::listPopupsTakeTheListColours_data()
{
    QTest::addColumn<QString>("list");

    QTest::newRow("days") << u"cboDate"_s;
    QTest::newRow("years") << u"cboYear"_s;
}

// The pop-up is coloured when it first opens; its entries and the frame around them show the
// list's own colours, the chosen entry inverted.
void TestFrmMain::listPopupsTakeTheListColours()
{
    QFETCH(QString, list);

    auto* const box = Find<QComboBox>(m_fixture.window(), list);
    // What the offscreen platform says of any pop-up.
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
    box->showPopup();
    QAbstractItemView* const popup = box->view();
    QTRY_VERIFY(popup->isVisible());
    const QPalette entries = popup->palette();
    const QPalette frame = popup->parentWidget()->palette();
    box->hidePopup();
    QCOMPARE(entries.color(QPalette::Base), QColor(64, 64, 64));
    QCOMPARE(entries.color(QPalette::Text), QColor(128, 255, 128));
    QCOMPARE(entries.color(QPalette::Highlight), QColor(128, 255, 128));
    QCOMPARE(entries.color(QPalette::HighlightedText), QColor(64, 64, 64));
    QCOMPARE(frame.color(QPalette::Window), QColor(64, 64, 64));
}

void TestFrmMain::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byMenu");

    QTest::newRow("empty, button") << QString() << false;
    QTest::newRow("blanks, button") << u"   "_s << false;
    QTest::newRow("tab and blanks, button") << u" \t "_s << false;
    QTest::newRow("empty, hidden menu entry") << QString() << true;
}

void TestFrmMain::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(bool, byMenu);

    Find<QLineEdit>(m_fixture.window(), u"txtName"_s)->setText(name);
    Find<QComboBox>(m_fixture.window(), u"cboYear"_s)->setFocus();
    if (byMenu)
        Find<QAction>(m_fixture.window(), u"mnuCalculate"_s)->trigger();
    else
        QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdProceed"_s), Qt::LeftButton);

    const QList<FakeDesktop::Message> refused = {
        {FakeDesktop::MessageKind::Error, u"Please Enter Your Name"_s}};
    QCOMPARE(m_fixture.desktop().messages, refused);
    QTRY_VERIFY(Find<QLineEdit>(m_fixture.window(), u"txtName"_s)->hasFocus());
    QCOMPARE(m_readings->count(), 0);
    QVERIFY(m_fixture.window()->isVisible());

    QVERIFY(!m_fixture.window()->CheckDetails());
    QCOMPARE(m_fixture.desktop().messages.size(), 2);
}

void TestFrmMain::proceedHandsOnTheReading_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("keptName");
    QTest::addColumn<QString>("birthDateText");

    QTest::newRow("proposed date")
        << Fields{u"Ann"_s, {}, {}, {}} << u"Ann"_s << u"1 January 1970"_s;
    QTest::newRow("blanks around the name")
        << Fields{u"  Ann Lee  "_s, u"12"_s, u"March"_s, u"1975"_s} << u"Ann Lee"_s
        << u"12 March 1975"_s;
    QTest::newRow("only spaces are trimmed from the name")
        << Fields{u" \u3000Ann\t "_s, u"12"_s, u"March"_s, u"1975"_s} << u"\u3000Ann\t"_s
        << u"12 March 1975"_s;
    QTest::newRow("day the month lacks")
        << Fields{u"Bo"_s, u"31"_s, u"February"_s, u"2050"_s} << u"Bo"_s << u"31 February 2050"_s;
    QTest::newRow("first entries")
        << Fields{u"Cy"_s, u"1"_s, u"January"_s, u"1900"_s} << u"Cy"_s << u"1 January 1900"_s;
    // The box holds no longer name than a saved reading does.
    QTest::newRow("2,000 CJK letters") << Fields{QString(2000, QChar(0x738B)), {}, {}, {}}
                                       << QString(2000, QChar(0x738B)) << u"1 January 1970"_s;
    QTest::newRow("name beyond what a saved reading holds")
        << Fields{QString(MaxNameLength + 50, u'x'), {}, {}, {}} << QString(MaxNameLength, u'x')
        << u"1 January 1970"_s;
    const QString smile = u"\U0001F600"_s;
    QTest::newRow("character cut in two by the limit")
        << Fields{u"a"_s + smile.repeated(MaxNameLength / 2), {}, {}, {}}
        << u"a"_s + smile.repeated(MaxNameLength / 2 - 1) << u"1 January 1970"_s;
}

void TestFrmMain::proceedHandsOnTheReading()
{
    QFETCH(Fields, fields);
    QFETCH(QString, keptName);
    QFETCH(QString, birthDateText);

    Find<QLineEdit>(m_fixture.window(), u"txtName"_s)->setText(fields.name);
    if (!fields.day.isEmpty())
        Fill(*m_fixture.window(), fields);
    QVERIFY(m_fixture.window()->CheckDetails());
    QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdProceed"_s), Qt::LeftButton);

    QCOMPARE(m_readings->count(), 1);
    const auto reading = m_readings->at(0).at(0).value<Reading>();
    QCOMPARE(reading.details.name, keptName);
    QCOMPARE(reading.birthDateText, birthDateText);
    const Fields shown = FieldsOf(*m_fixture.window());
    const Reading expected =
        ComputeReading({shown.name, shown.day, shown.month, shown.year}, YearRule::Calendar);
    QCOMPARE(reading.principal, expected.principal);
    QCOMPARE(reading.character, expected.character);
    QCOMPARE(reading.energetic, expected.energetic);
    QCOMPARE(reading.readingText.plainText(), expected.readingText.plainText());
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    // Which window comes next is not this window's decision: it stays until told to close.
    QVERIFY(m_fixture.window()->isVisible());
}

void TestFrmMain::openFlow_data()
{
    QTest::addColumn<QString>("fileName");    // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("contents"); // null: no file is made
    QTest::addColumn<QString>("message");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("birthDateText"); // empty: no reading

    const QString refused = u"Please Check The File."_s;
    const Fields before{u"Bob"_s, u"15"_s, u"October"_s, u"1975"_s};
    const Fields ann{u"Ann"_s, u"1"_s, u"May"_s, u"1970"_s};
    QByteArray badDate = AnnFileBytes;
    badDate.replace(QByteArray::fromHex("0D0A860D0A"), QByteArray::fromHex("0D0A88870D0A")); // 32

    QTest::newRow("cancelled") << QString() << QByteArray() << QString() << before << QString();
    QTest::newRow("saved reading")
        << u"ann.nsk"_s << AnnFileBytes << QString() << ann << u"1 May 1970"_s;
    QTest::newRow("upper-case ending")
        << u"ann.NSK"_s << AnnFileBytes << refused << before << QString();
    QTest::newRow("text file") << u"ann.txt"_s << AnnFileBytes << refused << before << QString();
    QTest::newRow("ending without a dot")
        << u"annnsk"_s << AnnFileBytes << QString() << ann << u"1 May 1970"_s;
    QTest::newRow("date not in the lists")
        << u"bad.nsk"_s << badDate << refused << before << QString();
    QTest::newRow("missing file") << u"gone.nsk"_s << QByteArray() << refused << before
                                  << QString();
    QTest::newRow("empty file") << u"empty.nsk"_s << QByteArray("") << refused << before
                                << QString();
    QTest::newRow("empty name, last line end missing")
        << u"noname.nsk"_s << QByteArray::fromHex("0D0A860D0AA2B6CE0D0A868E8C85")
        << u"Please Enter Your Name"_s << Fields{QString(), u"1"_s, u"May"_s, u"1970"_s}
        << QString();
}

void TestFrmMain::openFlow()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QFETCH(Fields, fields);
    QFETCH(QString, birthDateText);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (!fileName.isEmpty()) {
        const QString path = folder.filePath(fileName);
        if (!contents.isNull())
            QVERIFY(WriteFile(path, contents));
        m_fixture.desktop().openFileNames.append(path);
    }
    Fill(*m_fixture.window(), {u"Bob"_s, u"15"_s, u"October"_s, u"1975"_s});

    QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdOpen"_s), Qt::LeftButton);

    QCOMPARE(m_fixture.desktop().openDialogs, QList<FileDialogOptions>{SavedReadingOpenDialog()});
    QList<FakeDesktop::Message> messages;
    if (!message.isEmpty())
        messages.append({FakeDesktop::MessageKind::Error, message});
    QCOMPARE(m_fixture.desktop().messages, messages);
    QCOMPARE(FieldsOf(*m_fixture.window()), fields);
    if (birthDateText.isEmpty()) {
        QCOMPARE(m_readings->count(), 0);
    } else {
        QCOMPARE(m_readings->count(), 1);
        const auto reading = m_readings->at(0).at(0).value<Reading>();
        QCOMPARE(reading.details.name, fields.name);
        QCOMPARE(reading.birthDateText, birthDateText);
    }
}

void TestFrmMain::openedLongNameIsShortenedOnce_data()
{
    QTest::addColumn<QString>("name");  // in the file
    QTest::addColumn<QString>("shown"); // in the box and the reading
    QTest::addColumn<bool>("notice");

    const QString smile = u"\U0001F600"_s;
    QTest::newRow("at the limit") << QString(MaxNameLength, u'x') << QString(MaxNameLength, u'x')
                                  << false;
    QTest::newRow("one over") << QString(MaxNameLength + 1, u'x') << QString(MaxNameLength, u'x')
                              << true;
    QTest::newRow("far over, from an old file")
        << QString(3 * MaxNameLength, u'y') << QString(MaxNameLength, u'y') << true;
    QTest::newRow("character cut in two by the limit")
        << u"a"_s + smile.repeated(MaxNameLength / 2)
        << u"a"_s + smile.repeated(MaxNameLength / 2 - 1) << true;
}

// An old file may hold a longer name than the box takes: the window says so, once, before the
// shortened name goes on into a reading that could be saved.
void TestFrmMain::openedLongNameIsShortenedOnce()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(bool, notice);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"long.nsk"_s);
    QVERIFY(WriteFile(path, EncodeSavedReading({name, u"1"_s, u"May"_s, u"1970"_s})));
    m_fixture.desktop().openFileNames.append(path);

    QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdOpen"_s), Qt::LeftButton);

    QList<FakeDesktop::Message> expected;
    if (notice)
        expected.append({FakeDesktop::MessageKind::Notice,
                         u"The name in this file is longer than 4,000 characters; it has been "
                         u"shortened to 4,000."_s});
    QCOMPARE(m_fixture.desktop().messages, expected);
    QCOMPARE(m_readings->count(), 1);
    QCOMPARE(m_readings->at(0).at(0).value<Reading>().details.name, shown);
}

void TestFrmMain::linksOpenTheirPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");

    QTest::newRow("Label14") << u"Label14"_s << Pages::Home();
    QTest::newRow("Label3") << u"Label3"_s << Pages::Home();
    QTest::newRow("lblCobrand") << u"lblCobrand"_s << Pages::CoBrand();
    QTest::newRow("lblFullBrand") << u"lblFullBrand"_s << Pages::FullBrand();
    QTest::newRow("mnuOnline") << u"mnuOnline"_s << Pages::OnlineHelp();
    QTest::newRow("mnuVisit") << u"mnuVisit"_s << Pages::Home();
    QTest::newRow("mnuUpdate") << u"mnuUpdate"_s << Pages::Download();
    QTest::newRow("mnuDonate") << u"mnuDonate"_s << Pages::Donate();
}

void TestFrmMain::linksOpenTheirPage()
{
    QFETCH(QString, control);
    QFETCH(QString, address);

    const Fields before = FieldsOf(*m_fixture.window());
    if (auto* const label = m_fixture.window()->findChild<QLabel*>(control)) {
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseClick(label, Qt::RightButton);
    } else {
        Find<QAction>(m_fixture.window(), control)->trigger();
    }

    QCOMPARE(m_fixture.desktop().openedUrls, QList<QUrl>{QUrl(address)});
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QCOMPARE(m_readings->count(), 0);
    QCOMPARE(FieldsOf(*m_fixture.window()), before);
    QVERIFY(m_fixture.window()->isVisible());
}

void TestFrmMain::menusShowOnlyTheirVisibleEntries()
{
    const QMenuBar* const bar = m_fixture.window()->menuBar();
    QStringList captions;
    for (const QAction* const action : bar->actions()) {
        if (action->isVisible())
            captions.append(action->text());
    }
    QCOMPARE(captions, (QStringList{u"&File"_s, u"&Help"_s, u"&Donate"_s}));
    QCOMPARE(Find<QAction>(m_fixture.window(), u"mnuDonate"_s)->menu(), nullptr);

    const auto* const makeMoney = Find<QAction>(m_fixture.window(), u"mnuMakeMoney"_s);
    QVERIFY(!makeMoney->isVisible());
    QVERIFY(!makeMoney->isEnabled());

    QCOMPARE(VisibleActionNames(*Find<QMenu>(m_fixture.window(), u"mnuFile"_s)),
             (QStringList{u"mnuSolarYear"_s, u"mnuTimeZone"_s, u"mnuSolarTerms"_s, u"mnuSep4"_s,
                          u"mnuExit"_s}));
    QCOMPARE(VisibleActionNames(*Find<QMenu>(m_fixture.window(), u"mnuHelp"_s)),
             (QStringList{u"mnuOnline"_s, u"mnuVisit"_s, u"mnuSep2"_s, u"mnuUpdate"_s, u"mnuSep3"_s,
                          u"mnuAbout"_s}));

    QSignalSpy about(m_fixture.window(), &frmMain::aboutRequested);
    Find<QAction>(m_fixture.window(), u"mnuAbout"_s)->trigger();
    QCOMPARE(about.count(), 1);
    QVERIFY(m_fixture.desktop().openedUrls.isEmpty());
}

void TestFrmMain::solarYearEntry_data()
{
    QTest::addColumn<bool>("setFirst"); // the rule handed in before the person acts
    QTest::addColumn<int>("clicks");    // on "Count Years From 4 February"
    QTest::addColumn<bool>("checked");  // afterwards
    QTest::addColumn<QString>("yearOf20January1990");

    QTest::newRow("off by default") << false << 0 << false << u"1990"_s;
    QTest::newRow("turned on") << false << 1 << true << u"1989"_s;
    QTest::newRow("turned on and off again") << false << 2 << false << u"1990"_s;
    QTest::newRow("handed in on") << true << 0 << true << u"1989"_s;
    QTest::newRow("handed in on, turned off") << true << 1 << false << u"1990"_s;
}

// The entry is the rule the next reading is computed with; only the person's clicks are told on.
void TestFrmMain::solarYearEntry()
{
    QFETCH(bool, setFirst);
    QFETCH(int, clicks);
    QFETCH(bool, checked);
    QFETCH(QString, yearOf20January1990);

    auto* entry = Find<QAction>(m_fixture.window(), u"mnuSolarYear"_s);
    QCOMPARE(entry->text(), u"Count Years From 4 &February"_s);
    QVERIFY(entry->isCheckable());
    if (setFirst) {
        open({YearRule::Solar, {}});
        entry = Find<QAction>(m_fixture.window(), u"mnuSolarYear"_s);
    }
    QSignalSpy changes(m_fixture.window(), &frmMain::optionsChanged);
    QCOMPARE(entry->isChecked(), setFirst);
    for (int i = 0; i < clicks; ++i)
        entry->trigger();

    QCOMPARE(entry->isChecked(), checked);
    const YearRule rule = checked ? YearRule::Solar : YearRule::Calendar;
    QCOMPARE(m_fixture.window()->options().yearRule, rule);
    QCOMPARE(changes.count(), clicks);
    if (clicks > 0)
        QCOMPARE(changes.last().at(0).value<ReadingOptions>(), (ReadingOptions{rule, {}}));

    Fill(*m_fixture.window(), {u"Ann"_s, u"20"_s, u"January"_s, u"1990"_s});
    QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdProceed"_s), Qt::LeftButton);
    QCOMPARE(m_readings->count(), 1);
    const auto reading = m_readings->at(0).at(0).value<Reading>();
    QCOMPARE(reading.readingYear, yearOf20January1990);
    QCOMPARE(reading.birthDateText, u"20 January 1990"_s);
}

void TestFrmMain::closingTellsWhy()
{
    QSignalSpy closing(m_fixture.window(), &frmMain::closing);
    Find<QAction>(m_fixture.window(), u"mnuExit"_s)->trigger();
    QCOMPARE(closing.count(), 1);
    QCOMPARE(closing.at(0).at(0).toBool(), false);
    QVERIFY(!m_fixture.window()->isVisible());

    m_fixture.window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fixture.window()));
    m_fixture.window()->closeForReading();
    QCOMPARE(closing.count(), 2);
    QCOMPARE(closing.at(1).at(0).toBool(), true);
    QVERIFY(!m_fixture.window()->isVisible());
}

// Like the year rule: the check is the option, and only the person's clicks are told on.
void TestFrmMain::solarTermsEntry()
{
    QVERIFY(!Find<QAction>(m_fixture.window(), u"mnuSolarTerms"_s)->isChecked());
    open({YearRule::Calendar, "Asia/Tokyo", true});
    auto* const entry = Find<QAction>(m_fixture.window(), u"mnuSolarTerms"_s);
    QCOMPARE(entry->text(), u"Use True &Solar Terms"_s);
    QVERIFY(entry->isCheckable());
    QSignalSpy changes(m_fixture.window(), &frmMain::optionsChanged);
    QVERIFY(entry->isChecked());
    QCOMPARE(changes.count(), 0);
    entry->trigger();
    QVERIFY(!m_fixture.window()->options().trueSolarTerms);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.last().at(0).value<ReadingOptions>(),
             (ReadingOptions{YearRule::Calendar, "Asia/Tokyo", false}));

    // On, the next reading takes its solar month from the terms in the chosen zone: Start of
    // Spring 2021 came at 23:59 on 3 February in Japan.
    entry->trigger();
    Fill(*m_fixture.window(), {u"Ann"_s, u"3"_s, u"February"_s, u"2021"_s});
    QTest::mouseClick(Find<QPushButton>(m_fixture.window(), u"cmdProceed"_s), Qt::LeftButton);
    QCOMPARE(m_readings->count(), 1);
    const auto reading = m_readings->at(0).at(0).value<Reading>();
    QVERIFY(reading.trueSolarTerms);
    QCOMPARE(reading.solarMonth, 1);
    QVERIFY(reading.termDayNote.contains(u"3 February 2021 23:59, Asia/Tokyo"_s));
}

// By keyboard alone: the filter narrows the list, the arrows walk it, Enter takes the zone.
void TestFrmMain::timeZoneDialog()
{
    QSignalSpy changes(m_fixture.window(), &frmMain::optionsChanged);
    auto* const entry = Find<QAction>(m_fixture.window(), u"mnuTimeZone"_s);
    QCOMPARE(entry->text(), u"Time &Zone\u2026"_s);
    entry->trigger();
    auto* const dialog = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    QTRY_VERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    QCOMPARE(dialog->windowTitle(), u"Time Zone"_s);
    auto* const filter = Find<QLineEdit>(dialog, u"txtZoneFilter"_s);
    auto* const zones = Find<QListWidget>(dialog, u"lstTimeZones"_s);
    QCOMPARE(AccessibleName(filter), u"Filter time zones"_s);
    QCOMPARE(AccessibleName(zones), u"Time zones"_s);
    QTRY_VERIFY(filter->hasFocus());
    // The computer's zone first and highlighted, then the database's, Asia/Tokyo among them.
    QVERIFY(zones->item(0)->text().startsWith(u"The computer's time zone (%1, UTC"_s.arg(
        QString::fromUtf8(QTimeZone::systemTimeZoneId()))));
    QCOMPARE(zones->currentRow(), 0);
    QVERIFY(zones->count() > 300);

    QTest::keyClicks(filter, u"ToKy"_s);
    QCOMPARE(zones->currentItem()->text(), u"Asia/Tokyo (UTC+09:00)"_s);
    QTest::keyClicks(filter, u"zzz"_s);
    QVERIFY(!Find<QDialogButtonBox>(dialog, u"cmdZoneButtons"_s)
                 ->button(QDialogButtonBox::Ok)
                 ->isEnabled());
    filter->setText(u"america/"_s);
    const QString first = zones->currentItem()->text();
    QVERIFY(first.startsWith(u"America/"_s));
    QTest::keyClick(filter, Qt::Key_Down);
    QVERIFY(zones->currentItem()->text() != first);
    QVERIFY(zones->currentItem()->text().startsWith(u"America/"_s));
    const QByteArray chosen = zones->currentItem()->data(Qt::UserRole).toByteArray();
    QTest::keyClick(filter, Qt::Key_Return);

    QTRY_VERIFY(m_fixture.window()->findChild<QDialog*>(u"frmTimeZone"_s) == nullptr);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).value<ReadingOptions>(),
             (ReadingOptions{YearRule::Calendar, chosen}));
    QCOMPARE(m_fixture.window()->options().timeZoneId, chosen);

    // Opened again, the choice is highlighted.
    entry->trigger();
    auto* const again = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    QCOMPARE(Find<QListWidget>(again, u"lstTimeZones"_s)->currentItem()->data(Qt::UserRole),
             chosen);
    again->reject();
}

// Escape keeps the choice; the computer's zone is chosen with an empty id.
void TestFrmMain::timeZoneDialogCancelled()
{
    open({YearRule::Calendar, "Asia/Tokyo"});
    QSignalSpy changes(m_fixture.window(), &frmMain::optionsChanged);
    Find<QAction>(m_fixture.window(), u"mnuTimeZone"_s)->trigger();
    auto* dialog = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    QTRY_VERIFY(Find<QLineEdit>(dialog, u"txtZoneFilter"_s)->hasFocus());
    QTest::keyClick(Find<QLineEdit>(dialog, u"txtZoneFilter"_s), Qt::Key_Escape);
    QTRY_VERIFY(m_fixture.window()->findChild<QDialog*>(u"frmTimeZone"_s) == nullptr);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(m_fixture.window()->options().timeZoneId, QByteArray("Asia/Tokyo"));

    Find<QAction>(m_fixture.window(), u"mnuTimeZone"_s)->trigger();
    dialog = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    auto* const zones = Find<QListWidget>(dialog, u"lstTimeZones"_s);
    QCOMPARE(zones->currentItem()->data(Qt::UserRole), QByteArray("Asia/Tokyo"));
    zones->setCurrentRow(0);
    dialog->accept();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(m_fixture.window()->options().timeZoneId, QByteArray());
}

// A stored name that is no zone is not offered: every chart uses the computer's zone for it, and
// that stays chosen, so that OK keeps the computer's zone.
void TestFrmMain::timeZoneDialogOffersOnlyZones()
{
    open({YearRule::Calendar, "Nowhere/City"});
    Find<QAction>(m_fixture.window(), u"mnuTimeZone"_s)->trigger();
    auto* const dialog = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    const auto* const zones = Find<QListWidget>(dialog, u"lstTimeZones"_s);

    QCOMPARE(zones->currentRow(), 0);
    QVERIFY(zones->findItems(u"Nowhere/City"_s, Qt::MatchExactly).isEmpty());
    dialog->reject();
}

void TestFrmMain::timeZoneFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QByteArray>("first");
    QTest::newRow("words for underscores") << u"new york"_s << QByteArray("America/New_York");
    QTest::newRow("words in any order") << u"York  NEW"_s << QByteArray("America/New_York");
    QTest::newRow("a country") << u"japan"_s << QByteArray("Asia/Tokyo");
    QTest::newRow("an underscore") << u"new_york"_s << QByteArray("America/New_York");
    QTest::newRow("nothing") << u"new zzz"_s << QByteArray();
}

// The dialog opens at once, resizable, and says when nothing matches.
void TestFrmMain::timeZoneFilter()
{
    QFETCH(QString, filter);
    QFETCH(QByteArray, first);
    Find<QAction>(m_fixture.window(), u"mnuTimeZone"_s)->trigger();
    auto* const dialog = Find<QDialog>(m_fixture.window(), u"frmTimeZone"_s);
    QVERIFY(dialog->minimumSize() != dialog->maximumSize());
    Find<QLineEdit>(dialog, u"txtZoneFilter"_s)->setText(filter);
    const QListWidgetItem* const current =
        Find<QListWidget>(dialog, u"lstTimeZones"_s)->currentItem();
    QCOMPARE(current == nullptr || current->isHidden() ? QByteArray()
                                                       : current->data(Qt::UserRole).toByteArray(),
             first);
    QCOMPARE(Find<QLabel>(dialog, u"lblNoZone"_s)->isVisibleTo(dialog), first.isEmpty());
    dialog->reject();
}

void TestFrmMain::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("readings");
    QTest::newRow("Return on Calculate") << u"cmdProceed"_s << int(Qt::Key_Return) << 0 << 1;
    QTest::newRow("keypad Enter on Calculate")
        << u"cmdProceed"_s << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Ctrl+Return on Calculate")
        << u"cmdProceed"_s << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
    QTest::newRow("Return in the name box") << u"txtName"_s << int(Qt::Key_Return) << 0 << 0;
}

void TestFrmMain::enterPressesTheFocusedButton()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, readings);
    Fill(*m_fixture.window(), {u"Ann"_s, u"1"_s, u"May"_s, u"1970"_s});
    auto* const widget = Find<QWidget>(m_fixture.window(), focused);
    widget->setFocus();
    QTest::keyClick(widget, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_readings->count(), readings);
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmMain)
#include "tst_frmmain.moc"
