#pragma once

#include <QDate>
#include <QString>

class QTextDocument;
class QUrl;
class QWidget;

namespace Kistarra {

struct CalendarPage;

// What a file dialog shows. The filter is in Qt's form, "Description (*.ext)".
struct FileDialogOptions {
    QString title;
    QString filter;
    QString defaultSuffix;

    friend bool operator==(const FileDialogOptions&, const FileDialogOptions&) = default;
};

// The open dialog of the birth details window.
[[nodiscard]] inline FileDialogOptions SavedReadingOpenDialog()
{
    return {QStringLiteral("Select the source file"), QStringLiteral("Kistarra (*.nsk)"),
            QStringLiteral("nsk")};
}

// The save dialog of the calendar's "Save as PDF".
[[nodiscard]] inline FileDialogOptions PdfSaveDialog()
{
    return {QStringLiteral("Save as PDF"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf")};
}

// The save dialog of the report window. A name typed without an extension gets ".nsk", so every
// saved reading can be opened again.
[[nodiscard]] inline FileDialogOptions SavedReadingSaveDialog()
{
    return {QStringLiteral("Kistarra"), QStringLiteral("Kistarra (*.nsk)"), QStringLiteral("nsk")};
}

// Everything that leaves the process or waits for a person goes through one Desktop, handed to
// each window when it is built. The program runs on QtDesktop; the tests hand the windows a fake
// that records every call and answers from a script, so every window can be driven offscreen with
// no real dialog, browser, printer or clipboard.
class Desktop {
public:
    Desktop() = default;
    virtual ~Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    Desktop(Desktop&&) = delete;
    Desktop& operator=(Desktop&&) = delete;

    // Modal message boxes titled "Kistarra". The question has Yes and No buttons; true means Yes.
    virtual void showNotice(QWidget* parent, const QString& text) = 0;
    virtual void showError(QWidget* parent, const QString& text) = 0;
    [[nodiscard]] virtual bool askYesNo(QWidget* parent, const QString& text) = 0;

    // Modal file dialogs with an empty initial file name. The open dialog accepts only an existing
    // file; the save dialog asks before replacing one. An empty result means the person cancelled.
    [[nodiscard]] virtual QString openFileName(QWidget* parent,
                                               const FileDialogOptions& options) = 0;
    [[nodiscard]] virtual QString saveFileName(QWidget* parent,
                                               const FileDialogOptions& options) = 0;

    // Hands the address to the default browser and returns at once. A failure goes unreported:
    // nobody waits for a web page.
    virtual void openUrl(const QUrl& url) = 0;

    // Prints the document on the default printer, without a dialog. False when there is no
    // printer or the printer refused the job.
    virtual bool print(const QTextDocument& document) = 0;
    // Prints a month of the calendar on A4 paper on its side on the default printer. False as
    // above.
    virtual bool printCalendarPage(const CalendarPage& page) = 0;

    // Empties the system clipboard when what it holds came from this program; another program's
    // content is left alone.
    virtual void clearClipboard() = 0;

    [[nodiscard]] virtual QDate today() const = 0;

    // Uniform random integers. seedRandom() starts a new sequence from the clock; until then the
    // sequence is the same on every run.
    virtual void seedRandom() = 0;
    // lowest <= highest; both ends can be drawn.
    [[nodiscard]] virtual int randomBounded(int lowest, int highest) = 0;
};

} // namespace Kistarra
