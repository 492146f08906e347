#include "campaign_rig.h"

#include "link/commands.h"
#include "link/connect_poll.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"
#include "support/link_fixture.h"

#include <set>

namespace {

// The update loop of the progress window: one tick a second, capped well above any plan.
constexpr int MaxTicks = 200;

UnitSettings steadyUnit()
{
    UnitSettings settings;
    settings.input = {25.0, 0.0, 0.0};  // a still input: readings do not depend on the time taken
    return settings;
}

QString hexOf(const std::uint8_t* bytes, std::size_t count)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(count)).toHex());
}

std::map<QString, QString> describe(const SimulatedUnit& unit)
{
    const UnitMemory& m = unit.memory();
    const UnitConfiguration& c = m.configuration();
    const UnitCalibration& k = m.calibration();
    std::map<QString, QString> parts;
    parts[QStringLiteral("configuration")] = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(c.inputCode).arg(c.rangeMax).arg(c.rangeMin).arg(c.options).arg(c.damping)
        .arg(c.outMin).arg(c.outMax).arg(QString::fromLatin1(c.tag));
    parts[QStringLiteral("calibration")] = QStringLiteral("%1 %2 %3 %4").arg(k.gain).arg(k.offset).arg(k.lowRef).arg(k.highRef);
    for (int i = 0; i < 3; ++i) {
        QString points = m.table(i).complete ? QStringLiteral("complete:") : QStringLiteral("open:");
        for (float p : m.table(i).points)
            points += QLatin1Char(' ') + QString::number(p);
        parts[QStringLiteral("table %1").arg(i + 1)] = points;
    }
    parts[QStringLiteral("display")] = QStringLiteral("%1 %2").arg(m.display().low).arg(m.display().high);
    parts[QStringLiteral("factory memory")] = hexOf(m.factoryMemory().data(), m.factoryMemory().size());
    // A repeated step writes its markers again: which markers arrived counts, not how often.
    std::set<std::pair<int, int>> markers;
    for (const UnitMarker& marker : m.markers())
        markers.insert({marker.select, marker.address});
    QString markerText;
    for (auto [select, address] : markers)
        markerText += QStringLiteral("%1:%2 ").arg(select).arg(address, 2, 16, QLatin1Char('0'));
    parts[QStringLiteral("markers")] = markerText;
    return parts;
}

struct Rig : LinkSurroundings {
    SimulatedUnit unit{clock, steadyUnit()};
    SimulatedPort port{unit};
    Link link = linkOn(port);

    explicit Rig(const QString& tablesDir)
    {
        session.AppDir = tablesDir;
        port.setActivityHandler([this] { clock.notify(); });
    }

    bool connect()
    {
        const bool ok = Connect(link);
        EXPECT_TRUE(ok) << "fault-free connect: " << op.transcript().toStdString();
        return ok;
    }

    bool openPort()
    {
        const bool ok = OpenLink(link);
        EXPECT_TRUE(ok) << "fault-free port opening: " << op.transcript().toStdString();
        return ok;
    }

    // Drives the update as the progress window does; true when it ended without failing.
    bool runUpdate()
    {
        UpdateProgress progress = StartUpdateProgress(link);
        for (int ticks = 0; !progress.finished && ticks < MaxTicks; ++ticks) {
            clock.advance(1.0);
            UpdateTick(link, progress);
        }
        EXPECT_TRUE(progress.finished) << "the update's ticks did not end";
        return progress.finished && !progress.failed;
    }

    static std::vector<std::uint8_t> downloadImage()
    {
        std::vector<std::uint8_t> image(FlashSize);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = std::uint8_t(i * 37 + 11);
        return image;
    }

