// Shows one window of the program on the display, for a reader of the accessibility tree that
// runs in another process: `showwindow --list` names the windows it knows, `showwindow <name>`
// shows that one, says "ready" on standard output once it is on screen, and quits when its
// standard input closes, or after two minutes so that it never outlives a reader that died.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QSocketNotifier>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include "tests/support/fakedesktop.h"
#include "tests/support/windowcatalogue.h"

using namespace Qt::StringLiterals;
using namespace Kistarra;

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    const QStringList names = CatalogueWindowNames();
    if (arguments.size() == 2 && arguments.at(1) == u"--list"_s) {
        for (const QString& name : names)
            out << name << Qt::endl;
        return 0;
    }
    if (arguments.size() != 2 || !names.contains(arguments.at(1))) {
        err << u"usage: showwindow --list | showwindow <window>"_s << Qt::endl;
        return 2;
    }

    FakeDesktop desktop;
    const std::unique_ptr<QWidget> window = MakeCatalogueWindow(arguments.at(1), desktop);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        err << u"showwindow: "_s << arguments.at(1) << u" never came on screen"_s << Qt::endl;
        return 1;
    }
    // With no window manager nothing activates a window but the window itself.
    window->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(window.get()));
    out << u"ready"_s << Qt::endl;

    QSocketNotifier input(fileno(stdin), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&input] {
        char byte = 0;
        if (std::fread(&byte, 1, 1, stdin) != 1) {
            input.setEnabled(false);
            QApplication::quit();
        }
    });
    QTimer::singleShot(120'000, &application, &QApplication::quit);
    return QApplication::exec();
}
