// Kistarra: a Nine Star Ki reading for a name and a birth date.
//
// The road of one reading: the birth details window (windows/) hands BirthDetails (four texts) to
// the core (engine/, fengshui/, reading/), which derives a Reading (star numbers, Lo Shu cells,
// Feng Shui profile, composed texts); the result window and the report window only render it, and
// the .nsk codec (savedreading/) saves and restores the four texts. ProgramWindows leads the
// person from window to window, and whatever leaves the process goes through the Desktop of
// platform/. With options the same core answers in the terminal (cli/), no window built.

#include <array>
#include <memory>

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include "settings/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "cli/commandline.h"
#include "platform/qtdesktop.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace {

// A terminal run needs no display and hands none of the person's arguments to the toolkit, whose
// own options (-platform, -display, -name, -reverse, ...) would take them. Writing a PDF lays out
// text, which takes a GUI application: always on the offscreen platform, whatever the environment
// names. Everything else needs no GUI at all.
int RunInTerminal(char* program, const Kistarra::ArgumentsText& text)
{
    Kistarra::InstallTerminalMessageHandler();
    if (!text.inexact.isEmpty()) {
        QTextStream(stderr)
            << u"kistarra: argument '%1' is not text in the locale's encoding"_s.arg(text.inexact)
            << (text.inexactNamesFile
                    ? u", so the file it names could not be used exactly; rename it"_s
                    : QString())
            << Qt::endl;
        return Kistarra::ExitBadInput;
    }
    int argc = 1;
    std::array<char*, 2> argv = {program, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (Kistarra::CommandLineNeedsFonts(text.arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv.data());
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv.data());
    }
    QFile standardOutput;
    if (!standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Kistarra::ExitFileProblem;
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return Kistarra::RunCommandLine(text.arguments, out, err);
}

// A file manager starts the program with the saved reading to open as its only argument.
int RunWindows(int& argc, char* argv[], bool argumentsExact)
{
    const QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString savedReading = arguments.size() > 1 ? arguments.at(1) : QString();
    if (!argumentsExact)
        QTextStream(stderr) << u"kistarra: the file name given is not text in the locale's "
                               u"encoding, so it could not be opened exactly; rename it"_s
                            << Qt::endl;

    Kistarra::QtDesktop desktop;
    Kistarra::SingleInstanceGuard guard;
    const std::unique_ptr<Kistarra::ProgramWindows> windows = Kistarra::StartUp(
        desktop, guard,
        [] {
            return std::make_unique<Kistarra::ProgramSettings>(
                Kistarra::ProgramSettings::UserFolder());
        },
        savedReading, argumentsExact);
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
    const Kistarra::ArgumentsText text = Kistarra::DecodeArguments(argc, argv);
    if (Kistarra::IsCommandLineRun(text.arguments))
        return RunInTerminal(argv[0], text);
    return RunWindows(argc, argv, text.inexact.isEmpty());
}
