#include <atomic>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include "savedreading/savedreading.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The code page as the system's converter knows it, independent of the codec's own table.
QString fromWindows1252(QByteArrayView bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

// How readers without the escape read a line: every byte below 85 is dropped.
QString oldReaderDecode(QByteArrayView encoded)
{
    QByteArray shiftedBack;
    for (const char byte : encoded) {
        const int code = static_cast<unsigned char>(byte);
        if (code >= 85)
            shiftedBack += static_cast<char>(code - 85);
    }
    return fromWindows1252(shiftedBack);
}

bool isRoot()
{
    return ::geteuid() == 0;
}

// What a read gave: "read", or the kind of failure.
QString describe(const Result<BirthDetails>& read)
{
    if (read)
        return u"read"_s;
    switch (read.failure().kind) {
    case FailureKind::System:
        return u"cannot read"_s;
    case FailureKind::Content:
        return u"not a saved reading"_s;
    case FailureKind::Request:
        break;
    }
    return u"refused"_s;
}

// What a write says: "written", or why not.
QString written(const Done& done)
{
    return done ? u"written"_s : u"not written: "_s + done.failure().reason;
}

} // namespace

class TestSavedReading : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void encodeText_data();
    void encodeText();
    void decodeText_data();
    void decodeText();
    void roundTrip_data();
    void roundTrip();
    void shiftedCodesRoundTrip();
    void codesAboveTheShiftAreEscaped();
    void oldReaderCompatibility_data();
    void oldReaderCompatibility();

    void goldenFile();
    void decodeSavedReading_data();
    void decodeSavedReading();
    void readSavedReading_data();
    void readSavedReading();
    void readStopsAtTheLimit_data();
    void readStopsAtTheLimit();
    void readUnreadable_data();
    void readUnreadable();
    void readNeverWaitsOnAFifoSwappedIn();

    void writeSavedReading_data();
    void writeSavedReading();
    void overwriteReplaces();
    void writeFailureKeepsOldFile_data();
    void writeFailureKeepsOldFile();
    void whatIsSavedOpensAgain_data();
    void whatIsSavedOpensAgain();
};

void TestSavedReading::initTestCase()
{
    QVERIFY2(QStringDecoder("windows-1252").isValid(),
             "the Windows-1252 converter is needed to check the codec against");
    QCOMPARE(QFileInfo(AnnFilePath()).size(), 19);
}

void TestSavedReading::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("plain ASCII name") << u"Ann"_s << QByteArray::fromHex("96C3C3");
    QTest::newRow("day of the worked example") << u"1"_s << QByteArray::fromHex("86");
    QTest::newRow("month of the worked example") << u"May"_s << QByteArray::fromHex("A2B6CE");
    QTest::newRow("year of the worked example") << u"1970"_s << QByteArray::fromHex("868E8C85");
    QTest::newRow("blank, comma and quote are shifted")
        << u" ,\""_s << QByteArray::fromHex("758177");
    QTest::newRow("NUL is code 0") << QString(QChar(0)) << QByteArray("U");
    QTest::newRow("Windows-1252 Š (138) is shifted") << u"\u0160"_s << QByteArray::fromHex("DF");
    QTest::newRow("euro sign (128)") << u"\u20AC"_s << QByteArray::fromHex("D5");
    QTest::newRow("ª (170), the last shifted code") << u"\u00AA"_s << QByteArray::fromHex("FF");
    QTest::newRow("« (171), the first escaped code") << u"\u00AB"_s << QByteArray("&#171;");
    QTest::newRow("ÿ (255)") << u"\u00FF"_s << QByteArray("&#255;");
    QTest::newRow("Šárka keeps its Š and escapes á")
        << u"\u0160\u00E1rka"_s << QByteArray("\xDF&#225;\xC7\xC0\xB6");
    QTest::newRow("C1 control U+0080 is not in the code page")
        << u"\u0080"_s << QByteArray("&#128;");
    QTest::newRow("CJK") << u"\u738B"_s << QByteArray("&#29579;");
    QTest::newRow("emoji outside the BMP") << u"\U0001F600"_s << QByteArray("&#128512;");
    QTest::newRow("last code point") << u"\U0010FFFF"_s << QByteArray("&#1114111;");
}

void TestSavedReading::encodeText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);

    QCOMPARE(EncodeText(text), encoded);
}

