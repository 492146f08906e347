#include "app/support_menu.h"

#include "app/application.h"
#include "app/frm_main.h"
#include "link/protocol_trace.h"
#include "link/serial_link.h"
#include "link/system_ports.h"
#include "link/trace_frames.h"
#include "link/ui/trace_window.h"
#include "model/operator_messages.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"
#include "platform/recent_messages.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QMenu>

SupportMenu::SupportMenu(Application& app, const ProtocolTrace& trace, const RecentMessages& messages)
    : app_(app), trace_(trace), messages_(messages)
{
}

void SupportMenu::addTo(QMenu& view, QMenu& help)
{
    view.addAction(QStringLiteral("Protocol Trace"), [this] { showTrace(); })->setObjectName(QStringLiteral("mnuViewTraceItem"));
    // View is off while no unit is connected, which is when a failed connect wants looking into.
    help.addAction(QStringLiteral("Protocol Trace"), [this] { showTrace(); })->setObjectName(QStringLiteral("mnuHelpTraceItem"));
    QAction* bundle = help.addAction(QStringLiteral("Save Support Bundle..."), [this] { saveBundle(); });
    bundle->setObjectName(QStringLiteral("mnuSupportBundleItem"));
}

void SupportMenu::showTrace()
{
    if (!traceWindow_) {
        const Seams& seams = app_.seams();
        traceWindow_ = new TraceWindow(trace_, seams.clock, seams.dialogs, seams.op, &app_.mainWindow());
    }
    traceWindow_->show();
    traceWindow_->raise();
}

SupportFacts SupportMenu::facts() const
{
    const Session& session = app_.session();
    const Link& link = app_.link();
    // The unit record of a connected unit only: the serial number goes with the unit.
    const QString serial = link.state.LinkOpen ? session.UnitConf.Serial : QString();
    return {SystemDescription(QCoreApplication::applicationVersion()),
            TraceText(trace_, app_.seams().clock.now()),
            PortsReport(link.inspection.devices(), link.portNames, link.state.PortNumber),
            messages_.text(),
            session.AppDir,
            RecordFolder(session),
            serial,
            unitHistory && !serial.isEmpty() ? unitHistory(serial) : std::vector<BundleFile>{}};
}

void SupportMenu::saveBundle()
{
    Operator& op = app_.op();
    const QString proposed = QStringLiteral("delvo2-support-%1.zip").arg(QDate::currentDate().toString(Qt::ISODate));
    const DialogResult chosen = app_.seams().dialogs.saveFile(QStringLiteral("*.zip"), proposed);
    if (chosen.kind == DialogResult::Failed)
        DialogErrorMessage(op, QStringLiteral("save"));
    if (chosen.kind != DialogResult::Chosen)
        return;
    if (!WriteZipArchive(chosen.path, SupportBundleFiles(facts(), QDir::homePath()))) {
        IllegalPathMessage(op, CantAccessFileText(chosen.path));
        return;
    }
    op.message(QStringLiteral("Support Bundle"), QStringLiteral("The support bundle was saved as '%1'.").arg(chosen.path));
}
