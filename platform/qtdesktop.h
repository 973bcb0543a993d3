#pragma once

#include <QClipboard>
#include <QRandomGenerator>

#include "platform/desktop.h"

namespace Kistarra {

// The system clipboard and, where the platform has one (X11), the primary selection that a
// middle click pastes.
class ClipboardModes {
public:
    ClipboardModes() = default;
    virtual ~ClipboardModes() = default;
    ClipboardModes(const ClipboardModes&) = delete;
    ClipboardModes& operator=(const ClipboardModes&) = delete;
    ClipboardModes(ClipboardModes&&) = delete;
    ClipboardModes& operator=(ClipboardModes&&) = delete;

    [[nodiscard]] virtual bool supports(QClipboard::Mode mode) const = 0;
    [[nodiscard]] virtual bool isOurs(QClipboard::Mode mode) const = 0;
    virtual void clear(QClipboard::Mode mode) = 0;
};

// Empties the clipboard and the selection, each only while what it holds came from this program.
void EmptyOwnClipboards(ClipboardModes& modes);

// The desktop the program runs on: Qt's message boxes and file dialogs, the default browser and
// printer, the system clipboard, the clock and a random generator of its own.
class QtDesktop final : public Desktop {
public:
    // Keeps Qt's file dialogs from reading or writing a settings file of their own.
    QtDesktop();

    void showNotice(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    [[nodiscard]] bool askYesNo(QWidget* parent, const QString& text) override;

    [[nodiscard]] QString openFileName(QWidget* parent, const FileDialogOptions& options) override;
    [[nodiscard]] QString saveFileName(QWidget* parent, const FileDialogOptions& options) override;

    void openUrl(const QUrl& url) override;
    bool print(const QTextDocument& document) override;
    bool printCalendarPage(const CalendarPage& page) override;
    void clearClipboard() override;

    [[nodiscard]] QDate today() const override;
    void seedRandom() override;
    [[nodiscard]] int randomBounded(int lowest, int highest) override;

private:
    QRandomGenerator m_random;
};

} // namespace Kistarra
