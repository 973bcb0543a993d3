#pragma once

#include <utility>

#include <QString>

#include "files/result.h"

// How a terminal run ends. Every step of a run (the arguments, the reading, the outputs) fails
// with the program's one Failure, whose reason is the whole line the run prints on stderr
// (without the "kistarra: " in front); only RunCommandLine turns a failure into an exit code,
// by its kind: a Request the person must change is 2, anything a file or the system did is 1.
namespace Kistarra {

enum ExitCode : int {
    ExitOk = 0,
    ExitFileProblem = 1, // a file that cannot be read, is not a saved reading, or cannot be written
    ExitBadInput = 2,    // a wrong or missing option or value
};

[[nodiscard]] constexpr ExitCode ExitCodeOf(const Failure& failure)
{
    return failure.kind == FailureKind::Request ? ExitBadInput : ExitFileProblem;
}

// A refusal of what the arguments ask: exit code 2.
[[nodiscard]] inline Failure Refused(QString line)
{
    return Failure{std::move(line), {}, FailureKind::Request};
}

// A file or stream that failed the run: exit code 1.
[[nodiscard]] inline Failure FileProblem(QString line, QString path = {})
{
    return Failure{std::move(line), std::move(path), FailureKind::System};
}

} // namespace Kistarra
