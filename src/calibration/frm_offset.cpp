#include "calibration/frm_offset.h"

#include "calibration/calibration_common.h"
#include "platform/widgets/named_controls.h"
#include "trend/ui/stable_indicator.h"
#include "calibration/calibration_windows.h"
#include "link/unit_tasks.h"
#include "link/serial_link.h"
#include "model/conf_files.h"
#include "model/correction_scale.h"
#include "model/decimal_text.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/operator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString FieldName = QStringLiteral("Offset Value");
// The gain of a correction by a constant: 1.0 as the unit keeps it.
constexpr float UnitGain = float(CorrectionScale);

} // namespace

frmOffset::frmOffset(Link& link, ModalRunner& modal, CalibrationState& state, QWidget* parent)
    : QDialog(parent), link_(link), modal_(modal), state_(state)
{
    setObjectName(QStringLiteral("frmOffset"));
    setWindowTitle(QStringLiteral("Offset Trimming"));
    Label1 = NewLabel(this, QStringLiteral("Label1"), QStringLiteral("Offset Trimming :"));
    Label3 = NewLabel(this, QStringLiteral("Label3"), QStringLiteral("Current measure :"));
    lbCurrRead = NewLabel(this, QStringLiteral("lbCurrRead"));
    lbCurrUnit = NewLabel(this, QStringLiteral("lbCurrUnit"));
    Label2 = NewLabel(this, QStringLiteral("Label2"), QStringLiteral("Enter New Value :"));
    txtOffset = NewTextBox(this, QStringLiteral("txtOffset"));
    cmdEnterOffset = NewButton(this, QStringLiteral("cmdEnterOffset"), QStringLiteral("Enter"));
    cmdDone = NewButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));
    cmdCancel = NewButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(lbCurrRead, 1, 1);
    grid->addWidget(lbCurrUnit, 1, 2);
    // Whether the reading has settled: the technician waits for it before Enter.
    stable = new StableIndicator(this);
    grid->addWidget(stable, 1, 3);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(txtOffset, 2, 1, 1, 2);
    grid->addWidget(cmdEnterOffset, 2, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 4);

    connect(txtOffset, &QLineEdit::textChanged, this, [this] { txtOffset_Change(); });
    connect(cmdEnterOffset, &QPushButton::clicked, this, [this] { cmdEnterOffset_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmOffset::loadAndShow()
{
    Form_Load();
    show();
    raise();
    activateWindow();
}

void frmOffset::Form_Load()
{
    txtOffset->clear();
    ResetBoxColour(txtOffset);
    enteredThisOpening_ = false;
    cmdDone->setEnabled(false);
}

void frmOffset::reject()
{
    cmdCancel_Click();
}

void frmOffset::txtOffset_Change()
{
    ResetBoxColour(txtOffset);
}

void frmOffset::cmdEnterOffset_Click()
{
    Session& s = link_.session;
    // Every press clears the correction held in memory, whatever follows.
    ClearCorrection(s.UnitConf);
    ClearCorrection(s.EditConf);
    state_.OffsetSavedMode = link_.update.UpdateKind;
    enteredThisOpening_ = true;
    if (lbCurrRead->text() == QLatin1String("Burn Out")) {
        BurnOutReadingMessage(link_.op);
        link_.update.UpdateKind = state_.OffsetSavedMode;
        hide();
        return;
    }
    const QString text = txtOffset->text().trimmed();
    if (text == QLatin1String("-"))
        return;
    if (text.isEmpty()) {
        link_.op.message(QStringLiteral("Missing Parameters"), QStringLiteral("The Offset Parameter Is Missing.")
                                                                   + QLatin1String(LfCr)
                                                                   + QStringLiteral("Please Insert The Offset Parameter."));
        RefuseBoxValue(txtOffset);
        return;
    }
    const std::optional<float> trueValue = ParseSingle(text);
    const std::optional<double> reading = ParseDouble(lbCurrRead->text());
    if (!trueValue || !reading) {
        NotNumericMessage(link_.op, FieldName);
        return;
    }
    state_.TrimOffset = float(double(*trueValue) - *reading);
    link_.update.UpdateKind = UpdateKinds::FullKeepingCorrection;
    cmdDone->setEnabled(true);
}

void frmOffset::cmdDone_Click()
{
    Session& s = link_.session;
    if (state_.TrimOffset == 0) {
        if (!link_.op.ask(QStringLiteral("Missing Values"), QStringLiteral("The Offset Parameter Is Mising.")
                                                                + QLatin1String(LfCr)
                                                                + QStringLiteral("Would You Like To Insert This Parameter?")))
            cmdCancel_Click();
        return;
    }
    link_.update.UpdateKind = UpdateKinds::CorrectionStored;
    const float offset = float(double(state_.TrimOffset) * TrimOffsetScale(s.UnitConf.InputClass));
    for (ConfRecord* r : {&s.UnitConf, &s.EditConf}) {
        r->CalOffset = offset;
        r->CalGain = UnitGain;
        r->CalHighRef = r->CalLowRef = OffsetMarker;
    }
    WriteCalRecord(s.UnitConf, CalRecordFile(s), link_.op);
    if (AskRecalibrateNow(link_.op) && !WriteCorrectionNow(link_, modal_, *this))
        return;
    ResendDisplayRange(link_);
    hide();
}

void frmOffset::cmdCancel_Click()
{
    if (enteredThisOpening_)
        link_.update.UpdateKind = state_.OffsetSavedMode;
    hide();
}
