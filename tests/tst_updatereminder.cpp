#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "settings/programsettings.h"
#include "app/updatereminder.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "savedreading/savedreading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const QString Question = u"There maybe an update to this software available\r"
                         u"Do you want to check for an update?"_s;

// The key as the store holds it: "Duration" through EncodeText, in section "Settings".
const QString StoredKey = u"Settings/"_s + QString::fromLatin1(EncodeText(u"Duration"));

// The file as another INI reader sees it.
[[nodiscard]] QString StoredText(const QString& iniPath)
{
    return DecodeText(QSettingsValue(iniPath, StoredKey).toString().toLatin1());
}

// Writes the value under the reminder's key as another INI writer would.
void StoreValue(const QString& iniPath, const QString& value)
{
    QSettings(iniPath, QSettings::IniFormat).setValue(StoredKey, value);
}

void StoreDate(const QString& iniPath, const QDate& date)
{
    StoreValue(iniPath,
               QString::fromLatin1(EncodeText(QLocale().toString(date, QLocale::ShortFormat))));
}

[[nodiscard]] QList<FakeDesktop::Message> Asked()
{
    return {{FakeDesktop::MessageKind::Question, Question}};
}

} // namespace

class TestUpdateReminder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstRunOnlyNotesToday_data();
    void firstRunOnlyNotesToday();
    void asksOnlyBeyondAFortnight_data();
    void asksOnlyBeyondAFortnight();
    void answerRenewsTheDate_data();
    void answerRenewsTheDate();
    void unreadableDateIsReplacedByToday_data();
    void unreadableDateIsReplacedByToday();
    void storeHoldsNoPlainText();
    void roundTripsInEveryLocale_data();
    void roundTripsInEveryLocale();
    void dayThatCannotBeNotedAsksNothingMore();

private:
    // One start: the settings read afresh from the folder, then the reminder.
    void remind();

    std::unique_ptr<QTemporaryDir> m_folder;
    FakeDesktop m_desktop;
    [[nodiscard]] QString iniPath() const { return m_folder->filePath(u"kistarra.ini"_s); }
};

void TestUpdateReminder::init()
{
    QLocale::setDefault(QLocale::c());
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_desktop.messages.clear();
    m_desktop.openedUrls.clear();
    m_desktop.yesNoAnswers.clear();
    m_desktop.todayDate = QDate(2026, 12, 7);
}

void TestUpdateReminder::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestUpdateReminder::remind()
{
    ProgramSettings settings(m_folder->path());
    QVERIFY(settings.loaded().ok());
    UpdateReminder(m_desktop, settings);
}

void TestUpdateReminder::firstRunOnlyNotesToday_data()
{
    QTest::addColumn<bool>("emptyValue");
    QTest::newRow("no value") << false;
    QTest::newRow("empty value") << true;
}

void TestUpdateReminder::firstRunOnlyNotesToday()
{
    QFETCH(bool, emptyValue);
    if (emptyValue)
        StoreValue(iniPath(), QString());

    remind();

    QVERIFY(m_desktop.messages.isEmpty());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    QCOMPARE(StoredText(iniPath()), u"7 Dec 2026"_s);
}

void TestUpdateReminder::asksOnlyBeyondAFortnight_data()
{
    QTest::addColumn<int>("daysFromToday");
    QTest::addColumn<bool>("asks");

    QTest::newRow("today") << 0 << false;
    QTest::newRow("14 days ago") << -14 << false;
    QTest::newRow("15 days ago") << -15 << true;
    QTest::newRow("a year ago") << -365 << true;
    QTest::newRow("14 days ahead") << 14 << false;
    QTest::newRow("15 days ahead") << 15 << true;
}

void TestUpdateReminder::asksOnlyBeyondAFortnight()
{
    QFETCH(int, daysFromToday);
    QFETCH(bool, asks);
    const QDate stored = m_desktop.todayDate.addDays(daysFromToday);
    StoreDate(iniPath(), stored);
    const QByteArray before = FileBytes(iniPath());

    remind();

    QCOMPARE(m_desktop.messages, asks ? Asked() : QList<FakeDesktop::Message>());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    if (asks)
        QCOMPARE(StoredText(iniPath()), u"7 Dec 2026"_s);
    else
        QCOMPARE(FileBytes(iniPath()), before);
}

void TestUpdateReminder::answerRenewsTheDate_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QList<QUrl>>("opened");

    QTest::newRow("Yes opens the download page") << true << QList<QUrl>{QUrl(Pages::Download())};
    QTest::newRow("No opens nothing") << false << QList<QUrl>();
}

