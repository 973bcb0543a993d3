#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include "platform/modhelp.h"
#include "reading/sites.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmfarewell.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

[[nodiscard]] QString BoxText(const QWidget* box)
{
    if (const auto* const line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return qobject_cast<const QPlainTextEdit*>(box)->toPlainText();
}

void SetBoxText(QWidget* box, const QString& text)
{
    if (auto* const line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit*>(box)->setPlainText(text);
}

// Where a click lands in the box: the text area of the multi-line box is its viewport.
[[nodiscard]] QWidget* ClickTarget(QWidget* box)
{
    if (auto* const lines = qobject_cast<QPlainTextEdit*>(box))
        return lines->viewport();
    return box;
}

const QStringList FormBoxes = {u"txtName"_s, u"txtEmail"_s, u"txtFriendName"_s, u"txtFriendEmail"_s,
                               u"txtMessage"_s};

// The farewell window, shown and active as after a click on it, with its desktop: the shared
// fixture, with the random draws the window will take set before it is made.
struct Shown {
    WindowFixture<frmFarewell> fixture;
    FakeDesktop& desktop;
    frmFarewell* const window;

    explicit Shown(QList<int> draws = {})
        : desktop(Prepared(fixture, std::move(draws)))
        , window(fixture.make())
    {
        window->show();
        window->activateWindow();
    }
    [[nodiscard]] bool ready() { return QTest::qWaitForWindowActive(window); }
    template <typename Widget>
    [[nodiscard]] Widget* control(const QString& name) const
    {
        return fixture.find<Widget>(name);
    }
    [[nodiscard]] QWidget* box(const QString& name) const { return control<QWidget>(name); }

private:
    static FakeDesktop& Prepared(WindowFixture<frmFarewell>& fixture, QList<int> draws)
    {
        fixture.setUp();
        fixture.desktop().randomValues = std::move(draws);
        return fixture.desktop();
    }
};

const QString Home = u"https://www.orvantis.example"_s;

} // namespace

class TestFrmFarewell : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void captions();
    void appealIsDrawnOnOpening_data();
    void appealIsDrawnOnOpening();
    void staysOnTopWithoutTakingFocus();
    void formStartsWithPlaceholders();
    void placeholderLeavesAndComesBack_data();
    void placeholderLeavesAndComesBack();
    void boxKeepsItsStateWhileTheUserIsAway();
    void spaceIsRefusedInEmailBoxes_data();
    void spaceIsRefusedInEmailBoxes();
    void submitReportsFirstProblem_data();
    void submitReportsFirstProblem();
    void submitOpensReferralPageAndStaysOpen();
    void check1OpensHomeAndNeverStaysTicked_data();
    void check1OpensHomeAndNeverStaysTicked();
    void catalogueLinkOpensCatalogue();
    void closingAsksForExitOnce_data();
    void closingAsksForExitOnce();
};

void TestFrmFarewell::initTestCase()
{
    DropSizeHintWarnings();
}

void TestFrmFarewell::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

void TestFrmFarewell::captions()
{
    Shown shown;
    const frmFarewell& window = *shown.window;
    QCOMPARE(window.windowTitle(), u"Kistarra v1.35"_s);
    QCOMPARE(Find<QLabel>(&window, u"Label1"_s)->text(), u"Kistarra v1.35"_s);
    QVERIFY(!Find<QLabel>(&window, u"Picture1"_s)->pixmap().isNull());
    QCOMPARE(Find<QCheckBox>(&window, u"Check1"_s)->text(),
             u"Click Here To Visit "_s + Home + u" Now"_s);
    QCOMPARE(Find<QGroupBox>(&window, u"Frame2"_s)->title(), u"Refer A Friend"_s);
    QCOMPARE(Find<QPushButton>(&window, u"cmdSubmit"_s)->text(), u"Refer A Friend &Now"_s);
    QCOMPARE(Find<QPushButton>(&window, u"cmdClose"_s)->text(), u"E&xit"_s);

    // The download frame and its link name the same range of programs.
    auto* const frame6 = Find<QGroupBox>(&window, u"Frame6"_s);
    QVERIFY(frame6->title().startsWith(u"Download "_s));
    const QString range = frame6->title().mid(9);
    QVERIFY(!range.trimmed().isEmpty());
    auto* const link = Find<QLabel>(&window, u"lblGoToHome"_s);
    QCOMPARE(link->text(), u"Click Here To Visit "_s + range);
    QCOMPARE(link->parentWidget(), frame6);
    auto* const label3 = Find<QLabel>(&window, u"Label3"_s);
    QCOMPARE(label3->parentWidget(), frame6);
    for (const QString& kind :
         {u"astrology"_s, u"psychic"_s, u"tarot"_s, u"numerology"_s, u"occult"_s})
        QVERIFY2(label3->text().contains(kind), qPrintable(kind));

    for (const QString& name : FormBoxes)
        QCOMPARE(shown.box(name)->parentWidget(), Find<QGroupBox>(&window, u"Frame2"_s));
}

