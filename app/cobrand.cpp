#include "app/cobrand.h"

#include <QLabel>

#include "platform/desktop.h"

namespace Kistarra {

int CoBrand_Randomize(Desktop& desktop, QLabel* fullBrand, QLabel* coBrand)
{
    const int intCoBrandRandomNumber = desktop.randomBounded(1, 6);
    QLabel* const front = intCoBrandRandomNumber % 2 == 0 ? fullBrand : coBrand;
    if (front != nullptr)
        front->raise();
    return intCoBrandRandomNumber;
}

} // namespace Kistarra
