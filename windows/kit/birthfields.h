#pragma once

#include <QString>

#include "engine/ninestar.h"

class QComboBox;
class QLineEdit;
class QWidget;

// The name box and the three date lists a person gives birth details with, as the birth details
// window and the Two People window both have them: the same entries, limits, checks and messages.
namespace Kistarra {

class Desktop;

struct BirthFields {
    QLineEdit* name = nullptr;
    QComboBox* day = nullptr;
    QComboBox* month = nullptr;
    QComboBox* year = nullptr;
};

// The fields' colours, the name box's limit, and the lists filled and set to 1 January 1970.
void SetUpBirthFields(const BirthFields& fields);

// True when the name holds more than blanks. Otherwise says "Please Enter Your Name" over the
// window, puts the focus into the name box and returns false.
[[nodiscard]] bool CheckName(const BirthFields& fields, QWidget* window, Desktop& desktop);

// What the fields hold, the name as the box holds it.
[[nodiscard]] BirthDetails EnteredDetails(const BirthFields& fields);

// Puts the details into the fields; a day, month or year that is no entry of its list leaves the
// list as it was.
void ShowDetails(const BirthFields& fields, const BirthDetails& details);

// The open flow for a chosen file: a name not ending in lower-case "nsk" or a file that is no
// saved reading is refused with "Please Check The File.", a name over the box's limit is said to
// be shortened; true when the fields now hold the saved reading.
[[nodiscard]] bool OpenSavedReadingInto(const BirthFields& fields, const QString& path,
                                        QWidget* window, Desktop& desktop);

// What the open flow says of a file it cannot read.
void RefuseSavedReading(QWidget* window, Desktop& desktop);

} // namespace Kistarra
