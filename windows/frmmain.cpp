#include "windows/frmmain.h"

#include <functional>
#include <initializer_list>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "engine/ninestar.h"
#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "windows/frmtimezone.h"
#include "windows/kit/birthfields.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"
#include "windows/kit/menus.h"

#include "ui_frmmain.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The controls reach 7425 twips across and 5655 down; the menu bar comes on top.
constexpr int ClientWidth = 7425;
constexpr int ClientHeight = 5655;

// An option that is a switch: the menu entry's check, whose every click is told to change.
void MakeOptionCheck(QMenu* menu, QStringView name, bool on, QObject* context,
                     const std::function<void(bool)>& change)
{
    auto* const entry = menu->findChild<QAction*>(name.toString());
    entry->setCheckable(true);
    entry->setChecked(on);
    QObject::connect(entry, &QAction::triggered, context, change);
}

} // namespace

// The two control arrays, optSex and Label4, are single widgets named optSex_0, optSex_1,
// Label4_0 and Label4_1. The sex row stands below the details frame's lower edge, so the frame
// clips it out of sight; no part of the reading depends on it, and Tab does not lead there. It is
// hidden as well, so that assistive technology does not report it as showing.
frmMain::frmMain(const ReadingOptions& options, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent)
    , m_desktop(desktop)
    , m_options(options)
    , m_ui(std::make_unique<Ui::frmMain>())
{
    // The font first, so that the controls are born with it rather than laid out again.
    SetUpWindow(this, TextSize::Window);
    m_ui->setupUi(this);
    m_ui->client->setFixedSize(Pixels(ClientWidth), Pixels(ClientHeight));
    for (QWidget* const unseen :
         std::initializer_list<QWidget*>{m_ui->Label5, m_ui->optSex_0, m_ui->optSex_1})
        unseen->hide();
    applyTheme();

    connect(m_ui->cmdProceed, &QPushButton::clicked, this, &frmMain::proceed);
    connect(m_ui->cmdOpen, &QPushButton::clicked, this, &frmMain::openSavedReading);

    buildMenus();
    SetUpBirthFields(fields());

    // Fixed before the window is shown, as a size change of a shown window is refused on some
    // platforms.
    setFixedSize(m_ui->client->width(), m_ui->client->height() + menuBar()->sizeHint().height());
    m_ui->txtName->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::applyTheme()
{
    SetColours(m_ui->client, White, WindowGrey);
    SetColours(m_ui->fraDetails, LightGreen, FrameGrey);
    SetColours(m_ui->cmdProceed, Black, Silver);
    SetColours(m_ui->cmdOpen, Black, PaleButtonGrey);
    SetUpSiteLinks({{m_ui->Label14, ForumInvitation.toString()}, {m_ui->Label3, VisitInvitation()}},
                   LinkYellow, m_desktop);
    m_ui->Label6->setFont(ThemeFont(TextSize::Title, true));
    SetColour(m_ui->Label6, QPalette::WindowText, LightGreen);
    SetUpBrandLinks({m_ui->lblCobrand, m_ui->lblFullBrand}, LinkYellow, m_desktop);
}

void frmMain::buildMenus()
{
    QMenuBar* const bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    // The calculate entry is kept but hidden, so the File menu shows the options and Exit.
    QMenu* const file = AddMenu(
        bar, u"mnuFile", u"&File",
        {{u"mnuCalculate", u"Calculate My 9 Star &Ki Astrology", [this] { proceed(); }, false},
         {u"mnuSep1", {}, {}, false},
         {u"mnuSolarYear", u"Count Years From 4 &February", {}},
         {u"mnuTimeZone", u"Time &Zone\u2026", [this] { chooseTimeZone(); }},
         {u"mnuSolarTerms", u"Use True &Solar Terms", {}},
         {u"mnuSep4", {}},
         {u"mnuExit", u"E&xit", [this] { close(); }}},
        this);
    // The switches among the options: each menu entry's check is its option.
    MakeOptionCheck(file, u"mnuSolarYear", m_options.yearRule == YearRule::Solar, this,
                    [this](bool on) {
                        ReadingOptions changed = m_options;
                        changed.yearRule = on ? YearRule::Solar : YearRule::Calendar;
                        changeOptions(changed);
                    });
    MakeOptionCheck(file, u"mnuSolarTerms", m_options.trueSolarTerms, this, [this](bool on) {
        ReadingOptions changed = m_options;
        changed.trueSolarTerms = on;
        changeOptions(changed);
    });
    // The hidden full-branding entry is kept off the bar: a menu bar claims the access key of
    // every entry on it, shown or not, and Alt+O belongs to cmdOpen.
    AddHelpMenu(
        bar, m_desktop, {u"mnuSep2", u"mnuSep3", false}, [this] { emit aboutRequested(); }, this);
}

BirthFields frmMain::fields() const
{
    return {m_ui->txtName, m_ui->cboDate, m_ui->cboMonth, m_ui->cboYear};
}

bool frmMain::CheckDetails()
{
    return CheckName(fields(), this, m_desktop);
}

void frmMain::proceed()
{
    if (!CheckDetails())
        return;
    emit readingReady(
        ComputeReading(EnteredDetails(fields()), m_options.yearRule, m_options.trueTermsZone()));
}

void frmMain::openSavedReading()
{
    const QString path = m_desktop.openFileName(this, SavedReadingOpenDialog());
    if (!path.isEmpty())
        openFile(path);
}

void frmMain::openFile(const QString& path)
{
    if (OpenSavedReadingInto(fields(), path, this, m_desktop))
        proceed();
}

void frmMain::refuseFile()
{
    RefuseSavedReading(this, m_desktop);
}

BrandLinks frmMain::brandLinks() const
{
    return {m_ui->lblCobrand, m_ui->lblFullBrand};
}

void frmMain::chooseTimeZone()
{
    auto* const dialog = new frmTimeZone(m_options.timeZoneId, this);
    connect(dialog, &frmTimeZone::zoneChosen, this, [this](const QByteArray& id) {
        ReadingOptions changed = m_options;
        changed.timeZoneId = id;
        changeOptions(changed);
    });
    ShowModal(dialog);
}

// A choice that leaves the options as they were (the zone chosen again) is no change.
void frmMain::changeOptions(const ReadingOptions& options)
{
    if (options == m_options)
        return;
    m_options = options;
    emit optionsChanged(m_options);
}

void frmMain::closeForReading()
{
    m_closingForReading = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    emit closing(m_closingForReading);
    QMainWindow::closeEvent(event);
}

} // namespace Kistarra
