#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/programsettings.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// What a reading and a change of the year rule may take at most, whatever stands in the file's
// place.
constexpr qint64 MostMilliseconds = 1000;

const QByteArray SolarYearOn = "[Settings]\nSolarYear=true\n";

// What stands at path, without following a link: its kind and permission bits, and a regular
// file's bytes (never reading anything else, which might not end).
[[nodiscard]] QByteArray Standing(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return "nothing";
    const QByteArray mode = QByteArray::number(status.st_mode, 8);
    return S_ISREG(status.st_mode) ? mode + ' ' + FileBytes(path) : mode;
}

} // namespace

class TestProgramSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void placeFollowsTheXdgRule_data();
    void placeFollowsTheXdgRule();
    void whateverStandsThereNeverHoldsTheProgramUp_data();
    void whateverStandsThereNeverHoldsTheProgramUp();
    void noPlaceKeepsNothing();
    void changeKeepsWhatElseTheFileHolds();
    void missingFoldersAreMadeForThePersonAlone();
    void timeZoneAndSolarTermsAreKept();

private:
    [[nodiscard]] QString folder() const { return m_root->filePath(u"kistarra"_s); }
    [[nodiscard]] QString iniPath() const { return folder() + u"/kistarra.ini"_s; }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestProgramSettings::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

void TestProgramSettings::placeFollowsTheXdgRule_data()
{
    QTest::addColumn<QByteArray>("configHome");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("folder");

    QTest::newRow("XDG_CONFIG_HOME")
        << QByteArray("/x/conf") << QByteArray("/home/ann") << u"/x/conf/kistarra"_s;
    QTest::newRow("XDG_CONFIG_HOME, untidy")
        << QByteArray("/x//conf/") << QByteArray() << u"/x/conf/kistarra"_s;
    QTest::newRow("HOME") << QByteArray() << QByteArray("/home/ann")
                          << u"/home/ann/.config/kistarra"_s;
    QTest::newRow("relative XDG_CONFIG_HOME is ignored")
        << QByteArray("conf") << QByteArray("/home/ann") << u"/home/ann/.config/kistarra"_s;
    QTest::newRow("HOME at the root") << QByteArray() << QByteArray("/") << u"/.config/kistarra"_s;
    QTest::newRow("empty HOME: nowhere") << QByteArray() << QByteArray() << QString();
    QTest::newRow("relative HOME: nowhere") << QByteArray("conf") << QByteArray("ann") << QString();
    QTest::newRow("HOME not in the locale's encoding: nowhere")
        << QByteArray() << QByteArray("/home/\xff\xfe") << QString();
}

void TestProgramSettings::placeFollowsTheXdgRule()
{
    QFETCH(QByteArray, configHome);
    QFETCH(QByteArray, home);
    QFETCH(QString, folder);

    QCOMPARE(ProgramSettings::UserFolder(configHome, home), folder);
}

void TestProgramSettings::whateverStandsThereNeverHoldsTheProgramUp_data()
{
    QTest::addColumn<QString>("kind");      // what stands at kistarra.ini or beside it
    QTest::addColumn<bool>("solarAtStart"); // the stored rule was read
    QTest::addColumn<bool>("problem");      // the program runs on its defaults and says why
    QTest::addColumn<bool>("stored");       // turning the rule off is stored

    QTest::newRow("nothing yet") << u"nothing"_s << false << false << true;
    QTest::newRow("settings file") << u"file"_s << true << false << true;
    QTest::newRow("folder left as the lock") << u"lock folder"_s << true << false << true;
    QTest::newRow("empty lock file") << u"lock file"_s << true << false << true;
    QTest::newRow("FIFO") << u"fifo"_s << false << true << false;
    QTest::newRow("folder") << u"folder"_s << false << true << false;
    QTest::newRow("link to an endless device") << u"zero"_s << false << true << false;
    QTest::newRow("link loop") << u"loop"_s << false << true << false;
    QTest::newRow("file far too large") << u"large"_s << false << true << false;
    QTest::newRow("settings folder is a file") << u"folder is a file"_s << false << true << false;
    // Even root leaves a file alone that its owner may not write to.
    QTest::newRow("read-only file") << u"read-only"_s << true << false << false;
}

