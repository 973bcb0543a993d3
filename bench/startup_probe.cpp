// The windowed start of kistarra, ended as soon as the birth details window has painted its first
// frame, so that bench/startup.sh can time the start and read its peak memory.
//
// main() mirrors RunWindows in app/main.cpp step by step - application name, QApplication,
// QtDesktop, SingleInstanceGuard, StartUp with the program's own settings opener, the event loop -
// and must be kept alike when that changes. Besides ending after the first frame, only two things
// differ, both so that the runs leave the person's own files alone: the lock file and the settings
// store live in the folder given as the first argument (the temporary folder when none is given).
// A saved reading given as the second argument is opened as a file manager would have the program
// open it, and the run then ends at the result window's first frame instead.
//
// Prints the birth details window's size as WIDTHxHEIGHT, for the baseline to show a window of
// the same size.

#include <memory>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextStream>
#include <QFile>

#include "settings/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "bench/firstpaintwatch.h"
#include "platform/qtdesktop.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(u"kistarra"_s);
    const QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder =
        arguments.size() > 1 ? arguments.at(1) : QDir::temp().filePath(u"kistarra-startup-probe"_s);

    Kistarra::QtDesktop desktop;
    Kistarra::SingleInstanceGuard guard(QDir(folder).filePath(u"kistarra.lock"_s));
    const QString savedReading = arguments.size() > 2 ? arguments.at(2) : QString();
    const std::unique_ptr<Kistarra::ProgramWindows> windows = Kistarra::StartUp(
        desktop, guard, [folder] { return std::make_unique<Kistarra::ProgramSettings>(folder); },
        savedReading);
    if (!windows)
        return 1;
    QWidget* const shown = savedReading.isEmpty()
                               ? static_cast<QWidget*>(windows->birthDetailsWindow())
                               : static_cast<QWidget*>(windows->resultWindow());
    if (shown == nullptr)
        return 1;

    // Ended without closing anything: the birth details window closed by anything but a reading
    // brings up the farewell window, which would be measured too. The lock is given up as the
    // guard would give it up, so that the next run does not find a copy that died.
    const Kistarra::FirstPaintWatch watch(shown, [shown, &guard] {
        Kistarra::EndAfterFirstFrame([shown, &guard] {
            QTextStream(stdout) << shown->width() << 'x' << shown->height() << Qt::endl;
            QFile::remove(guard.lockFilePath());
        });
    });
    return QApplication::exec();
}
