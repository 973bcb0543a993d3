#include <optional>

#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "reading/readingoptions.h"
#include "settings/iniescapes.h"
#include "settings/initext.h"
#include "settings/programsettings.h"
#include "savedreading/savedreading.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// What a reading and a change of the year rule may take at most, whatever stands in the file's
// place.
constexpr qint64 MostMilliseconds = 1000;

const QByteArray SolarYearOn = "[Settings]\nSolarYear=true\n";

// Text as the settings keep the reminder's key and day.
[[nodiscard]] QString Shifted(QStringView text)
{
    return QString::fromLatin1(EncodeText(text));
}

// The settings' options with the year rule changed to rule, stored; true when stored.
[[nodiscard]] bool StoreYearRule(ProgramSettings& settings, YearRule rule)
{
    ReadingOptions options = settings.readingOptions();
    options.yearRule = rule;
    return settings.storeReadingOptions(options).ok();
}

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
    void readsWhatQSettingsWrote();
    void qSettingsReadsWhatIsStored();
    void readsFilesAsQSettingsDoes();
    void readsTextAsQSettingsDoes_data();
    void readsTextAsQSettingsDoes();
    void changeTouchesOnlyItsOwnLine_data();
    void changeTouchesOnlyItsOwnLine();
    void settingsNeedNoTemporaryFolder_data();
    void settingsNeedNoTemporaryFolder();

private:
    [[nodiscard]] QString folder() const { return m_root->filePath(u"kistarra"_s); }
    [[nodiscard]] QString iniPath() const { return folder() + u"/kistarra.ini"_s; }
    // A file of the test's own, beside the settings folder.
    [[nodiscard]] QString otherPath() const { return m_root->filePath(u"other.ini"_s); }
    // A file of its own for each generated round: QSettings keeps what it read of a file and may
    // not see it rewritten within the same second at the same size.
    [[nodiscard]] QString roundPath(int round) const
    {
        return m_root->filePath(u"round%1.ini"_s.arg(round));
    }

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
    QTest::addColumn<bool>("stored");       // turning the rule over is stored

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
    const YearRule atStart = settings.readingOptions().yearRule;
    const YearRule turned = atStart == YearRule::Solar ? YearRule::Calendar : YearRule::Solar;
    const bool changed = StoreYearRule(settings, turned);

    QVERIFY2(timer.elapsed() < MostMilliseconds, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(atStart == YearRule::Solar, solarAtStart);
    QCOMPARE(!settings.loaded().ok(), problem);
    if (problem) {
        QCOMPARE(settings.loaded().failure().subject, iniPath());
        QVERIFY(!settings.loaded().failure().reason.isEmpty());
    }
    QCOMPARE(changed, stored);
    QVERIFY(settings.readingOptions().yearRule == turned); // holds for this run either way
    if (stored) {
        QVERIFY(ProgramSettings(folder()).readingOptions().yearRule == turned);
        QCOMPARE(FileBytes(iniPath()), turned == YearRule::Solar
                                           ? SolarYearOn
                                           : QByteArray("[Settings]\nSolarYear=false\n"));
    } else {
        QCOMPARE(Standing(iniPath()), before);
    }
}

// With neither XDG_CONFIG_HOME nor HOME naming a folder, nothing is read and nothing written.
void TestProgramSettings::noPlaceKeepsNothing()
{
    ProgramSettings settings{QString()};

    QVERIFY(settings.filePath().isEmpty());
    QVERIFY(!settings.loaded().ok());
    QVERIFY(!StoreYearRule(settings, YearRule::Solar));
    QVERIFY(settings.readingOptions().yearRule == YearRule::Solar);
    QVERIFY(!settings.storeReminderDate(u"7 Dec 2026"_s).ok());
    QCOMPARE(settings.reminderDate(), u"7 Dec 2026"_s);
}

