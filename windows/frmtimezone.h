#pragma once

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace Kistarra {

// The File menu's time zone dialog: the computer's own zone first, then every zone the time
// zone database lists, each with its offset now, and a filter box above them that narrows the
// list to the zones whose names or countries hold each of its words. The arrow keys in the filter
// box walk the list; OK, Enter or a double click takes the highlighted zone, Cancel or Escape keeps
// the choice as it was.
class frmTimeZone : public QDialog {
    Q_OBJECT

public:
    // chosen: the zone id chosen so far, empty for the computer's own zone.
    frmTimeZone(const QByteArray& chosen, QWidget* parent);
    ~frmTimeZone() override;

    // The highlighted zone's id, empty for the computer's own zone.
    [[nodiscard]] QByteArray choice() const;

signals:
    void zoneChosen(const QByteArray& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList(const QByteArray& chosen);
    void narrow(const QString& text);
    [[nodiscard]] const QHash<QByteArray, QString>& territories();

    QLineEdit* m_filter = nullptr;
    QListWidget* m_zones = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QLabel* m_nothing = nullptr;
    QHash<QByteArray, QString> m_territories;
};

} // namespace Kistarra
