#include "calibration/calibration_undo.h"

#include "calibration/calibration_common.h"
#include "link/serial_link.h"
#include "link/ui/com_wait.h"
#include "link/update.h"
#include "model/session.h"
#include "platform/widgets/modal_runner.h"

void UndoCalibration(Link& link, ModalRunner& modal, QWidget* parent)
{
    Session& s = link.session;
    const std::int16_t previousKind = s.update.UpdateKind;
    s.update.UpdateKind = 4;
    if (!PrepareUpdate(link)) {
        // A later full update must not run as a calibration-only one.
        s.update.UpdateKind = previousKind;
        return;
    }
    for (ConfRecord* record : {&s.UnitConf, &s.EditConf})
        record->CalHighRef = record->CalLowRef = NoCal;
    ResendDisplayRange(link);
    ComWait progress(link, parent);
    modal.run(progress);
}
