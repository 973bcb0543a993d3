#pragma once

#include <QComboBox>

namespace Kistarra {

// A drop-down list that reaches assistive technology by what it is for. On Linux Qt names a
// list by its current entry ("January"), so a screen reader never says which list it is in; this
// one is named by its accessible name, or else by the text of the label that points at it, and
// its entry is read as its value.
class NamedList : public QComboBox {
    Q_OBJECT

public:
    explicit NamedList(QWidget* parent = nullptr);
};

} // namespace Kistarra
