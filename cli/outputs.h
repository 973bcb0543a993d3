#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

#include "cli/answer.h"
#include "cli/arguments.h"
#include "files/result.h"

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
// same or a file over the opened reading that may not replace it (Request failures), a target
// that is no regular file (a System one). A failure's reason is the line the run prints.
[[nodiscard]] Result<OutputPlan> PlanOutputs(const CommandLineRequest& request,
                                             const Answer& answer);

// Writes the plan, or says why not (and no file is replaced).
[[nodiscard]] Done WriteOutputs(const OutputPlan& plan, QTextStream& out);

// Standard output, written out now, or why not all of it was.
[[nodiscard]] Done FlushStandardOutput(QTextStream& out);

} // namespace Kistarra