void TestFrmFarewell::appealIsDrawnOnOpening_data()
{
    QTest::addColumn<int>("draw");
    for (int draw = 0; draw <= 3; ++draw)
        QTest::addRow("appeal %d", draw) << draw;
}

void TestFrmFarewell::appealIsDrawnOnOpening()
{
    QFETCH(int, draw);
    Shown shown({draw});
    QCOMPARE(shown.desktop.randomSeedings, 1);
    const QList<std::pair<int, int>> ranges = {{0, 3}};
    QCOMPARE(shown.desktop.randomRanges, ranges);
    QCOMPARE(shown.control<QLabel>(u"Label2"_s)->text(), frmFarewell::Appeal(draw));

    QSet<QString> appeals;
    for (int number = 0; number <= 3; ++number) {
        QVERIFY(frmFarewell::Appeal(number).contains(u"forum"_s));
        appeals.insert(frmFarewell::Appeal(number));
    }
    QCOMPARE(appeals.size(), 4);
}

void TestFrmFarewell::staysOnTopWithoutTakingFocus()
{
    FakeDesktop desktop;
    frmFarewell window(desktop);
    QVERIFY(window.isWindow());
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(window.minimumSize() == window.maximumSize());
}

void TestFrmFarewell::formStartsWithPlaceholders()
{
    Shown shown;
    QVERIFY(shown.ready());
    const QStringList placeholders = {u"Your Name"_s, u"Your Email Address"_s, u"Friend's Name"_s,
                                      u"Friend's Email Address"_s, u"Your Message"_s};
    for (qsizetype box = 0; box < FormBoxes.size(); ++box)
        QCOMPARE(BoxText(shown.box(FormBoxes[box])), placeholders[box]);
    QVERIFY(shown.control<QCheckBox>(u"Check1"_s)->hasFocus());
}

void TestFrmFarewell::placeholderLeavesAndComesBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("onFocus");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterFocus");

    QTest::newRow("name emptied and restored")
        << u"txtName"_s << u"Your Name"_s << QString() << QString() << u"Your Name"_s;
    QTest::newRow("e-mail emptied and restored")
        << u"txtEmail"_s << u"Your Email Address"_s << QString() << QString()
        << u"Your Email Address"_s;
    QTest::newRow("friend's name emptied and restored")
        << u"txtFriendName"_s << u"Friend's Name"_s << QString() << QString() << u"Friend's Name"_s;
    QTest::newRow("friend's e-mail emptied and restored")
        << u"txtFriendEmail"_s << u"Friend's Email Address"_s << QString() << QString()
        << u"Friend's Email Address"_s;
    QTest::newRow("message emptied and restored")
        << u"txtMessage"_s << u"Your Message"_s << QString() << QString() << u"Your Message"_s;
    QTest::newRow("placeholder with blanks around")
        << u"txtName"_s << u"  Your Name "_s << QString() << QString() << u"Your Name"_s;
    QTest::newRow("typed name stays")
        << u"txtName"_s << u"Your Name"_s << QString() << u"Ann"_s << u"Ann"_s;
    QTest::newRow("typed message stays")
        << u"txtMessage"_s << u"Your Message"_s << QString() << u"Hello"_s << u"Hello"_s;
    QTest::newRow("own text is not emptied")
        << u"txtName"_s << u"Your Name, Ann"_s << u"Your Name, Ann"_s << QString()
        << u"Your Name, Ann"_s;
    QTest::newRow("blanks only count as empty")
        << u"txtFriendName"_s << u"   "_s << u"   "_s << QString() << u"Friend's Name"_s;
    QTest::newRow("placeholder differing in case stays")
        << u"txtMessage"_s << u"your message"_s << u"your message"_s << QString()
        << u"your message"_s;
}