void TestUpdateReminder::answerRenewsTheDate()
{
    QFETCH(bool, answer);
    QFETCH(QList<QUrl>, opened);
    StoreDate(iniPath(), QDate(2026, 10, 1));
    m_desktop.yesNoAnswers = {answer};

    remind();

    QCOMPARE(m_desktop.messages, Asked());
    QCOMPARE(m_desktop.openedUrls, opened);
    QCOMPARE(StoredText(iniPath()), u"7 Dec 2026"_s);

    // The next start on the same day asks nothing.
    m_desktop.messages.clear();
    m_desktop.openedUrls.clear();
    remind();
    QVERIFY(m_desktop.messages.isEmpty());
    QVERIFY(m_desktop.openedUrls.isEmpty());
}

void TestUpdateReminder::unreadableDateIsReplacedByToday_data()
{
    QTest::addColumn<QString>("storedValue");

    QTest::newRow("encoded words") << QString::fromLatin1(EncodeText(u"not a date"));
    QTest::newRow("date of another format") << QString::fromLatin1(EncodeText(u"2026-10-01"));
    QTest::newRow("plain unencoded date") << u"1 Oct 2026"_s;
    QTest::newRow("impossible day") << QString::fromLatin1(EncodeText(u"31 Feb 2026"));
}

void TestUpdateReminder::unreadableDateIsReplacedByToday()
{
    QFETCH(QString, storedValue);
    StoreValue(iniPath(), storedValue);

    remind();

    QVERIFY(m_desktop.messages.isEmpty());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    QCOMPARE(StoredText(iniPath()), u"7 Dec 2026"_s);

    // The reminder works again: a fortnight and a day later the question comes.
    m_desktop.todayDate = m_desktop.todayDate.addDays(15);
    remind();
    QCOMPARE(m_desktop.messages, Asked());
}

void TestUpdateReminder::storeHoldsNoPlainText()
{
    remind();

    QFile ini(iniPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    // "Duration" and "7 Dec 2026" with every character shifted up by 85; the store writes the
    // key percent-encoded and the value as UTF-8.
    QCOMPARE(text, QByteArray("[Settings]\n"
                              "%99%CA%C7%B6%C9%BE%C4%C3="
                              "\xC2\x8C"
                              "u\xC2\x99\xC2\xBA\xC2\xB8u\xC2\x87\xC2\x85\xC2\x87\xC2\x8B\n"));
    QVERIFY(!text.contains("Duration"));
    QVERIFY(!text.contains("2026"));
}

void TestUpdateReminder::roundTripsInEveryLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("today");

    // en_US, de_DE and ko_KR write two-digit years, which read back a century early unless the
    // reminder puts them right.
    for (const QString& locale :
         {u"C"_s, u"en_US"_s, u"de_DE"_s, u"ko_KR"_s, u"fr_FR"_s, u"ar_EG"_s}) {
        QTest::newRow(qPrintable(locale + u", end of 2026"_s)) << locale << QDate(2026, 12, 24);
        QTest::newRow(qPrintable(locale + u", end of the century"_s))
            << locale << QDate(2099, 12, 28);
    }
}

void TestUpdateReminder::roundTripsInEveryLocale()
{
    QFETCH(QString, locale);
    QFETCH(QDate, today);
    QLocale::setDefault(QLocale(locale));
    m_desktop.todayDate = today;

    remind();
    QCOMPARE(StoredText(iniPath()), QLocale().toString(today, QLocale::ShortFormat));

    // A fortnight later nothing is due; a day more and the question comes.
    m_desktop.todayDate = today.addDays(14);
    remind();
    QVERIFY(m_desktop.messages.isEmpty());

    m_desktop.todayDate = today.addDays(15);
    remind();
    QCOMPARE(m_desktop.messages, Asked());
    QCOMPARE(StoredText(iniPath()), QLocale().toString(today.addDays(15), QLocale::ShortFormat));

    // The fortnights above and this one cross the year end (and the century) and still count
    // right.
    m_desktop.messages.clear();
    StoreDate(iniPath(), m_desktop.todayDate.addDays(-14));
    remind();
    QVERIFY(m_desktop.messages.isEmpty());
}

// A read-only settings file is left as it is: no question comes of it at this start, and the
// next start after a fortnight asks again, since the day could not be noted.
void TestUpdateReminder::dayThatCannotBeNotedAsksNothingMore()
{
    StoreDate(iniPath(), QDate(2026, 10, 1));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray before = FileBytes(iniPath());
    m_desktop.yesNoAnswers = {false, false};

    remind();
    remind();

    QCOMPARE(m_desktop.messages, Asked() + Asked());
    QCOMPARE(FileBytes(iniPath()), before);
    QCOMPARE(FileMode(iniPath()), 0440u);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestUpdateReminder)
#include "tst_updatereminder.moc"
