#pragma once

#include <QRandomGenerator>

#include "platform/desktop.h"

namespace Kistarra {

// The desktop the program runs on: Qt's message boxes and file dialogs, the default browser and
// printer, the system clipboard, the clock and a random generator of its own.
class QtDesktop final : public Desktop {
public:
    void showNotice(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    [[nodiscard]] bool askYesNo(QWidget* parent, const QString& text) override;

    [[nodiscard]] QString openFileName(QWidget* parent, const FileDialogOptions& options) override;
    [[nodiscard]] QString saveFileName(QWidget* parent, const FileDialogOptions& options) override;

    void openUrl(const QUrl& url) override;
    bool print(const QTextDocument& document) override;
    void clearClipboard() override;

    [[nodiscard]] QDate today() const override;
    void seedRandom() override;
    [[nodiscard]] int randomBounded(int lowest, int highest) override;

private:
    QRandomGenerator m_random;
};

} // namespace Kistarra
