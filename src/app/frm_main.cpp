#include "app/frm_main.h"

#include "app/app_dir.h"
#include "app/application.h"
#include "app/command_state.h"
#include "platform/widgets/named_controls.h"
#include "app/frm_about.h"
#include "app/frm_welcome.h"
#include "app/panel_placement.h"
#include "app/toolbar_icons.h"
#include "trend/ui/transfer_panel.h"
#include "trend/ui/trend_panel.h"
#include "link/link_control.h"
#include "link/port_file.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "model/operator_messages.h"
#include "platform/clock.h"
#include "platform/operator.h"
#include "platform/widgets/help_window.h"
#include "views/unit_view.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QStatusBar>
#include <QToolBar>

namespace {

using Handler = void (frmMain::*)();

struct MenuItemSpec {
    const char* name;
    const char* caption;
    const char* shortcut;
    Handler handler;
    bool hidden = false;
    bool createdDisabled = false;
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<MenuItemSpec> items;
};

// Toolbar buttons 1..13; a null text is a separator, a null handler a button without a command.
struct ToolbarButtonSpec {
    const char* text;
    Handler handler;
};

constexpr ToolbarButtonSpec ToolbarButtons[13] = {
    {"Start Connection", &frmMain::pibConnect_Click},
    {"Update Unit", &frmMain::pibupdate_Click},
    {"End Connection", &frmMain::pibDisconnect_Click},
    {nullptr, nullptr},
    {"New Configuration", &frmMain::pibStart_Click},
    {"Open Configuration", &frmMain::pibOpen_Click},
    {"Save Configuration", &frmMain::pibSave_Click},
    {"Close Configuration", &frmMain::pibClose_Click},
    {nullptr, nullptr},
    {"View Connected Unit's Configuration", &frmMain::pibViewStat_Click},
    {"Print Configuration", &frmMain::pibPrint_Click},
    {"Help...", &frmMain::mnuTopicsItem_Click},
    {"Reserved - not for use", nullptr},
};


const QString NotConnectedText = QStringLiteral("Not Connected");

void setControlEnabled(QObject* control, bool on)
{
    if (auto* menu = qobject_cast<QMenu*>(control))
        menu->menuAction()->setEnabled(on);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(on);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(on);
}

} // namespace