void TestSavedReading::decodeText_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QString>("text");

    QTest::newRow("worked example name") << QByteArray::fromHex("96C3C3") << u"Ann"_s;
    QTest::newRow("worked example month") << QByteArray::fromHex("A2B6CE") << u"May"_s;
    QTest::newRow("Šárka") << QByteArray("\xDF&#225;\xC7\xC0\xB6") << u"\u0160\u00E1rka"_s;
    QTest::newRow("bytes below 85 outside an escape are dropped")
        << QByteArray("\x96 \xC3\r\n\x01\xC3") << u"Ann"_s;
    QTest::newRow("escape of a shiftable character") << QByteArray("&#65;") << u"A"_s;
    QTest::newRow("escape between letters") << QByteArray("\x96&#233;\x96") << u"A\u00E9A"_s;
    QTest::newRow("ampersand before an escape") << QByteArray("&&#233;") << u"\u00E9"_s;
    QTest::newRow("emoji") << QByteArray("&#128512;") << u"\U0001F600"_s;
    QTest::newRow("seven digits with leading zeros") << QByteArray("&#0000065;") << u"A"_s;
    QTest::newRow("last code point") << QByteArray("&#1114111;") << u"\U0010FFFF"_s;
    QTest::newRow("shortest escape, at the very end") << QByteArray("\x96&#9;") << u"A\t"_s;

    // Malformed escapes leave nothing behind and do not swallow what follows.
    QTest::newRow("no digits") << QByteArray("&#;\x96") << u"A"_s;
    QTest::newRow("no semicolon at the end") << QByteArray("\x96&#12") << u"A"_s;
    QTest::newRow("no semicolon before text") << QByteArray("&#12\x96") << u"A"_s;
    QTest::newRow("eight digits") << QByteArray("&#99999999;\x96") << u"A"_s;
    QTest::newRow("eight digits with leading zeros") << QByteArray("&#00000065;") << QString();
    QTest::newRow("beyond the last code point") << QByteArray("&#1114112;") << QString();
    QTest::newRow("high surrogate") << QByteArray("&#55296;\x96") << u"A"_s;
    QTest::newRow("low surrogate") << QByteArray("&#57343;") << QString();
    QTest::newRow("code point 0") << QByteArray("&#0;") << QString();
    QTest::newRow("lone ampersand and hash") << QByteArray("&#") << QString();
    QTest::newRow("only an ampersand") << QByteArray("&") << QString();
}

void TestSavedReading::decodeText()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QString, text);

    QCOMPARE(DecodeText(encoded), text);
}

void TestSavedReading::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << u"Ann"_s;
    QTest::newRow("Šárka") << u"\u0160\u00E1rka"_s;
    QTest::newRow("Zoë Ødegård") << u"Zo\u00EB \u00D8deg\u00E5rd"_s;
    QTest::newRow("王小明") << u"\u738B\u5C0F\u660E"_s;
    QTest::newRow("emoji between words") << u"Joy \U0001F600 Ride"_s;
    QTest::newRow("commas and quotes") << u"O'Neil, Mary \"May\", Jr."_s;
    QTest::newRow("text that looks like an escape") << u"Tom &#65; Jerry &#;"_s;
    QTest::newRow("CR and LF inside") << u"two\r\nlines"_s;
    QTest::newRow("C1 controls") << u"\u0080\u0081\u009F"_s;
}

void TestSavedReading::roundTrip()
{
    QFETCH(QString, text);

    const QByteArray encoded = EncodeText(text);
    for (const char forbidden : {'\r', '\n', ',', '"', ' '})
        QVERIFY2(!encoded.contains(forbidden), encoded.toHex(' ').constData());
    QCOMPARE(DecodeText(encoded), text);
}

void TestSavedReading::shiftedCodesRoundTrip()
{
    for (int code = 0; code <= 170; ++code) {
        const QString character = fromWindows1252(QByteArray(1, static_cast<char>(code)));
        const QByteArray shifted(1, static_cast<char>(code + 85));
        QVERIFY2(EncodeText(character) == shifted, qPrintable(QString::number(code)));
        QVERIFY2(DecodeText(shifted) == character, qPrintable(QString::number(code)));
    }
}

void TestSavedReading::codesAboveTheShiftAreEscaped()
{
    for (int code = 171; code <= 255; ++code) {
        const QString character = fromWindows1252(QByteArray(1, static_cast<char>(code)));
        const QByteArray escape = "&#" + QByteArray::number(character.at(0).unicode()) + ';';
        QVERIFY2(EncodeText(character) == escape, qPrintable(QString::number(code)));
        QVERIFY2(DecodeText(escape) == character, qPrintable(QString::number(code)));
    }
}

