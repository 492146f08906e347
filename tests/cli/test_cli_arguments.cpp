#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace {

ParsedCommandLine parse(const QStringList& arguments)
{
    return ParseCommandLine(QStringList{QStringLiteral("delvo2-cli")} + arguments);
}

} // namespace

TEST(CliArguments, TakeEachCommandWithItsOperandsAndOptionsInAnyOrder)
{
    auto read = parse({"--port", "/dev/ttyUSB0", "read"});
    ASSERT_TRUE(read.options) << read.error.toStdString();
    EXPECT_EQ(std::tie(read.options->command, read.options->port->device), std::tuple(CliCommand::Read, "/dev/ttyUSB0"));
    EXPECT_FALSE(read.options->appDir);

    auto write = parse({"write", "unit.cal", "--appdir", "/srv/delvo", "--port=3"});
    ASSERT_TRUE(write.options) << write.error.toStdString();
    EXPECT_EQ(std::tie(write.options->command, write.options->file, write.options->port->portNumber),
              std::tuple(CliCommand::Write, "unit.cal", 3));
    EXPECT_EQ(write.options->appDir, QStringLiteral("/srv/delvo"));

    auto monitor = parse({"--port", "simulated", "monitor", "--count", "5"});
    ASSERT_TRUE(monitor.options) << monitor.error.toStdString();
    EXPECT_TRUE(monitor.options->port->simulated && monitor.options->count == 5);
    EXPECT_FALSE(parse({"--port", "1", "monitor"}).options->count);

    EXPECT_EQ(parse({"--port", "1", "reset-minmax"}).options->command, CliCommand::ResetMinMax);
    EXPECT_EQ(parse({"--port", "1", "flash-save", "a.img"}).options->command, CliCommand::FlashSave);
    EXPECT_EQ(parse({"--port", "1", "flash-restore", "a.img"}).options->file, "a.img");
    EXPECT_TRUE(parse({"--help"}).helpRequested);

    // The history needs no unit: a port only for a diff with the unit, or for a restore.
    auto history = parse({"history", "0512307", "--history", "/tmp/h"});
    ASSERT_TRUE(history.options) << history.error.toStdString();
    EXPECT_EQ(std::tie(history.options->command, history.options->operands), std::tuple(CliCommand::History, QStringList{"0512307"}));
    EXPECT_EQ(history.options->history, QStringLiteral("/tmp/h"));
    EXPECT_FALSE(history.options->port);
    EXPECT_EQ(parse({"diff", "a.cal", "250314-101502"}).options->operands, QStringList({"a.cal", "250314-101502"}));
    EXPECT_EQ(parse({"--port", "1", "diff", "unit", "a.cal"}).options->command, CliCommand::Diff);
    EXPECT_EQ(parse({"--port", "1", "restore", "250314-101502"}).options->operands, QStringList{"250314-101502"});
    auto check = parse({"--port", "1", "check", "--tolerance", "0.1", "--points", "0, 50,100", "--wait-enter",
                        "--reference-id", "RS-7", "--technician", "D. W.", "--pdf", "c.pdf", "--csv", "c.csv"});
    ASSERT_TRUE(check.options) << check.error.toStdString();
    const CheckOptions& c = check.options->check;
    EXPECT_EQ(std::tie(c.tolerancePercent, c.points, c.waitForEnter, c.referenceId, c.technician, c.pdf, check.options->csv),
              std::tuple(0.1, std::vector<double>{0, 50, 100}, true, "RS-7", "D. W.", "c.pdf", "c.csv"));
    EXPECT_FALSE(parse({"--port", "1", "check", "--tolerance", "1"}).options->check.points);
}

TEST(CliArguments, PortIsSimulatedANumberOrADeviceName)
{
    EXPECT_EQ(ChoosePort("simulated"), (PortChoice{true, 0, {}}));
    EXPECT_EQ(ChoosePort("4"), (PortChoice{false, 4, {}}));
    for (const char* device : {"COM3", "/dev/pts/7", "0", "-2", "+3", "99999"})
        EXPECT_EQ(ChoosePort(device), (PortChoice{false, 0, QString::fromLatin1(device)})) << device;
}

TEST(CliArguments, RefuseWhatIsNotACompleteCommand)
{
    const std::vector<QStringList> wrong{
        {"read"},                                 // no port
        {"--port", "1"},                          // no command
        {"--port", "1", "erase"},                 // unknown command
        {"--port", "1", "--port", "2", "read"},   // two ports
        {"--port", "1", "write"},                 // no file
        {"--port", "1", "read", "extra"},         // one word too many
        {"--port", "1", "read", "--count", "2"},  // --count is monitor's
        {"--port", "1", "monitor", "--count", "0"},
        {"--port", "1", "monitor", "--interval", "0.5"},  // faster than the poll
        {"--port", "1", "read", "--csv", "x.csv"},       // --csv is monitor's
        {"--port", "1", "--verbose", "read"},     // unknown option
        {"diff", "a.cal", "unit"},                // the unit needs a port
        {"diff", "a.cal"},                        // one side
        {"history", "1", "2"},                    // one serial number at most
        {"restore", "250314-101502"},             // no port
        {"--port", "1", "restore"},               // no id
        {"--port", "1", "check"},                 // no tolerance
        {"--port", "1", "check", "--tolerance", "0"},
        {"--port", "1", "check", "--tolerance", "1", "--points", "1,a"},
        {"--port", "1", "read", "--pdf", "c.pdf"},  // check's option
    };
    for (const QStringList& arguments : wrong) {
        const ParsedCommandLine parsed = parse(arguments);
        EXPECT_FALSE(parsed.options) << arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(' ').toStdString();
    }
}

TEST(CliArguments, ProgramFolderComesFromTheRegistryElseTheCurrentDirectory)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(DefaultAppDir(QStringLiteral("C:\\Tools\\delvo2.exe"), "D:\\t"), "C:\\Tools");
#else
    EXPECT_EQ(DefaultAppDir(QStringLiteral("/opt/delvo2/lib/delvo2/delvo2"), "/home/t"), "/opt/delvo2/lib/delvo2");
#endif
    EXPECT_EQ(DefaultAppDir(QStringLiteral("/opt/tools"), "/home/t"), "/opt/tools");
    EXPECT_EQ(DefaultAppDir(std::nullopt, "/home/t"), "/home/t");
}
