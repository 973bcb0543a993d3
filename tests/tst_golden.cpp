#include <QDir>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

// The command line as a person's script sees it: every run of tests/golden/runs.txt is made by
// the real program, and its exit code, standard output and standard error must equal the file
// tests/golden/<name>.txt byte for byte. After a deliberate change, `make golden` writes the
// files anew from the program, for the change to be read in the diff.
namespace Kistarra {

namespace {

const QString GoldenDir = QStringLiteral(KISTARRA_TEST_DATA_DIR "/../golden");

// What a run leaves, in the form the golden files keep: the command, the exit code, then the two
// streams, each behind a line of its own.
QByteArray Transcript(const QString& arguments, const QStringList& split)
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
    environment.insert(u"TZ"_s, u"Europe/London"_s);
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, u"/nonexistent"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KISTARRA_BINARY), split);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return "did not finish\n";
    }
    // The data folder's and the program's places differ from one checkout to the next; the files
    // name them @DATA@ and kistarra (as --help's usage line does).
    const QByteArray data = QByteArray(KISTARRA_TEST_DATA_DIR);
    auto portable = [&data](QByteArray bytes) {
        return bytes.replace(data, "@DATA@").replace(KISTARRA_BINARY, "kistarra");
    };
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return "$ kistarra " + arguments.toUtf8() + "\nexit " + QByteArray::number(exitCode) +
           "\n--- standard output\n" + portable(process.readAllStandardOutput()) +
           "--- standard error\n" + portable(process.readAllStandardError());
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
};

void TestGolden::runs_data()
{
    QTest::addColumn<QString>("arguments");
    QFile list(GoldenDir + u"/runs.txt"_s);
    QVERIFY2(list.open(QIODevice::ReadOnly), qPrintable(list.errorString()));
    int rows = 0;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString name = line.section(u' ', 0, 0);
        QTest::newRow(qPrintable(name)) << line.section(u' ', 1);
        ++rows;
    }
    QVERIFY(rows > 0);
}

void TestGolden::runs()
{
    QFETCH(QString, arguments);
    // Arguments are separated by single spaces; \s stands for a space inside one.
    QStringList split = arguments.split(u' ', Qt::SkipEmptyParts);
    for (QString& argument : split)
        argument.replace(u"@DATA@"_s, QStringLiteral(KISTARRA_TEST_DATA_DIR))
            .replace(u"\\s"_s, u" "_s);
    const QByteArray transcript = Transcript(arguments, split);
    QFile golden(GoldenDir + u'/' + QString::fromLatin1(QTest::currentDataTag()) + u".txt"_s);
    if (qEnvironmentVariableIsSet("KISTARRA_WRITE_GOLDEN")) {
        QVERIFY2(golden.open(QIODevice::WriteOnly | QIODevice::Truncate),
                 qPrintable(golden.errorString()));
        QCOMPARE(golden.write(transcript), transcript.size());
        return;
    }
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.errorString()));
    const QByteArray expected = golden.readAll();
    if (transcript == expected)
        return;
    // Name the first line that differs, which a comparison of the whole text would cut off.
    const QList<QByteArray> actualLines = transcript.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    for (qsizetype line = 0; line < qMin(actualLines.size(), expectedLines.size()); ++line) {
        if (actualLines[line] != expectedLines[line]) {
            const QByteArray where = "line " + QByteArray::number(line + 1) + " of the run";
            const QByteArray file = "the same line of " + golden.fileName().toUtf8();
            QTest::qCompare(QString::fromUtf8(actualLines[line]),
                            QString::fromUtf8(expectedLines[line]), where.constData(),
                            file.constData(), __FILE__, __LINE__);
            return;
        }
    }
    QCOMPARE(actualLines.size(), expectedLines.size());
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestGolden)
#include "tst_golden.moc"