void TestSavedReading::oldReaderCompatibility_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oldReaderText"); // what a reader without escapes makes of it

    QTest::newRow("plain") << u"Ann"_s << u"Ann"_s;
    QTest::newRow("Šárka") << u"\u0160\u00E1rka"_s << u"\u0160rka"_s;
    QTest::newRow("Zoë Ødegård") << u"Zo\u00EB \u00D8deg\u00E5rd"_s << u"Zo degrd"_s;
    QTest::newRow("王小明") << u"\u738B\u5C0F\u660E"_s << QString();
    QTest::newRow("euro and guillemets") << u"\u20AC5 \u00ABquoted\u00BB"_s << u"\u20AC5 quoted"_s;
    QTest::newRow("emoji") << u"Joy \U0001F600"_s << u"Joy "_s;
}

void TestSavedReading::oldReaderCompatibility()
{
    QFETCH(QString, text);
    QFETCH(QString, oldReaderText);

    const QByteArray encoded = EncodeText(text);
    QCOMPARE(oldReaderDecode(encoded), oldReaderText);

    QByteArray withoutEscapes;
    for (const char byte : encoded) {
        if (static_cast<unsigned char>(byte) >= 85)
            withoutEscapes += byte;
    }
    QCOMPARE(DecodeText(withoutEscapes), oldReaderDecode(encoded));
}

void TestSavedReading::goldenFile()
{
    QCOMPARE(FileBytes(AnnFilePath()), AnnFileBytes);
    QCOMPARE(EncodeSavedReading(Ann), AnnFileBytes);

    const Result<BirthDetails> read = ReadSavedReading(AnnFilePath());
    QCOMPARE(describe(read), u"read"_s);
    QCOMPARE(*read, Ann);
}

void TestSavedReading::decodeSavedReading_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("lines");

    const QStringList annLines{u"Ann"_s, u"1"_s, u"May"_s, u"1970"_s};
    QTest::newRow("CR LF") << AnnFileBytes << annLines;
    QTest::newRow("CR only") << QByteArray::fromHex("96C3C30D860DA2B6CE0D868E8C850D") << annLines;
    QTest::newRow("no line end after the year")
        << QByteArray::fromHex("96C3C30D0A860D0AA2B6CE0D0A868E8C85") << annLines;
    QTest::newRow("lines beyond the fourth are ignored")
        << AnnFileBytes + QByteArray::fromHex("99990D0A86870D0A") << annLines;
    QTest::newRow("missing lines count as empty")
        << QByteArray::fromHex("96C3C30D0A")
        << QStringList{u"Ann"_s, QString(), QString(), QString()};
    QTest::newRow("CR CR is an empty line") << QByteArray::fromHex("96C3C30D0D860D0AA2B6CE0D0A")
                                            << QStringList{u"Ann"_s, QString(), u"1"_s, u"May"_s};
    QTest::newRow("LF alone is no line end")
        << QByteArray::fromHex("96C3C30A860D0A")
        << QStringList{u"Ann1"_s, QString(), QString(), QString()};
    QTest::newRow("empty") << QByteArray()
                           << QStringList{QString(), QString(), QString(), QString()};
}

void TestSavedReading::decodeSavedReading()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, lines);

    const BirthDetails details = DecodeSavedReading(contents);
    QCOMPARE((QStringList{details.name, details.day, details.month, details.year}), lines);
}