// A settings file or lock of any kind is read at once or not at all: the program then runs on
// its defaults, and a change that cannot be stored leaves whatever is there as it was.
void TestProgramSettings::whateverStandsThereNeverHoldsTheProgramUp()
{
    QFETCH(QString, kind);
    QFETCH(bool, solarAtStart);
    QFETCH(bool, problem);
    QFETCH(bool, stored);
    QVERIFY(kind == u"folder is a file"_s ? WriteFile(folder(), "a file")
                                          : QDir().mkpath(folder()));
    const QByteArray ini = QFile::encodeName(iniPath());
    if (kind == u"file"_s || kind.startsWith(u"lock"_s) || kind == u"read-only"_s)
        QVERIFY(WriteFile(iniPath(), SolarYearOn));
    if (kind == u"lock folder"_s)
        QVERIFY(QDir().mkpath(iniPath() + u".lock"_s));
    else if (kind == u"lock file"_s)
        QVERIFY(WriteFile(iniPath() + u".lock"_s, {}));
    else if (kind == u"read-only"_s)
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup));
    else if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(ini.constData(), 0600), 0);
    else if (kind == u"folder"_s)
        QVERIFY(QDir().mkpath(iniPath()));
    else if (kind == u"zero"_s)
        QVERIFY(QFile::link(u"/dev/zero"_s, iniPath()));
    else if (kind == u"loop"_s)
        QVERIFY(QFile::link(iniPath(), iniPath()));
    else if (kind == u"large"_s)
        QVERIFY(WriteFile(iniPath(), SolarYearOn + QByteArray(2 << 20, '\n')));
    const QByteArray before = Standing(iniPath());
    QElapsedTimer timer;
    timer.start();

    ProgramSettings settings(folder());
    const YearRule atStart = settings.yearRule();
    const bool changed = settings.storeYearRule(YearRule::Calendar);

    QVERIFY2(timer.elapsed() < MostMilliseconds, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(atStart == YearRule::Solar, solarAtStart);
    QCOMPARE(!settings.problem().isEmpty(), problem);
    if (problem)
        QVERIFY2(settings.problem().startsWith(u'\'' + iniPath() + u"': "_s),
                 qPrintable(settings.problem()));
    QCOMPARE(changed, stored);
    QVERIFY(settings.yearRule() == YearRule::Calendar); // holds for this run either way
    if (stored) {
        QVERIFY(ProgramSettings(folder()).yearRule() == YearRule::Calendar);
        QCOMPARE(FileBytes(iniPath()), QByteArray("[Settings]\nSolarYear=false\n"));
    } else {
        QCOMPARE(Standing(iniPath()), before);
    }
}

// With neither XDG_CONFIG_HOME nor HOME naming a folder, nothing is read and nothing written.
void TestProgramSettings::noPlaceKeepsNothing()
{
    ProgramSettings settings{QString()};

    QVERIFY(settings.filePath().isEmpty());
    QVERIFY(!settings.problem().isEmpty());
    QVERIFY(!settings.storeYearRule(YearRule::Solar));
    QVERIFY(settings.yearRule() == YearRule::Solar);
    QVERIFY(!settings.storeReminderDate(u"7 Dec 2026"_s));
    QCOMPARE(settings.reminderDate(), u"7 Dec 2026"_s);
}

// Keys the program does not know, and a change the file took since the start, stay in it.
void TestProgramSettings::changeKeepsWhatElseTheFileHolds()
{
    QVERIFY(QDir().mkpath(folder()));
    ProgramSettings settings(folder());
    QVERIFY(WriteFile(iniPath(), "[Other]\nKey=1\n[Settings]\nTimeLater=2\n"));

    QVERIFY(settings.storeYearRule(YearRule::Solar));

    const QSettings written(iniPath(), QSettings::IniFormat);
    QCOMPARE(written.value(u"Other/Key"_s).toString(), u"1"_s);
    QCOMPARE(written.value(u"Settings/TimeLater"_s).toString(), u"2"_s);
    QCOMPARE(written.value(u"Settings/SolarYear"_s).toString(), u"true"_s);
}

void TestProgramSettings::missingFoldersAreMadeForThePersonAlone()
{
    const QString nested = m_root->filePath(u"config/kistarra"_s);
    ProgramSettings settings(nested);
    QVERIFY(settings.problem().isEmpty());

    QVERIFY(settings.storeYearRule(YearRule::Solar));

    QCOMPARE(FileMode(m_root->filePath(u"config"_s)), 0700u);
    QCOMPARE(FileMode(nested), 0700u);
    QCOMPARE(FileBytes(nested + u"/kistarra.ini"_s), SolarYearOn);
}

// The chosen zone and the true solar terms option are kept plain beside the year rule; an empty
// zone is the computer's own.
void TestProgramSettings::timeZoneAndSolarTermsAreKept()
{
    {
        ProgramSettings settings(folder());
        QCOMPARE(settings.timeZoneId(), QByteArray());
        QVERIFY(!settings.trueSolarTerms());
        QVERIFY(settings.storeTimeZoneId("Asia/Tokyo"));
        QVERIFY(settings.storeTrueSolarTerms(true));
    }
    QCOMPARE(FileBytes(iniPath()),
             QByteArray("[Settings]\nSolarTerms=true\nTimeZone=Asia/Tokyo\n"));
    ProgramSettings settings(folder());
    QCOMPARE(settings.timeZoneId(), QByteArray("Asia/Tokyo"));
    QVERIFY(settings.trueSolarTerms());
    QVERIFY(settings.storeTimeZoneId({}));
    QVERIFY(settings.storeTrueSolarTerms(false));
    QCOMPARE(ProgramSettings(folder()).timeZoneId(), QByteArray());
    QVERIFY(!ProgramSettings(folder()).trueSolarTerms());

    QVERIFY(WriteFile(iniPath(), "[Settings]\nTimeZone= UTC+09:00 \nSolarTerms=TRUE\n"));
    QCOMPARE(ProgramSettings(folder()).timeZoneId(), QByteArray("UTC+09:00"));
    QVERIFY(ProgramSettings(folder()).trueSolarTerms());
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestProgramSettings)
#include "tst_programsettings.moc"