frmMain::frmMain(Application& app) : app_(app)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString());
    buildMenus();
    buildToolbar();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    unitPanels_ = std::make_unique<UnitPanels>(central, [this] { cmdResetMin_Click(); });
    ssInfo = new ConfigurationEditor(app_, *this, central);
    trend_ = new TrendPanel(app_.readings().series(), central);
    transfer_ = new TransferPanel(central);
    logNote_ = new QLabel(this);
    logNote_->setObjectName(QStringLiteral("logNote"));
    logNote_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(logNote_);
    logAction_ = findChild<QAction*>(QStringLiteral("mnuLogReadings"));

    TimConn = app_.seams().clock.createTimer(1.0, [this] { TimConn_Timer(); });

    for (const CommandStateRow& row : CommandStateTable()) {
        QObject* control = findChild<QObject*>(QString::fromLatin1(row.control));
        Q_ASSERT_X(control, "frmMain", row.control);
        commandStateControls_.push_back(control);
    }
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    const MenuSpec menus[] = {
        {"mnuFile", "File", {
            {"mnuSaveItem", "Save", "Ctrl+S", &frmMain::mnuSaveItem_Click},
            {"mnuChangePort", "Change Port", nullptr, &frmMain::mnuChangePort_Click},
            {"mnuLogReadings", "Log Readings...", nullptr, &frmMain::mnuLogReadings_Click},
            {"mnuExportChart", "Export Chart Data...", nullptr, &frmMain::mnuExportChart_Click},
            {"mnuUnitHistory", "Unit History...", nullptr, &frmMain::mnuUnitHistory_Click},
            {"mnuExitItem", "Exit", "Ctrl+X", &frmMain::mnuExitItem_Click},
        }},
        {"mnuCalib", "Configuration", {
            {"mnuEditItem", "Edit New Configuration", "Ctrl+N", &frmMain::mnuEditItem_Click},
            {"mnuOpenItem", "Open Configuration", "Ctrl+O", &frmMain::mnuOpenItem_Click},
            {"mnuCloseItem", "Close Configuration", nullptr, &frmMain::mnuCloseItem_Click},
            {"mnuOffsetitem", "Offset Trimming", nullptr, &frmMain::mnuOffsetitem_Click, false, true},
            {"mnuErrorCorrection", "Sensor-Tx Calibration", nullptr, &frmMain::mnuErrorCorrection_Click, false, true},
            {"mnuUndoErrorItem", "Undo Overall or Offset Calibration", nullptr, &frmMain::mnuUndoErrorItem_Click, false, true},
            {"mnuCheckItem", "Calibration Check...", nullptr, &frmMain::mnuCheckItem_Click, false, true},
        }},
        {"mnuConnect", "Connect", {
            {"mnuConnectItem", "Connect Unit", "Ctrl+C", &frmMain::mnuConnectItem_Click},
            {"mnuCalibTarvoItem", "Calibrate Rasko", nullptr, &frmMain::mnuCalibTarvoItem_Click, true, true},
            {"mnuUpdate", "Update Unit", "Ctrl+U", &frmMain::mnuUpdate_Click},
            {"mnuResetMin", "Reset Minimum Reading", nullptr, &frmMain::mnuResetMin_Click, true, true},
            {"mnuResetMax", "Reset Maximum Reading", nullptr, &frmMain::mnuResetMax_Click, true, true},
            {"mnuDisconnectItem", "Disconnect Unit", "Ctrl+D", &frmMain::mnuDisconnectItem_Click},
        }},
        {"mnuView", "View", {
            {"mnuViewReadingItem", "View Unit's Current Reading", "Ctrl+R", &frmMain::mnuViewReadingItem_Click},
            {"mnuCloseCurrentViewItem", "Close Unit's Current Reading View", nullptr, &frmMain::mnuCloseCurrentViewItem_Click},
            {"mnuViewCalibItem", "View Unit's Current Configuration", "Ctrl+V", &frmMain::mnuViewCalibItem_Click},
            {"mnuCloseCalibItem", "Close Unit's Current Configuration", nullptr, &frmMain::mnuCloseCalibItem_Click},
            {"mnuReadingSettings", "Reading Settings...", nullptr, &frmMain::mnuReadingSettings_Click},
        }},
        {"mnuPrint", "Print", {
            {"mnuPrintCalibItem", "Print Connected Unit's Configuration", "Ctrl+P", &frmMain::mnuPrintCalibItem_Click},
            {"mnuPrintEditItem", "Print Edited Unit's Configuration", nullptr, &frmMain::mnuPrintEditItem_Click},
        }},
        {"mnuHelp", "Help", {
            {"mnuAboutItem", "About mirtal", nullptr, &frmMain::mnuAboutItem_Click},
            {"mnuTopicsItem", "Help Topics..F1", "Ctrl+H", &frmMain::mnuTopicsItem_Click},
        }},
    };

    for (const MenuSpec& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(QString::fromLatin1(spec.name));
        for (const MenuItemSpec& itemSpec : spec.items) {
            auto* item = new QAction(QString::fromUtf8(itemSpec.caption), this);
            item->setObjectName(QString::fromLatin1(itemSpec.name));
            if (itemSpec.shortcut)
                item->setShortcut(QKeySequence(QString::fromLatin1(itemSpec.shortcut)));
            item->setVisible(!itemSpec.hidden);
            item->setEnabled(!itemSpec.createdDisabled);
            connect(item, &QAction::triggered, this, itemSpec.handler);
            menu->addAction(item);
        }
    }
}

