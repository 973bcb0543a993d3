#include "tests/support/fakedesktop.h"

#include "reading/calendartext.h"

#include <QTextDocument>
#include <QtGlobal>

namespace Kistarra {

void FakeDesktop::showNotice(QWidget*, const QString& text)
{
    messages.append({MessageKind::Notice, text});
}

void FakeDesktop::showError(QWidget*, const QString& text)
{
    messages.append({MessageKind::Error, text});
}

bool FakeDesktop::askYesNo(QWidget*, const QString& text)
{
    messages.append({MessageKind::Question, text});
    return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
}

QString FakeDesktop::openFileName(QWidget*, const FileDialogOptions& options)
{
    openDialogs.append(options);
    return openFileNames.isEmpty() ? QString() : openFileNames.takeFirst();
}

QString FakeDesktop::saveFileName(QWidget*, const FileDialogOptions& options)
{
    saveDialogs.append(options);
    return saveFileNames.isEmpty() ? QString() : saveFileNames.takeFirst();
}

void FakeDesktop::openUrl(const QUrl& url)
{
    openedUrls.append(url);
}

bool FakeDesktop::print(const QTextDocument& document)
{
    printedTexts.append(document.toPlainText());
    return printSucceeds;
}

bool FakeDesktop::printCalendarPage(const CalendarPage& page)
{
    printedMonths.append(page);
    printedTexts.append(CalendarMonthTitle(page.calendar));
    return printSucceeds;
}

void FakeDesktop::clearClipboard()
{
    ++clipboardClears;
}

QDate FakeDesktop::today() const
{
    return todayDate;
}

void FakeDesktop::seedRandom()
{
    ++randomSeedings;
}

int FakeDesktop::randomBounded(int lowest, int highest)
{
    randomRanges.append({lowest, highest});
    if (randomValues.isEmpty())
        return lowest;
    const int value = randomValues.takeFirst();
    // The real desktop never draws outside the range, so a script that does is a broken test.
    if (value < lowest || value > highest)
        qFatal("FakeDesktop: scripted random value %d lies outside %d..%d", value, lowest, highest);
    return value;
}

} // namespace Kistarra
