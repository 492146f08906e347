#include "link/connect_poll.h"
#include "link/update.h"
#include "model/conf_files.h"
#include "model/sensor_tables.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"
#include "support/link_fixture.h"

#include <QFile>

namespace {

struct SimLinkTest : ::testing::Test, LinkSurroundings {
    SimulatedUnit unit{clock};
    SimulatedPort port{unit};
    Link link = linkOn(port);

    SimLinkTest()
    {
        port.setActivityHandler([this] { clock.notify(); });
        // The shipped tables of the sensors these tests write.
        for (const char* name : {"pt10385.dat", "lvoid.dat", "pk.dat", "lk.dat"})
            QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), appDir.filePath(QLatin1String(name)));
    }

    bool connect()
    {
        const bool ok = Connect(link);
        if (ok)
            SaveUnitRecord(link);
        return ok;
    }

    UpdateProgress runUpdate() { return LinkSurroundings::runUpdate(link); }
};

} // namespace

TEST_F(SimLinkTest, ConnectReadsTheWholeUnit)
{
    ASSERT_TRUE(connect()) << op.transcript().toStdString();
    const ConfRecord& u = session.UnitConf;
    EXPECT_EQ(std::tie(u.Serial, u.Tag, u.InputCode, u.InputName, u.Wires),
              std::make_tuple(QStringLiteral("0512307"), QStringLiteral("TT-101") + QString(13, QLatin1Char(' ')), 0x49,
                              QStringLiteral("Pt-100 (385)"), 1));
    EXPECT_EQ(std::tie(u.RangeMin, u.RangeMax, u.OutMin, u.OutMax, u.Damping), std::make_tuple(0.0f, 100.0f, 4.0f, 20.0f, 2.0f));
    EXPECT_EQ(std::tie(u.OutDir, u.BurnOut, u.Units, u.DispLow, u.DispHigh), std::make_tuple(1, 0, UnitsCelsius, -200, 1000));
    EXPECT_EQ(session.EditConf.DispHigh, 1000);
    EXPECT_TRUE(u.Reading > -50.0f && u.Reading < 150.0f);
    EXPECT_TRUE(link.poll.DisplayPresent);
    EXPECT_TRUE(windows.contains(QStringLiteral("display V 2 . 4 -200 1000")));
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_TRUE(QFile::exists(UnitRecordPath(session.AppDir, u.Serial)));
    // Seventeen exchanges at 50 ms each plus the bytes at 9600 baud: well under two seconds.
    EXPECT_LT(clock.now(), 2.0);
}

// (A failed tag read and every other failed read of a connect: the fault campaign.)
TEST_F(SimLinkTest, ConnectRefusesUnknownInput)
{
    UnitSettings odd;
    odd.configuration.inputCode = 0x70;
    SimulatedUnit oddUnit(clock, odd);
    SimulatedPort oddPort(oddUnit);
    oddPort.setActivityHandler([this] { clock.notify(); });
    Link oddLink = linkOn(oddPort);
    EXPECT_FALSE(Connect(oddLink));
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error", "Communication Problems With The Unit."}));
    EXPECT_FALSE(oddPort.isOpen());
}

