#include "cli_fixture.h"

#include <QRegularExpression>

namespace {

struct CliHistoryTest : CliTest {
    QString pt100File()
    {
        return writeConfiguration(newConfiguration(0x49), "rtd.cal", {"pt10385.dat", "lvoid.dat"});
    }

    // The history's lines as cells, newest first.
    std::vector<QStringList> history(const QStringList& options = {})
    {
        EXPECT_EQ(run(options + QStringList{"history"}), CliExit::Success) << err.toStdString();
        std::vector<QStringList> lines;
        for (const QByteArray& line : out.split('\n'))
            if (!line.isEmpty())
                lines.push_back(QString::fromUtf8(line).split('\t'));
        return lines;
    }
};

} // namespace

// A write keeps what it found and what it left; restoring what it found makes the unit read as before.
TEST_F(CliHistoryTest, RestoreUndoesAWrite)
{
    ASSERT_EQ(run({"read"}), CliExit::Success);
    const QByteArray before = out;
    ASSERT_EQ(run({"write", pt100File()}), CliExit::Success) << err.toStdString();

    const std::vector<QStringList> kept = history();
    ASSERT_EQ(kept.size(), 2u);
    const QRegularExpression id("^\\d{6}-\\d{6}(-\\d+)?$");
    for (const QStringList& cells : kept) {
        ASSERT_EQ(cells.size(), 8);
        EXPECT_TRUE(id.match(cells[0]).hasMatch()) << cells[0].toStdString();
        EXPECT_TRUE(QDateTime::fromString(cells[1], Qt::ISODate).isValid()) << cells[1].toStdString();
    }
    EXPECT_EQ(kept[0].mid(2), QStringList({"0512307", "TT-202 BOILER FEED1", "Update Unit", "as-left", "done", ""}));
    EXPECT_EQ(kept[1].mid(2), QStringList({"0512307", "TT-101", "Update Unit", "as-found", "done", ""}));
    const QString found = kept[1][0];

    EXPECT_EQ(run({"diff", found, kept[0][0]}), CliExit::Differ);
    EXPECT_TRUE(out.contains("Damping Time\t2\t5\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("Burn-Out\tUp Scale\tDown Scale\n")) << out.toStdString();

    ASSERT_EQ(run({"restore", found}), CliExit::Success) << err.toStdString();
    ASSERT_EQ(run({"read"}), CliExit::Success);
    EXPECT_EQ(out, before);
    EXPECT_EQ(run({"diff", found, "unit"}), CliExit::Success) << out.toStdString();
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(history().size(), 4u);
}

TEST_F(CliHistoryTest, FailedWriteKeepsOnlyWhatItFound)
{
    unit.faults().add(FaultTrigger::onTableChunk(), Fault::hangUp());
    EXPECT_EQ(run({"write", pt100File()}), CliExit::CommunicationFailure);
    const std::vector<QStringList> kept = history();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].mid(4), QStringList({"Update Unit", "as-found", "failed at step 3", ""}));
}

// The simulated unit's history is apart from the real units'; a history that cannot be written
// is told of, and the unit is written all the same.
TEST_F(CliHistoryTest, DemoApartAndUnwritableHistory)
{
    ASSERT_EQ(run({"reset-minmax"}), CliExit::Success);
    EXPECT_EQ(history().size(), 2u);
    out.clear();
    EXPECT_EQ(RunCli({"delvo2-cli", "history"}, host), CliExit::Success);
    EXPECT_TRUE(out.isEmpty());

    const QString blocked = path("rtd.cal");
    pt100File();
    ASSERT_EQ(run({"--history", blocked + "/history", "reset-minmax"}), CliExit::Success) << err.toStdString();
    EXPECT_EQ(err.count("Unit History: "), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("Unit History: The configuration found in the unit could not be kept in the history:\n"))
        << err.toStdString();
}

TEST_F(CliHistoryTest, DiffOfFilesAndItsFailures)
{
    const QString a = pt100File();
    ConfRecord changed = newConfiguration(0x49);
    changed.Damping = 7;
    const QString b = writeConfiguration(changed, "b.cal", {});
    EXPECT_EQ(RunCli({"delvo2-cli", "diff", a, b}, host), CliExit::Differ);
    EXPECT_EQ(out, "Damping Time\t5\t7\n");
    EXPECT_EQ(RunCli({"delvo2-cli", "diff", a, a}, host), CliExit::Success);

    EXPECT_EQ(RunCli({"delvo2-cli", "diff", a, "250314-101502"}, host), CliExit::FileError);
    EXPECT_TRUE(err.endsWith("delvo2-cli: no snapshot '250314-101502' in the history\n")) << err.toStdString();
    EXPECT_EQ(RunCli({"delvo2-cli", "diff", a, path("none.cal")}, host), CliExit::FileError);
    EXPECT_EQ(run({"restore", "250314-101502"}), CliExit::FileError);
}
