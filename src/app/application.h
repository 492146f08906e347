#pragma once

#include "app/seams.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/install_registry.h"
#include "platform/port_names.h"
#include "trend/live_readings.h"
#include "views/view_targets.h"

#include <functional>
#include <memory>
#include <optional>

class frmMain;
class MainWindowLink;
class frmStatus;
class frmPrintCon;
class frmPrintsts;
class CalibrationWindows;
class CheckWindow;
struct CheckRecord;
class UnitHistory;
struct Link;

// The running program: everything it knows (Session, catalogue), the outside world it talks to
// (the seams, installation registry, port names), the device link and the windows. A test
// builds a fresh one with scripted seams, virtual time and its own registry file.
class Application {
public:
    // Ends the event loop with an exit code; the real program passes QCoreApplication::exit.
    using EndProgram = std::function<void(int exitCode)>;

    // The unit history is kept in `historyFolder` (made when first written).
    Application(Seams seams, InstallRegistry registry, PortNames portNames, const QString& historyFolder,
                EndProgram endProgram);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the main window's start-up. False when the program has to end at once (installation
    // check failed); the end has then been requested already.
    bool start();

    // Ends the program: every window of it disappears and the event loop is told to stop.
    void endProgram(int exitCode = 0);
    // The exit code once the end was requested (a window may be closed while start-up still
    // shows a message, before the event loop runs).
    std::optional<int> exitCode() const { return exitCode_; }

    // Unit records go to `folder` instead of the program folder (the demo's own folder); set
    // before start().
    void useRecordFolder(QString folder) { recordFolder_ = std::move(folder); }
    const QString& recordFolder() const { return recordFolder_; }

    Session& session() { return session_; }
    // The connected unit's readings over the run: trend, stable rule, reading log.
    LiveReadings& readings() { return readings_; }
    // The readings take the settings, and they are kept for the next run.
    void changeReadingSettings(const ReadingSettings& settings);
    // A completed check joins the unit's history (the unit as the check left it).
    void keepCheck(const CheckRecord& record);
    Catalogue& catalogue() { return catalogue_; }
    Operator& op() { return seams_.op; }
    const Seams& seams() const { return seams_; }
    const InstallRegistry& registry() const { return registry_; }
    PortNames& portNames() { return portNames_; }
    frmMain& mainWindow() { return *mainWindow_; }
    Link& link() { return *link_; }
    // A snapshot of the unit before and after every write into it.
    UnitHistory& history() { return *history_; }
    frmStatus& statusWindow() { return *status_; }
    frmPrintCon& printCon() { return *printCon_; }
    frmPrintsts& printSts() { return *printSts_; }
    // The offset-trimming and two-point windows with what they keep between openings.
    CalibrationWindows& calibration() { return *calibration_; }
    // The calibration check and its certificate; a completed check joins the unit's history.
    CheckWindow& check() { return *check_; }
    // The labels the views draw into, across all windows.
    ViewTargets& views() { return views_; }

private:
    Session session_;
    Catalogue catalogue_;
    LiveReadings readings_;
    Seams seams_;
    InstallRegistry registry_;
    PortNames portNames_;
    EndProgram endProgram_;
    std::optional<int> exitCode_;
    QString recordFolder_;
    std::unique_ptr<frmMain> mainWindow_;
    std::unique_ptr<MainWindowLink> linkWindows_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<UnitHistory> history_;
    std::unique_ptr<frmStatus> status_;
    std::unique_ptr<frmPrintCon> printCon_;
    std::unique_ptr<frmPrintsts> printSts_;
    std::unique_ptr<CalibrationWindows> calibration_;
    std::unique_ptr<CheckWindow> check_;
    ViewTargets views_;
};
