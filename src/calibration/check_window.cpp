#include "calibration/check_window.h"

#include "calibration/check_setup_panel.h"
#include "check/certificate.h"
#include "check/check_csv.h"
#include "check/check_settings.h"
#include "link/connect_poll.h"
#include "link/serial_link.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "model/session.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/print_dialogs.h"
#include "platform/widgets/named_controls.h"
#include "trend/ui/stable_indicator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString Title = QStringLiteral("Calibration Check");

// How near the reference, as a fraction of the span, a stable reading must be to be recorded by
// itself; a unit farther off is recorded with "Record".
constexpr double AutoRecordBand = 0.05;

QString runName(bool asFound)
{
    return asFound ? QStringLiteral("As found") : QStringLiteral("As left");
}

} // namespace

CheckWindow::CheckWindow(Link& link, FileDialogs& dialogs, PrintDialogs& printDialogs, QSettings& settings,
                         CheckAdjusters adjusters, QWidget* parent)
    : QDialog(parent)
    , link_(link)
    , dialogs_(dialogs)
    , printDialogs_(printDialogs)
    , settings_(settings)
    , adjusters_(std::move(adjusters))
{
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(Title);
    setup = new CheckSetupPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(setup);
    layout->addWidget(buildRunPanel(), 1);

    connect(cmdStartAsFound, &QPushButton::clicked, this, [this] { cmdStartAsFound_Click(); });
    connect(cmdRecord, &QPushButton::clicked, this, [this] { cmdRecord_Click(); });
    connect(cmdOffsetTrim, &QPushButton::clicked, this, [this] { adjusters_.offsetTrim(); });
    connect(cmdTwoPoint, &QPushButton::clicked, this, [this] { adjusters_.twoPoint(); });
    connect(cmdNoAdjustment, &QPushButton::clicked, this, [this] { cmdNoAdjustment_Click(); });
    connect(cmdStartAsLeft, &QPushButton::clicked, this, [this] { cmdStartAsLeft_Click(); });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] { cmdSavePdf_Click(); });
    connect(cmdSaveCsv, &QPushButton::clicked, this, [this] { cmdSaveCsv_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
    connect(cmdApplySimulated, &QPushButton::clicked, this, [this] { cmdApplySimulated_Click(); });
    setStage(Stage::SetUp);
}

QWidget* CheckWindow::buildRunPanel()
{
    QGroupBox* run = NewFrame(this, QStringLiteral("frCheckRun"), QStringLiteral("Check"));
    lbPrompt = NewLabel(run, QStringLiteral("lbPrompt"), QStringLiteral("Set up the check, then start the as-found run."));
    lbReading = NewLabel(run, QStringLiteral("lbReading"));
    QFont big = lbReading->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lbReading->setFont(big);
    stableIndicator = new StableIndicator(run);
    tblResults = new QTableWidget(0, 7, run);
    tblResults->setObjectName(QStringLiteral("tblResults"));
    tblResults->setHorizontalHeaderLabels({QStringLiteral("Run"), QStringLiteral("Reference"), QStringLiteral("Reading"),
                                           QStringLiteral("Error"), QStringLiteral("Error % of span"),
                                           QStringLiteral("Expected mA"), QStringLiteral("Result")});
    tblResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResults->verticalHeader()->hide();
    tblResults->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    const std::pair<QPushButton**, std::pair<const char*, const char*>> buttons[] = {
        {&cmdStartAsFound, {"cmdStartAsFound", "Start As-Found"}}, {&cmdRecord, {"cmdRecord", "Record"}},
        {&cmdOffsetTrim, {"cmdOffsetTrim", "Adjust: Offset Trim..."}},
        {&cmdTwoPoint, {"cmdTwoPoint", "Adjust: Two-Point..."}},
        {&cmdNoAdjustment, {"cmdNoAdjustment", "No Adjustment"}}, {&cmdStartAsLeft, {"cmdStartAsLeft", "Start As-Left"}},
        {&cmdSavePdf, {"cmdSavePdf", "Save PDF..."}}, {&cmdSaveCsv, {"cmdSaveCsv", "Save CSV..."}},
        {&cmdPrint, {"cmdPrint", "Print..."}}, {&cmdClose, {"cmdClose", "Close"}},
        {&cmdApplySimulated, {"cmdApplySimulated", "Apply"}}};
    for (const auto& [button, text] : buttons)
        *button = NewButton(run, QLatin1String(text.first), QLatin1String(text.second));

    frSimulated = new QWidget(run);
    frSimulated->setObjectName(QStringLiteral("frSimulated"));
    txtSimulated = NewTextBox(frSimulated, QStringLiteral("txtSimulated"));
    auto* simulated = new QHBoxLayout(frSimulated);
    simulated->setContentsMargins(0, 0, 0, 0);
    simulated->addWidget(NewLabel(frSimulated, QStringLiteral("lbSimulated"), QStringLiteral("Simulated input:")));
    simulated->addWidget(txtSimulated);
    simulated->addWidget(cmdApplySimulated);
    frSimulated->hide();

    auto* grid = new QGridLayout(run);
    grid->addWidget(lbPrompt, 0, 0, 1, 4);
    grid->addWidget(lbReading, 1, 0);
    grid->addWidget(stableIndicator, 1, 1, 1, 2);
    grid->addWidget(cmdRecord, 1, 3);
    grid->addWidget(frSimulated, 2, 0, 1, 4);
    grid->addWidget(tblResults, 3, 0, 1, 4);
    grid->setRowStretch(3, 1);
    auto* flow = new QHBoxLayout;
    for (QPushButton* button : {cmdStartAsFound, cmdOffsetTrim, cmdTwoPoint, cmdNoAdjustment, cmdStartAsLeft})
        flow->addWidget(button);
    grid->addLayout(flow, 4, 0, 1, 4);
    auto* output = new QHBoxLayout;
    output->addStretch();
    for (QPushButton* button : {cmdSavePdf, cmdSaveCsv, cmdPrint, cmdClose})
        output->addWidget(button);
    grid->addLayout(output, 5, 0, 1, 4);
    return run;
}

void CheckWindow::setSimulatedInput(std::function<void(double)> apply)
{
    applySimulated_ = std::move(apply);
    frSimulated->setVisible(bool(applySimulated_));
}

void CheckWindow::loadAndShow()
{
    if (stage_ == Stage::SetUp || stage_ == Stage::Done) {
        setup->load(link_.session.UnitConf, LoadCertificateSettings(settings_));
        setStage(Stage::SetUp);
    }
    show();
    raise();
    activateWindow();
}

void CheckWindow::setStage(Stage stage)
{
    stage_ = stage;
    const bool settingUp = stage == Stage::SetUp || stage == Stage::Done;
    setup->setEnabled(settingUp);
    cmdStartAsFound->setEnabled(settingUp);
    cmdRecord->setEnabled(false);
    for (QPushButton* button : {cmdOffsetTrim, cmdTwoPoint, cmdNoAdjustment, cmdStartAsLeft})
        button->setEnabled(stage == Stage::Adjusting);
    const bool issued = stage == Stage::Done && !record_.certificateNumber.isEmpty();
    for (QPushButton* button : {cmdSavePdf, cmdSaveCsv, cmdPrint})
        button->setEnabled(issued);
}

void CheckWindow::cmdStartAsFound_Click()
{
    Operator& op = link_.op;
    if (!link_.state.LinkOpen) {
        op.message(Title, QStringLiteral("Connect the unit before its check."));
        return;
    }
    const std::optional<CheckPlan> plan = setup->plan(op);
    if (!plan)
        return;
    const std::optional<CheckScale> scale = CheckScaleOf(link_.session.UnitConf, plan->tolerance);
    if (!scale) {
        op.message(Title, QStringLiteral("The connected unit has no input range to check."));
        return;
    }
    record_ = {};
    record_.plan = *plan;
    record_.scale = *scale;
    record_.started = QDateTime::currentDateTime();
    before_ = link_.session.UnitConf;
    tblResults->setRowCount(0);
    startRun(Stage::AsFound);
}

void CheckWindow::startRun(Stage stage)
{
    order_ = RunOrder(record_.plan);
    point_ = 0;
    setStage(stage);
    startPoint();
}

void CheckWindow::startPoint()
{
    const double reference = order_[point_];
    const QString value = UnitValueText(record_.scale, reference);
    lbPrompt->setText(QStringLiteral("%1: apply %2 %3 (point %4 of %5)")
                          .arg(runName(stage_ == Stage::AsFound), value, record_.scale.units)
                          .arg(point_ + 1)
                          .arg(order_.size()));
    txtSimulated->setText(value);
    stability_.setRule(record_.plan.stability);
    cmdRecord->setEnabled(false);
}

void CheckWindow::readingPolled()
{
    const ConfRecord& unit = link_.session.UnitConf;
    const double reading = PolledReading(unit);
    lbReading->setText((SameSingle(unit.Reading, BurnOutReading) ? QStringLiteral("Burn Out") : ValueText(unit.Reading))
                       + QLatin1Char(' ') + UnitsText(unit.Units));
    stability_.add(reading);
    const StabilityVerdict verdict = stability_.verdict(running() ? record_.scale.span() : unit.RangeMax - unit.RangeMin);
    stableIndicator->showVerdict(verdict, UnitsText(unit.Units));
    if (!running())
        return;
    cmdRecord->setEnabled(!std::isnan(stability_.mean()));
    // Recording by itself waits for the reading to come near the reference: a reading that
    // settled before the reference was applied (the last point's, say) is not this point's.
    const bool nearReference = std::abs(stability_.mean() - order_[point_]) <= AutoRecordBand * std::abs(record_.scale.span());
    if (verdict.stable && nearReference && setup->autoRecord())
        cmdRecord_Click();
}

void CheckWindow::cmdRecord_Click()
{
    const double mean = stability_.mean();
    if (!running() || std::isnan(mean))
        return;
    const bool asFound = stage_ == Stage::AsFound;
    CheckTable& table = asFound ? record_.asFound : record_.asLeft;
    table.points.push_back(
        JudgePoint(record_.scale, order_[point_], mean, stability_.verdict(record_.scale.span()).stable));
    addResultRow(runName(asFound), table.points.back());
    if (++point_ < order_.size()) {
        startPoint();
        return;
    }
    if (!asFound) {
        finish();
        return;
    }
    setStage(Stage::Adjusting);
    lbPrompt->setText(QStringLiteral("As found: %1. Adjust the unit, or go on without an adjustment.")
                          .arg(ConformityText(record_.asFound)));
}

void CheckWindow::addResultRow(const QString& run, const PointResult& point)
{
    const PointTexts t = TextsOf(record_.scale, point);
    const int row = tblResults->rowCount();
    tblResults->insertRow(row);
    const QStringList cells{run, t.reference, t.reading, t.error, t.errorPercentOfSpan, t.expectedMa,
                            point.settled ? t.verdict : t.verdict + QStringLiteral(" (not stable)")};
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells.at(column));
        const bool number = column > 0 && column < cells.size() - 1;
        item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        tblResults->setItem(row, column, item);
    }
}

