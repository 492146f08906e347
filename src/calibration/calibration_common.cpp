#include "calibration/calibration_common.h"

#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "link/ui/com_wait.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/clock.h"
#include "platform/operator.h"
#include "platform/widgets/modal_runner.h"
#include "views/label_colour.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

void setBoxColour(QLineEdit* box, const QColor& colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace

void BurnOutReadingMessage(Operator& op)
{
    op.message(QStringLiteral("Burn Out Reading"), QStringLiteral("Since The Current Reading Is Burn Out,")
                                                       + QLatin1String(LfCr)
                                                       + QStringLiteral("It's Not Possible to Recalibrate The Unit."));
}

bool AskRecalibrateNow(Operator& op)
{
    return op.ask(QStringLiteral("Calibration Correction"), QStringLiteral("Do You Wish To Recalibrate The Unit Now?"));
}

QString CalRecordFile(const Session& session)
{
    return CalRecordPath(RecordFolder(session), session.UnitConf.Serial);
}

void RefuseBoxValue(QLineEdit* box)
{
    {
        const QSignalBlocker quiet(box);
        box->clear();
    }
    setBoxColour(box, Red);
}

void ResetBoxColour(QLineEdit* box)
{
    setBoxColour(box, QApplication::palette(box).color(QPalette::Base));
}

bool WriteCorrectionNow(Link& link, ModalRunner& modal, QWidget& window)
{
    window.setCursor(Qt::WaitCursor);
    const bool written = WriteCorrection(link, UpdateKinds::CorrectionWrite, [&] {
        ComWait progress(link, &window);
        modal.run(progress);
        return progress.progress();
    });
    window.unsetCursor();
    return written;
}
