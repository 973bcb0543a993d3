#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "platform/modhelp.h"
#include "reading/sites.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmabout.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void texts();
    void linksOpenTheirPageAndStayOpen_data();
    void linksOpenTheirPageAndStayOpen();
    void otherLabelsDoNothing_data();
    void otherLabelsDoNothing();
    void closesAndReturnsToOpener_data();
    void closesAndReturnsToOpener();
    void cleanup();

private:
    WindowFixture<frmAbout> m_fixture;
};

void TestFrmAbout::initTestCase()
{
    DropSizeHintWarnings();
}

void TestFrmAbout::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    m_fixture.setUp();
}

void TestFrmAbout::cleanup()
{
    m_fixture.cleanUp();
}

void TestFrmAbout::texts()
{
    const frmAbout& about = *m_fixture.make();
    QCOMPARE(about.windowTitle(), u"Kistarra v1.35"_s);
    QCOMPARE(Find<QLabel>(&about, u"Label2"_s)->text(), u"Kistarra v1.35"_s);
    QCOMPARE(Find<QLabel>(&about, u"Label1"_s)->text(),
             u"Kistarra is an advanced yet simple program helps you analyze your destiny with the "
             u"help of the nine ki numbers ranging from 1 to 9 and know how you relate with the "
             u"five elements - Earth, Fire, Water, Wood and Metal. The software also generates "
             u"your personal horoscope reading and allows you to determine your level of "
             u"compatibility with your friends, family and relatives."_s);
    QCOMPARE(Find<QLabel>(&about, u"Label3"_s)->text(),
             u"Home Business Opportunity. Start your own Internet business and make money online. "
             u"Get this software fully branded for your website."_s);
    QCOMPARE(Find<QLabel>(&about, u"lblCoBrand"_s)->text(), u"Click here for more details"_s);
    QCOMPARE(Find<QLabel>(&about, u"lblHomePage"_s)->text(),
             u"Click here to visit https://www.orvantis.example"_s);
    QCOMPARE(Find<QPushButton>(&about, u"cmdOK"_s)->text(), u"OK"_s);
    QCOMPARE(Find<QFrame>(&about, u"Line2"_s)->frameShape(), QFrame::HLine);
    QVERIFY(!Find<QLabel>(&about, u"picIcon"_s)->pixmap().isNull());
    QCOMPARE(QFontInfo(Find<QLabel>(&about, u"Label1"_s)->font()).family(),
             QFontDatabase::hasFamily(u"Verdana"_s) ? u"Verdana"_s : u"DejaVu Sans"_s);
    QVERIFY(about.minimumSize() == about.maximumSize());
}

void TestFrmAbout::linksOpenTheirPageAndStayOpen_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("page");
    QTest::newRow("more details") << u"lblCoBrand"_s << Pages::FullBrand();
    QTest::newRow("home page") << u"lblHomePage"_s << Pages::Home();
}

void TestFrmAbout::linksOpenTheirPageAndStayOpen()
{
    QFETCH(QString, label);
    QFETCH(QString, page);
    QWidget opener;
    opener.show();
    FakeDesktop& desktop = m_fixture.desktop();
    ShowModal(new frmAbout(desktop, &opener));
    const QPointer<frmAbout> about = opener.findChild<frmAbout*>();
    QVERIFY(about != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(about));

    QTest::mouseClick(Find<QLabel>(about, label), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(about, label), Qt::LeftButton);

    QCOMPARE(desktop.openedUrls, QList<QUrl>({QUrl(page), QUrl(page)}));
    QVERIFY(about->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), about.data());
    QVERIFY(desktop.messages.isEmpty());
}

void TestFrmAbout::otherLabelsDoNothing_data()
{
    QTest::addColumn<QString>("label");
    for (const char* const name : {"Label1", "Label2", "Label3", "picIcon"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestFrmAbout::otherLabelsDoNothing()
{
    QFETCH(QString, label);
    m_fixture.make();
    const frmAbout* const about = m_fixture.show();
    QTest::mouseClick(m_fixture.find<QLabel>(label), Qt::LeftButton);
    QVERIFY(m_fixture.desktop().openedUrls.isEmpty());
    QVERIFY(m_fixture.desktop().messages.isEmpty());
    QVERIFY(about->isVisible());
}

void TestFrmAbout::closesAndReturnsToOpener_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("OK") << true;
    QTest::newRow("close box") << false;
}

void TestFrmAbout::closesAndReturnsToOpener()
{
    QFETCH(bool, byButton);
    QLineEdit opener(u"a reading"_s);
    opener.show();
    FakeDesktop& desktop = m_fixture.desktop();
    ShowModal(new frmAbout(desktop, &opener));
    const QPointer<frmAbout> about = opener.findChild<frmAbout*>();
    QVERIFY(about != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), about.data());

    // The opener takes no input while the about window is up: a key pressed in its window, as
    // the windowing system delivers it, is held back.
    QTest::keyClick(opener.windowHandle(), Qt::Key_X);
    QCOMPARE(opener.text(), u"a reading"_s);

    if (byButton)
        QTest::mouseClick(Find<QPushButton>(about, u"cmdOK"_s), Qt::LeftButton);
    else
        QVERIFY(about->close());

    QTRY_VERIFY(about.isNull());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(opener.text(), u"a reading"_s);
    QVERIFY(desktop.openedUrls.isEmpty());
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestFrmAbout)
#include "tst_frmabout.moc"
