#include "platform/widgets/modal_runner.h"

#include "platform/clock.h"

#include <QDialog>

int ModalRunner::run(QDialog& dialog)
{
    if (!virtualTime_) {
        if (onOpen)
            QMetaObject::invokeMethod(&dialog, [this, &dialog] { onOpen(dialog); }, Qt::QueuedConnection);
        return dialog.exec();
    }
    dialog.setModal(true);
    dialog.show();
    if (onOpen)
        onOpen(dialog);
    // A dialog nobody closes would hold a test forever; a day of virtual time is the limit.
    clock_.waitFor(24 * 3600.0, [&dialog] { return !dialog.isVisible(); });
    dialog.hide();
    return dialog.result();
}
