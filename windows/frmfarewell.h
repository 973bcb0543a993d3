#pragma once

#include <QHash>
#include <QStringView>
#include <QWidget>

class QCheckBox;
class QCloseEvent;
class QEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Kistarra {

class Desktop;
class LinkLabel;
struct Referral;

// The farewell window, shown above every other window when the user leaves: one of four appeals
// to visit the maker's forum, links to the maker's site and catalogue, and the refer-a-friend
// form. Its only way out is the program's end: closing it, by "E&xit" or the close box, asks the
// shell to close every window.
class frmFarewell : public QWidget {
    Q_OBJECT

public:
    explicit frmFarewell(Desktop& desktop, QWidget* parent = nullptr);

    // The four appeals, numbered 0 to 3; the window shows the one drawn when it opens.
    [[nodiscard]] static QString Appeal(int number);

signals:
    // Emitted once, when the window is first asked to close.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onCheck1Clicked(bool checked);
    void onSubmit();
    [[nodiscard]] Referral currentReferral() const;

    Desktop& m_desktop;
    bool m_exitRequested = false;
    // Each form box and the text it holds until the user types into it.
    QHash<const QObject*, QStringView> m_placeholders;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame6 = nullptr;
    LinkLabel* lblGoToHome = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtFriendName = nullptr;
    QLineEdit* txtFriendEmail = nullptr;
    QPlainTextEdit* txtMessage = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace Kistarra
