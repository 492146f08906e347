#include "check/check_settings.h"
#include "cli_fixture.h"
#include "support/scripted_operator.h"

namespace {

const QByteArray defaultUnitLine = "\"0512307\",\"TT-101             \",73,0,1,0,4,20,0,0,0,0,2,100,0,"
                                   "8388607,8388607,8388607,8388607,8388607,8388607\n";

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool onlyProgress(const QByteArray& err)
{
    return err.count('\n') == err.count("progress: ");
}

} // namespace

TEST_F(CliTest, ReadPrintsTheUnitsLineAndKeepsItsRecord)
{
    ASSERT_EQ(run({"read"}), CliExit::Success) << err.toStdString();
    EXPECT_EQ(out, defaultUnitLine);
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_EQ(fileBytes(path("S0512307.urd")), QByteArray(defaultUnitLine).replace("\n", "\r\n"));
}

TEST_F(CliTest, WrittenConfigurationReadsBackEqual)
{
    ConfRecord wanted = newConfiguration(0x61);  // thermocouple K: the largest tables
    const QString file = writeConfiguration(wanted, "tc.cal", {"pk.dat", "lk.dat"});
    ASSERT_EQ(run({"write", file}), CliExit::Success) << err.toStdString();
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(onlyProgress(err) && err.endsWith("progress: 100 %\n")) << err.toStdString();
    EXPECT_TRUE(unit.memory().irregularities().isEmpty());

    ASSERT_EQ(run({"read"}), CliExit::Success) << err.toStdString();
    wanted.Serial = QStringLiteral("0512307");  // the unit keeps its own serial number
    EXPECT_EQ(out, printedLine(wanted));
    EXPECT_EQ(fileBytes(path("S0512307.urd")), ConfFileLine(wanted));
    // The display range, which a configuration file does not hold, stays the unit's.
    EXPECT_EQ(unit.memory().display().low, -200);
    EXPECT_EQ(unit.memory().display().high, 1000);
}

TEST_F(CliTest, LostOrSilentUnitIsACommunicationFailure)
{
    const QString file = writeConfiguration(newConfiguration(0x49), "rtd.cal", {"pt10385.dat", "lvoid.dat"});
    unit.faults().add(FaultTrigger::onTableChunk(), Fault::hangUp());
    EXPECT_EQ(run({"write", file}), CliExit::CommunicationFailure);
    // The lost unit is reported once, as the failed update it ends.
    EXPECT_TRUE(err.contains("\nUpdating Error: An Error Occured While Trying to Update the Unit \r\n"
                             "                        Updating Failed.\r\n"
                             "                 Check Unit's Connections.\n"))
        << err.toStdString();
    EXPECT_FALSE(err.contains("Communication Error")) << err.toStdString();
    EXPECT_TRUE(err.endsWith("delvo2-cli: the update did not complete\n")) << err.toStdString();

    unit.plugIn();
    unit.faults().add(FaultTrigger::onAnyExchange(), Fault::silence(), FaultPlan::Always);
    EXPECT_EQ(run({"read"}), CliExit::CommunicationFailure);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(err, "Communication Error: Problems receiving message from unit.\n"
                   "Communication Error: Communication Problems With The Unit.\n"
                   "delvo2-cli: could not read the unit on simulated\n");
}

TEST_F(CliTest, BadFilesAreFileErrorsAndSendNothing)
{
    const QString missing = path("missing.cal");
    EXPECT_EQ(run({"write", missing}), CliExit::FileError);
    EXPECT_TRUE(err.startsWith(("Illegal Pathname: Can't access file: '" + missing + "'.\n").toUtf8())) << err.toStdString();

    ConfRecord unknownSensor = newConfiguration(0x61);
    unknownSensor.InputCode = 112;
    EXPECT_EQ(run({"write", writeConfiguration(unknownSensor, "odd.cal", {})}), CliExit::FileError);
    EXPECT_TRUE(err.startsWith("Illegal File: Illegal Sensor-Type was found in file.\n")) << err.toStdString();

    // A good configuration whose sensor tables are not in the program folder.
    EXPECT_EQ(run({"write", writeConfiguration(newConfiguration(0x61), "tc.cal", {})}), CliExit::FileError);
    EXPECT_TRUE(err.startsWith(("Illegal Pathname: Can't access file: '" + path("pk.dat") + "'.\n").toUtf8()))
        << err.toStdString();
    EXPECT_TRUE(unit.memory().blocks().empty());

    // A program folder that cannot take the unit record.
    EXPECT_EQ(RunCli({"delvo2-cli", "--port", "simulated", "--appdir", path("no/such/folder"), "read"}, host),
              CliExit::FileError);
}

