// Kistarra: a Nine Star Ki reading for a name and a birth date.
//
// The road of one reading: the birth details window hands BirthDetails (four texts) to the core,
// which derives a Reading (star numbers, Lo Shu cells, Feng Shui profile, composed texts); the
// result window and the report window only render it, and the .nsk codec saves and restores the
// four texts. With options the same core answers in the terminal.

#include <memory>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSettings>
#include <QStringList>
#include <QTextStream>

#include "platform/qtdesktop.h"
#include "app/commandline.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "app/updatereminder.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace {

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// A terminal run needs no display. Writing a PDF lays out text, which takes a GUI application;
// the offscreen platform gives it one wherever the person has not chosen another.
int RunInTerminal(int& argc, char* argv[], const QStringList& arguments)
{
    // The terminal gets the program's own one-line messages only, not the toolkit's chatter.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    std::unique_ptr<QCoreApplication> application;
    if (Kistarra::CommandLineNeedsFonts(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Kistarra::RunCommandLine(QCoreApplication::arguments(), out, err);
}

// A file manager starts the program with the saved reading to open as its only argument.
int RunWindows(int& argc, char* argv[])
{
    const QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString savedReading = arguments.size() > 1 ? arguments.at(1) : QString();

    Kistarra::QtDesktop desktop;
    Kistarra::SingleInstanceGuard guard;
    const std::unique_ptr<Kistarra::ProgramWindows> windows =
        Kistarra::StartUp(desktop, guard, &Kistarra::OpenProgramSettings, savedReading);
    if (!windows)
        return 0;
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(u"kistarra"_s);
    QCoreApplication::setApplicationVersion(u"" KISTARRA_VERSION ""_s);
    // Decided before any application object exists.
    const QStringList arguments = Arguments(argc, argv);
    if (Kistarra::IsCommandLineRun(arguments))
        return RunInTerminal(argc, argv, arguments);
    return RunWindows(argc, argv);
}
