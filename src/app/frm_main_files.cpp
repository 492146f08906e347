// The configuration commands: a new configuration from the connected unit, opening one from a
// file and saving one to a file.

#include "app/application.h"
#include "platform/widgets/named_controls.h"
#include "app/frm_main.h"
#include "history/ui/history_window.h"
#include "history/unit_history.h"
#include "link/serial_link.h"
#include "model/conf_files.h"
#include "model/operator_messages.h"
#include "platform/file_dialogs.h"
#include "views/label_colour.h"

#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

void frmMain::pibOpen_Click()
{
    Session& s = app_.session();
    const DialogResult chosen = app_.seams().dialogs.openFile(QStringLiteral("*.cal, *.*"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(app_.op(), QStringLiteral("open"));
    if (chosen.kind != DialogResult::Chosen)
        return;

    // A file that cannot be read has told the operator why and left EditConf as it was; the
    // editor still opens on it.
    if (ReadConfFile(s, app_.catalogue(), chosen.path, app_.op())) {
        ShowEditConf();
        SetCommandState(CommandStates::ConfigurationOpen);
    }
    takeConnectedSerial();
}

void frmMain::restoreConfiguration(const ConfRecord& conf)
{
    Session& s = app_.session();
    s.EditConf = conf;
    // Another sensor means the correction made for the present one does not hold.
    if (conf.InputCode != s.UnitConf.InputCode)
        app_.link().update.UpdateKind = UpdateKinds::Full;
    ShowEditConf();
    SetCommandState(CommandStates::ConfigurationOpen);
    takeConnectedSerial();
}

void frmMain::takeConnectedSerial()
{
    // An opened configuration always takes the connected unit's serial number.
    Session& s = app_.session();
    if (s.EditConf.Serial != s.UnitConf.Serial)
        unitPanels_->markSerialTakenOver();
    s.EditConf.Serial = s.UnitConf.Serial;
    ssInfo->showOpenedRecord();
    ssInfo->show();
}

void frmMain::mnuUnitHistory_Click()
{
    Session& s = app_.session();
    HistoryWindow* shown = nullptr;
    HistoryWindow window({app_.history().store(), app_.op(), app_.seams().dialogs, app_.catalogue(),
                          [this, &s]() -> const ConfRecord* { return app_.link().state.LinkOpen ? &s.UnitConf : nullptr; },
                          [this, &shown](const ConfRecord& conf) {
                              restoreConfiguration(conf);
                              shown->accept();
                          }},
                         this);
    shown = &window;
    runModal(window);
}

void frmMain::pibStart_Click()
{
    Session& s = app_.session();
    ssInfo->show();
    s.view.ConfSaved = true;
    EditFromUnit(s);
    ShowEditConf();
    SetCommandState(CommandStates::ConfigurationOpen);
    ssInfo->startFromUnit();
}

void frmMain::pibSave_Click()
{
    Session& s = app_.session();
    const DialogResult chosen = app_.seams().dialogs.saveFile(QStringLiteral("*.cal"));
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(app_.op(), QStringLiteral("save"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    // ".urd" names the program's own per-unit files (exact case only).
    if (chosen.path.endsWith(QLatin1String(".urd"), Qt::CaseSensitive)) {
        IllegalSuffixMessage(app_.op());
        return;
    }
    // With no configuration open, the connected unit's is saved. A failed write has told the
    // operator and leaves the edit unsaved.
    if (!editorOpen()) {
        WriteConfFile(s.UnitConf, chosen.path, app_.op());
        return;
    }
    if (WriteConfFile(s.EditConf, chosen.path, app_.op()))
        s.view.ConfSaved = true;
}
