#include "windows/frmtwopeople.h"

#include <algorithm>
#include <memory>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/comparisonprint.h"
#include "platform/desktop.h"
#include "reading/comparisontext.h"
#include "windows/kit/accessiblelist.h"
#include "windows/kit/partner.h"
#include "windows/kit/screenfit.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The program's silver buttons.
QPushButton* SilverButton(QWidget* parent, const QString& name, const QString& caption)
{
    QPushButton* const button = MakeButton(parent, name, caption);
    SetColours(button, Black, Silver);
    return button;
}

QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* const label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The room the comparison reads well in, in lines and characters of the window's font.
constexpr int ComparisonColumns = 96;
constexpr int ComparisonLines = 54;
constexpr int ComparisonMinimumLines = 8;
// How much of a long name the line above the fields shows.
constexpr int NameColumns = 40;

} // namespace

frmTwoPeople::frmTwoPeople(const Reading& person, const ReadingOptions& options, Partner& partner,
                           Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_person(person)
    , m_options(options)
    , m_partner(partner)
    , m_desktop(desktop)
{
    setObjectName(u"frmTwoPeople"_s);
    SetUpWindow(this, TextSize::Window);
    setAccessibleName(u"Two People"_s);
    // The program's dark window, its pale words and silver buttons, as the other windows have.
    SetColours(this, PaleText, WindowGrey);
    makeControls();

    if (const std::optional<BirthDetails>& kept = m_partner.details()) {
        ShowDetails(m_fields, *kept);
        compare();
    }

    setMinimumSize(layout()->totalMinimumSize());
    const QFontMetrics metrics(m_comparisonBox->font());
    const QSize wanted(std::max(minimumWidth(), metrics.averageCharWidth() * ComparisonColumns),
                       std::max(minimumHeight(), metrics.lineSpacing() * ComparisonLines));
    resize(FittedToScreen(this, wanted));
    KeepOnScreen(this);
    m_fields.name->setFocus();
}

frmTwoPeople::~frmTwoPeople() = default;

void frmTwoPeople::makeControls()
{
    m_title = PlainLabel(this, {}, u"lblPerson"_s);
    m_title->setFont(ThemeFont(TextSize::Title, true));
    const QString name = QFontMetrics(m_title->font())
                             .elidedText(m_person.details.name, Qt::ElideRight,
                                         m_title->fontMetrics().averageCharWidth() * NameColumns);
    m_title->setText(u"%1, born %2, and a partner"_s.arg(name, m_person.birthDateText));
    m_title->setAccessibleName(
        u"%1, born %2, and a partner"_s.arg(m_person.details.name, m_person.birthDateText));

    auto* const frame = new Frame(this);
    frame->setObjectName(u"fraPartner"_s);
    frame->setTitle(u"Partner's Details"_s);
    SetColours(frame, LightGreen, FrameGrey);
    m_fields = {new QLineEdit(frame), new NamedList(frame), new NamedList(frame),
                new NamedList(frame)};
    m_fields.name->setObjectName(u"txtName"_s);
    m_fields.day->setObjectName(u"cboDate"_s);
    m_fields.month->setObjectName(u"cboMonth"_s);
    m_fields.month->setAccessibleName(u"Birth month"_s);
    m_fields.year->setObjectName(u"cboYear"_s);
    m_fields.year->setAccessibleName(u"Birth year"_s);
    SetUpBirthFields(m_fields);
    auto* const grid = new QGridLayout(frame);
    const int lineTop = QFontMetrics(frame->font()).height();
    grid->setContentsMargins(lineTop, lineTop + lineTop / 4, lineTop, lineTop);
    grid->addWidget(BuddyLabel(frame, u"&Name"_s, m_fields.name), 0, 0, Qt::AlignRight);
    grid->addWidget(m_fields.name, 0, 1, 1, 3);
    grid->addWidget(BuddyLabel(frame, u"Birth &Day"_s, m_fields.day), 1, 0, Qt::AlignRight);
    grid->addWidget(m_fields.day, 1, 1);
    grid->addWidget(m_fields.month, 1, 2);
    grid->addWidget(m_fields.year, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);

    m_compare = SilverButton(this, u"cmdCompare"_s, u"&Compare"_s);
    m_open = SilverButton(this, u"cmdOpen"_s, u"&Open\u2026"_s);
    auto* const fieldButtons = new QVBoxLayout;
    fieldButtons->addWidget(m_compare);
    fieldButtons->addWidget(m_open);
    fieldButtons->addStretch(1);
    auto* const top = new QHBoxLayout;
    top->addWidget(frame, 1);
    top->addLayout(fieldButtons);

    m_comparisonBox = new QTextEdit(this);
    m_comparisonBox->setObjectName(u"RTBComparison"_s);
    m_comparisonBox->setAccessibleName(u"Comparison"_s);
    m_comparisonBox->setReadOnly(true);
    m_comparisonBox->setTabChangesFocus(true);
    // However small the window, a few lines of the comparison show at once.
    m_comparisonBox->setMinimumHeight(m_comparisonBox->fontMetrics().lineSpacing() *
                                      ComparisonMinimumLines);
    m_comparisonBox->setPlaceholderText(
        u"Enter the partner's name and birth date, or open a saved reading, then press Compare."_s);
    // The dark blue, red and magenta of the reading texts on white, as the report shows them.
    SetColours(m_comparisonBox, Black, White);
    // The comparison quotes the relationship page: like it, it is not for carrying away.
    EmptyClipboardOnUse(m_comparisonBox, m_desktop);

    m_print = SilverButton(this, u"cmdPrint"_s, u"P&rint\u2026"_s);
    m_pdf = SilverButton(this, u"cmdSavePdf"_s, u"Save as &PDF\u2026"_s);
    QPushButton* const close = SilverButton(this, u"cmdClose"_s, u"C&lose"_s);
    // Nothing to print before the first comparison.
    m_print->setEnabled(false);
    m_pdf->setEnabled(false);
    auto* const bottom = new QHBoxLayout;
    bottom->addWidget(m_print);
    bottom->addWidget(m_pdf);
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(top);
    layout->addWidget(m_comparisonBox, 1);
    layout->addLayout(bottom);

    // The fields, what they are for, then what is shown and done with it.
    setTabOrder(m_fields.name, m_fields.day);
    setTabOrder(m_fields.day, m_fields.month);
    setTabOrder(m_fields.month, m_fields.year);
    setTabOrder(m_fields.year, m_compare);
    setTabOrder(m_compare, m_open);
    setTabOrder(m_open, m_comparisonBox);
    setTabOrder(m_comparisonBox, m_print);
    setTabOrder(m_print, m_pdf);
    setTabOrder(m_pdf, close);

    connect(m_compare, &QPushButton::clicked, this, &frmTwoPeople::compare);
    connect(m_open, &QPushButton::clicked, this, &frmTwoPeople::openSavedReading);
    connect(m_print, &QPushButton::clicked, this, &frmTwoPeople::printComparison);
    connect(m_pdf, &QPushButton::clicked, this, &frmTwoPeople::saveAsPdf);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

bool frmTwoPeople::compare()
{
    if (!CheckName(m_fields, this, m_desktop))
        return false;
    // The partner's reading as the birth details window computes one, with the same options.
    const Reading partner =
        ComputeReading(EnteredDetails(m_fields), m_options.yearRule, m_options.trueTermsZone());
    m_comparison = CompareReadings(m_person, partner);
    m_partnerReading = partner;
    m_comparisonBox->clear();
    AppendComposedText(m_comparisonBox, ComparisonText(m_person, partner, m_comparison));
    m_print->setEnabled(true);
    m_pdf->setEnabled(true);
    m_partner.set(partner.details);
    return true;
}

void frmTwoPeople::openSavedReading()
{
    const QString path = m_desktop.openFileName(this, SavedReadingOpenDialog());
    if (!path.isEmpty() && OpenSavedReadingInto(m_fields, path, this, m_desktop))
        compare();
}

void frmTwoPeople::printComparison()
{
    if (!m_partnerReading)
        return;
    const std::unique_ptr<QTextDocument> document =
        PrintedComparisonDocument(m_person, *m_partnerReading, m_comparison);
    if (!m_desktop.print(*document))
        m_desktop.showError(this, u"The comparison could not be printed."_s);
}

void frmTwoPeople::saveAsPdf()
{
    if (!m_partnerReading)
        return;
    SaveAsPdf(this, m_desktop, u"comparison"_s, [this](QIODevice& out) {
        return PrintedComparisonToPdf(m_person, *m_partnerReading, m_comparison, out);
    });
}

void frmTwoPeople::keyPressEvent(QKeyEvent* event)
{
    // Only this window closes; the key never reaches the result window behind it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace Kistarra
