#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class frmAbout;
}

namespace Kistarra {

class Desktop;

// The about window: what the program is, and two links - the offer of a fully branded copy and
// the maker's home page. Fixed text only; it computes nothing and reads no setting.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(Desktop& desktop, QWidget* parent = nullptr);
    ~frmAbout() override;

private:
    void applyTheme();

    Desktop& m_desktop;
    // The fixed layout, from frmabout.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmAbout> m_ui;
};

} // namespace Kistarra
