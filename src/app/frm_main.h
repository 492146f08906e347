#pragma once

#include "link/link_windows.h"
#include "link/unit_tasks.h"
#include "model/conf_record.h"
#include "views/view_targets.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class Application;
class HelpWindow;
class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBar;
class ClockTimer;
class frmAbout;
class QDialog;

// The main window: menus, toolbar, the configuration editor (ssInfo) and the connected unit's
// panels. Controls keep the names the rest of the program uses for them; every one carries
// the same object name ("LbData_13", "mnuSaveItem", "Toolbar_1").
class frmMain : public QMainWindow, public LinkWindows {
    Q_OBJECT

public:
    explicit frmMain(Application& app);
    ~frmMain() override;

    // Start-up; false when the installation check failed and the program ended.
    bool Form_Load();
    // Offers to save an open, changed configuration, then ends the program.
    void Form_Unload();

    void SetCommandState(CommandStates code);
    void ClearUnitPanel();

    // The views of the edited and the connected configuration, drawn into every window.
    void ShowEditConf();
    void ShowUnitConf();
    void MarkEditPanelChanges();

    // The labels of the editor and of the unit panel, for the views.
    EditPanel editPanel() const;
    UnitPanel unitPanel() const;

    // What the device link does to this window.
    void startPollTimer() override;
    void stopPollTimer() override;
    void setEditorVisible(bool visible) override;
    void setCommandState(CommandStates code) override { SetCommandState(code); }
    void linkClosed() override;
    void setBusyPointer(bool busy) override;
    void hideDisplayControls() override;
    void showDisplay(const QString& versionText, std::int16_t low, std::int16_t high) override;
    void showBurnOut() override;
    void showNoMaxReading() override;
    void showNoMinReading() override;
    void showNoAmbientReading() override;
    void refreshBigReading() override;
    void showReadingFrames() override;
    void showUnitConf() override { ShowUnitConf(); }
    void markEditPanelChanges() override { MarkEditPanelChanges(); }
    void showEditConf() override { ShowEditConf(); }
    void clearUnitPanel() override { ClearUnitPanel(); }

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
    void mnuConnectItem_Click();
    void mnuCalibTarvoItem_Click();
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

    void cmdResetMin_Click();
    void TimConn_Timer();

    // Configuration editor.
    void cmdSerialChange_Click();
    void cmdSerialDone_Click();
    void cmdSerialCancel_Click();
    void cmdTagChange_Click();
    void ComTagDone_Click();
    void ComTagCancel_Click();
    void TxtTag_Change();
    void Option1_Click(int index);
    void cmdChangeRange_Click();
    void cmdRangeDone_Click();
    void cmdRangeCancel_Click();
    void OptTemp_Click(int index);
    void txtTempMin_Change();
    void TxtTempMax_Change();
    void cmdDirChange_Click();
    void cmdDirDone_Click();
    void cmsDirCancel_Click();
    void txtDirMin_Change();
    void txtDirMax_Change();
    void OptBurn_Click(int index);
    void OptFreq_Click(int index);
    void OptMode_Click(int index);
    void OptAmbient_Click(int index);
    void cmdAvrChange_Click();
    void cmdAvrDone_Click();
    void cmdAvrCancel_Click();
    void txtAverage_Change();
    void Com_discal_dune_Click();
    void Command1_Click();
    // 0 disables, 1 enables the Change buttons and option groups of every field; other states
    // do nothing.
    void EnableFieldChanges(int state);

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuSaveItem = nullptr;
    QAction* mnuChangePort = nullptr;
    QAction* mnuExitItem = nullptr;
    QMenu* mnuCalib = nullptr;
    QAction* mnuEditItem = nullptr;
    QAction* mnuOpenItem = nullptr;
    QAction* mnuCloseItem = nullptr;
    QAction* mnuOffsetitem = nullptr;
    QAction* mnuErrorCorrection = nullptr;
    QAction* mnuUndoErrorItem = nullptr;
    QMenu* mnuConnect = nullptr;
    QAction* mnuConnectItem = nullptr;
    QAction* mnuCalibTarvoItem = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuResetMin = nullptr;
    QAction* mnuResetMax = nullptr;
    QAction* mnuDisconnectItem = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewReadingItem = nullptr;
    QAction* mnuCloseCurrentViewItem = nullptr;
    QAction* mnuViewCalibItem = nullptr;
    QAction* mnuCloseCalibItem = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintCalibItem = nullptr;
    QAction* mnuPrintEditItem = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAboutItem = nullptr;
    QAction* mnuTopicsItem = nullptr;

    QToolBar* Toolbar = nullptr;

    // The command procedures' own buttons. The frame stays hidden: the toolbar and the menus
    // call the same handlers, and tests press them by name.
    QFrame* frToolBar = nullptr;
    QPushButton* pibConnect = nullptr;
    QPushButton* pibStart = nullptr;
    QPushButton* pibOpen = nullptr;
    QPushButton* pibSave = nullptr;
    QPushButton* pibClose = nullptr;
    QPushButton* pibHelp = nullptr;
    QPushButton* pibExit = nullptr;
    QPushButton* pibupdate = nullptr;
    QPushButton* pibDisconnect = nullptr;
    QPushButton* pibViewStat = nullptr;
    QPushButton* pibPrint = nullptr;

    // Connected unit's panels.
    std::array<QGroupBox*, 2> frCurrent{};
    QGroupBox* frCurrentReading = nullptr;
    std::array<QLabel*, 22> LbHead{};
    std::array<QLabel*, 23> LbData{};
    std::array<QLabel*, 6> LbUnit{};
    std::array<QLabel*, 2> Label8{};
    QPushButton* cmdResetMin = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label13 = nullptr;