TEST_F(CliTest, UsageErrorsAndHelp)
{
    EXPECT_EQ(RunCli({"delvo2-cli", "read"}, host), CliExit::Usage);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.startsWith("delvo2-cli: --port DEV is needed once\n\nUsage: delvo2-cli --port DEV")) << err.toStdString();
    EXPECT_EQ(RunCli({"delvo2-cli", "--help"}, host), CliExit::Success);
    EXPECT_TRUE(out.startsWith("Usage: delvo2-cli --port DEV"));
}

TEST_F(CliTest, MonitorPrintsOneLineAPollUntilTheUnitChanges)
{
    ASSERT_EQ(run({"monitor", "--count", "2"}), CliExit::Success) << err.toStdString();
    QList<QByteArray> lines = out.split('\n');
    ASSERT_EQ(lines.size(), 4);  // header, two polls, nothing after the last line break
    EXPECT_EQ(lines[0], "time,reading,minimum,maximum,ambient,unit");
    EXPECT_EQ(lines[1].mid(lines[1].indexOf(',')), ",25,25,25,23.5,°C");
    const double first = lines[1].left(lines[1].indexOf(',')).toDouble();
    EXPECT_GE(first, 1.0);
    EXPECT_GE(lines[2].left(lines[2].indexOf(',')).toDouble() - first, 1.0);  // a second's wait after each poll

    // Every 3 s, logged as the window's reading log does.
    ASSERT_EQ(run({"monitor", "--count", "2", "--interval", "3", "--csv", path("log.csv")}), CliExit::Success);
    const QList<QByteArray> log = fileBytes(path("log.csv")).split('\n');
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log[0], "time,serial,tag,reading,units,ambient,output mA,min,max,status");
    EXPECT_TRUE(log[1].contains(",0512307,TT-101,25,°C,23.5,") && log[1].endsWith(",OK")) << log[1].toStdString();
    lines = out.split('\n');
    EXPECT_GE(lines[2].left(lines[2].indexOf(',')).toDouble() - lines[1].left(lines[1].indexOf(',')).toDouble(), 3.0);

    unit.setBurnOut(true);
    clock.callAfter(3.0, [this] { unit.swapUnit({9, 8, 7, 6}); });
    EXPECT_EQ(run({"monitor"}), CliExit::CommunicationFailure);
    EXPECT_TRUE(out.split('\n').value(1).contains(",Burn Out,")) << out.toStdString();
    EXPECT_TRUE(err.startsWith("Unit Changed: The Connected Unit Had Changed, \n\rDo You Wish to Continue Connecting It? -> No\n"))
        << err.toStdString();
}

TEST_F(CliTest, ResetClearsBothExtremesAndKeepsTheRecord)
{
    ASSERT_EQ(run({"read"}), CliExit::Success);
    const QByteArray record = fileBytes(path("S0512307.urd"));
    ASSERT_EQ(run({"reset-minmax"}), CliExit::Success) << err.toStdString();
    EXPECT_TRUE(onlyProgress(err)) << err.toStdString();
    const std::vector<UnitMarker>& markers = unit.memory().markers();
    for (std::uint8_t address : {0xE0, 0xE4, 0xE8, 0xEC})
        EXPECT_NE(std::find(markers.begin(), markers.end(), UnitMarker{1, address}), markers.end()) << int(address);
    EXPECT_EQ(fileBytes(path("S0512307.urd")), record);
    EXPECT_EQ(unit.finishCount(), 2);
}

TEST_F(CliTest, FlashImageSavedChangedAndRestored)
{
    ASSERT_EQ(run({"flash-save", path("unit.img")}), CliExit::Success) << err.toStdString();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    ScriptedOperator op;
    std::vector<std::uint8_t> image;
    ASSERT_TRUE(ReadFactoryImage(image, path("unit.img"), op));
    ASSERT_TRUE(std::equal(image.begin(), image.end(), unit.memory().factoryMemory().begin()));

    image[300] = std::uint8_t(image[300] + 1);
    ASSERT_TRUE(WriteFactoryImage(image, path("changed.img"), op));
    ASSERT_EQ(run({"flash-restore", path("changed.img")}), CliExit::Success) << err.toStdString();
    EXPECT_EQ(err, "Upload Complete: The Flash Memory Upload completed Successfully.\n");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), unit.memory().factoryMemory().begin()));
}