// Keys the program does not know, and a change the file took since the start, stay in it.
void TestProgramSettings::changeKeepsWhatElseTheFileHolds()
{
    QVERIFY(QDir().mkpath(folder()));
    ProgramSettings settings(folder());
    QVERIFY(WriteFile(iniPath(), "[Other]\nKey=1\n[Settings]\nTimeLater=2\n"));

    QVERIFY(StoreYearRule(settings, YearRule::Solar));

    const QSettings written(iniPath(), QSettings::IniFormat);
    QCOMPARE(written.value(u"Other/Key"_s).toString(), u"1"_s);
    QCOMPARE(written.value(u"Settings/TimeLater"_s).toString(), u"2"_s);
    QCOMPARE(written.value(u"Settings/SolarYear"_s).toString(), u"true"_s);
}

void TestProgramSettings::missingFoldersAreMadeForThePersonAlone()
{
    const QString nested = m_root->filePath(u"config/kistarra"_s);
    ProgramSettings settings(nested);
    QVERIFY(settings.loaded().ok());

    QVERIFY(StoreYearRule(settings, YearRule::Solar));

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
        QCOMPARE(settings.readingOptions(), ReadingOptions{});
        QVERIFY(settings.storeReadingOptions({YearRule::Calendar, "Asia/Tokyo", true}).ok());
    }
    QCOMPARE(FileBytes(iniPath()),
             QByteArray("[Settings]\nSolarTerms=true\nTimeZone=Asia/Tokyo\n"));
    ProgramSettings settings(folder());
    QCOMPARE(settings.readingOptions(), (ReadingOptions{YearRule::Calendar, "Asia/Tokyo", true}));
    QVERIFY(settings.storeReadingOptions({}).ok());
    QCOMPARE(ProgramSettings(folder()).readingOptions(), ReadingOptions{});

    QVERIFY(WriteFile(iniPath(), "[Settings]\nTimeZone= UTC+09:00 \nSolarTerms=TRUE\n"));
    QCOMPARE(ProgramSettings(folder()).readingOptions(),
             (ReadingOptions{YearRule::Calendar, "UTC+09:00", true}));
}

namespace {

// Keys and values drawn from every kind of character the INI form escapes or quotes, and whole
// files mixing what people and QSettings write: comments, sections in other spellings, escapes,
// values carried over a line break, each kind of line end, the switches in any letter case.
// Seeded, so a failure comes back on every run.
class IniTextGenerator {
public:
    [[nodiscard]] QString key()
    {
        static const QStringList pieces = u"a|Z|7|_|-|.| |%|=|;|\"|[|é|ß|時|★|Time"_s.split(u'|');
        QString key;
        while (key.isEmpty() || key == u"Neighbour"_s || m_random.bounded(3) != 0)
            key += pick(pieces);
        return key;
    }

    [[nodiscard]] QString value()
    {
        static const QStringList types =
            u"@Invalid()|@ByteArray(x)|@String(x)|@Variant(x)|@|@@"_s.split(u'|');
        static const QStringList pieces =
            u"a|f|G|0|9| |\t|\r|\n|\0|\u0001|\u001b|\u007f|\"|\\|,|;|=|@|/|é|東|★|🌙|true"_s.split(
                u'|');
        QString value = m_random.bounded(8) == 0 ? pick(types) : QString();
        for (int count = static_cast<int>(m_random.bounded(12)); count > 0; --count)
            value += pick(pieces);
        return value;
    }

