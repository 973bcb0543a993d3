// Kistarra: a Nine Star Ki reading for a name and a birth date.
//
// The road of one reading: the birth details window hands BirthDetails (four texts) to the core,
// which derives a Reading (star numbers, Lo Shu cells, Feng Shui profile, composed texts); the
// result window and the report window only render it, and the .nsk codec saves and restores the
// four texts. With options the same core answers in the terminal.

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "platform/qtdesktop.h"
#include "shell/commandline.h"
#include "shell/programwindows.h"

using namespace Qt::StringLiterals;

namespace {

// Decided before any application object exists: a terminal run must not need a display.
bool WantsCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return Kistarra::IsCommandLineRun(arguments);
}

int RunInTerminal(int& argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Kistarra::RunCommandLine(QCoreApplication::arguments(), out, err);
}

int RunWindows(int& argc, char* argv[])
{
    const QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(u"Kistarra"_s);
    Kistarra::QtDesktop desktop;
    Kistarra::ProgramWindows windows(desktop);
    windows.start();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(u"kistarra"_s);
    if (WantsCommandLine(argc, argv))
        return RunInTerminal(argc, argv);
    return RunWindows(argc, argv);
}