TEST_F(SimLinkTest, NoDisplayHidesItsControls)
{
    UnitSettings plain;
    plain.display.present = false;
    SimulatedUnit plainUnit(clock, plain);
    SimulatedPort plainPort(plainUnit);
    plainPort.setActivityHandler([this] { clock.notify(); });
    Link plainLink = linkOn(plainPort);
    ASSERT_TRUE(Connect(plainLink)) << op.transcript().toStdString();
    EXPECT_TRUE(windows.contains(QStringLiteral("noDisplay")));
    EXPECT_FALSE(plainLink.poll.DisplayPresent);
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(SimLinkTest, PollAsksBeforeTakingOverASwappedUnit)
{
    ASSERT_TRUE(connect());
    EXPECT_TRUE(Poll(link));
    EXPECT_FALSE(link.poll.PollBusy);
    unit.swapUnit({9, 8, 7, 6});
    op.answer(false);
    EXPECT_FALSE(Poll(link));
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Unit Changed"));
    EXPECT_EQ(op.boxes.back().text, QStringLiteral("The Connected Unit Had Changed, \n\rDo You Wish to Continue Connecting It?"));
    EXPECT_FALSE(link.state.LinkOpen);
    EXPECT_FALSE(link.poll.PollBusy);

    ASSERT_TRUE(Connect(link));
    unit.swapUnit({1, 2, 3, 4});
    op.answer(true);
    windows.log.clear();
    EXPECT_FALSE(Poll(link));
    EXPECT_TRUE(link.state.LinkOpen);
    EXPECT_TRUE(link.poll.UnitChangeAccepted);
    EXPECT_EQ(session.UnitConf.Serial, QStringLiteral("0102304"));
    EXPECT_TRUE(QFile::exists(UnitRecordPath(session.AppDir, QStringLiteral("0102304"))));
    EXPECT_TRUE(windows.contains(QStringLiteral("state 1")));
}

TEST_F(SimLinkTest, FullUpdateWritesConfigurationAndTables)
{
    ASSERT_TRUE(connect());
    EditFromUnit(session);
    ConfRecord& e = session.EditConf;
    LookupInputCode(catalogue, e, 0x61);  // thermocouple K: the largest tables
    e.RangeMin = -50;
    e.RangeMax = 1200;
    e.OutMin = 20;
    e.OutMax = 4;
    e.OutDir = 0;
    e.Damping = 5;
    e.Tag = QStringLiteral("TT-202");
    e.Freq = 0;
    link.update.UpdateKind = UpdateKinds::Full;
    link.update.ResetMaxPending = link.update.ResetMinPending = true;
    ASSERT_TRUE(PrepareUpdate(link)) << op.transcript().toStdString();
    const SensorTables sent = session.tables;
    ConfirmUpdate(link);
    const UpdateProgress progress = runUpdate();
    EXPECT_FALSE(progress.failed) << op.transcript().toStdString();
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    EXPECT_EQ(progress.percentText, QStringLiteral("100 %"));

    const UnitConfiguration& c = unit.memory().configuration();
    EXPECT_EQ(std::tie(c.inputCode, c.rangeMin, c.rangeMax, c.outMin, c.outMax, c.damping, c.tag),
              std::make_tuple(0x61, -5000, 120000, 20000, 4000, 5, QByteArray("TT-202").leftJustified(19, ' ')));
    const SensorTables held = unit.memory().sensorTables();
    for (auto table : {&SensorTables::A, &SensorTables::B, &SensorTables::C}) {
        ASSERT_EQ((held.*table).count, (sent.*table).count);
        for (int i = 0; i < (sent.*table).count; ++i)
            EXPECT_EQ((held.*table).values[i], (sent.*table).values[i]) << i;
    }
    EXPECT_TRUE(unit.memory().irregularities().isEmpty()) << unit.memory().irregularities().join(", ").toStdString();
    EXPECT_EQ(unit.finishCount(), 2);
    // The unit's record follows what was written, and the calibration no longer fits.
    EXPECT_EQ(session.UnitConf.InputCode, 0x61);
    EXPECT_TRUE(SameSingle(session.UnitConf.CalGain, NoCal));
    EXPECT_TRUE(windows.contains(QStringLiteral("clearUnitPanel")));
    EXPECT_EQ(link.update.UpdateStep, UpdateSteps::Idle);
}

TEST_F(SimLinkTest, TickPlanAndPercentages)
{
    session.tables.A.count = 45;
    session.tables.B.count = 45;
    session.tables.C.count = 62;
    link.update.UpdateKind = UpdateKinds::Full;
    link.update.ResetMaxPending = link.update.ResetMinPending = true;
    EXPECT_EQ(StartUpdateProgress(link).Total, 19);
    link.update.UpdateKind = UpdateKinds::CorrectionWrite;
    EXPECT_EQ(StartUpdateProgress(link).Total, 8);
    link.update.UpdateKind = UpdateKinds::CorrectionUndo;
    link.update.ResetMaxPending = false;
    EXPECT_EQ(StartUpdateProgress(link).Total, 6);

    // Eight planned ticks: the first shows 12 % (12.5 rounded to even) and an eighth of the bar.
    link.update.UpdateKind = UpdateKinds::FullKeepingCorrection;
    UpdateProgress p = StartUpdateProgress(link);
    ASSERT_EQ(p.Total, 8);
    link.update.UpdateStep = UpdateSteps::Idle;  // nothing to run: only the bookkeeping
    UpdateTick(link, p);
    EXPECT_EQ(p.percentText, QStringLiteral("12 %"));
    EXPECT_DOUBLE_EQ(p.barFraction, 1.0 / 8);
}
