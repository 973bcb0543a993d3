#include <sys/stat.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/updatereminder.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "savedreading/savedreading.h"
#include "tests/support/fakedesktop.h"

using namespace Qt::StringLiterals;
using namespace Kistarra;

namespace {

const QString Question = u"There maybe an update to this software available\r"
                         u"Do you want to check for an update?"_s;

// The key as the store holds it: "Duration" through EncodeText, in section "Settings".
const QString StoredKey = u"Settings/"_s + QString::fromLatin1(EncodeText(u"Duration"));

void StoreDateText(QSettings& settings, const QString& text)
{
    settings.setValue(StoredKey, QString::fromLatin1(EncodeText(text)));
}

void StoreDate(QSettings& settings, const QDate& date)
{
    StoreDateText(settings, QLocale().toString(date, QLocale::ShortFormat));
}

[[nodiscard]] QString StoredText(QSettings& settings)
{
    return DecodeText(settings.value(StoredKey).toString().toLatin1());
}

[[nodiscard]] QList<FakeDesktop::Message> Asked()
{
    return {{FakeDesktop::MessageKind::Question, Question}};
}

} // namespace

class TestUpdateReminder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
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
    void programSettingsAreAnIniFileNamedAfterTheProgram();
    void programSettingsThatAreNoFileAreLeftAlone_data();
    void programSettingsThatAreNoFileAreLeftAlone();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QSettings> m_settings;
    FakeDesktop m_desktop;
    [[nodiscard]] QString iniPath() const { return m_folder->filePath(u"kistarra.ini"_s); }
};

void TestUpdateReminder::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestUpdateReminder::init()
{
    QLocale::setDefault(QLocale::c());
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_settings = std::make_unique<QSettings>(iniPath(), QSettings::IniFormat);
    m_desktop.messages.clear();
    m_desktop.openedUrls.clear();
    m_desktop.yesNoAnswers.clear();
    m_desktop.todayDate = QDate(2026, 12, 7);
}

void TestUpdateReminder::cleanup()
{
    m_settings.reset();
    QLocale::setDefault(QLocale::c());
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
        m_settings->setValue(StoredKey, QString());

    UpdateReminder(m_desktop, *m_settings);

    QVERIFY(m_desktop.messages.isEmpty());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    QCOMPARE(StoredText(*m_settings), u"7 Dec 2026"_s);
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
    StoreDate(*m_settings, stored);
    const QVariant before = m_settings->value(StoredKey);

    UpdateReminder(m_desktop, *m_settings);

    QCOMPARE(m_desktop.messages, asks ? Asked() : QList<FakeDesktop::Message>());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    if (asks)
        QCOMPARE(StoredText(*m_settings), u"7 Dec 2026"_s);
    else
        QCOMPARE(m_settings->value(StoredKey), before);
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
    StoreDate(*m_settings, QDate(2026, 10, 1));
    m_desktop.yesNoAnswers = {answer};

    UpdateReminder(m_desktop, *m_settings);

    QCOMPARE(m_desktop.messages, Asked());
    QCOMPARE(m_desktop.openedUrls, opened);
    QCOMPARE(StoredText(*m_settings), u"7 Dec 2026"_s);

    // The next start on the same day asks nothing.
    m_desktop.messages.clear();
    m_desktop.openedUrls.clear();
    UpdateReminder(m_desktop, *m_settings);
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
    m_settings->setValue(StoredKey, storedValue);

    UpdateReminder(m_desktop, *m_settings);

    QVERIFY(m_desktop.messages.isEmpty());
    QVERIFY(m_desktop.openedUrls.isEmpty());
    QCOMPARE(StoredText(*m_settings), u"7 Dec 2026"_s);

    // The reminder works again: a fortnight and a day later the question comes.
    m_desktop.todayDate = m_desktop.todayDate.addDays(15);
    UpdateReminder(m_desktop, *m_settings);
    QCOMPARE(m_desktop.messages, Asked());
}

void TestUpdateReminder::storeHoldsNoPlainText()
{
    UpdateReminder(m_desktop, *m_settings);
    m_settings.reset();

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

    UpdateReminder(m_desktop, *m_settings);
    QCOMPARE(StoredText(*m_settings), QLocale().toString(today, QLocale::ShortFormat));

    // A fortnight later nothing is due; a day more and the question comes.
    m_desktop.todayDate = today.addDays(14);
    UpdateReminder(m_desktop, *m_settings);
    QVERIFY(m_desktop.messages.isEmpty());

    m_desktop.todayDate = today.addDays(15);
    UpdateReminder(m_desktop, *m_settings);
    QCOMPARE(m_desktop.messages, Asked());
    QCOMPARE(StoredText(*m_settings), QLocale().toString(today.addDays(15), QLocale::ShortFormat));

    // The fortnights above and this one cross the year end (and the century) and still count
    // right.
    m_desktop.messages.clear();
    StoreDate(*m_settings, m_desktop.todayDate.addDays(-14));
    UpdateReminder(m_desktop, *m_settings);
    QVERIFY(m_desktop.messages.isEmpty());
}

void TestUpdateReminder::programSettingsAreAnIniFileNamedAfterTheProgram()
{
    const QString before = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(u"kistarra"_s);
    const std::unique_ptr<QSettings> settings = OpenProgramSettings();
    QCoreApplication::setApplicationName(before);

    QVERIFY(settings != nullptr);
    QCOMPARE(settings->format(), QSettings::IniFormat);
    QCOMPARE(settings->scope(), QSettings::UserScope);
    QCOMPARE(settings->applicationName(), u"kistarra"_s);
    const QDir configuration(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QCOMPARE(settings->fileName(), configuration.filePath(u"kistarra/kistarra.ini"_s));
}

void TestUpdateReminder::programSettingsThatAreNoFileAreLeftAlone_data()
{
    QTest::addColumn<QString>("file"); // in the configuration folder
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("opened");
    QTest::newRow("regular file") << u"kistarra/kistarra.ini"_s << u"file"_s << true;
    QTest::newRow("FIFO") << u"kistarra/kistarra.ini"_s << u"fifo"_s << false;
    QTest::newRow("FIFO as the folder-wide file") << u"kistarra.ini"_s << u"fifo"_s << false;
    QTest::newRow("link to an endless device") << u"kistarra/kistarra.ini"_s << u"zero"_s << false;
    QTest::newRow("folder") << u"kistarra/kistarra.ini"_s << u"folder"_s << false;
}

// The store is opened by name and read whole: a FIFO would stop the start for good and a device
// never end, so the program runs without its settings instead.
void TestUpdateReminder::programSettingsThatAreNoFileAreLeftAlone()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(bool, opened);
    // The test mode's own configuration folder stands in for the person's.
    const QDir configuration(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString path = configuration.filePath(file);
    QVERIFY(!QFileInfo::exists(path) && QDir().mkpath(configuration.filePath(u"kistarra"_s)));
    const auto removed = qScopeGuard([path] { QFile::remove(path) || QDir().rmdir(path); });
    const QByteArray name = QFile::encodeName(path);
    if (kind == u"file"_s)
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    else if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == u"zero"_s)
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
    else
        QVERIFY(QDir().mkpath(path));
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(u"kistarra"_s);

    const bool got = OpenProgramSettings() != nullptr;

    QCoreApplication::setApplicationName(application);
    QCOMPARE(got, opened);
}

QTEST_GUILESS_MAIN(TestUpdateReminder)
#include "tst_updatereminder.moc"
