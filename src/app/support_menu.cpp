#include "app/support_menu.h"

#include "app/application.h"
#include "app/frm_main.h"
#include "history/unit_history.h"
#include "link/protocol_trace.h"
#include "link/serial_link.h"
#include "link/system_ports.h"
#include "link/trace_frames.h"
#include "link/ui/trace_window.h"
#include "model/conf_files.h"
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

#include <algorithm>

namespace {

// The unit's history as the bundle holds it: the list of its snapshots, and the newest few as
// configuration files. A history that cannot be read adds a note of why instead.
std::vector<BundleFile> RecentHistoryFiles(HistoryStore& store, const QString& serial)
{
    constexpr std::size_t KeptWhole = 5;
    const QString listName = QStringLiteral("S%1-history.txt").arg(serial);
    const Stored<std::vector<SnapshotHeader>> listed = store.snapshots(serial);
    if (!listed.ok())
        return {{listName, ("The history could not be read: " + listed.error + '\n').toUtf8()}};
    std::vector<BundleFile> files{{listName, {}}};
    for (const SnapshotHeader& header : listed.value)
        files.front().bytes += SnapshotListLine(header);
    for (std::size_t i = 0; i < std::min(KeptWhole, listed.value.size()); ++i) {
        const Stored<std::optional<Snapshot>> found = store.find(listed.value[i].id);
        if (found.ok() && found.value)
            files.push_back({QStringLiteral("S%1-%2.cal").arg(serial, listed.value[i].id), ConfFileLine(found.value->conf)});
    }
    return files;
}

} // namespace

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
            serial.isEmpty() ? std::vector<BundleFile>{} : RecentHistoryFiles(app_.history().store(), serial)};
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
