#include "calibration/calibration_undo.h"

#include "link/ui/com_wait.h"
#include "link/unit_tasks.h"
#include "platform/widgets/modal_runner.h"

void UndoCalibration(Link& link, ModalRunner& modal, QWidget* parent)
{
    WriteCorrection(link, UpdateKinds::CorrectionUndo, [&] {
        ComWait progress(link, parent);
        modal.run(progress);
        return progress.progress();
    });
}
