#pragma once

#include <QStringList>

#include "cli/arguments.h"
#include "cli/exitcodes.h"

class QTextStream;

// The headless side of kistarra: a reading as the plain report, as JSON or as the printed report
// in a PDF file, from birth details given as options or from a saved reading file, and saving a
// saved reading file; with --forecast the year ahead from a date, with --calendar a month's
// calendar (also as its printed page), and with --solar-terms a year's solar terms alone. A run
// goes in steps, each in a file of this folder: the options (options.h) become a request
// (arguments.h, its dates read by datearguments.h), the request an answer (answer.h: the reading,
// its year ahead and day, the calendar), the answer an output plan (outputs.h: the terminal text
// of terminaltext.h and the files), and the plan is written. Each step fails with the program's
// one Failure; only RunCommandLine turns it into an exit code (exitcodes.h).
namespace Kistarra {

// True when the arguments ask for the command line rather than the windows: any option at all.
[[nodiscard]] bool IsCommandLineRun(const QStringList& arguments);

// True when the run lays out text (a PDF), which needs a GUI application, though no display.
[[nodiscard]] bool CommandLineNeedsFonts(const QStringList& arguments);

// The program's arguments as text. An argument whose bytes the text cannot give back exactly (a
// file name in another encoding than the locale's) would name another file; it is reported in
// `inexact`, its odd bytes written as \xNN, and the run must refuse it; `inexactNamesFile` says
// whether it names a file (the value of --open, --save or --pdf, or an argument that is no option
// or option's value, as a file manager gives one) rather than being other text, such as a name.
struct ArgumentsText {
    QStringList arguments;
    QString inexact;
    bool inexactNamesFile = false;
};
[[nodiscard]] ArgumentsText DecodeArguments(int argc, const char* const argv[]);

// For a terminal run: the toolkit's messages stay out of the terminal, and a fatal one ends the
// run as one "kistarra: " line on stderr with exit code 1.
void InstallTerminalMessageHandler();

// Runs the command line; arguments[0] is the program. Returns the process's exit code
// (exitcodes.h), having printed a failure's line on `err`. Standard output is flushed and checked
// before the files are put in place.
[[nodiscard]] int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace Kistarra