    // A file of a few lines, each with its own line end.
    [[nodiscard]] QByteArray file()
    {
        static const QList<QByteArray> sections =
            QByteArray("[Settings]|[Other]|[settings]|[ Settings ] x|[%53ettings]|[Settings] ; x")
                .split('|');
        static const QList<QByteArray> keys =
            QByteArray("TimeZone|SolarYear|SolarTerms|Time%5aone|%U0054imeZone|  SolarYear  |"
                       "Gr\xc3\xb6\xc3\x9f"
                       "e")
                .split('|');
        static const QList<QByteArray> values =
            QByteArray("Asia/Tokyo|true|TRUE|True|tRuE|false|yes| true |1||\"a;b\" ; c|"
                       "\\x41\\102\\tC\\?\\q|Asia, Tokyo|\"Asia, Tokyo\"|@@Asia|@String(a\\0b)|"
                       "@Invalid()| \"Asia\" /Tokyo |Z\xc3\xbcrich|Asia/Tokyo ; chosen")
                .split('|');
        static const QList<QByteArray> ends = {"\n", "\r\n", "\r"};
        QByteArray text = m_random.bounded(10) == 0 ? "\xef\xbb\xbf" : "";
        for (int line = static_cast<int>(m_random.bounded(2, 12)); line > 0; --line) {
            const QByteArray end = pick(ends);
            const QByteArray key = pick(keys);
            const QList<QByteArray> kinds = {
                pick(sections), m_random.bounded(2) ? "; note" : "  ; TimeZone=UTC", "nonsense",
                // Carried over the line end: by a backslash, or inside quotes.
                key + "=Asia/\\" + end + "Tokyo", key + "=\"Asia" + end + "Tokyo\"",
                key + '=' + EscapedIniValue(value()),
                key + (m_random.bounded(2) ? " = " : "=") + pick(values)};
            text += kinds.at(std::min<qsizetype>(m_random.bounded(9), kinds.size() - 1)) + end;
        }
        return text;
    }

private:
    template <typename T>
    [[nodiscard]] const T& pick(const QList<T>& from)
    {
        return from.at(static_cast<qsizetype>(m_random.bounded(static_cast<int>(from.size()))));
    }

    QRandomGenerator m_random{2405};
};

constexpr int GeneratedValues = 200;
constexpr int GeneratedFiles = 400;

} // namespace

// What QSettings wrote, the program reads back exactly; for the one key alone it writes the very
// same bytes.
void TestProgramSettings::readsWhatQSettingsWrote()
{
    IniTextGenerator generate;
    for (int round = 0; round < GeneratedValues; ++round) {
        const QString key = generate.key();
        const QString value = generate.value();
        const QByteArray row = (key + u" = "_s + value).toUtf8().toPercentEncoding(" =");
        QVERIFY(!QFile::exists(otherPath()) || QFile::remove(otherPath()));
        {
            QSettings written(otherPath(), QSettings::IniFormat);
            written.setValue(key, u"outside"_s);
            written.setValue(u"Other/"_s + key, u"elsewhere"_s);
            written.setValue(u"Settings/Neighbour"_s, u"1"_s);
            written.setValue(u"Settings/"_s + key, value);
            written.sync();
            QCOMPARE(written.status(), QSettings::NoError);
        }
        const QHash<QString, QString> read = IniSectionValues(FileBytes(otherPath()), u"Settings");
        QVERIFY2(read.size() == 2, row.constData());
        QCOMPARE(read.value(u"Neighbour"_s), u"1"_s);
        QVERIFY2(read.contains(key), row.constData());
        QVERIFY2(read.value(key) == value, row.constData());

        QVERIFY(QFile::remove(otherPath()));
        QSettings(otherPath(), QSettings::IniFormat).setValue(u"Settings/"_s + key, value);
        const Result<QByteArray> alone = WithIniValue({}, u"Settings", key, value);
        QVERIFY2(alone.ok() && *alone == FileBytes(otherPath()), row.constData());
    }
}