void TestSavedReading::readSavedReading_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");

    const auto file = [](const QString& day, const QString& month, const QString& year) {
        return EncodeSavedReading({u"Ann"_s, day, month, year});
    };
    const QString ok = u"read"_s;
    const QString notSaved = u"not a saved reading"_s;

    QTest::newRow("worked example") << AnnFileBytes << ok;
    QTest::newRow("CR only") << QByteArray::fromHex("96C3C30D860DA2B6CE0D868E8C850D") << ok;
    QTest::newRow("more than four lines") << AnnFileBytes + QByteArray(1000, '\x99') + "\r\n" << ok;
    QTest::newRow("first list date") << file(u"1"_s, u"January"_s, u"1900"_s) << ok;
    QTest::newRow("last list date") << file(u"31"_s, u"December"_s, u"2050"_s) << ok;
    QTest::newRow("31 February is a list entry") << file(u"31"_s, u"February"_s, u"1999"_s) << ok;

    QTest::newRow("day 0") << file(u"0"_s, u"May"_s, u"1970"_s) << notSaved;
    QTest::newRow("day 32") << file(u"32"_s, u"May"_s, u"1970"_s) << notSaved;
    QTest::newRow("day 05") << file(u"05"_s, u"May"_s, u"1970"_s) << notSaved;
    QTest::newRow("day +5") << file(u"+5"_s, u"May"_s, u"1970"_s) << notSaved;
    QTest::newRow("day escaped blank and 5")
        << QByteArray("\x96\r\n&#32;\x8A\r\n\xA2\xB6\xCE\r\n\x86\x8E\x8C\x85\r\n") << notSaved;
    QTest::newRow("month may") << file(u"1"_s, u"may"_s, u"1970"_s) << notSaved;
    QTest::newRow("month 5") << file(u"1"_s, u"5"_s, u"1970"_s) << notSaved;
    QTest::newRow("year 1899") << file(u"1"_s, u"May"_s, u"1899"_s) << notSaved;
    QTest::newRow("year 2051") << file(u"1"_s, u"May"_s, u"2051"_s) << notSaved;
    QTest::newRow("year 01970") << file(u"1"_s, u"May"_s, u"01970"_s) << notSaved;
    QTest::newRow("year 70") << file(u"1"_s, u"May"_s, u"70"_s) << notSaved;
    QTest::newRow("empty file") << QByteArray() << notSaved;
    QTest::newRow("name only") << QByteArray::fromHex("96C3C30D0A") << notSaved;
    QTest::newRow("lines split at LF")
        << QByteArray::fromHex("96C3C30A860AA2B6CE0A868E8C850A") << notSaved;
}

void TestSavedReading::readSavedReading()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"reading.nsk"_s);
    QVERIFY(WriteFile(path, contents));

    const Result<BirthDetails> read = ReadSavedReading(path);
    QCOMPARE(describe(read), error);
    QCOMPARE(read.ok(), error == u"read"_s);
    QCOMPARE(*ReadSavedReadingLines(path), DecodeSavedReading(contents));
}

void TestSavedReading::readStopsAtTheLimit_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");
    QTest::addColumn<qsizetype>("nameLength");

    const QByteArray dateLines = QByteArray::fromHex("860D0AA2B6CE0D0A868E8C850D0A");
    QTest::newRow("10 MB without a line break")
        << QByteArray(10 * 1024 * 1024, '\x96') << u"not a saved reading"_s
        << SavedReadingReadLimit;
    QTest::newRow("65 KiB name line pushes the date past the limit")
        << QByteArray(65 * 1024, '\x96') + "\r\n" + dateLines << u"not a saved reading"_s
        << SavedReadingReadLimit;
    QTest::newRow("whole file just within the limit")
        << QByteArray(SavedReadingReadLimit - 2 - dateLines.size(), '\x96') + "\r\n" + dateLines
        << u"read"_s << SavedReadingReadLimit - 2 - dateLines.size();
    QTest::newRow("valid lines then 10 MB of junk")
        << AnnFileBytes + QByteArray(10 * 1024 * 1024, '\x96') << u"read"_s << qsizetype(3);
}

void TestSavedReading::readStopsAtTheLimit()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);
    QFETCH(qsizetype, nameLength);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"big.nsk"_s);
    QVERIFY(WriteFile(path, contents));

    QElapsedTimer timer;
    timer.start();
    const Result<BirthDetails> read = ReadSavedReading(path);
    const qint64 elapsed = timer.elapsed();

    QCOMPARE(describe(read), error);
    QCOMPARE(ReadSavedReadingLines(path)->name.size(), nameLength);
    QVERIFY2(elapsed < 1000, qPrintable(u"%1 ms"_s.arg(elapsed)));
}

void TestSavedReading::readUnreadable_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("directory") << u"directory"_s;
    QTest::newRow("path through a regular file") << u"throughFile"_s;
    QTest::newRow("FIFO without a writer") << u"fifo"_s;
    QTest::newRow("opens but fails to read") << u"failsToRead"_s;
    // Permissions stop everyone but root; root meets a file no one may open instead.
    QTest::newRow("no read permission") << u"noPermission"_s;
}

