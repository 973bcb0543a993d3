#pragma once

#include <functional>

#include <QLabel>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace Kistarra {

// A label that works as a link: a left click on it, or Enter, Return or Space while it has the
// focus, runs its action. Tab reaches it but a click does not take the focus from where the
// person was typing; the focus outline shows while it has the focus. Assistive technology is told
// it is a link and can follow it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> action);

    void setAction(std::function<void()> action);
    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_action;
};

} // namespace Kistarra
