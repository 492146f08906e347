#include "history/unit_history.h"

#include "link/serial_link.h"
#include "platform/operator.h"

UnitHistory::UnitHistory(const QString& folder, Clock& clock, Operator& op)
    : store_(folder, clock, [&op](const QString& notice) { op.message(HistoryTitle(), notice); })
    , journal_(store_, op)
{
}

void UnitHistory::attach(Link& link)
{
    link.journal.journal = &journal_;
}