    // The fault-free preparation each operation needs; false when it failed.
    bool prepare(Operation operation)
    {
        Session& s = session;
        switch (operation) {
        case Operation::Connect:
            return true;
        case Operation::FactoryReads:
            link.state.UnitOnline = true;  // so that a read that clears it shows
            return openPort();
        case Operation::Upload:
            return openPort();
        case Operation::Download:
            s.FlashImage = downloadImage();
            return openPort();
        case Operation::Poll:
        case Operation::DisplayRange:
            return connect();
        case Operation::FullUpdate:
            if (!connect())
                return false;
            EditFromUnit(s);
            s.EditConf.Tag = QStringLiteral("TT-202");
            s.EditConf.RangeMax = 150;
            s.EditConf.Damping = 5;
            link.update.UpdateKind = UpdateKinds::Full;
            if (!StartFullUpdate(link))
                return false;
            ConfirmUpdate(link);
            return true;
        case Operation::SerialUpdate:
            if (!connect())
                return false;
            EditFromUnit(s);
            s.EditConf.Serial = QStringLiteral("0907011");
            link.update.UpdateKind = UpdateKinds::FullKeepingCorrection;
            link.update.SerialChanged = true;
            link.update.UpdateStep = UpdateSteps::SerialNumber;
            return true;
        case Operation::CalibrationUpdate:
            if (!connect())
                return false;
            s.UnitConf.CalGain = 10012;
            s.UnitConf.CalOffset = -35;
            s.UnitConf.CalLowRef = 1000;
            s.UnitConf.CalHighRef = 9000;
            link.update.UpdateKind = UpdateKinds::CorrectionWrite;
            return PrepareUpdate(link);
        }
        return false;
    }

    bool run(Operation operation)
    {
        Session& s = session;
        switch (operation) {
        case Operation::Connect:
            return Connect(link);
        case Operation::Poll:
            return Poll(link);
        case Operation::FactoryReads:
            ReadFactoryValues(link, s.UnitConf);
            if (link.state.LinkOpen)
                s.UnitConf.Serial = Taken(link, ReadSerial(link));
            return link.state.LinkOpen && link.state.UnitOnline;
        case Operation::DisplayRange:
            Settled(link, WriteDisplayRange(link, -100, 500));
            return link.state.LinkOpen;
        case Operation::FullUpdate:
        case Operation::SerialUpdate:
        case Operation::CalibrationUpdate:
            return runUpdate();
        case Operation::Upload:
            link.factory.UploadOk = true;
            return UploadFactoryMemory(link);
        case Operation::Download: {
            // What the factory window tells the user afterwards.
            link.factory.UploadOk = true;
            DownloadFactoryMemory(link);
            const bool ok = link.factory.UploadOk;
            op.message(QStringLiteral("Upload Complete"), ok ? QStringLiteral("The Flash Memory Upload completed Successfully.")
                                                             : QStringLiteral("The Flash Memory Upload NOT completed."));
            return ok;
        }
        }
        return false;
    }
};

} // namespace

const char* operationName(Operation operation)
{
    switch (operation) {
    case Operation::Connect: return "connect";
    case Operation::Poll: return "poll";
    case Operation::FactoryReads: return "factory reads";
    case Operation::DisplayRange: return "display range";
    case Operation::FullUpdate: return "full update";
    case Operation::SerialUpdate: return "serial update";
    case Operation::CalibrationUpdate: return "calibration update";
    case Operation::Upload: return "upload";
    case Operation::Download: return "download";
    }
    return "?";
}

RunResult runOperation(Operation operation, const QString& tablesDir, const std::optional<PlannedFault>& fault)
{
    Rig rig(tablesDir);
    RunResult result;
    if (!rig.prepare(operation))
        return result;
    rig.op.boxes.clear();
    if (fault)
        rig.unit.faults().add(fault->trigger, fault->fault, 1, fault->after);
    const double start = rig.clock.now();
    result.succeeded = rig.run(operation);
    result.seconds = rig.clock.now() - start;
    result.faultPlayed = rig.unit.faults().empty();
    result.boxes = rig.op.boxes;
    const Link& link = rig.link;
    result.linkOpen = link.state.LinkOpen;
    result.unitOnline = link.state.UnitOnline;
    result.pollBusy = link.poll.PollBusy;
    result.updateStep = float(link.update.UpdateStep);
    result.unitHolds = describe(rig.unit);
    result.unitConf = rig.session.UnitConf;
    result.flashImage = rig.session.FlashImage;
    return result;
}