void TestFrmFarewell::placeholderLeavesAndComesBack()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, onFocus);
    QFETCH(QString, typed);
    QFETCH(QString, afterFocus);

    Shown shown;
    QVERIFY(shown.ready());
    QWidget* const field = shown.box(box);
    SetBoxText(field, before);

    QTest::mouseClick(ClickTarget(field), Qt::LeftButton);
    QTRY_VERIFY(field->hasFocus());
    QCOMPARE(BoxText(field), onFocus);
    QTest::keyClicks(field, typed);

    QTest::keyClick(field, Qt::Key_Tab);
    QTRY_VERIFY(!field->hasFocus());
    QCOMPARE(BoxText(field), afterFocus);
    QVERIFY(shown.desktop.messages.isEmpty());
}

void TestFrmFarewell::boxKeepsItsStateWhileTheUserIsAway()
{
    Shown shown;
    QVERIFY(shown.ready());
    QWidget* const field = shown.box(u"txtMessage"_s);
    QTest::mouseClick(ClickTarget(field), Qt::LeftButton);
    QTRY_VERIFY(field->hasFocus());
    QCOMPARE(BoxText(field), QString());

    // Another program's window comes to the front, then the user returns.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QCOMPARE(BoxText(field), QString());
    shown.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.window));
    QVERIFY(field->hasFocus());
    QCOMPARE(BoxText(field), QString());

    // Moving on inside the form still puts the placeholder back, and coming back empties it.
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(BoxText(field), u"Your Message"_s);
    field->setFocus(Qt::OtherFocusReason);
    QCOMPARE(BoxText(field), QString());
}

void TestFrmFarewell::spaceIsRefusedInEmailBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("refused");

    QTest::newRow("own e-mail") << u"txtEmail"_s << u"annlee"_s << true;
    QTest::newRow("friend's e-mail") << u"txtFriendEmail"_s << u"annlee"_s << true;
    QTest::newRow("names may hold blanks") << u"txtName"_s << u"ann lee"_s << false;
    QTest::newRow("messages may hold blanks") << u"txtMessage"_s << u"ann lee"_s << false;
}

void TestFrmFarewell::spaceIsRefusedInEmailBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, expected);
    QFETCH(bool, refused);

    Shown shown;
    QVERIFY(shown.ready());
    QWidget* const field = shown.box(box);
    QTest::mouseClick(ClickTarget(field), Qt::LeftButton);
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClicks(field, u"ann"_s);
    QTest::keyClick(field, Qt::Key_Space);
    QTest::keyClicks(field, u"lee"_s);

    QCOMPARE(BoxText(field), expected);
    QVERIFY(field->hasFocus());
    const QList<FakeDesktop::Message> complaints = {
        {FakeDesktop::MessageKind::Error, u"Email Address Cannot Contain Space"_s}};
    QCOMPARE(shown.desktop.messages, refused ? complaints : QList<FakeDesktop::Message>());
}

