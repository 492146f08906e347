#include "app/frm_main.h"

#include "app/app_dir.h"
#include "app/application.h"
#include "app/command_state.h"
#include "platform/widgets/named_controls.h"
#include "app/frm_about.h"
#include "app/frm_welcome.h"
#include "app/panel_placement.h"
#include "app/toolbar_icons.h"
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
#include <QToolBar>

namespace {

using Handler = void (frmMain::*)();

struct MenuItemSpec {
    QAction* frmMain::*item;
    const char* name;
    const char* caption;
    const char* shortcut;
    Handler handler;
    bool hidden = false;
    bool createdDisabled = false;
};

struct MenuSpec {
    QMenu* frmMain::*menu;
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
    buildCommandButtons();
    buildUnitPanels(central);
    buildEditor(central);

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
        {&frmMain::mnuFile, "mnuFile", "File", {
            {&frmMain::mnuSaveItem, "mnuSaveItem", "Save", "Ctrl+S", &frmMain::mnuSaveItem_Click},
            {&frmMain::mnuChangePort, "mnuChangePort", "Change Port", nullptr, &frmMain::mnuChangePort_Click},
            {&frmMain::mnuExitItem, "mnuExitItem", "Exit", "Ctrl+X", &frmMain::mnuExitItem_Click},
        }},
        {&frmMain::mnuCalib, "mnuCalib", "Configuration", {
            {&frmMain::mnuEditItem, "mnuEditItem", "Edit New Configuration", "Ctrl+N", &frmMain::mnuEditItem_Click},
            {&frmMain::mnuOpenItem, "mnuOpenItem", "Open Configuration", "Ctrl+O", &frmMain::mnuOpenItem_Click},
            {&frmMain::mnuCloseItem, "mnuCloseItem", "Close Configuration", nullptr, &frmMain::mnuCloseItem_Click},
            {&frmMain::mnuOffsetitem, "mnuOffsetitem", "Offset Trimming", nullptr, &frmMain::mnuOffsetitem_Click, false, true},
            {&frmMain::mnuErrorCorrection, "mnuErrorCorrection", "Sensor-Tx Calibration", nullptr, &frmMain::mnuErrorCorrection_Click, false, true},
            {&frmMain::mnuUndoErrorItem, "mnuUndoErrorItem", "Undo Overall or Offset Calibration", nullptr, &frmMain::mnuUndoErrorItem_Click, false, true},
        }},
        {&frmMain::mnuConnect, "mnuConnect", "Connect", {
            {&frmMain::mnuConnectItem, "mnuConnectItem", "Connect Unit", "Ctrl+C", &frmMain::mnuConnectItem_Click},
            {&frmMain::mnuCalibTarvoItem, "mnuCalibTarvoItem", "Calibrate Rasko", nullptr, &frmMain::mnuCalibTarvoItem_Click, true, true},
            {&frmMain::mnuUpdate, "mnuUpdate", "Update Unit", "Ctrl+U", &frmMain::mnuUpdate_Click},
            {&frmMain::mnuResetMin, "mnuResetMin", "Reset Minimum Reading", nullptr, &frmMain::mnuResetMin_Click, true, true},
            {&frmMain::mnuResetMax, "mnuResetMax", "Reset Maximum Reading", nullptr, &frmMain::mnuResetMax_Click, true, true},
            {&frmMain::mnuDisconnectItem, "mnuDisconnectItem", "Disconnect Unit", "Ctrl+D", &frmMain::mnuDisconnectItem_Click},
        }},
        {&frmMain::mnuView, "mnuView", "View", {
            {&frmMain::mnuViewReadingItem, "mnuViewReadingItem", "View Unit's Current Reading", "Ctrl+R", &frmMain::mnuViewReadingItem_Click},
            {&frmMain::mnuCloseCurrentViewItem, "mnuCloseCurrentViewItem", "Close Unit's Current Reading View", nullptr, &frmMain::mnuCloseCurrentViewItem_Click},
            {&frmMain::mnuViewCalibItem, "mnuViewCalibItem", "View Unit's Current Configuration", "Ctrl+V", &frmMain::mnuViewCalibItem_Click},
            {&frmMain::mnuCloseCalibItem, "mnuCloseCalibItem", "Close Unit's Current Configuration", nullptr, &frmMain::mnuCloseCalibItem_Click},
        }},
        {&frmMain::mnuPrint, "mnuPrint", "Print", {
            {&frmMain::mnuPrintCalibItem, "mnuPrintCalibItem", "Print Connected Unit's Configuration", "Ctrl+P", &frmMain::mnuPrintCalibItem_Click},
            {&frmMain::mnuPrintEditItem, "mnuPrintEditItem", "Print Edited Unit's Configuration", nullptr, &frmMain::mnuPrintEditItem_Click},
        }},
        {&frmMain::mnuHelp, "mnuHelp", "Help", {
            {&frmMain::mnuAboutItem, "mnuAboutItem", "About mirtal", nullptr, &frmMain::mnuAboutItem_Click},
            {&frmMain::mnuTopicsItem, "mnuTopicsItem", "Help Topics..F1", "Ctrl+H", &frmMain::mnuTopicsItem_Click},
        }},
    };

