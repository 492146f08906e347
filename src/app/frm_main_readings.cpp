// The main window's live readings: each poll into the trend, the stable indicators, the output
// panel and the reading log; logging, exporting the chart's data and the reading settings.

#include "app/application.h"
#include "app/frm_main.h"
#include "app/reading_settings_window.h"
#include "calibration/calibration_windows.h"
#include "calibration/check_window.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "trend/ui/transfer_panel.h"
#include "trend/ui/trend_chart.h"
#include "trend/ui/trend_panel.h"
#include "trend/unit_sample.h"

#include <QAction>
#include <QLabel>

void frmMain::takeReadings(bool polled)
{
    const ConfRecord& unit = app_.session().UnitConf;
    LiveReadings& readings = app_.readings();
    const double now = app_.seams().clock.now();
    std::optional<QString> logProblem;
    if (polled) {
        const LiveReadings::Recorded recorded = readings.record(unit, now);
        const QString units = UnitsText(unit.Units);
        trend_->chart().setUnits(units, UnitsText(unit.AmbUnits));
        unitPanels_->showStability(recorded.verdict, units);
        app_.calibration().showStability(recorded.verdict, units);
        app_.check().readingPolled();
        transfer_->setTransfer(OutputTransferOf(unit, readings.settings().burnOut), units);
        transfer_->setSample(recorded.sample);
        logProblem = recorded.logProblem;
    } else {
        logProblem = readings.recordGap(unit, now);
    }
    trend_->chart().samplesAdded();
    if (logProblem)
        logNote_->setText(*logProblem);
}

void frmMain::showLogState()
{
    const ReadingLog& log = app_.readings().log();
    logAction_->setText(log.running() ? QStringLiteral("Stop Logging Readings") : QStringLiteral("Log Readings..."));
    logNote_->setText(log.running() ? QStringLiteral("Logging readings to %1").arg(log.path()) : QString());
}

void frmMain::mnuLogReadings_Click()
{
    ReadingLog& log = app_.readings().log();
    if (log.running()) {
        log.stop();
        return showLogState();
    }
    const DialogResult chosen = app_.seams().dialogs.saveFile(QStringLiteral("*.csv"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(app_.op(), QStringLiteral("save"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    if (const std::optional<QString> problem = log.start(chosen.path))
        app_.op().message(QStringLiteral("Reading Log"), *problem);
    showLogState();
}

void frmMain::mnuExportChart_Click()
{
    const DialogResult chosen = app_.seams().dialogs.saveFile(QStringLiteral("*.csv"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(app_.op(), QStringLiteral("save"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    const ConfRecord& unit = app_.session().UnitConf;
    LogRow identity;
    identity.serial = unit.Serial;
    identity.tag = unit.Tag.trimmed();
    identity.units = UnitsText(unit.Units);
    // What the chart's window shows; with no readings yet, an empty log.
    const auto [from, to] = trend_->chart().visibleSpan().value_or(std::pair{0.0, 0.0});
    if (const std::optional<QString> problem = ExportChartData(chosen.path, app_.readings().series(), from, to, identity))
        app_.op().message(QStringLiteral("Export Chart Data"), *problem);
}

void frmMain::mnuReadingSettings_Click()
{
    ReadingSettingsWindow window(app_.readings().settings(), this);
    if (runModal(window) == QDialog::Accepted)
        app_.changeReadingSettings(window.settings());
}