void frmMain::buildToolbar()
{
    Toolbar = addToolBar(QString());
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setFloatable(false);
    Toolbar->setIconSize(QSize(32, 32));
    Toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (int index = 1; index <= 13; ++index) {
        const ToolbarButtonSpec& spec = ToolbarButtons[index - 1];
        auto* button = new QAction(this);
        button->setObjectName(IndexedName(QStringLiteral("Toolbar"), index));
        if (spec.text) {
            button->setText(QString::fromUtf8(spec.text));
            button->setToolTip(button->text());
            button->setIcon(ToolbarIcon(index));
            connect(button, &QAction::triggered, this, [this, index] { Toolbar_ButtonClick(index); });
        } else {
            button->setSeparator(true);
        }
        Toolbar->addAction(button);
        toolbarButtons_[index - 1] = button;
    }
    // The confirming exit, apart from the numbered buttons: it asks first, closes the editor and
    // the connection, then ends the program.
    Toolbar->addSeparator();
    auto* exit = new QAction(ToolbarIcon(ExitButtonIcon), QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Toolbar_Exit"));
    exit->setToolTip(exit->text());
    connect(exit, &QAction::triggered, this, &frmMain::pibExit_Click);
    Toolbar->addAction(exit);
}

QAction* frmMain::ToolbarButton(int index) const
{
    return index >= 1 && index <= 13 ? toolbarButtons_[index - 1] : nullptr;
}

void frmMain::Toolbar_ButtonClick(int index)
{
    // Whatever the unit sent unasked is dropped before a command starts.
    if (app_.link().state.LinkOpen)
        app_.seams().port.discardInput();
    if (index < 1 || index > 13)
        return;
    if (const Handler handler = ToolbarButtons[index - 1].handler)
        (this->*handler)();
}

bool frmMain::editorOpen() const
{
    return !ssInfo->isHidden();
}

bool frmMain::Form_Load()
{
    Session& session = app_.session();
    show();
    auto* welcome = new frmWelcome(this);
    welcome->show();

    // The mains frequency is neither shown nor offered for editing.
    ssInfo->hideMainsFrequency();
    unitPanels_->hideMainsFrequency();

    app_.link().update.UpdateKind = UpdateKinds::FullKeepingCorrection;

    const std::optional<QString> appPath = app_.registry().appPathValue();
    if (!appPath) {
        app_.op().message(QStringLiteral("Installation Problems"),
                          QStringLiteral("There are Some Problems With The Application Installation,") + QLatin1String(CrLf)
                              + QStringLiteral("Please Try Reinstalling The Application."));
        app_.endProgram(1);
        return false;
    }
    session.AppDir = AppDirFromAppPath(*appPath);
    session.RecordDir = app_.recordFolder();
    ReadPortFile(session, app_.link().state.PortNumber, app_.op());

    if (editorOpen())
        pibClose_Click();
    SetCommandState(CommandStates::NotConnected);
    placePanels();
    app_.catalogue() = BuildCatalogue();
    InitConfData(session);
    ResetLinkState(app_.link());
    ClearUnitPanel();
    return true;
}

void frmMain::placePanels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    const QSize screenSize = screen->size();
    const PanelPlacement placement = PlacePanels(PixelsToTwips(screenSize.width(), dpiX),
                                                 PixelsToTwips(screenSize.height(), dpiY));
    const auto pixels = [&](const TwipRect& r) {
        return QRect(TwipsToPixels(r.left, dpiX), TwipsToPixels(r.top, dpiY),
                     TwipsToPixels(r.width, dpiX), TwipsToPixels(r.height, dpiY));
    };
    const QRect window = pixels(placement.window);
    resize(window.size());
    move(window.topLeft());
    // The screen's size with the window frame around it would run off the screen's bottom and
    // hide the status bar: the window system fits a maximized window, frame included.
    setWindowState(windowState() | Qt::WindowMaximized);
    ssInfo->setGeometry(pixels(placement.ssInfo));
    unitPanels_->place(pixels(placement.frCurrent[0]), pixels(placement.frCurrent[1]), pixels(placement.frCurrentReading),
                       pixels(placement.Frame1));
    trend_->setGeometry(pixels(placement.trend));
    transfer_->setGeometry(pixels(placement.transfer));
}

