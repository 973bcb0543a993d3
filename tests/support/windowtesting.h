#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTextEdit;
class QWidget;

namespace Kistarra {

class FakeDesktop;

// The control of type T and that objectName below root; a missing one ends the run with its name,
// since every later step of the test would only report a null pointer.
template <typename T>
[[nodiscard]] T* Find(const QObject* root, const QString& name)
{
    T* const found = root->findChild<T*>(name);
    if (found == nullptr)
        qFatal("%s has no %s named %s", root->metaObject()->className(),
               T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// The application's top-level windows that are on screen.
[[nodiscard]] QList<QWidget*> VisibleWindows();

// The offscreen platform says it cannot propagate size hints whenever a window or dialog fixes its
// size; from this call on that one message is dropped, so that a suite can let every other
// warning fail its tests. Call it from initTestCase(), once Qt Test has taken over the messages.
void DropSizeHintWarnings();

// Shows the window and waits until it is on screen. One that never gets there ends the run: no
// later step of the test could tell anything.
void ShowAndWaitExposed(QWidget& window);

// Shows the window, makes it the active one and waits until it is, as after a click on it. One
// that never becomes active ends the run.
void ShowAndWaitActive(QWidget& window);

// A text box keeps a line break as one character, where the composed texts have CR LF.
[[nodiscard]] QString WithLineFeeds(QString text);

// Does to the text box the one step the action names ("change", "press", "release", "click" or
// "move") and waits until the desktop is asked to empty the clipboard for it; false when it never
// is. A press is followed by its release and a release needs its press: only the named step is
// counted.
[[nodiscard]] bool ClipboardEmptiedBy(QTextEdit& box, const QString& action,
                                      const FakeDesktop& desktop);

} // namespace Kistarra