// What the program stores, QSettings reads as that string; whatever else the file held stays
// byte for byte, and a second change replaces the line of the first.
void TestProgramSettings::qSettingsReadsWhatIsStored()
{
    const QByteArray before = "; kept\n[General]\nTop=0\n\n[Settings]\nNeighbour=1\n";
    const qsizetype firstKey = before.indexOf("Neighbour");
    IniTextGenerator generate;
    for (int round = 0; round < GeneratedValues; ++round) {
        const QString key = generate.key();
        const QString value = generate.value();
        const QByteArray row = (key + u" = "_s + value).toUtf8().toPercentEncoding(" =");

        const Result<QByteArray> stored = WithIniValue(before, u"Settings", key, value);

        QVERIFY2(stored.ok(), row.constData());
        QCOMPARE(stored->first(firstKey), before.first(firstKey));
        QVERIFY(stored->endsWith("\nNeighbour=1\n"));
        QCOMPARE(stored->count('\n'), before.count('\n') + 1);
        const QString path = roundPath(round);
        QVERIFY(WriteFile(path, *stored));
        const QSettings read(path, QSettings::IniFormat);
        QCOMPARE(read.status(), QSettings::NoError);
        const QVariant theirs = read.value(u"Settings/"_s + key);
        QVERIFY2(theirs.metaType() == QMetaType::fromType<QString>(), row.constData());
        QVERIFY2(theirs.toString() == value, row.constData());
        QCOMPARE(read.value(u"Settings/Neighbour"_s).toString(), u"1"_s);
        QCOMPARE(read.value(u"Top"_s).toString(), u"0"_s);
        QVERIFY2(read.allKeys().size() == 3, row.constData());

        const Result<QByteArray> again = WithIniValue(*stored, u"Settings", key, u"again"_s);
        QVERIFY2(again.ok(), row.constData());
        QCOMPARE(again->count('\n'), stored->count('\n'));
        QCOMPARE(IniSectionValues(*again, u"Settings").value(key), u"again"_s);
    }
}

// Files written or changed by hand read as QSettings reads them, key by key: text where QSettings
// reads text, nothing where it reads a list or nothing; and the reading options are the text of
// their keys, a switch on when it says "true" in any letter case.
void TestProgramSettings::readsFilesAsQSettingsDoes()
{
    QVERIFY(QDir().mkpath(folder()));
    IniTextGenerator generate;
    for (int round = 0; round < GeneratedFiles; ++round) {
        const QByteArray text = generate.file();
        const QByteArray row = text.toPercentEncoding(" =;[]\"");

        const QHash<QString, QString> read = IniSectionValues(text, u"Settings");

        QVERIFY(WriteFile(iniPath(), text));
        QVERIFY(WriteFile(roundPath(round), text));
        QSettings theirs(roundPath(round), QSettings::IniFormat);
        theirs.beginGroup(u"Settings"_s);
        for (const QString& key : theirs.childKeys() + read.keys()) {
            const QVariant value = theirs.value(key);
            const QByteArray where = key.toUtf8() + " in " + row;
            QVERIFY2(read.contains(key) == (value.metaType() == QMetaType::fromType<QString>()),
                     where.constData());
            QVERIFY2(read.value(key) == value.toString(), where.constData());
        }
        const auto on = [&theirs](const QString& key) {
            return theirs.value(key).toString().trimmed().compare(u"true"_s, Qt::CaseInsensitive) ==
                   0;
        };
        const ReadingOptions options = ProgramSettings(folder()).readingOptions();
        QVERIFY2(options.yearRule == (on(u"SolarYear"_s) ? YearRule::Solar : YearRule::Calendar),
                 row.constData());
        QVERIFY2(options.trueSolarTerms == on(u"SolarTerms"_s), row.constData());
        QVERIFY2(options.timeZoneId == theirs.value(u"TimeZone"_s).toString().trimmed().toLatin1(),
                 row.constData());
    }
}

