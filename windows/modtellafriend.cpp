#include "windows/modtellafriend.h"

#include "platform/desktop.h"

namespace Kistarra {

void SendReferral(Desktop& desktop, QWidget* parent, const Referral& referral)
{
    if (const std::optional<QString> problem = CheckReferral(referral)) {
        desktop.showError(parent, *problem);
        return;
    }
    desktop.openUrl(ReferralAddress(referral));
}

} // namespace Kistarra