void TestSavedReading::readUnreadable()
{
    QFETCH(QString, kind);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(u"reading.nsk"_s);
    if (kind == u"directory") {
        QVERIFY(QDir(dir.path()).mkdir(u"reading.nsk"_s));
    } else if (kind == u"throughFile") {
        QVERIFY(WriteFile(path, AnnFileBytes));
        path += u"/inner.nsk"_s;
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"failsToRead") {
        // The kernel lists it as a regular file and opens it, but reading at offset 0 fails.
        path = u"/proc/self/mem"_s;
    } else if (kind == u"noPermission") {
        if (isRoot()) {
            path = u"/proc/self/clear_refs"_s;
        } else {
            QVERIFY(WriteFile(path, AnnFileBytes));
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        }
    }

    QElapsedTimer timer;
    timer.start();
    const Result<BirthDetails> read = ReadSavedReading(path);
    QCOMPARE(describe(read), u"cannot read"_s);
    QVERIFY(!read.ok());
    QVERIFY(!read.failure().reason.isEmpty());
    QVERIFY2(timer.elapsed() < 1000, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));
}

// The path keeps turning from a saved reading into a FIFO and back, between any check and any open
// the reader makes; it must never wait for a writer that does not come.
void TestSavedReading::readNeverWaitsOnAFifoSwappedIn()
{
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray file = QFile::encodeName(dir.filePath(u"ann.nsk"_s));
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"fifo"_s));
    const QByteArray next = QFile::encodeName(dir.filePath(u"next"_s));
    const QString path = dir.filePath(u"reading.nsk"_s);
    QVERIFY(WriteFile(QFile::decodeName(file), AnnFileBytes));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QCOMPARE(::symlink(file.constData(), QFile::encodeName(path).constData()), 0);

    std::atomic<int> reads = 0;
    std::thread reader([&reads, &path] {
        for (int i = 0; i < 3000; ++i, ++reads)
            (void)ReadSavedReading(path);
    });
    bool waited = false;
    int seen = -1;
    QElapsedTimer sinceLastRead;
    for (bool toFifo = true; reads < 3000; toFifo = !toFifo) {
        if (reads != seen) {
            seen = reads;
            sinceLastRead.start();
        } else if (sinceLastRead.elapsed() > 2000) {
            // Stuck in open(): a writer coming and going lets the reader go on.
            waited = true;
            toFifo = false;
            const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
        }
        if (waited && toFifo)
            continue;
        ::unlink(next.constData());
        QCOMPARE(::symlink(toFifo ? fifo.constData() : file.constData(), next.constData()), 0);
        QCOMPARE(::rename(next.constData(), QFile::encodeName(path).constData()), 0);
    }
    reader.join();
    QVERIFY(!waited);
}

void TestSavedReading::writeSavedReading_data()
{
    QTest::addColumn<BirthDetails>("details");
    QTest::addColumn<QByteArray>("contents");

    QTest::newRow("worked example") << Ann << AnnFileBytes;
    QTest::newRow("Zoë Ødegård")
        << BirthDetails{u"Zo\u00EB \u00D8deg\u00E5rd"_s, u"29"_s, u"February"_s, u"2000"_s}
        << QByteArray("\xAF\xC4&#235;u&#216;\xB9\xBA\xBC&#229;\xC7\xB9\r\n"
                      "\x87\x8E\r\n\x9B\xBA\xB7\xC7\xCA\xB6\xC7\xCE\r\n\x87\x85\x85\x85\r\n");
    QTest::newRow("王小明")
        << BirthDetails{u"\u738B\u5C0F\u660E"_s, u"9"_s, u"October"_s, u"1988"_s}
        << QByteArray("&#29579;&#23567;&#26126;\r\n\x8E\r\n\xA4\xB8\xC9\xC4\xB7\xBA\xC7\r\n"
                      "\x86\x8E\x8D\x8D\r\n");
}

void TestSavedReading::writeSavedReading()
{
    QFETCH(BirthDetails, details);
    QFETCH(QByteArray, contents);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"reading.nsk"_s);

    QCOMPARE(written(WriteSavedReading(path, details)), u"written"_s);
    QCOMPARE(FileBytes(path), contents);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"reading.nsk"_s});

    const Result<BirthDetails> read = ReadSavedReading(path);
    QCOMPARE(describe(read), u"read"_s);
    QCOMPARE(*read, details);
}

