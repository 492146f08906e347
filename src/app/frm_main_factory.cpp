// The way into the factory-calibration window (a hidden menu item, or --factory at start-up).

#include "app/application.h"
#include "app/frm_main.h"
#include "calibration/frm_calib.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "platform/clock.h"

#include <QLabel>

void frmMain::mnuCalibTarvoItem_Click()
{
    if (app_.link().state.LinkOpen) {
        app_.link().state.NoTimeoutMessage = true;
        closeConnection();
    }
    // The window works on the port directly; it opens even when the port does not (that has
    // been reported, and Get Values reports the silence).
    OpenLink(app_.link());
    unitPanels_->setStatusText(QStringLiteral("Tarvo Calibration"));
    // One window, loaded afresh whenever it was closed.
    auto* calib = findChild<frmCalib*>(QString(), Qt::FindDirectChildrenOnly);
    if (!calib)
        calib = new frmCalib(app_.link(), app_.seams().dialogs, this);
    else if (calib->isHidden())
        calib->Form_Load();
    calib->show();
    calib->raise();
    calib->activateWindow();
}
