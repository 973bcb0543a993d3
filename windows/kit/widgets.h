#pragma once

#include <functional>

#include <QGroupBox>
#include <QPushButton>

#include "reading/composedtext.h"

class QColor;
class QComboBox;
class QDateEdit;
class QDialog;
class QHeaderView;
class QIODevice;
class QLabel;
class QPaintEvent;
class QTextEdit;

// The widgets the fixed layouts draw the same on every style, and what the windows do alike with
// lists, reading boxes and dialogs.
namespace Kistarra {

class Desktop;

// A frame as the fixed layouts draw it, the same on every style: an etched line around it, its
// own background inside the line and what lies behind it above, the caption set into the top
// line. Its children are placed from its outer top-left corner, so the line runs above them.
class Frame : public QGroupBox {
    Q_OBJECT

public:
    explicit Frame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A button filled flat with its Button colour, darker while pressed, with the focus outline while
// it has the focus. Its caption wraps onto more lines where the button is tall enough.
class FlatButton : public QPushButton {
    Q_OBJECT

public:
    explicit FlatButton(QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button of the self-laid-out windows, named for tests and screen readers; Enter presses
// it only while it has the focus, never as a window's default.
[[nodiscard]] QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);

// Asks where to save a PDF, lays the pages out with `layOut` and writes them there whole; says
// over the window what could not be done ("The month could not be laid out as a PDF.", "The PDF
// could not be saved as FILE: REASON.").
void SaveAsPdf(QWidget* window, Desktop& desktop, const QString& what,
               const std::function<bool(QIODevice&)>& layOut);

// A label showing its text as it stands (no rich text), named for tests and screen readers when
// a name is given.
[[nodiscard]] QLabel* PlainLabel(QWidget* parent, const QString& text, const QString& name = {});

// A drop-down list in the given colours, its pop-up too (a pop-up is a window of its own and
// does not take on its list's colours by itself). The pop-up is built and coloured when it first
// opens, not with the window.
void ThemeList(QComboBox* list, const QColor& text, const QColor& back);

// A field or list black on silver, as the year ahead's tables, its chosen entry or text light
// green on dark grey.
void ThemeField(QWidget* field);

// A date box in the field colours, its calendar pop-up too, coloured as it is first built when it
// opens; the weekday names stand on the page's grey and the weekend is black in bold.
void ThemeDateBox(QDateEdit* box);

// The headers of a table in the windows' dark grey with white captions.
void ThemeHeader(QHeaderView* header);

// Adds the composed text at the end of the box, each piece in its bold state and colour, and puts
// the caret at the start.
void AppendComposedText(QTextEdit* box, const ComposedText& text);

// What a reading box shows must not be carried away: every change of its text and every mouse
// action over it empties the clipboard.
void EmptyClipboardOnUse(QTextEdit* box, Desktop& desktop);

// Shows the dialog over its opener, blocking the program's other windows until it closes, and
// returns at once; the dialog deletes itself when closed.
void ShowModal(QDialog* dialog);

} // namespace Kistarra
