#include "calibration/frm_error.h"

#include "calibration/calibration_common.h"
#include "platform/widgets/named_controls.h"
#include "trend/ui/stable_indicator.h"
#include "calibration/calibration_windows.h"
#include "link/unit_tasks.h"
#include "link/serial_link.h"
#include "model/conf_files.h"
#include "model/correction_scale.h"
#include "model/decimal_text.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/operator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <initializer_list>

namespace {

QString lines(std::initializer_list<const char*> parts)
{
    QStringList texts;
    for (const char* part : parts)
        texts << QString::fromLatin1(part);
    return texts.join(QLatin1String(LfCr));
}

const QString ReadingOrderText = lines({"The High Point Reading Value Should Exceed", "The Low Point Reading Value"});
const QString MeasuredOrderText = lines({"The High Point Measured Value Should Exceed", "The Low Point Measured Value"});

QString missingText(const char* first, const char* last)
{
    return lines({first, "The Recalibration Will Not Take Place", "Until Both Points Are Stated ", last});
}

// Shows a true value in its box unless it is not set (or, with skipMarker, is the marker of a
// completed calibration).
void showTrueValue(QLineEdit* box, float value, bool skipMarker)
{
    if (value != NoCal && !(skipMarker && value == OffsetMarker))
        box->setText(ShortestText(value));
}

// An option button of the pair unchecked, even the checked one.
void uncheck(QRadioButton* option)
{
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace

frmError::frmError(Link& link, ModalRunner& modal, CalibrationState& state, QWidget* parent)
    : QDialog(parent), link_(link), modal_(modal), state_(state)
{
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("Sensor-Tx Calibration"));
    Label1 = NewLabel(this, QStringLiteral("Label1"), QStringLiteral("Insert The Correct Readings :"));
    Label2 = NewLabel(this, QStringLiteral("Label2"), QStringLiteral("Current Measure :"));
    lbCurrRead = NewLabel(this, QStringLiteral("lbCurrRead"));
    lbCurrUnit = NewLabel(this, QStringLiteral("lbCurrUnit"));
    const QString captions[2] = {QStringLiteral("Low Point Reading :"), QStringLiteral("High Point Reading :")};
    for (int i = 0; i < 2; ++i) {
        optError[i] = NewOption(this, IndexedName(QStringLiteral("optError"), i), captions[i]);
        connect(optError[i], &QRadioButton::clicked, this, [this, i] { optError_Click(i); });
    }
    txtLow = NewTextBox(this, QStringLiteral("txtLow"));
    txtHigh = NewTextBox(this, QStringLiteral("txtHigh"));
    CmdEnterMin = NewButton(this, QStringLiteral("CmdEnterMin"), QStringLiteral("Enter"));
    CmdEnterMax = NewButton(this, QStringLiteral("CmdEnterMax"), QStringLiteral("Enter"));
    cmdDone = NewButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));
    cmdCancel = NewButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(lbCurrRead, 1, 1);
    grid->addWidget(lbCurrUnit, 1, 2);
    // Whether the reading has settled: the technician waits for it before Enter.
    stable = new StableIndicator(this);
    grid->addWidget(stable, 1, 3);
    grid->addWidget(optError[0], 2, 0);
    grid->addWidget(txtLow, 2, 1, 1, 2);
    grid->addWidget(CmdEnterMin, 2, 3);
    grid->addWidget(optError[1], 3, 0);
    grid->addWidget(txtHigh, 3, 1, 1, 2);
    grid->addWidget(CmdEnterMax, 3, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 4, 0, 1, 4);

    connect(txtLow, &QLineEdit::textChanged, this, [this] { txtLow_Change(); });
    connect(txtHigh, &QLineEdit::textChanged, this, [this] { txtHigh_Change(); });
    connect(CmdEnterMin, &QPushButton::clicked, this, [this] { CmdEnterMin_Click(); });
    connect(CmdEnterMax, &QPushButton::clicked, this, [this] { CmdEnterMax_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmError::loadAndShow()
{
    Form_Load();
    show();
    raise();
    activateWindow();
}

void frmError::Form_Load()
{
    optionClickedThisOpening_ = false;
    const ConfRecord& e = link_.session.EditConf;
    for (QLineEdit* box : {txtLow, txtHigh}) {
        box->clear();
        ResetBoxColour(box);
        box->setEnabled(false);
    }
    for (QRadioButton* option : optError)
        uncheck(option);
    showTrueValue(txtHigh, e.CalHighRef, true);
    showTrueValue(txtLow, e.CalLowRef, true);
}

void frmError::reject()
{
    cmdCancel_Click();
}

void frmError::optError_Click(int index)
{
    Session& s = link_.session;
    state_.ErrorSavedMode = link_.update.UpdateKind;
    optionClickedThisOpening_ = true;
    if (link_.update.UpdateKind == UpdateKinds::Full) {
        // The last correction has been written or undone: start from empty fields.
        ClearCorrection(s.EditConf);
        ClearCorrection(s.UnitConf);
    } else if (s.UnitConf.CalLowRef == NoCal || s.UnitConf.CalHighRef == NoCal) {
        ReadCalRecord(s.UnitConf, CalRecordFile(s), link_.op);
    }
    if (lbCurrRead->text() == QLatin1String("Burn Out")) {
        BurnOutReadingMessage(link_.op);
        hide();
        return;
    }
    if (index != 0 && index != 1)
        return;
    txtLow->setEnabled(index == 0);
    txtHigh->setEnabled(index == 1);
    showTrueValue(txtHigh, s.EditConf.CalHighRef, false);
    showTrueValue(txtLow, s.EditConf.CalLowRef, false);
    link_.update.UpdateKind = UpdateKinds::FullKeepingCorrection;
}

void frmError::txtLow_Change()
{
    ResetBoxColour(txtLow);
}

void frmError::txtHigh_Change()
{
    ResetBoxColour(txtHigh);
}

frmError::Point frmError::lowPoint() const
{
    return {true, txtLow, &ConfRecord::CalLowRef, &ConfRecord::CalLowRead, &ConfRecord::CalHighRef,
            &ConfRecord::CalHighRead};
}

frmError::Point frmError::highPoint() const
{
    return {false, txtHigh, &ConfRecord::CalHighRef, &ConfRecord::CalHighRead, &ConfRecord::CalLowRef,
            &ConfRecord::CalLowRead};
}

void frmError::CmdEnterMin_Click()
{
    enterPoint(lowPoint());
}

void frmError::CmdEnterMax_Click()
{
    enterPoint(highPoint());
}

// Records the point's true value and the present reading; both pairs stay strictly ordered
// (low below high), so an entry that breaks the order is refused.
void frmError::enterPoint(const Point& p)
{
    Session& s = link_.session;
    ConfRecord& e = s.EditConf;
    Operator& op = link_.op;
    const QString fieldName = p.low ? QStringLiteral("Low Point") : QStringLiteral("High Point");
    const auto inOrder = [&p](float value, float other) { return p.low ? value < other : other < value; };

    const QString text = p.box->text().trimmed();
    if (text == QLatin1String("-"))
        return;
    if (text.isEmpty()) {
        e.*p.ref = NoCal;
    } else {
        const std::optional<float> value = ParseSingle(text);
        if (!value) {
            NotNumericMessage(op, fieldName);
            return;
        }
        if (e.*p.otherRef != NoCal && !inOrder(*value, e.*p.otherRef)) {
            RefuseBoxValue(p.box);
            op.message(p.low ? QStringLiteral("Invalid Low Value") : QStringLiteral("Invalid High Value"),
                       ReadingOrderText);
            return;
        }
        ResetBoxColour(p.box);
        e.*p.ref = *value;
    }

    const std::optional<float> reading = ParseSingle(lbCurrRead->text());
    if (!reading) {
        NotNumericMessage(op, fieldName);
        return;
    }
    if (e.*p.otherRead != NoCal && !inOrder(*reading, e.*p.otherRead)) {
        op.message(p.low ? QStringLiteral("Invalid Low Point Value") : QStringLiteral("Invalid High Point Value"),
                   MeasuredOrderText);
        RefuseBoxValue(p.box);
        e.*p.ref = NoCal;
        return;
    }
    e.*p.read = *reading;
    if (!p.low) {
        ConfRecord& u = s.UnitConf;
        u.CalLowRef = e.CalLowRef;
        u.CalLowRead = e.CalLowRead;
        u.CalHighRef = e.CalHighRef;
        u.CalHighRead = e.CalHighRead;
    }
}

void frmError::cmdDone_Click()
{
    Session& s = link_.session;
    ConfRecord& e = s.EditConf;
    ConfRecord& u = s.UnitConf;
    Operator& op = link_.op;
    const QString path = CalRecordFile(s);

    // A point with only one of its two values set cannot make a correction: it counts as missing.
    const bool lowMissing = e.CalLowRef == NoCal || e.CalLowRead == NoCal;
    const bool highMissing = e.CalHighRef == NoCal || e.CalHighRead == NoCal;
    if (lowMissing || highMissing) {
        const QString question = lowMissing && highMissing
            ? missingText("The Two Temprature Points Are Missing. ", "Would You Like to Insert The Missing Points?")
            : missingText(lowMissing ? "The Lower Temprature Point Is Missing. " : "The Higher Temprature Point Is Missing. ",
                          "Would You Like to Insert The Missing Point?");
        if (op.ask(QStringLiteral("Missing Values"), question))
            return;
        hide();
        link_.update.UpdateKind = UpdateKinds::FullKeepingCorrection;
        WriteCalRecord(e, path, op);
        return;
    }

    // true = gain x reading + offset, in extended precision; rounded to single where stored.
    const long double gain = ((long double)e.CalHighRef - e.CalLowRef) / ((long double)e.CalHighRead - e.CalLowRead);
    const long double offset = (long double)e.CalLowRef - gain * e.CalLowRead;
    link_.update.UpdateKind = UpdateKinds::CorrectionStored;
    u.CalHighRead = e.CalHighRead;
    u.CalLowRead = e.CalLowRead;
    u.CalLowRef = u.CalHighRef = e.CalHighRef = e.CalLowRef = OffsetMarker;
    e.CalGain = u.CalGain = float((long double)float(gain) * CorrectionScale);
    e.CalOffset = u.CalOffset = float(offset * CorrectionScale);
    WriteCalRecord(e, path, op);

    if (AskRecalibrateNow(op) && !WriteCorrectionNow(link_, modal_, *this))
        return;
    ResendDisplayRange(link_);
    hide();
}

void frmError::cmdCancel_Click()
{
    Session& s = link_.session;
    for (ConfRecord* r : {&s.EditConf, &s.UnitConf})
        r->CalHighRef = r->CalLowRef = NoCal;
    hide();
    if (optionClickedThisOpening_)
        link_.update.UpdateKind = state_.ErrorSavedMode;
}