void TestFrmFarewell::submitReportsFirstProblem_data()
{
    QTest::addColumn<QStringList>("texts"); // name, e-mail, friend's name, friend's e-mail, message
    QTest::addColumn<QString>("problem");

    const QString ann = u"ann@mail.example"_s;
    const QString bob = u"bob@mail.example"_s;
    QTest::newRow("untouched form") << QStringList() << u"Please Enter Proper Email Address"_s;
    QTest::newRow("same addresses first")
        << QStringList{u"Your Name"_s, ann, u"Friend's Name"_s, ann, u"Your Message"_s}
        << u"Please Enter Distinct Email Addresses"_s;
    QTest::newRow("same addresses after trimming")
        << QStringList{u"Ann"_s, u" ann@mail.example"_s, u"Bob"_s, u"ann@mail.example  "_s, u"Hi"_s}
        << u"Please Enter Distinct Email Addresses"_s;
    QTest::newRow("own address without @")
        << QStringList{u"Ann"_s, u"ann.mail.example"_s, u"Bob"_s, bob, u"Hi"_s}
        << u"Please Enter Proper Email Address"_s;
    QTest::newRow("friend's address without @")
        << QStringList{u"Ann"_s, ann, u"Bob"_s, u"bob.mail.example"_s, u"Hi"_s}
        << u"Please Enter Proper Email Address"_s;
    QTest::newRow("own address without dot")
        << QStringList{u"Ann"_s, u"ann@mail"_s, u"Bob"_s, bob, u"Hi"_s}
        << u"Please Enter Proper Email Address"_s;
    QTest::newRow("friend's address without dot")
        << QStringList{u"Ann"_s, ann, u"Bob"_s, u"bob@mail"_s, u"Hi"_s}
        << u"Please Enter Proper Email Address"_s;
    QTest::newRow("addresses checked before the name")
        << QStringList{u"Your Name"_s, ann, u"Bob"_s, u"bob@mail"_s, u"Hi"_s}
        << u"Please Enter Proper Email Address"_s;
    QTest::newRow("addresses compared with case")
        << QStringList{u"Your Name"_s, ann, u"Bob"_s, u"ANN@mail.example"_s, u"Hi"_s}
        << u"Please Enter Your Name"_s;
    QTest::newRow("name left") << QStringList{u"Your Name"_s, ann, u"Friend's Name"_s, bob,
                                              u"Your Message"_s}
                               << u"Please Enter Your Name"_s;
    QTest::newRow("name blank") << QStringList{u"  "_s, ann, u"Bob"_s, bob, u"Hi"_s}
                                << u"Please Enter Your Name"_s;
    QTest::newRow("message left") << QStringList{u"Ann"_s, ann, u"Friend's Name"_s, bob,
                                                 u" Your Message "_s}
                                  << u"Please Enter Your Message"_s;
    QTest::newRow("message before friend's name")
        << QStringList{u"Ann"_s, ann, u"Friend's Name"_s, bob, u"Your Message"_s}
        << u"Please Enter Your Message"_s;
    QTest::newRow("friend's name left")
        << QStringList{u"Ann"_s, ann, u"Friend's Name"_s, bob, u"Hi"_s}
        << u"Please Enter Your Friend's Name"_s;
}

void TestFrmFarewell::submitReportsFirstProblem()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, problem);

    Shown shown;
    QVERIFY(shown.ready());
    for (qsizetype box = 0; box < texts.size(); ++box)
        SetBoxText(shown.box(FormBoxes[box]), texts[box]);
    QStringList before;
    for (const QString& box : FormBoxes)
        before.append(BoxText(shown.box(box)));

    QTest::mouseClick(shown.control<QPushButton>(u"cmdSubmit"_s), Qt::LeftButton);

    const QList<FakeDesktop::Message> complaint = {{FakeDesktop::MessageKind::Error, problem}};
    QCOMPARE(shown.desktop.messages, complaint);
    QVERIFY(shown.desktop.openedUrls.isEmpty());
    QStringList after;
    for (const QString& box : FormBoxes)
        after.append(BoxText(shown.box(box)));
    QCOMPARE(after, before);
}