void frmMain::SetCommandState(CommandStates code)
{
    Session& session = app_.session();
    session.CommandState = code;
    const auto column = std::size_t(code);
    if (column >= CommandStateCount)
        return;
    const CommandConditions now{editorOpen(), app_.link().state.LinkOpen, session.EditConf.InputClass};
    const std::span<const CommandStateRow> table = CommandStateTable();
    for (std::size_t row = 0; row < table.size(); ++row)
        if (const std::optional<bool> on = CellEnabled(table[row].cells[column], now))
            setControlEnabled(commandStateControls_[row], *on);
    if (code == CommandStates::NotConnected || code == CommandStates::Disconnected)
        unitPanels_->setStatusText(NotConnectedText);
    if (code == CommandStates::Disconnected) {
        unitPanels_->showConfiguration(false);
        unitPanels_->showReadings(false);
    }
}

void frmMain::ClearUnitPanel()
{
    ::ClearUnitPanel(app_.views());
}

void frmMain::DiscardWindows()
{
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            child->hide();
    hide();
}

// ---- Leaving the program ----

void frmMain::Form_Unload()
{
    if (editorOpen() && !app_.session().view.ConfSaved && AskToSaveChanges(app_.op()))
        pibSave_Click();
    app_.endProgram(0);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmMain::mnuExitItem_Click()
{
    Form_Unload();
}

void frmMain::pibExit_Click()
{
    if (!app_.op().ask(QStringLiteral("Exit   System"), QStringLiteral("Are You Sure You Wish to Exit The  System?")))
        return;
    if (editorOpen())
        pibClose_Click();
    if (app_.link().state.LinkOpen)
        pibDisconnect_Click();
    app_.endProgram(0);
}

// ---- Configuration commands ----

void frmMain::pibClose_Click()
{
    if (!app_.session().view.ConfSaved && AskToSaveChanges(app_.op()))
        pibSave_Click();
    ssInfo->hide();
    ToolbarButton(8)->setEnabled(false);
}

void frmMain::mnuSaveItem_Click() { pibSave_Click(); }
void frmMain::mnuEditItem_Click() { pibStart_Click(); }
void frmMain::mnuOpenItem_Click() { pibOpen_Click(); }
void frmMain::mnuCloseItem_Click() { pibClose_Click(); }
void frmMain::mnuUpdate_Click() { pibupdate_Click(); }

// ---- Connection commands ----

void frmMain::mnuConnectItem_Click() { pibConnect_Click(); }
void frmMain::pibDisconnect_Click() { mnuDisconnectItem_Click(); }

void frmMain::pibViewStat_Click()
{
    unitPanels_->showConfiguration(true);
    unitPanels_->showReadings(true);
}

void frmMain::mnuViewCalibItem_Click() { unitPanels_->showConfiguration(true); }
void frmMain::mnuCloseCalibItem_Click() { unitPanels_->showConfiguration(false); }
void frmMain::mnuViewReadingItem_Click() { unitPanels_->showReadings(true); }
void frmMain::mnuCloseCurrentViewItem_Click() { unitPanels_->showReadings(false); }

// ---- Help ----

void frmMain::pibHelp_Click()
{
    // The help picture button has no command of its own: help runs from the menu and the toolbar.
}

void frmMain::mnuTopicsItem_Click()
{
    const QString path = app_.session().AppDir + QStringLiteral("/help.html");
    if (!help_)
        help_ = new HelpWindow(this);
    if (!help_->showFile(path)) {
        IllegalPathMessage(app_.op(), CantAccessFileText(path));
        return;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void frmMain::mnuAboutItem_Click()
{
    if (!about_)
        about_ = new frmAbout(this);
    about_->Text1->setText(VersionText());
    about_->show();
    about_->raise();
    about_->activateWindow();
}