TEST_F(CliTest, CheckPrintsEachPointAndFailsOutsideTheTolerance)
{
    ASSERT_EQ(run({"check", "--tolerance", "0.25"}), CliExit::Success) << err.toStdString();
    EXPECT_EQ(out, "0.000\t0.000\t0.000\t0.000\t4.000\tPASS\n"
                   "25.000\t25.000\t0.000\t0.000\t8.000\tPASS\n"
                   "50.000\t50.000\t0.000\t0.000\t12.000\tPASS\n"
                   "75.000\t75.000\t0.000\t0.000\t16.000\tPASS\n"
                   "100.000\t100.000\t0.000\t0.000\t20.000\tPASS\n");

    // A unit 0.3 °C off; the certificate's CSV is written.
    unit.readings().setDrift(0.3);
    SaveCertificateSettings(settings, {QStringLiteral("Acme"), QStringLiteral("QA")});
    const QString csv = path("check.csv");
    ASSERT_EQ(run({"check", "--tolerance", "0.5", "--points", "10,90", "--csv", csv}), CliExit::Success);
    ASSERT_EQ(run({"check", "--tolerance", "0.25", "--points", "10,90", "--csv", csv, "--technician", "D. W."}),
              CliExit::CheckFailed);
    EXPECT_EQ(out, "10.000\t10.300\t0.300\t0.300\t5.600\tFAIL\n90.000\t90.300\t0.300\t0.300\t18.400\tFAIL\n");
    const QString number = QStringLiteral("QA-%1-0002").arg(QDate::currentDate().toString("yyyyMMdd"));
    EXPECT_EQ(err, "certificate: " + number.toUtf8() + "\n");
    EXPECT_EQ(fileBytes(csv).split('\n').value(2), number.toUtf8() + ",as-found,90.000,90.300,0.300,0.300,18.400,yes,FAIL,°C");
    // Each certified check joins the unit's history; the one without files does not.
    ASSERT_EQ(run({"history"}), CliExit::Success);
    EXPECT_EQ(out.count("\tCalibration Check\tas-left\t"), 2);
    EXPECT_TRUE(out.contains("\tout of tolerance\t" + number.toUtf8() + ": as found FAIL (2 of 2), no adjustment, as left FAIL (2 of 2)\n"))
        << out.toStdString();

    // A certificate's text needs a QGuiApplication, which this host has not started.
    EXPECT_EQ(run({"check", "--tolerance", "1", "--points", "50", "--pdf", path("c.pdf")}), CliExit::FileError);
    EXPECT_FALSE(QFile::exists(path("c.pdf")));
}

TEST_F(CliTest, CheckWaitsForEnterAndTakesAnUnsettledReadingAfterAMinute)
{
    enters = 1;
    EXPECT_EQ(run({"check", "--tolerance", "1", "--points", "20,30", "--wait-enter"}), CliExit::CheckStopped);
    EXPECT_EQ(err, "Apply 20.000 °C and press Enter\nApply 30.000 °C and press Enter\n"
                   "delvo2-cli: the input ended before the last point\n");
    EXPECT_EQ(out.count('\n'), 1);

    // Without its reference the input keeps swinging: the point is taken as read at the limit.
    host.applyReference = nullptr;
    unit.readings().setInput({25.0, 2.0, 40.0});
    const double start = clock.now();
    run({"check", "--tolerance", "1", "--points", "25"});
    EXPECT_EQ(out.count('\n'), 1);
    EXPECT_NEAR(clock.now() - start, 60.0, 2.0);
    EXPECT_TRUE(err.contains("warning: the reading at 25.000 °C did not settle within 60 s; taken as read\n"))
        << err.toStdString();
}

TEST_F(CliTest, TraceFileHoldsTheCommandsFrames)
{
    const QString trace = path("trace.txt");
    ASSERT_EQ(run({"--trace", trace, "read"}), CliExit::Success) << err.toStdString();
    const QStringList lines = QString::fromUtf8(fileBytes(trace)).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("delvo2 protocol trace begun ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("  open simulated")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains("  > 74  InputCode  < 74 ")) << lines[2].toStdString();
    EXPECT_TRUE(lines.last().endsWith("  close"));
    EXPECT_EQ(lines.filter("TIME-OUT").size() + lines.filter("RETRY").size(), 0);

    // A trace that cannot be written turns a success into a file error.
    EXPECT_EQ(run({"--trace", appDir.path(), "read"}), CliExit::FileError);
    EXPECT_EQ(err, "delvo2-cli: could not write the trace " + appDir.path().toUtf8() + "\n");
}
