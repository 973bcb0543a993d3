#include "cli/outputs.h"

#include <algorithm>

#include <QBuffer>
#include <QLocale>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>

#include "cli/exitcodes.h"
#include "cli/terminaltext.h"
#include "platform/calendarpage.h"
#include "platform/comparisonprint.h"
#include "platform/printing.h"
#include "reading/calendartext.h"
#include "savedreading/savedreading.h"
#include "files/wholefiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// What the report window's Print puts on paper, in the report's own font, as PDF bytes (with a
// partner what the Two People window's Print does); with --calendar what the calendar window's
// Print does, the month on one landscape A4 page.
Result<QByteArray> pdfReport(const Answer& answer)
{
    if (answer.calendar) {
        const QLocale locale = QLocale::system();
        const CalendarPage page{*answer.calendar, answer.reading.details.name,
                                locale.firstDayOfWeek(), locale.weekdays(), answer.partnerName()};
        QBuffer buffer;
        if (!CalendarPageToPdf(page, buffer) || buffer.data().isEmpty())
            return Failure{u"the month could not be laid out"_s};
        return buffer.data();
    }
    const Reading& reading = answer.reading;
    QBuffer buffer;
    if (answer.comparison) {
        if (!PrintedComparisonToPdf(reading, *answer.partner, *answer.comparison, buffer) ||
            buffer.data().isEmpty())
            return Failure{u"the comparison could not be laid out"_s};
        return buffer.data();
    }
    QTextDocument document;
    document.setDefaultFont(ReportFont());
    QTextCursor(&document).insertText(PrintedReportText(reading));
    if (!PrintToPdf(document, buffer) || buffer.data().isEmpty())
        return Failure{u"the report could not be laid out"_s};
    return buffer.data();
}

Result<QByteArray> savedReading(const Answer& answer)
{
    const Reading& reading = answer.reading;
    if (reading.details.name.size() > MaxNameLength)
        return Failure{u"the name is longer than %1 characters"_s.arg(MaxNameLength)};
    return EncodeSavedReading(reading.details);
}

// What a file output writes (its bytes, or why none), and whether it may name the saved reading
// given to --open (saving a reading over itself rewrites the same birth details).
struct FileMaker {
    bool mayRewriteTheInput;
    Result<QByteArray> (*contents)(const Answer&);
};

FileMaker makerOf(OutputFile kind)
{
    switch (kind) {
    case OutputFile::SavedReading:
        return {true, &savedReading};
    case OutputFile::Pdf:
        break;
    }
    return {false, &pdfReport};
}

// The files the request asks for, each a new file or a regular one that may be replaced, no two
// the same and none the opened reading unless its kind allows it.
Failure writeFailure(const QString& path, const QString& reason)
{
    return FileProblem(u"cannot write '%1': %2"_s.arg(path, reason), path);
}

Failure writeFailure(const Failure& failure)
{
    return writeFailure(failure.subject, failure.reason);
}

Done checkTargets(const CommandLineRequest& request)
{
    for (auto file = request.files.begin(); file != request.files.end(); ++file) {
        for (auto earlier = request.files.begin(); earlier != file; ++earlier) {
            if (SameTarget(earlier->path, file->path))
                return Refused(
                    u"--%1 and --%2 name the same file '%3'; give each its own file"_s.arg(
                        earlier->option, file->option, file->path));
        }
        if (!makerOf(file->kind).mayRewriteTheInput && request.openPath &&
            SameTarget(*request.openPath, file->path))
            return Refused(u"--%1 names the saved reading given to --open, '%2'"_s.arg(file->option,
                                                                                       file->path));
        // The partner's saved reading is only read: nothing of this run belongs in it.
        if (request.partnerOpenPath && SameTarget(*request.partnerOpenPath, file->path))
            return Refused(u"--%1 names the saved reading given to --partner-open, '%2'"_s.arg(
                file->option, file->path));
        if (const Done writable = CheckTarget(file->path); !writable)
            return writeFailure(file->path, writable.failure().reason);
    }
    return {};
}

} // namespace

Result<OutputPlan> PlanOutputs(const CommandLineRequest& request, const Answer& answer)
{
    // A name given with --name is refused as it is read; one from a saved reading of another
    // program may be longer still.
    const bool saves =
        std::any_of(request.files.begin(), request.files.end(),
                    [](const auto& file) { return file.kind == OutputFile::SavedReading; });
    if (saves && answer.reading.details.name.size() > MaxNameLength)
        return Refused(u"the name in '%1' is longer than %2 characters, more than a saved reading "
                       u"holds"_s.arg(request.openPath.value_or(QString()))
                           .arg(MaxNameLength));
    if (const Done checked = checkTargets(request); !checked)
        return checked.failure();
    OutputPlan plan;
    for (const RequestedFile& file : request.files) {
        Result<QByteArray> contents = makerOf(file.kind).contents(answer);
        if (!contents)
            return writeFailure(file.path, contents.failure().reason);
        plan.files.push_back({file.path, *std::move(contents)});
    }
    plan.text = TerminalText(request, answer);
    return plan;
}

Done FlushStandardOutput(QTextStream& out)
{
    out.flush();
    if (out.status() == QTextStream::Ok)
        return {};
    const QString reason = out.device() ? out.device()->errorString() : u"write error"_s;
    return FileProblem(u"cannot write to standard output: "_s + reason);
}

Done WriteOutputs(const OutputPlan& plan, QTextStream& out)
{
    WholeFiles written;
    for (const PlannedFile& file : plan.files) {
        if (const Done added = written.add(file.path, file.bytes); !added)
            return writeFailure(added.failure());
    }
    out << plan.text;
    if (Done flushed = FlushStandardOutput(out); !flushed)
        return flushed;
    if (const Done committed = written.commit(); !committed)
        return writeFailure(committed.failure());
    return {};
}

} // namespace Kistarra
