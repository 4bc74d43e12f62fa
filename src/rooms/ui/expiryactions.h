#pragma once

#include "rooms/expirycheck.h"

class TFormmain;

// The expiry checks of the frame. Each stops the pending automatic check, runs its queries and opens the
// warning window (or refreshes the open one) when a room is found.
namespace expiryactions {

void run(TFormmain &frame, ExpiryCheck::Trigger trigger);
// By warning date: the frame's one-shot timer after login (silent when nothing is found).
void afterLogin(TFormmain &frame);
// By warning date: the navigation button "到期报警信息".
void byWarningDate(TFormmain &frame);
// The menu entry "到期报警信息": by end date and by warning date.
void fromMenu(TFormmain &frame);

} // namespace expiryactions
