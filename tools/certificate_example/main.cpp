// certificate_example FILE.pdf: the certificate of a whole check of the simulated unit, run in
// virtual time: a unit that reads 0.3 °C high is found out of tolerance, trimmed at mid-range as
// the offset-trimming window trims, and left within tolerance. docs/certificate-example.pdf is
// made with it (make certificate-example).

#include "check/certificate.h"
#include "check/check_runner.h"
#include "cli/console_operator.h"
#include "cli/headless_seams.h"
#include "link/connect_poll.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "model/catalogue.h"
#include "model/correction_scale.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

CheckPlan examplePlan()
{
    CheckPlan plan;
    plan.reference = {QStringLiteral("RTD calibrator"), QStringLiteral("SN 40127"), QStringLiteral("EXL-2291"),
                      QStringLiteral("0.03 °C (k=2)")};
    plan.technician = QStringLiteral("A. Example");
    plan.customer = QStringLiteral("Example Water Works");
    plan.site = QStringLiteral("Pump station 3");
    plan.humidityPercent = 41;
    return plan;
}

// The correction the offset-trimming window stores for a true value at the present reading,
// written into the unit with the update machine's ticks.
bool trimAt(Link& link, VirtualClock& clock, double trueValue)
{
    Session& s = link.session;
    const float offset = float((trueValue - s.UnitConf.Reading) * TrimOffsetScale(s.UnitConf.InputClass));
    for (ConfRecord* r : {&s.UnitConf, &s.EditConf}) {
        r->CalOffset = offset;
        r->CalGain = float(CorrectionScale);
        r->CalHighRef = r->CalLowRef = OffsetMarker;
    }
    link.update.UpdateKind = UpdateKinds::CorrectionStored;
    return WriteCorrection(link, UpdateKinds::CorrectionWrite, [&] {
        UpdateProgress progress = StartUpdateProgress(link);
        while (!progress.finished) {
            clock.advance(1.0);
            UpdateTick(link, progress);
        }
        return progress;
    });
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: certificate_example FILE.pdf\n");
        return 2;
    }
    QTemporaryDir records;
    VirtualClock clock;
    UnitSettings settings = DemoUnitSettings();
    settings.drift = 0.3;
    SimulatedUnit unit(clock, settings);
    SimulatedPort port(unit);
    ConsoleOperator op([](const QByteArray& line) { std::fputs(line.constData(), stderr); });
    HeadlessWindows windows;
    PortNames portNames;
    portNames.overrides[1] = QStringLiteral("simulated");
    Session session;
    session.AppDir = records.path();
    Link link{session, port, clock, op, windows, portNames, BuildCatalogue()};
    link.state.PortNumber = 1;
    if (!Connect(link))
        return 1;

    CheckRecord record;
    record.plan = examplePlan();
    record.scale = *CheckScaleOf(session.UnitConf, record.plan.tolerance);
    record.plan.points = DefaultPoints(record.scale.transfer.rangeMin, record.scale.transfer.rangeMax);
    record.started = QDateTime::currentDateTime();
    const PassHooks hooks{[&unit](double reference) { return unit.applyInput(reference), true; },
                          [](const PointResult&) {}};
    if (RunPass(link, record.plan, record.scale, record.asFound, hooks) != PassEnd::Completed)
        return 1;

    const ConfRecord before = session.UnitConf;
    unit.applyInput(50.0);
    clock.advance(15.0);
    if (!Poll(link) || !trimAt(link, clock, 50.0))
        return 1;
    record.adjustment = AdjustmentBetween(before, session.UnitConf, true);
    if (RunPass(link, record.plan, record.scale, record.asLeft, hooks) != PassEnd::Completed)
        return 1;

    record.unit = CheckedUnitOf(session.UnitConf);
    record.company = QStringLiteral("Example Calibration Laboratory");
    record.issued = QDateTime::currentDateTime();
    record.certificateNumber = QStringLiteral("EX-%1-0001").arg(record.issued.toString(QStringLiteral("yyyyMMdd")));
    return WriteCertificatePdf(record, QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