    for (const MenuSpec& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(QString::fromLatin1(spec.name));
        this->*spec.menu = menu;
        for (const MenuItemSpec& itemSpec : spec.items) {
            auto* item = new QAction(QString::fromUtf8(itemSpec.caption), this);
            item->setObjectName(QString::fromLatin1(itemSpec.name));
            if (itemSpec.shortcut)
                item->setShortcut(QKeySequence(QString::fromLatin1(itemSpec.shortcut)));
            item->setVisible(!itemSpec.hidden);
            item->setEnabled(!itemSpec.createdDisabled);
            connect(item, &QAction::triggered, this, itemSpec.handler);
            menu->addAction(item);
            this->*itemSpec.item = item;
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

void frmMain::buildCommandButtons()
{
    struct CommandButtonSpec {
        QPushButton* frmMain::*button;
        const char* name;
        const char* caption;
        Handler handler;
    };
    const CommandButtonSpec buttons[] = {
        {&frmMain::pibConnect, "pibConnect", "Start Connection", &frmMain::pibConnect_Click},
        {&frmMain::pibStart, "pibStart", "New Configuration", &frmMain::pibStart_Click},
        {&frmMain::pibOpen, "pibOpen", "Open Configuration", &frmMain::pibOpen_Click},
        {&frmMain::pibSave, "pibSave", "Save Configuration", &frmMain::pibSave_Click},
        {&frmMain::pibClose, "pibClose", "Close Configuration", &frmMain::pibClose_Click},
        {&frmMain::pibHelp, "pibHelp", "Help", &frmMain::pibHelp_Click},
        {&frmMain::pibExit, "pibExit", "Exit", &frmMain::pibExit_Click},
        {&frmMain::pibupdate, "pibupdate", "Update Unit", &frmMain::pibupdate_Click},
        {&frmMain::pibDisconnect, "pibDisconnect", "End Connection", &frmMain::pibDisconnect_Click},
        {&frmMain::pibViewStat, "pibViewStat", "View Connected Unit's Configuration", &frmMain::pibViewStat_Click},
        {&frmMain::pibPrint, "pibPrint", "Print Configuration", &frmMain::pibPrint_Click},
    };
    frToolBar = new QFrame(centralWidget());
    frToolBar->setObjectName(QStringLiteral("frToolBar"));
    frToolBar->hide();
    for (const CommandButtonSpec& spec : buttons) {
        QPushButton* button = NewButton(frToolBar, QString::fromLatin1(spec.name), QString::fromUtf8(spec.caption));
        connect(button, &QPushButton::clicked, this, spec.handler);
        this->*spec.button = button;
    }
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

    // The mains frequency is neither shown nor offered for editing (its value label in the editor
    // goes with its heading).
    const std::initializer_list<QWidget*> mainsFrequency{lbWHead[8], lbWData[8], FrFreq, OptFreq[0], OptFreq[1],
                                                         LbData[9], LbHead[10]};
    for (QWidget* control : mainsFrequency)
        control->hide();

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
    ReadPortFile(session.AppDir, app_.link().state.PortNumber, app_.op());

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
    frCurrentReading->setGeometry(pixels(placement.frCurrentReading));
    frCurrent[0]->setGeometry(pixels(placement.frCurrent[0]));
    frCurrent[1]->setGeometry(pixels(placement.frCurrent[1]));
    Frame1->setGeometry(pixels(placement.Frame1));
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
        Label13->setText(NotConnectedText);
    if (code == CommandStates::Disconnected) {
        frCurrent[0]->hide();
        frCurrent[1]->hide();
        frCurrentReading->hide();
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
    frCurrent[0]->show();
    frCurrent[1]->show();
    frCurrentReading->show();
}

void frmMain::mnuViewCalibItem_Click()
{
    frCurrent[0]->show();
    frCurrent[1]->show();
}

void frmMain::mnuCloseCalibItem_Click()
{
    frCurrent[0]->hide();
    frCurrent[1]->hide();
}

void frmMain::mnuViewReadingItem_Click() { frCurrentReading->show(); }
void frmMain::mnuCloseCurrentViewItem_Click() { frCurrentReading->hide(); }

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
