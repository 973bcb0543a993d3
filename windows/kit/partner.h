#pragma once

#include <optional>

#include <QObject>

#include "engine/ninestar.h"

namespace Kistarra {

// The partner a person compares themselves with, kept for the run and never saved: the Two
// People window sets it when it compares, and the calendar offers the days good for both. The
// program holds one; the windows that use it are handed it.
class Partner : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Checked birth details (a name, a date of the range), or nothing before the first comparison.
    [[nodiscard]] const std::optional<BirthDetails>& details() const { return m_details; }
    // Keeps the partner and tells it when it differs from the one kept.
    void set(const BirthDetails& details)
    {
        if (m_details == details)
            return;
        m_details = details;
        emit changed();
    }

signals:
    void changed();

private:
    std::optional<BirthDetails> m_details;
};

} // namespace Kistarra
