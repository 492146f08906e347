#pragma once

#include "app/configuration_editor.h"
#include "app/unit_panels.h"
#include "link/unit_tasks.h"
#include "model/session.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class Application;
class HelpWindow;
class QAction;
class QDialog;
class QToolBar;
class ClockTimer;
class frmAbout;
class QLabel;
class TransferPanel;
class TrendPanel;

// The main window: the menus, the toolbar and the command state that enables them, the commands
// behind them, and its two parts: the connected unit's panels and the configuration editor.
// Menu items and toolbar buttons carry object names ("mnuSaveItem", "Toolbar_1").
class frmMain : public QMainWindow, public EditorHost {
    Q_OBJECT

public:
    explicit frmMain(Application& app);
    ~frmMain() override;

    // Start-up; false when the installation check failed and the program ended.
    bool Form_Load();
    // Offers to save an open, changed configuration, then ends the program.
    void Form_Unload();

    void SetCommandState(CommandStates code) override;
    // The views of the edited and the connected configuration, drawn into every window.
    void ShowEditConf() override;
    void enableUpdateUnit() override;
    void ShowUnitConf();
    void MarkEditPanelChanges();
    void ClearUnitPanel();

    ConfigurationEditor& editor() { return *ssInfo; }
    UnitPanels& unitPanels() { return *unitPanels_; }
    // The editor's visibility (its own flag, whatever the window's state).
    bool editorOpen() const;
    // The live-reading poll, once a second while a unit is connected.
    bool polling() const;

    // What the device link does to this window (through MainWindowLink).
    void startPolling();
    void stopPolling();
    void setBusyPointer(bool busy);
    void linkClosed();
    void hideDisplayControls();
    void showDisplay(const QString& versionText, std::int16_t low, std::int16_t high);
    void showReadingFrames();

    // Toolbar buttons by index 1..13 (4 and 9 are separators).
    QAction* ToolbarButton(int index) const;
    void Toolbar_ButtonClick(int index);

    // Hides every window of the program (the end of the program).
    void DiscardWindows();

    // Command procedures behind the toolbar and the menus.
    void pibConnect_Click();
    void pibStart_Click();
    void pibOpen_Click();
    void pibSave_Click();
    void pibClose_Click();
    void pibHelp_Click();
    void pibExit_Click();
    void pibupdate_Click();
    void pibDisconnect_Click();
    void pibViewStat_Click();
    void pibPrint_Click();

    void mnuSaveItem_Click();
    void mnuChangePort_Click();
    void mnuExitItem_Click();
    void mnuEditItem_Click();
    void mnuOpenItem_Click();
    void mnuCloseItem_Click();
    void mnuOffsetitem_Click();
    void mnuErrorCorrection_Click();
    void mnuUndoErrorItem_Click();
    void mnuCheckItem_Click();  // the calibration check window
    void mnuConnectItem_Click();
    void mnuCalibTarvoItem_Click();  // the factory-calibration window
    void mnuUpdate_Click();
    void mnuResetMin_Click();
    void mnuResetMax_Click();
    void mnuDisconnectItem_Click();
    void mnuViewReadingItem_Click();
    void mnuCloseCurrentViewItem_Click();
    void mnuViewCalibItem_Click();
    void mnuCloseCalibItem_Click();
    void mnuPrintCalibItem_Click();
    void mnuPrintEditItem_Click();
    void mnuAboutItem_Click();
    void mnuTopicsItem_Click();

    void cmdResetMin_Click();  // the reading panel's Reset: both stored extremes
    void TimConn_Timer();

    // The live readings: logging them into a CSV file, the chart's data, their settings.
    void mnuLogReadings_Click();
    void mnuExportChart_Click();
    void mnuReadingSettings_Click();

    // The unit history window; a configuration restored from it opens in the editor as an opened
    // file does.
    void mnuUnitHistory_Click();
    void restoreConfiguration(const ConfRecord& conf);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void placePanels();
    // An update that was refused or declined before anything was sent.
    void abandonUpdate();
    // Runs the ticks of a prepared update in the progress window.
    UpdateProgress runUpdateTicks();
    // Clears the unit's stored extremes with the busy pointer shown.
    void resetExtremes(Extremes which);
    // Closes the link and the editor, as the user's disconnect does (after its question).
    void closeConnection();
    // The opened configuration takes the connected unit's serial number; the editor shows it.
    void takeConnectedSerial();
    // Shows a window modally through the program's modal seam.
    int runModal(QDialog& dialog);
    // A poll's readings into the trend, the stable indicators, the output panel and the log;
    // `polled` false: the poll failed or the link closed (a gap).
    void takeReadings(bool polled);
    void showLogState();

    Application& app_;
    QToolBar* Toolbar = nullptr;
    std::array<QAction*, 13> toolbarButtons_{};
    std::vector<QObject*> commandStateControls_; // one per row of the command-state table
    std::unique_ptr<UnitPanels> unitPanels_;
    ConfigurationEditor* ssInfo = nullptr;
    // The live-reading poll, once a second while a unit is connected (created stopped).
    std::unique_ptr<ClockTimer> TimConn;
    TrendPanel* trend_ = nullptr;
    TransferPanel* transfer_ = nullptr;
    QLabel* logNote_ = nullptr;      // in the status bar while the readings are logged
    QAction* logAction_ = nullptr;
    QPointer<frmAbout> about_;
    QPointer<HelpWindow> help_;
};
