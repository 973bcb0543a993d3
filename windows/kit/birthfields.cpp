#include "windows/kit/birthfields.h"

#include <initializer_list>

#include <QComboBox>
#include <QLineEdit>

#include "platform/desktop.h"
#include "savedreading/savedreading.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView NameMissing = u"Please Enter Your Name";
constexpr QStringView FileRefused = u"Please Check The File.";
static_assert(MaxNameLength == 4000, "the notice below names the limit");
constexpr QStringView NameShortened =
    u"The name in this file is longer than 4,000 characters; it has been shortened to 4,000.";

// The date freshly loaded fields propose: 1 January 1970.
constexpr int StartYearEntry = 1970 - FirstListYear;

} // namespace

void SetUpBirthFields(const BirthFields& fields)
{
    SetColours(fields.name, LightGreen, WindowGrey);
    // Whatever name is typed, its saved reading opens again.
    fields.name->setMaxLength(MaxNameLength);
    for (QComboBox* const list : {fields.day, fields.month, fields.year})
        ThemeList(list, LightGreen, WindowGrey);

    fields.day->clear();
    fields.day->addItems(DayListEntries());
    fields.month->clear();
    fields.month->addItems(MonthListEntries());
    fields.year->clear();
    fields.year->addItems(YearListEntries());
    fields.day->setCurrentIndex(0);
    fields.month->setCurrentIndex(0);
    fields.year->setCurrentIndex(StartYearEntry);
}

bool CheckName(const BirthFields& fields, QWidget* window, Desktop& desktop)
{
    if (!IsBlankName(fields.name->text()))
        return true;
    desktop.showError(window, NameMissing.toString());
    fields.name->setFocus();
    return false;
}

BirthDetails EnteredDetails(const BirthFields& fields)
{
    // The box cuts a longer name at its limit, which can split a character written as two units;
    // the half left over is no character, and a saved reading could only hold a stand-in for it.
    QString name = fields.name->text();
    if (!name.isEmpty() && name.back().isHighSurrogate())
        name.chop(1);
    return {name, fields.day->currentText(), fields.month->currentText(),
            fields.year->currentText()};
}

void ShowDetails(const BirthFields& fields, const BirthDetails& details)
{
    fields.name->setText(details.name);
    fields.day->setCurrentText(details.day);
    fields.month->setCurrentText(details.month);
    fields.year->setCurrentText(details.year);
}

bool OpenSavedReadingInto(const BirthFields& fields, const QString& path, QWidget* window,
                          Desktop& desktop)
{
    // Only the lower-case ending counts: a file named .NSK is refused.
    if (!path.endsWith(u"nsk"_s, Qt::CaseSensitive)) {
        RefuseSavedReading(window, desktop);
        return false;
    }
    const Result<BirthDetails> saved = ReadSavedReading(path);
    if (!saved) {
        RefuseSavedReading(window, desktop);
        return false;
    }
    // The box holds no more than a saved reading may: say so before the shortened name goes on
    // into a reading that could be saved.
    if (saved->name.size() > MaxNameLength)
        desktop.showNotice(window, NameShortened.toString());
    ShowDetails(fields, *saved);
    return true;
}

void RefuseSavedReading(QWidget* window, Desktop& desktop)
{
    desktop.showError(window, FileRefused.toString());
}

} // namespace Kistarra