    // Configuration editor.
    QTabWidget* ssInfo = nullptr;
    std::array<QLabel*, 15> lbWHead{};
    std::array<QLabel*, 13> lbWData{};
    std::array<QLabel*, 2> lbWUnit{};
    std::array<QLabel*, 3> LabHead2{};
    QLabel* LbHeader = nullptr;
    // General
    QLineEdit* txtSerial = nullptr;
    QPushButton* cmdSerialChange = nullptr;
    QPushButton* cmdSerialDone = nullptr;
    QPushButton* cmdSerialCancel = nullptr;
    QLineEdit* TxtTag = nullptr;
    QPushButton* cmdTagChange = nullptr;
    QPushButton* ComTagDone = nullptr;
    QPushButton* ComTagCancel = nullptr;
    // Sensor
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 5> Option1{};
    QButtonGroup* Option1Group = nullptr;
    QLabel* LabRTD = nullptr;
    QLabel* LabTC = nullptr;
    QLabel* LabVol = nullptr;
    QLabel* LabPot = nullptr;
    QLabel* LabRes = nullptr;
    // Input / Output
    std::array<QGroupBox*, 3> FrTemp{};
    std::array<QRadioButton*, 7> OptTemp{}; // indexes 2 and 3 are not used
    QButtonGroup* OptTempGroup = nullptr;
    QLineEdit* txtTempMin = nullptr;
    QLineEdit* TxtTempMax = nullptr;
    QLabel* LabMinTemp = nullptr;
    QLabel* LabMaxTemp = nullptr;
    QLabel* LabTemp = nullptr;
    QPushButton* cmdChangeRange = nullptr;
    QPushButton* cmdRangeDone = nullptr;
    QPushButton* cmdRangeCancel = nullptr;
    QGroupBox* FrBurn = nullptr;
    std::array<QRadioButton*, 2> OptBurn{};
    QButtonGroup* OptBurnGroup = nullptr;
    QLineEdit* txtDirMin = nullptr;
    QLineEdit* txtDirMax = nullptr;
    QLabel* lblMinDir = nullptr;
    QLabel* lblMaxDir = nullptr;
    QLabel* lblDir = nullptr;
    QPushButton* cmdDirChange = nullptr;
    QPushButton* cmdDirDone = nullptr;
    QPushButton* cmsDirCancel = nullptr;
    QLineEdit* txt_discall = nullptr;
    QLineEdit* txt_discalh = nullptr;
    QPushButton* Com_discal_dune = nullptr;
    QPushButton* Command1 = nullptr;
    // Set-Up
    QGroupBox* FrMode = nullptr;
    std::array<QRadioButton*, 2> OptMode{};
    QButtonGroup* OptModeGroup = nullptr;
    QLabel* LabModeNor = nullptr;
    QLabel* LabModeDif = nullptr;
    QGroupBox* FrFreq = nullptr;
    std::array<QRadioButton*, 2> OptFreq{};
    QButtonGroup* OptFreqGroup = nullptr;
    QLineEdit* txtAverage = nullptr;
    QPushButton* cmdAvrChange = nullptr;
    QPushButton* cmdAvrDone = nullptr;
    QPushButton* cmdAvrCancel = nullptr;
    QGroupBox* FrAmbient = nullptr;
    std::array<QRadioButton*, 2> OptAmbient{};
    QButtonGroup* OptAmbientGroup = nullptr;

    // The live-reading poll, once a second while a unit is connected (created stopped).
    std::unique_ptr<ClockTimer> TimConn;

    // Values typed into the editor's boxes and not yet accepted by a Done button; they live as
    // long as the window. The no-value markers: NoValue for ranges and currents, 32767 for the
    // damping, 255 for no units chosen.
    struct PendingValues {
        float rangeLow = NoValue;
        float rangeHigh = NoValue;
        float units = 255.0f;
        float outputLow = NoValue;
        float outputHigh = NoValue;
        float damping = 32767.0f;
    };
    PendingValues pending;
    // Set while the range's Done button itself selects an ambient option (no second question).
    bool rangeDoneSetsAmbient = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildCommandButtons();
    void buildUnitPanels(QWidget* central);
    void buildEditor(QWidget* central);
    QWidget* buildGeneralTab();
    QWidget* buildSensorTab();
    QWidget* buildInputOutputTab();
    QWidget* buildSetUpTab();
    void placePanels();
    // The editor's Visible property (its own flag, whatever the window's state).
    bool editorOpen() const;
    // An update that was refused or declined before anything was sent.
    void abandonUpdate();
    // Runs the ticks of a prepared update in the progress window.
    UpdateProgress runUpdateTicks();
    // Clears the unit's stored extremes with the busy pointer shown.
    void resetExtremes(Extremes which);
    // Closes the link and the editor, as the user's disconnect does (after its question).
    void closeConnection();
    // Shows a window modally through the program's modal seam.
    int runModal(QDialog& dialog);
    // Selects an editor option from code and runs its click handler, as a user's click does.
    void selectOption(QButtonGroup* group, int index);
    // Selects the burn-out, frequency, mode and ambient options that show EditConf.
    void showRecordOptions();

    Application& app_;
    std::array<QAction*, 13> toolbarButtons_{};
    std::vector<QObject*> commandStateControls_; // one per row of the command-state table
    QPointer<frmAbout> about_;
    QPointer<HelpWindow> help_;
};
