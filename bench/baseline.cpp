// The floor the program's start is measured against: the smallest Qt Widgets program that shows
// one empty window, of the birth details window's size, and ends once it has painted its first
// frame. bench/startup.sh passes the size as WIDTHxHEIGHT, read from bench/startup_probe.

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

#include "bench/firstpaintwatch.h"

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QStringList size = arguments.size() > 1 ? arguments.at(1).split(u'x') : QStringList();
    if (size.size() != 2) {
        qWarning("usage: baseline WIDTHxHEIGHT");
        return 2;
    }

    QWidget window;
    window.setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    // Ended the same way as bench/startup_probe, without closing the window first.
    const Kistarra::FirstPaintWatch watch(&window, [] { Kistarra::EndAfterFirstFrame(); });
    window.show();
    return QApplication::exec();
}
