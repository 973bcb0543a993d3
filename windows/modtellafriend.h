#pragma once

#include "reading/referral.h"

class QWidget;

// Sending the farewell window's refer-a-friend form.
namespace Kistarra {

class Desktop;

// Reports the first problem as an error message over parent, or opens the referral page.
void SendReferral(Desktop& desktop, QWidget* parent, const Referral& referral);

} // namespace Kistarra
