#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace Kistarra {

class Desktop;
class FlatButton;
class LinkLabel;

// The about window: what the program is, and two links - the offer of a fully branded copy and
// the maker's home page. Fixed text only; it computes nothing and reads no setting.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(Desktop& desktop, QWidget* parent = nullptr);

private:
    Desktop& m_desktop;
    QLabel* picIcon = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Line2 = nullptr;
    QLabel* Label3 = nullptr;
    LinkLabel* lblCoBrand = nullptr;
    LinkLabel* lblHomePage = nullptr;
    FlatButton* cmdOK = nullptr;
};

} // namespace Kistarra