void TestFrmFarewell::submitOpensReferralPageAndStaysOpen()
{
    Shown shown;
    QVERIFY(shown.ready());
    SetBoxText(shown.box(u"txtName"_s), u"  Ann & Co  "_s);
    SetBoxText(shown.box(u"txtEmail"_s), u"ann+x@mail.example"_s);
    SetBoxText(shown.box(u"txtFriendName"_s), u"Bob=Rob#2"_s);
    SetBoxText(shown.box(u"txtFriendEmail"_s), u" bob@mail.example"_s);
    SetBoxText(shown.box(u"txtMessage"_s), u"\nHi Bob,\nsee this: 100% fun\n\n"_s);
    QSignalSpy exits(shown.window, &frmFarewell::exitRequested);

    QTest::mouseClick(shown.control<QPushButton>(u"cmdSubmit"_s), Qt::LeftButton);

    QVERIFY(shown.desktop.messages.isEmpty());
    QCOMPARE(shown.desktop.openedUrls.size(), 1);
    const QUrl opened = shown.desktop.openedUrls.constFirst();
    QCOMPARE(opened.toString(QUrl::FullyEncoded),
             u"https://www.orvantis.example/qzvt-refer-a-friend.php"
             u"?taf1=Ann%20%26%20Co"
             u"&taf2=ann%2Bx%40mail.example"
             u"&taf3=Hi%20Bob%2C%0Asee%20this%3A%20100%25%20fun"
             u"&taf4=Bob%3DRob%232"
             u"&taf5=bob%40mail.example"
             u"&taf6=https%3A%2F%2Fwww.kistarra.example%2F"_s);
    const QUrlQuery query(opened);
    QCOMPARE(query.queryItemValue(u"taf3"_s, QUrl::FullyDecoded), u"Hi Bob,\nsee this: 100% fun"_s);
    QCOMPARE(query.queryItemValue(u"taf6"_s, QUrl::FullyDecoded),
             Sites::ProductSite.toString() + u'/');

    QVERIFY(shown.window->isVisible());
    QCOMPARE(exits.count(), 0);
    QCOMPARE(BoxText(shown.box(u"txtName"_s)), u"  Ann & Co  "_s);

    // The form may be sent again.
    QTest::mouseClick(shown.control<QPushButton>(u"cmdSubmit"_s), Qt::LeftButton);
    QCOMPARE(shown.desktop.openedUrls, QList<QUrl>({opened, opened}));
}

void TestFrmFarewell::check1OpensHomeAndNeverStaysTicked_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("keyboard") << true;
}

void TestFrmFarewell::check1OpensHomeAndNeverStaysTicked()
{
    QFETCH(bool, byKeyboard);
    Shown shown;
    QVERIFY(shown.ready());
    auto* const check1 = shown.control<QCheckBox>(u"Check1"_s);

    for (int click = 1; click <= 2; ++click) {
        if (byKeyboard)
            QTest::keyClick(check1, Qt::Key_Space);
        else
            QTest::mouseClick(check1, Qt::LeftButton, {}, QPoint(8, check1->height() / 2));
        QCOMPARE(check1->checkState(), Qt::Unchecked);
        QCOMPARE(shown.desktop.openedUrls.size(), click);
    }
    QCOMPARE(shown.desktop.openedUrls, QList<QUrl>({QUrl(Home), QUrl(Home)}));
    QCOMPARE(QUrl(Home), QUrl(Pages::Home()));
}

void TestFrmFarewell::catalogueLinkOpensCatalogue()
{
    Shown shown;
    QVERIFY(shown.ready());
    QTest::mouseClick(shown.control<QLabel>(u"lblGoToHome"_s), Qt::LeftButton);
    QCOMPARE(shown.desktop.openedUrls, QList<QUrl>{QUrl(Pages::Catalogue())});
    QTest::mouseClick(shown.control<QLabel>(u"Label3"_s), Qt::LeftButton);
    QTest::mouseClick(shown.control<QLabel>(u"Label2"_s), Qt::LeftButton);
    QCOMPARE(shown.desktop.openedUrls.size(), 1);
    QVERIFY(shown.window->isVisible());
}

void TestFrmFarewell::closingAsksForExitOnce_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("E&xit button") << true;
    QTest::newRow("close box") << false;
}

void TestFrmFarewell::closingAsksForExitOnce()
{
    QFETCH(bool, byButton);
    Shown shown;
    QVERIFY(shown.ready());
    QSignalSpy exits(shown.window, &frmFarewell::exitRequested);
    // The program answers by closing every window, this one included.
    connect(shown.window, &frmFarewell::exitRequested, shown.window,
            [&shown] { shown.window->close(); });

    if (byButton)
        QTest::mouseClick(shown.control<QPushButton>(u"cmdClose"_s), Qt::LeftButton);
    else
        QVERIFY(shown.window->close());

    QCOMPARE(exits.count(), 1);
    QVERIFY(!shown.window->isVisible());
    shown.window->close();
    QCOMPARE(exits.count(), 1);
    QVERIFY(shown.desktop.openedUrls.isEmpty());
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmFarewell)
#include "tst_frmfarewell.moc"
