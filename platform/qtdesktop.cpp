#include "platform/qtdesktop.h"

#include <chrono>
#include <optional>

#include <sys/stat.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include "platform/calendarpage.h"
#include "platform/printing.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text, QMessageBox::StandardButtons buttons)
{
    // A carriage return alone breaks the line, as the update question expects; Qt's labels
    // break lines only at line feeds.
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QMessageBox box(icon, u"Kistarra"_s, shown, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// A file dialog that does not take a name in a folder that does not exist: it says so and stays
// open for another choice.
class FolderMustExistDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (acceptMode() == AcceptSave && !chosen.isEmpty() &&
            !QFileInfo(chosen.constFirst()).absoluteDir().exists()) {
            QMessageBox::warning(
                this, windowTitle(),
                u"The folder %1 does not exist. Choose a folder that exists."_s.arg(
                    QDir::toNativeSeparators(QFileInfo(chosen.constFirst()).absolutePath())));
            return;
        }
        QFileDialog::accept();
    }
};

// Qt's own file dialog keeps the folders it visited in QSettings(UserScope, "QtProject"), a file in
// the person's configuration folder beside a lock it waits on for as long as it takes - for good
// when a FIFO stands there. The program writes nothing but what the person saves, and waits on no
// file: those settings are pointed at a place that cannot exist, a name under a file that is not
// a folder, so the dialogs read nothing and their writing fails at once. Checked once, when the
// desktop is made at the start; the program keeps no settings of its own through QSettings.
void KeepDialogsFromFiles()
{
    [[maybe_unused]] static const bool kept = [] {
        for (const char* const notAFolder : {"/dev/null", "/proc/self/exe"}) {
            struct stat status {};
            if (::stat(notAFolder, &status) != 0 || S_ISDIR(status.st_mode))
                continue;
            const QString nowhere = QString::fromLatin1(notAFolder) + u"/kistarra"_s;
            for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
                for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
                    QSettings::setPath(format, scope, nowhere);
            }
            return true;
        }
        return false;
    }();
}

QString ChooseFile(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    FolderMustExistDialog dialog(parent, options.title, QString(), options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

} // namespace

QtDesktop::QtDesktop()
{
    KeepDialogsFromFiles();
}

void QtDesktop::showNotice(QWidget* parent, const QString& text)
{
    ShowMessage(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

void QtDesktop::showError(QWidget* parent, const QString& text)
{
    ShowMessage(parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool QtDesktop::askYesNo(QWidget* parent, const QString& text)
{
    return ShowMessage(parent, QMessageBox::Information, text,
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtDesktop::openFileName(QWidget* parent, const FileDialogOptions& options)
{
    return ChooseFile(parent, options, QFileDialog::AcceptOpen);
}

QString QtDesktop::saveFileName(QWidget* parent, const FileDialogOptions& options)
{
    return ChooseFile(parent, options, QFileDialog::AcceptSave);
}

void QtDesktop::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

namespace {

// Without any printer, QPrinter quietly turns into a PDF printer with no file and prints nothing:
// the default printer, or the first there is, or none.
std::optional<QPrinterInfo> DefaultPrinter()
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty())
        return std::nullopt;
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull())
        target = QPrinterInfo::printerInfo(names.constFirst());
    return target;
}

bool PrintOnDefaultPrinter(const QTextDocument& document)
{
    const auto target = DefaultPrinter();
    if (!target)
        return false;
    QPrinter printer(*target, QPrinter::HighResolution);
    return PrintDocument(document, printer);
}

} // namespace

bool QtDesktop::print(const QTextDocument& document)
{
    return PrintOnDefaultPrinter(document);
}

bool QtDesktop::printCalendarPage(const CalendarPage& page)
{
    const auto target = DefaultPrinter();
    if (!target)
        return false;
    QPrinter printer(*target, QPrinter::HighResolution);
    return PrintCalendarPage(page, printer);
}

void EmptyOwnClipboards(ClipboardModes& modes)
{
    for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        if (modes.supports(mode) && modes.isOurs(mode))
            modes.clear(mode);
    }
}

namespace {

// The clipboard and selection of the running application.
class SystemClipboards final : public ClipboardModes {
public:
    [[nodiscard]] bool supports(QClipboard::Mode mode) const override
    {
        return mode == QClipboard::Clipboard ||
               (mode == QClipboard::Selection && m_clipboard.supportsSelection());
    }

    // The offscreen and minimal platforms keep the clipboard inside this process and cannot say
    // who owns it: whatever it holds was put there by us.
    [[nodiscard]] bool isOurs(QClipboard::Mode mode) const override
    {
        const bool owned = mode == QClipboard::Selection ? m_clipboard.ownsSelection()
                                                         : m_clipboard.ownsClipboard();
        const QString platform = QGuiApplication::platformName();
        return owned || platform == u"offscreen"_s || platform == u"minimal"_s;
    }

    void clear(QClipboard::Mode mode) override { m_clipboard.clear(mode); }

private:
    QClipboard& m_clipboard = *QGuiApplication::clipboard();
};

} // namespace

void QtDesktop::clearClipboard()
{
    SystemClipboards clipboards;
    EmptyOwnClipboards(clipboards);
}

QDate QtDesktop::today() const
{
    return QDate::currentDate();
}

void QtDesktop::seedRandom()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    m_random.seed(static_cast<quint32>(ticks) ^ static_cast<quint32>(ticks >> 32));
}

int QtDesktop::randomBounded(int lowest, int highest)
{
    Q_ASSERT(lowest <= highest);
    // In 64 bits, so that highest + 1 cannot overflow.
    return static_cast<int>(m_random.bounded(qint64{lowest}, qint64{highest} + 1));
}

} // namespace Kistarra
