#pragma once

#include <memory>

#include <QHash>
#include <QStringView>
#include <QWidget>

class QCloseEvent;
class QEvent;

namespace Ui {
class frmFarewell;
}

namespace Kistarra {

class Desktop;
struct Referral;

// The farewell window, shown above every other window when the user leaves: one of four appeals
// to visit the maker's forum, links to the maker's site and catalogue, and the refer-a-friend
// form. Its only way out is the program's end: closing it, by "E&xit" or the close box, asks the
// program to close every window.
class frmFarewell : public QWidget {
    Q_OBJECT

public:
    explicit frmFarewell(Desktop& desktop, QWidget* parent = nullptr);
    ~frmFarewell() override;

    // The four appeals, numbered 0 to 3; the window shows the one drawn when it opens.
    [[nodiscard]] static QString Appeal(int number);

signals:
    // Emitted once, when the window is first asked to close.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyTheme();
    void setUpForm();
    void onCheck1Clicked(bool checked);
    void onSubmit();
    [[nodiscard]] Referral currentReferral() const;

    Desktop& m_desktop;
    bool m_exitRequested = false;
    // The fixed layout, from frmfarewell.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmFarewell> m_ui;
    // Each form box and the text it holds until the user types into it.
    QHash<const QObject*, QStringView> m_placeholders;
};

} // namespace Kistarra
