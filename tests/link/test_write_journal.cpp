#include "link/connect_poll.h"
#include "link/unit_tasks.h"
#include "link/update.h"
#include "link/write_journal.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"
#include "support/link_fixture.h"

#include <QFile>

#include <functional>

namespace {

// Every write the link tells of, in order.
struct RecordingJournal : WriteJournal {
    struct Told {
        WriteOperation operation;
        std::optional<WriteOutcome> outcome;  // none: before the write
        std::optional<ConfRecord> conf;
    };
    void beforeWrite(WriteOperation operation, const ConfRecord& asFound) override
    {
        told.push_back({operation, std::nullopt, asFound});
    }
    void afterWrite(WriteOperation operation, const WriteOutcome& outcome, const ConfRecord* asLeft) override
    {
        told.push_back({operation, outcome, asLeft ? std::optional(*asLeft) : std::nullopt});
    }
    std::vector<Told> told;
};

struct JournalRig : LinkSurroundings {
    SimulatedUnit unit{clock};
    SimulatedPort port{unit};
    Link link = linkOn(port);
    RecordingJournal journal;

    JournalRig()
    {
        port.setActivityHandler([this] { clock.notify(); });
        for (const char* name : {"pt10385.dat", "lvoid.dat"})
            QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), appDir.filePath(QLatin1String(name)));
        link.journal.journal = &journal;
    }

    // An update of the damping and, reversed, the output limits (the editor's output direction left
    // as it was, as a file read leaves it).
    void updateDamping()
    {
        EditFromUnit(session);
        session.EditConf.Damping = 5;
        std::swap(session.EditConf.OutMin, session.EditConf.OutMax);
        ASSERT_TRUE(StartFullUpdate(link)) << op.transcript().toStdString();
        ConfirmUpdate(link);
        runUpdate(link);
    }
};

using Check = std::function<bool(const ConfRecord& left)>;

struct Case {
    const char* name;
    std::function<void(JournalRig&)> write;
    WriteOperation operation;
    WriteOutcome outcome;
    Check left;  // none: nothing is known after the write
};

} // namespace

// Every write tells the journal twice: before it, with the unit as read at connect (even where the
// records were changed ahead of the write), and after it, with how it ended and what the unit holds.
TEST(WriteJournal, EveryWriteIsToldBeforeAndAfter)
{
    const auto run = [](JournalRig& t) { return [&t] { return t.runUpdate(t.link); }; };
    const Case cases[] = {
        {"update", [](JournalRig& t) { t.updateDamping(); }, WriteOperation::UpdateUnit, {},
         [](const ConfRecord& left) { return left.Damping == 5 && left.OutDir == 0; }},
        {"update lost at a table",
         [](JournalRig& t) {
             t.unit.faults().add(FaultTrigger::onTableChunk(), Fault::hangUp());
             t.updateDamping();
         },
         WriteOperation::UpdateUnit, {WriteOutcome::Result::Failed, UpdateSteps::FirstTable}, nullptr},
        {"reset", [&](JournalRig& t) { ResetExtremes(t.link, Extremes::Both, run(t)); }, WriteOperation::ResetMinMax,
         {}, [](const ConfRecord& left) { return SameSingle(left.Damping, 2); }},
        {"correction",
         [&](JournalRig& t) {
             t.session.UnitConf.CalLowRef = 10;
             WriteCorrection(t.link, UpdateKinds::CorrectionWrite, run(t));
         },
         WriteOperation::CalibrationWrite, {}, [](const ConfRecord& left) { return left.CalLowRef == 10; }},
        {"undo with its display range", [&](JournalRig& t) { WriteCorrection(t.link, UpdateKinds::CorrectionUndo, run(t)); },
         WriteOperation::CalibrationUndo, {}, [](const ConfRecord& left) { return SameSingle(left.CalLowRef, NoCal); }},
        {"display range",
         [](JournalRig& t) {
             t.session.EditConf.DispHigh = 500;
             ResendDisplayRange(t.link);
         },
         WriteOperation::DisplayRange, {}, [](const ConfRecord& left) { return left.DispHigh == 500; }},
        {"flash image",
         [](JournalRig& t) {
             const auto& image = t.unit.memory().factoryMemory();
             t.session.FlashImage.assign(image.begin(), image.end());
             t.link.factory.UploadOk = true;
             DownloadFactoryMemory(t.link);
         },
         WriteOperation::FlashRestore, {}, [](const ConfRecord& left) { return left.Tag.startsWith("TT-101"); }},
    };
    for (const Case& c : cases) {
        JournalRig t;
        ASSERT_TRUE(Connect(t.link));
        const ConfRecord connected = t.session.UnitConf;
        c.write(t);
        ASSERT_EQ(t.journal.told.size(), 2u) << c.name;
        const RecordingJournal::Told& before = t.journal.told[0];
        const RecordingJournal::Told& after = t.journal.told[1];
        EXPECT_EQ(std::tie(before.operation, after.operation), std::tie(c.operation, c.operation)) << c.name;
        EXPECT_FALSE(before.outcome) << c.name;
        EXPECT_EQ(before.conf, connected) << c.name;
        EXPECT_EQ(after.outcome, c.outcome) << c.name;
        EXPECT_EQ(after.conf.has_value(), bool(c.left)) << c.name;
        if (c.left && after.conf)
            EXPECT_TRUE(c.left(*after.conf)) << c.name;
    }
}

TEST(WriteJournal, NextWriteFindsWhatTheLastLeft)
{
    JournalRig t;
    ASSERT_TRUE(Connect(t.link));
    t.updateDamping();
    ResendDisplayRange(t.link);
    ASSERT_EQ(t.journal.told.size(), 4u);
    EXPECT_EQ(t.journal.told[2].conf, t.journal.told[1].conf);
}
