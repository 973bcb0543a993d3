// The floor for the program's start in processor time: the smallest Qt Widgets program that shows
// a window of the birth details window's size with five word-wrapped paragraphs of text, and ends
// once it has painted its first frame. An empty window is no floor for time, since any text costs
// loading a font and shaping it. bench/startup.sh passes the size as WIDTHxHEIGHT, read from
// bench/startup_probe.

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include "bench/firstpaintwatch.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QStringList size = arguments.size() > 1 ? arguments.at(1).split(u'x') : QStringList();
    if (size.size() != 2) {
        qWarning("usage: textbaseline WIDTHxHEIGHT");
        return 2;
    }

    QWidget window;
    window.setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    auto* const layout = new QVBoxLayout(&window);
    const QString paragraph =
        u"A paragraph of plain text, long enough to wrap over several lines of the window, so "
        u"that the font is loaded, the words are shaped and the lines are broken as any window "
        u"with text must do before its first frame; number %1 of five."_s;
    for (int i = 1; i <= 5; ++i) {
        auto* const label = new QLabel(paragraph.arg(i), &window);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    // Ended the same way as bench/startup_probe, without closing the window first.
    const Kistarra::FirstPaintWatch watch(&window, [] { Kistarra::EndAfterFirstFrame(); });
    window.show();
    return QApplication::exec();
}
