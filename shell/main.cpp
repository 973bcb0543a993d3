// Kistarra: a Nine Star Ki reading for a name and a birth date.
//
// The road of one reading: the birth details window hands BirthDetails (four texts) to the core,
// which derives a Reading (star numbers, Lo Shu cells, Feng Shui profile, composed texts); the
// result window and the report window only render it, and the .nsk codec saves and restores the
// four texts. With options the same core answers in the terminal.

#include <QCoreApplication>
#include <QTextStream>

#include "shell/commandline.h"

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (!Kistarra::IsCommandLineRun(arguments))
        arguments.append(QStringLiteral("--help"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Kistarra::RunCommandLine(arguments, out, err);
}
