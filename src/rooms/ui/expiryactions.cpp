#include "rooms/ui/expiryactions.h"

#include "app/clock.h"
#include "app/dbhouse.h"
#include "app/prompt.h"
#include "app/ui/tformmain.h"
#include "rooms/ui/tformfjbjxx.h"

namespace expiryactions {
void run(TFormmain &frame, ExpiryCheck::Trigger trigger)
{
    frame.expiryTimer().stop();
    Tdbhouse *data = dbhouse();
    const ExpiryCheck check(data->adoacccon(), data->model(QStringLiteral("qyj")), data->model(QStringLiteral("qydq")));
    const ExpiryCheck::Result result = check.run(trigger, today());
    if (!result.ok) {
        showMessage(result.error);
        return;
    }
    if (!result.found) {
        if (ExpiryCheck::reportsNothingFound(trigger))
            showMessage(ExpiryCheck::nothingFoundMessage());
        return;
    }
    if (TFormfjbjxx *open = TFormfjbjxx::openIn(frame))
        open->refresh();
    else
        frame.showChild(new TFormfjbjxx, false);
}

void afterLogin(TFormmain &frame)
{
    run(frame, ExpiryCheck::Trigger::AfterLogin);
}

void byWarningDate(TFormmain &frame)
{
    run(frame, ExpiryCheck::Trigger::Button);
}

void fromMenu(TFormmain &frame)
{
    run(frame, ExpiryCheck::Trigger::Menu);
}

} // namespace expiryactions
