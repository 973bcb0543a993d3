#pragma once

#include <optional>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QString>

#include "cli/arguments.h"
#include "cli/terminaltext.h"

class QTextStream;

// The outputs of a run, all or nothing: every byte is made in memory and every target checked
// before anything is written; the files then go into temporaries, standard output is written,
// and only when all of that worked do the files replace their targets.
namespace Kistarra {

struct PlannedFile {
    QString path;
    QByteArray bytes;
};

struct OutputPlan {
    QString text; // for standard output
    std::vector<PlannedFile> files;
};

// The outputs the request asks for, or why one of them cannot be made: two files that are the
// same, a file over the opened reading that may not replace it, a target that is no regular file.
[[nodiscard]] std::variant<OutputPlan, Refusal> PlanOutputs(const CommandLineRequest& request,
                                                            const Answer& answer);

// Writes the plan; nothing when it worked, else why (and no file replaced).
[[nodiscard]] std::optional<Refusal> WriteOutputs(const OutputPlan& plan, QTextStream& out);

// Standard output, written out now: nothing when all of it was, else why not.
[[nodiscard]] std::optional<Refusal> FlushStandardOutput(QTextStream& out);

} // namespace Kistarra
