#pragma once

#include <utility>

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "platform/calendarpage.h"
#include "platform/desktop.h"

namespace Kistarra {

// The desktop the window tests hand to a window: it writes down every call in the public lists
// below and answers from the script a test fills in beforehand. An empty script answers No,
// Cancel and the lowest value.
class FakeDesktop final : public Desktop {
public:
    enum class MessageKind { Notice, Error, Question };

    struct Message {
        MessageKind kind = MessageKind::Notice;
        QString text;

        friend bool operator==(const Message&, const Message&) = default;
    };

    // What the window did, in order.
    QList<Message> messages;
    QList<FileDialogOptions> openDialogs;
    QList<FileDialogOptions> saveDialogs;
    QList<QUrl> openedUrls;
    QStringList printedTexts;          // every print asked for, whether or not it succeeded
    QList<CalendarPage> printedMonths; // the months of the calendar among them
    int clipboardClears = 0;
    int randomSeedings = 0;
    QList<std::pair<int, int>> randomRanges; // lowest and highest of each draw

    // The script, answered from the front.
    QList<bool> yesNoAnswers;
    QStringList openFileNames;
    QStringList saveFileNames;
    bool printSucceeds = true;
    QDate todayDate{2026, 12, 7};
    QList<int> randomValues;

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
};

} // namespace Kistarra