void CheckWindow::cmdNoAdjustment_Click()
{
    record_.adjustment = {};
    record_.asLeft = record_.asFound;
    finish();
}

void CheckWindow::cmdStartAsLeft_Click()
{
    const bool written = link_.update.UpdateKind != UpdateKinds::CorrectionStored;
    record_.adjustment = AdjustmentBetween(before_, link_.session.UnitConf, written);
    record_.asLeft = {};
    startRun(Stage::AsLeft);
}

void CheckWindow::finish()
{
    const CertificateSettings certificate = setup->certificate();
    SaveCertificateSettings(settings_, certificate);
    record_.company = certificate.company;
    record_.unit = CheckedUnitOf(link_.session.UnitConf);
    record_.issued = QDateTime::currentDateTime();
    record_.certificateNumber = IssueCertificateNumber(settings_, certificate.prefix, record_.issued.date());
    setStage(Stage::Done);
    if (record_.certificateNumber.isEmpty()) {
        link_.op.message(Title, QStringLiteral("No certificate number can be issued: the settings file %1 cannot be "
                                               "written.")
                                    .arg(settings_.fileName()));
        return;
    }
    lbPrompt->setText(QStringLiteral("Certificate %1. As found: %2. As left: %3.")
                          .arg(record_.certificateNumber, ConformityText(record_.asFound), ConformityText(record_.asLeft)));
    emit checkCompleted(record_);
}