void TestProgramSettings::readsTextAsQSettingsDoes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("zone");     // what TimeZone reads as; null: nothing stored
    QTest::addColumn<bool>("asQSettings"); // QSettings reads the same

    const QString tokyo = u"Asia/Tokyo"_s;
    QTest::newRow("blanks around the equals sign")
        << QByteArray("[Settings]\n  TimeZone  =  Asia/Tokyo  \t\n") << tokyo << true;
    QTest::newRow("CR LF lines") << QByteArray(
                                        "[Settings]\r\nSolarYear=true\r\nTimeZone=Asia/Tokyo\r\n")
                                 << tokyo << true;
    QTest::newRow("CR lines") << QByteArray("[Settings]\rTimeZone=Asia/Tokyo\r") << tokyo << true;
    QTest::newRow("byte order mark")
        << QByteArray("\xef\xbb\xbf[Settings]\nTimeZone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("comments") << QByteArray("; mine\n[Settings]\n;TimeZone=UTC\n  ; TimeZone=UTC\n"
                                            "TimeZone=Asia/Tokyo ; chosen\n")
                              << tokyo << true;
    QTest::newRow("quoted, then a comment")
        << QByteArray("[Settings]\nTimeZone=\"a;b\" ; c\n") << u"a;b"_s << true;
    QTest::newRow("key given twice: the last counts")
        << QByteArray("[Settings]\nTimeZone=UTC\nTimeZone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("section given twice")
        << QByteArray("[Settings]\nTimeZone=Asia/Tokyo\n[Other]\nTimeZone=UTC\n"
                      "[Settings]\nSolarYear=true\n")
        << tokyo << true;
    QTest::newRow("another section's key")
        << QByteArray("[Other]\nTimeZone=UTC\n") << QString() << true;
    QTest::newRow("section in another letter case")
        << QByteArray("[settings]\nTimeZone=UTC\n") << QString() << true;
    QTest::newRow("blanks in the section header")
        << QByteArray("[ Settings ] x\nTimeZone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("escaped section and key")
        << QByteArray("[%53ettings]\nTime%5aone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("wide escape in the key")
        << QByteArray("[Settings]\n%U0054imeZone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("escapes") << QByteArray("[Settings]\nTimeZone=\\x41\\102\\tC\\?\\q\\xg\n")
                             << u"AB\tC?g"_s << true;
    QTest::newRow("line carried over")
        << QByteArray("[Settings]\nTimeZone=Asia/\\\r\nTokyo\n") << tokyo << true;
    QTest::newRow("quotes over a line break")
        << QByteArray("[Settings]\nTimeZone=\"Asia\nTokyo\"\n") << u"Asia\nTokyo"_s << true;
    QTest::newRow("quoted part") << QByteArray("[Settings]\nTimeZone= \"Asia\" /Tokyo \n")
                                 << u"Asia/Tokyo "_s << true;
    QTest::newRow("UTF-8") << QByteArray("[Settings]\nTimeZone=Z\xc3\xbcrich\nGr\xc3\xb6\xc3\x9f"
                                         "e=UTF-8 key\n")
                           << u"Zürich"_s << true;
    QTest::newRow("a line without an equals sign")
        << QByteArray("[Settings]\nnonsense\nTimeZone=Asia/Tokyo\n") << tokyo << true;
    QTest::newRow("quoted comma") << QByteArray("[Settings]\nTimeZone=\"Asia, Tokyo\"\n")
                                  << u"Asia, Tokyo"_s << true;
    QTest::newRow("unquoted comma: a list, not text")
        << QByteArray("[Settings]\nTimeZone=Asia, Tokyo\n") << QString() << true;
    QTest::newRow("doubled at sign")
        << QByteArray("[Settings]\nTimeZone=@@Asia\n") << u"@Asia"_s << true;
    QTest::newRow("string with a NUL")
        << QByteArray("[Settings]\nTimeZone=@String(a\\0b)\n") << u"a\0b"_s << true;
    QTest::newRow("invalid: nothing")
        << QByteArray("[Settings]\nTimeZone=@Invalid()\n") << QString() << true;
    QTest::newRow("quote left open") << QByteArray("[Settings]\nTimeZone=\"Asia\nSolarYear=true\n")
                                     << u"Asia\nSolarYear=true\n"_s << true;
    QTest::newRow("a group of the keys outside any section")
        << QByteArray("[General]\nSettings\\TimeZone=Asia/Tokyo\n") << QString() << true;
    // Never written by the program: another type than text is not one of its settings.
    QTest::newRow("byte array: not text")
        << QByteArray("[Settings]\nTimeZone=@ByteArray(Asia)\n") << QString() << false;
}

// Text written or changed by hand reads as QSettings reads it, but for values of another type,
// which the program never writes.
void TestProgramSettings::readsTextAsQSettingsDoes()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, zone);
    QFETCH(bool, asQSettings);

    const QHash<QString, QString> read = IniSectionValues(text, u"Settings");

    QCOMPARE(read.contains(u"TimeZone"_s), !zone.isNull());
    QCOMPARE(read.value(u"TimeZone"_s), zone);
    QVERIFY(WriteFile(otherPath(), text));
    QSettings theirs(otherPath(), QSettings::IniFormat);
    const QString theirZone = theirs.value(u"Settings/TimeZone"_s).toString();
    QVERIFY2((theirZone == zone) == asQSettings, qPrintable(theirZone));
    if (asQSettings) { // and so does every other key of the section
        theirs.beginGroup(u"Settings"_s);
        for (const QString& key : theirs.childKeys() + read.keys())
            QVERIFY2(theirs.value(key).toString() == read.value(key), qPrintable(key));
    }
}

void TestProgramSettings::changeTouchesOnlyItsOwnLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after"); // null: not changed, as it would not read as meant

    const QString year = u"SolarYear"_s;
    QTest::newRow("in place, the comment kept")
        << QByteArray("; mine\n[Settings]\nSolarYear=true ; on\nTimeZone=UTC\n") << year
        << u"false"_s << QByteArray("; mine\n[Settings]\nSolarYear=false ; on\nTimeZone=UTC\n");
    QTest::newRow("indented") << QByteArray("[Settings]\n  SolarYear = true\n") << year
                              << u"false"_s << QByteArray("[Settings]\n  SolarYear=false\n");
    QTest::newRow("new key first in its section")
        << QByteArray("[Other]\nA=1\n[Settings]\nTimeZone=UTC\n[Third]\nB=2\n") << year << u"true"_s
        << QByteArray("[Other]\nA=1\n[Settings]\nSolarYear=true\nTimeZone=UTC\n[Third]\nB=2\n");
    QTest::newRow("header with a comment")
        << QByteArray("[Settings] ; mine\nTimeZone=UTC\n") << year << u"true"_s
        << QByteArray("[Settings] ; mine\nSolarYear=true\nTimeZone=UTC\n");
    QTest::newRow("CR LF kept") << QByteArray("[Settings]\r\nTimeZone=UTC\r\n") << year << u"true"_s
                                << QByteArray("[Settings]\r\nSolarYear=true\r\nTimeZone=UTC\r\n");
    QTest::newRow("header at the end") << QByteArray("[Settings]") << year << u"true"_s
                                       << QByteArray("[Settings]\nSolarYear=true\n");
    QTest::newRow("no section yet") << QByteArray("[Other]\nA=1\n") << year << u"true"_s
                                    << QByteArray("[Other]\nA=1\n\n[Settings]\nSolarYear=true\n");
    QTest::newRow("no line break at the end")
        << QByteArray("[Other]\nA=1") << year << u"true"_s
        << QByteArray("[Other]\nA=1\n\n[Settings]\nSolarYear=true\n");
    QTest::newRow("empty file") << QByteArray("") << year << u"true"_s
                                << QByteArray("[Settings]\nSolarYear=true\n");
    QTest::newRow("the last of a key given twice")
        << QByteArray("[Settings]\nSolarYear=true\nSolarYear=yes\n") << year << u"false"_s
        << QByteArray("[Settings]\nSolarYear=true\nSolarYear=false\n");
    QTest::newRow("section given twice")
        << QByteArray("[Settings]\nA=1\n[Other]\n[Settings]\nSolarYear=true\n") << year
        << u"false"_s << QByteArray("[Settings]\nA=1\n[Other]\n[Settings]\nSolarYear=false\n");
    QTest::newRow("CR LF file, no section yet")
        << QByteArray("[Other]\r\nA=1\r\n") << year << u"true"_s
        << QByteArray("[Other]\r\nA=1\r\n\r\n[Settings]\r\nSolarYear=true\r\n");
    QTest::newRow("CR LF file, header at the end")
        << QByteArray("[Other]\r\nA=1\r\n[Settings]") << year << u"true"_s
        << QByteArray("[Other]\r\nA=1\r\n[Settings]\r\nSolarYear=true\r\n");
    // A value running on past its line cannot be replaced without the lines it runs over.
    QTest::newRow("a value over two lines")
        << QByteArray("[Settings]\nTimeZone=\"Asia\nTokyo\"\nSolarYear=true\n") << u"TimeZone"_s
        << u"UTC"_s << QByteArray();
    QTest::newRow("quote left open on the key")
        << QByteArray("[Settings]\nSolarYear=\"false\n[Window]\nGeometry=keep me\n; my notes\n")
        << year << u"true"_s << QByteArray();
    QTest::newRow("quote left open before it")
        << QByteArray("[Other]\nA=\"open\n") << year << u"true"_s << QByteArray();
}

