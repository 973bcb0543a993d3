#include "tests/support/windowtesting.h"

#include <QApplication>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include "tests/support/fakedesktop.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The handler Qt Test had installed, which every message but the dropped one still reaches.
QtMessageHandler testLogHandler = nullptr;

void DropSizeHintWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == u"This plugin does not support propagateSizeHints()"_s)
        return;
    testLogHandler(type, context, message);
}

} // namespace

QList<QWidget*> VisibleWindows()
{
    QList<QWidget*> shown;
    for (QWidget* const widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            shown.append(widget);
    }
    return shown;
}

void DropSizeHintWarnings()
{
    // A second call would make the handler pass messages to itself.
    if (testLogHandler != nullptr)
        return;
    testLogHandler = qInstallMessageHandler(DropSizeHintWarning);
}

void ShowAndWaitExposed(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("%s never came on screen", window.metaObject()->className());
}

void ShowAndWaitActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("%s never became active", window.metaObject()->className());
}

QString WithLineFeeds(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

bool ClipboardEmptiedBy(QTextEdit& box, const QString& action, const FakeDesktop& desktop)
{
    QWidget* const viewport = box.viewport();
    const QPoint inside = viewport->rect().center();
    if (action == u"release"_s)
        QTest::mousePress(viewport, Qt::LeftButton, {}, inside);
    const int before = desktop.clipboardClears;
    if (action == u"change"_s)
        box.append(u"more"_s);
    else if (action == u"press"_s)
        QTest::mousePress(viewport, Qt::LeftButton, {}, inside);
    else if (action == u"release"_s)
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, inside);
    else if (action == u"click"_s)
        QTest::mouseClick(viewport, Qt::LeftButton, {}, inside);
    else
        QTest::mouseMove(viewport, inside + QPoint(5, 5));
    const bool emptied = QTest::qWaitFor([&] { return desktop.clipboardClears > before; });
    if (action == u"press"_s)
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, inside);
    return emptied;
}

} // namespace Kistarra
