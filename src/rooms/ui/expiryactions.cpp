#include "rooms/ui/expiryactions.h"

#include "app/clock.h"
#include "app/dbhouse.h"
#include "app/prompt.h"
#include "app/ui/tformmain.h"
#include "rooms/ui/tformfjbjxx.h"

namespace expiryactions {
namespace {

// The timer and the navigation button reach the frame through one action; what emitted the signal tells
// them apart. QObject::sender() is protected; its address taken through a derived class reaches it.
struct SenderAccess : QObject
{
    using QObject::sender;
};

QObject *signalSender(QObject &receiver)
{
    QObject *(QObject::*sender)() const = &SenderAccess::sender;
    return (receiver.*sender)();
}

} // namespace

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
        frame.showChild(new TFormfjbjxx, false)->showMaximized();
}

void byWarningDate(TFormmain &frame)
{
    const bool automatic = signalSender(frame) == &frame.expiryTimer();
    run(frame, automatic ? ExpiryCheck::Trigger::AfterLogin : ExpiryCheck::Trigger::Button);
}

void fromMenu(TFormmain &frame)
{
    run(frame, ExpiryCheck::Trigger::Menu);
}

} // namespace expiryactions