// A change rewrites its own line, or adds one, and leaves every other byte of the file as it was;
// QSettings reads the change.
void TestProgramSettings::changeTouchesOnlyItsOwnLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    const Result<QByteArray> changed = WithIniValue(before, u"Settings", key, value);

    QCOMPARE(changed.ok(), !after.isNull());
    if (!changed)
        return;
    QCOMPARE(*changed, after);
    QVERIFY(WriteFile(otherPath(), *changed));
    QCOMPARE(QSettings(otherPath(), QSettings::IniFormat).value(u"Settings/"_s + key).toString(),
             value);
}

void TestProgramSettings::settingsNeedNoTemporaryFolder_data()
{
    QTest::addColumn<QString>("temporary"); // what TMPDIR names

    QTest::newRow("a usable folder") << QString();
    QTest::newRow("a missing folder") << u"missing"_s;
    QTest::newRow("a file") << u"file"_s;
}

// The settings QSettings wrote are read and changed whatever the temporary folder is: the person's
// year rule, zone and solar terms never fall back to the defaults because of it.
void TestProgramSettings::settingsNeedNoTemporaryFolder()
{
    QFETCH(QString, temporary);
    QVERIFY(QDir().mkpath(folder()));
    {
        QSettings written(iniPath(), QSettings::IniFormat);
        written.setValue(u"Settings/"_s + Shifted(u"Duration"), Shifted(u"7 Dec 2026"));
        written.setValue(u"Settings/SolarYear"_s, u"true"_s);
        written.setValue(u"Settings/TimeZone"_s, u"Asia/Tokyo"_s);
        written.setValue(u"Settings/SolarTerms"_s, u"true"_s);
    }
    const bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray was = qgetenv("TMPDIR");
    const auto restored =
        qScopeGuard([&] { QVERIFY(wasSet ? qputenv("TMPDIR", was) : qunsetenv("TMPDIR")); });
    if (!temporary.isNull()) {
        const QString path = m_root->filePath(temporary);
        QVERIFY(temporary != u"file"_s || WriteFile(path, "not a folder"));
        QVERIFY(qputenv("TMPDIR", QFile::encodeName(path)));
        // A missing folder makes Qt fall back to the file system's root, which only root may
        // write to.
        QVERIFY(temporary != u"file"_s || !QTemporaryDir().isValid());
    }

    ProgramSettings settings(folder());

    QVERIFY(settings.loaded().ok());
    QCOMPARE(settings.reminderDate(), u"7 Dec 2026"_s);
    QCOMPARE(settings.readingOptions(), (ReadingOptions{YearRule::Solar, "Asia/Tokyo", true}));
    QVERIFY(StoreYearRule(settings, YearRule::Calendar));
    QVERIFY(settings.storeReminderDate(u"21 Dec 2026"_s).ok());
    const QSettings read(iniPath(), QSettings::IniFormat);
    QCOMPARE(read.value(u"Settings/"_s + Shifted(u"Duration")).toString(), Shifted(u"21 Dec 2026"));
    QCOMPARE(read.value(u"Settings/SolarYear"_s).toString(), u"false"_s);
    QCOMPARE(read.value(u"Settings/TimeZone"_s).toString(), u"Asia/Tokyo"_s);
    QCOMPARE(read.value(u"Settings/SolarTerms"_s).toString(), u"true"_s);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestProgramSettings)
#include "tst_programsettings.moc"