void CheckWindow::saveAs(const QString& filter, const QString& suffix, const std::function<bool(const QString&)>& write)
{
    const DialogResult chosen = dialogs_.saveFile(filter, record_.certificateNumber + suffix);
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(link_.op, QStringLiteral("save"));
    if (chosen.kind == DialogResult::Chosen && !write(chosen.path))
        IllegalPathMessage(link_.op, CantAccessFileText(chosen.path));
}

void CheckWindow::cmdSavePdf_Click()
{
    saveAs(QStringLiteral("*.pdf"), QStringLiteral(".pdf"),
           [this](const QString& path) { return WriteCertificatePdf(record_, path); });
}

void CheckWindow::cmdSaveCsv_Click()
{
    saveAs(QStringLiteral("*.csv"), QStringLiteral(".csv"),
           [this](const QString& path) { return WriteFileAtomically(path, CheckCsv(record_)); });
}

void CheckWindow::cmdPrint_Click()
{
    PrinterChoice choice = printDialogs_.choosePrinter(QStringLiteral("Calibration Certificate ") + record_.certificateNumber);
    if (choice.kind == PrinterChoice::Cancelled)
        return;
    // A printer that cannot even be chosen is reported like one that fails.
    const bool printed = choice.kind == PrinterChoice::Chosen && PaintCertificate(record_, *choice.printer)
        && choice.printer->printerState() != QPrinter::Error;
    if (!printed)
        PrinterErrorMessage(link_.op);
}

void CheckWindow::cmdApplySimulated_Click()
{
    bool ok = false;
    const double value = txtSimulated->text().trimmed().toDouble(&ok);
    if (!ok) {
        NotNumericMessage(link_.op, QStringLiteral("Simulated input"));
        return;
    }
    applySimulated_(value);
}