void TestSavedReading::overwriteReplaces()
{
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"reading.nsk"_s);
    const BirthDetails longer{u"Maximilian Alexander von Habsburg"_s, u"28"_s, u"September"_s,
                              u"2001"_s};

    QCOMPARE(written(WriteSavedReading(path, longer)), u"written"_s);
    QCOMPARE(written(WriteSavedReading(path, Ann)), u"written"_s);
    QCOMPARE(FileBytes(path), AnnFileBytes);
    QCOMPARE(written(WriteSavedReading(path, Ann)), u"written"_s);
    QCOMPARE(FileBytes(path), AnnFileBytes);
}

void TestSavedReading::writeFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // the system's, where it gives one

    QTest::newRow("missing folder") << u"missingFolder"_s << u"No such file or directory"_s;
    QTest::newRow("parent is a regular file") << u"parentIsFile"_s << u"Not a directory"_s;
    QTest::newRow("target is a directory") << u"targetIsDirectory"_s << u"not a regular file"_s;
    // Permissions stop everyone but root; root meets a file no one may write to.
    QTest::newRow("folder without write permission")
        << u"readOnlyFolder"_s << (isRoot() ? u"the file is read-only"_s : u"Permission denied"_s);
    // A full disk or file size limit: either no byte goes out, or the first few do and then
    // the system refuses the rest.
    QTest::newRow("write refused at once") << u"refusedAtOnce"_s << u"File too large"_s;
    QTest::newRow("write stops part-way") << u"stopsPartWay"_s << u"File too large"_s;
}

void TestSavedReading::writeFailureKeepsOldFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The file that must come out of the failed write as it went in.
    QString oldFile = dir.filePath(u"reading.nsk"_s);
    QVERIFY(WriteFile(oldFile, "the old file, longer than the new one would be"));
    QStringList entriesAfter{u"reading.nsk"_s};

    QString path = oldFile;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    if (kind == u"missingFolder") {
        path = dir.filePath(u"missing/reading.nsk"_s);
    } else if (kind == u"parentIsFile") {
        path = oldFile + u"/inner.nsk"_s;
    } else if (kind == u"targetIsDirectory") {
        QVERIFY(QDir(dir.path()).mkdir(u"folder.nsk"_s));
        entriesAfter.prepend(u"folder.nsk"_s);
        path = dir.filePath(u"folder.nsk"_s);
    } else if (kind == u"readOnlyFolder") {
        if (isRoot()) {
            oldFile = u"/proc/version"_s;
            path = oldFile;
        } else {
            QVERIFY(
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
    } else if (kind == u"refusedAtOnce") {
        fileSizeLimit = 0;
    } else if (kind == u"stopsPartWay") {
        fileSizeLimit = 10;
    }
    const QByteArray before = FileBytes(oldFile);

    Done error;
    {
        std::optional<FileSizeLimit> limit;
        if (fileSizeLimit != RLIM_INFINITY) {
            limit.emplace(fileSizeLimit);
            QVERIFY(limit->active());
        }
        error = WriteSavedReading(path, Ann);
    }
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));

    QCOMPARE(written(error), u"not written: "_s + reason);
    QCOMPARE(FileBytes(oldFile), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             entriesAfter);
}

void TestSavedReading::whatIsSavedOpensAgain_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("saved");

    // U+FFFD takes the longest escape a single code unit can have, "&#65533;".
    QTest::newRow("longest escapes, at the limit") << QString(MaxNameLength, QChar(0xFFFD)) << true;
    QTest::newRow("2,000 CJK letters") << QString(2000, QChar(0x738B)) << true;
    QTest::newRow("longest plain name") << QString(MaxNameLength, u'a') << true;
    QTest::newRow("one over the limit") << QString(MaxNameLength + 1, u'a') << false;
}

void TestSavedReading::whatIsSavedOpensAgain()
{
    QFETCH(QString, name);
    QFETCH(bool, saved);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"reading.nsk"_s);
    const BirthDetails details{name, u"28"_s, u"September"_s, u"2050"_s};

    QCOMPARE(written(WriteSavedReading(path, details)),
             saved ? u"written"_s : u"not written: the name is longer than 4000 characters"_s);
    QCOMPARE(QFileInfo::exists(path), saved);
    if (saved) {
        const Result<BirthDetails> read = ReadSavedReading(path);
        QCOMPARE(describe(read), u"read"_s);
        QCOMPARE(*read, details);
    }
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestSavedReading)
#include "tst_savedreading.moc"
