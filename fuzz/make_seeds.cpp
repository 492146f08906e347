// Writes the seed corpora of the fuzz targets into <folder>/<target>/: files made by the
// program's own writers, and the replies of the simulated unit to the link scenario.
//   fuzz_make_seeds <folder>
#include "fuzz/link_scenario.h"
#include "fuzz/scenario_folder.h"
#include "fuzz/silent_operator.h"
#include "link/serial_port.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_unit.h"

#include <QDir>
#include <QFile>

#include <cfloat>
#include <cstdio>
#include <limits>

namespace {

// A port wired straight to a simulated unit that keeps, for every frame written, the bytes the
// unit sent until the next frame.
class RecordingPort : public SerialPort {
public:
    explicit RecordingPort(SimulatedUnit& unit) : unit_(unit)
    {
        unit_.setOutput([this](const QByteArray& bytes) {
            if (!open_)
                return;
            input_ += bytes;
            if (!replies.empty())
                replies.back() += bytes;
            signalActivity();
        });
    }
    ~RecordingPort() override { unit_.setOutput({}); }
    RecordingPort(const RecordingPort&) = delete;
    RecordingPort& operator=(const RecordingPort&) = delete;

    bool open(const QString&, const QString&, int&) override
    {
        open_ = true;
        input_.clear();
        return true;
    }
    bool close(int&) override
    {
        open_ = false;
        input_.clear();
        return true;
    }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return int(input_.size()); }
    void discardInput() override { input_.clear(); }
    QByteArray readAll() override
    {
        QByteArray all;
        all.swap(input_);
        return all;
    }
    void write(const QByteArray& bytes) override
    {
        replies.emplace_back();
        unit_.receive(bytes);
    }

    std::vector<QByteArray> replies;

private:
    SimulatedUnit& unit_;
    QByteArray input_;
    bool open_ = false;
};

bool writeSeed(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The link scenario played against a simulated unit, as fuzz input; says whether its replay
// through the scripted port completes the update as the unit did.
QByteArray recordScenario(const UnitSettings& settings, const QString& appDir)
{
    VirtualClock clock;
    SimulatedUnit unit(clock, settings);
    RecordingPort recorder(unit);
    const bool recorded = RunLinkScenario(recorder, clock, appDir);
    const QByteArray input = InputFromReplies(recorder.replies);

    VirtualClock replayClock;
    ScriptedPort replay(replayClock);
    replay.replies = RepliesFromInput(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
    const bool replayed = RunLinkScenario(replay, replayClock, appDir);
    std::printf("link seed: %zu frames, %lld bytes, update %s, replay %s\n", recorder.replies.size(),
                static_cast<long long>(input.size()), recorded ? "complete" : "failed",
                replayed ? "complete" : "failed");
    return input;
}

bool writeLinkSeeds(const QString& folder)
{
    const ScenarioFolder appDir;
    UnitSettings withDisplay;
    UnitSettings withoutDisplay;
    withoutDisplay.display.present = false;
    withoutDisplay.ambientCelsius.reset();
    return writeSeed(folder, QStringLiteral("display"), recordScenario(withDisplay, appDir.path()))
        && writeSeed(folder, QStringLiteral("no-display"), recordScenario(withoutDisplay, appDir.path()));
}

bool writeFileSeeds(const QString& confFolder, const QString& calFolder)
{
    const Catalogue catalogue = BuildCatalogue();
    SilentOperator op;
    const ConfRecord pt100 = ScenarioConfiguration(catalogue);

    // A corrected thermocouple in °F, 60 Hz, differential.
    ConfRecord thermocouple = ZeroConfRecord();
    LookupInputCode(catalogue, thermocouple, catalogue.thermocoupleCodes[0]);
    thermocouple.Serial = QStringLiteral("1234567");
    thermocouple.Tag = QStringLiteral("TIC-2040 KILN ZONE");
    thermocouple.OutMin = 20, thermocouple.OutMax = 4, thermocouple.Damping = 12.5f;
    thermocouple.Freq = 1, thermocouple.Mode = 1, thermocouple.Units = UnitsFahrenheit, thermocouple.AmbUnits = 1;
    thermocouple.RangeMax = 2192, thermocouple.RangeMin = -58;
    thermocouple.CalLowRef = 32, thermocouple.CalLowRead = 32.25f, thermocouple.CalHighRef = 1832;
    thermocouple.CalHighRead = 1830.5f, thermocouple.CalGain = 1.00081f, thermocouple.CalOffset = -0.2612f;

    // A voltage input with texts and singles at the edges of the format.
    ConfRecord voltage = ZeroConfRecord();
    LookupInputCode(catalogue, voltage, CodeVoltage);
    voltage.Serial = QString();
    voltage.Tag = QStringLiteral("a, \"b\"\t") + QChar(0xE9) + QChar(0x20AC);
    voltage.Units = UnitsMillivolt;
    voltage.OutMin = std::numeric_limits<float>::denorm_min(), voltage.OutMax = FLT_MAX;
    voltage.Damping = -0.0f, voltage.RangeMax = NoValue, voltage.RangeMin = -FLT_MIN;
    voltage.CalGain = 1e-7f, voltage.CalOffset = 16777217.0f;

    std::vector<std::uint8_t> image(FactoryImageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 37 + 11);

    return WriteConfFile(pt100, confFolder + QStringLiteral("/pt100.cal"), op)
        && WriteConfFile(thermocouple, confFolder + QStringLiteral("/thermocouple.cal"), op)
        && WriteConfFile(voltage, confFolder + QStringLiteral("/voltage.cal"), op)
        && WriteCalRecord(thermocouple, calFolder + QStringLiteral("/E1234567.urd"), op)
        && WriteCalRecord(pt100, calFolder + QStringLiteral("/E0512307.urd"), op)
        && WriteFactoryImage(image, calFolder + QStringLiteral("/flash.cal"), op);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString conf = root.filePath(QStringLiteral("fuzz_conf_file"));
    const QString calFlash = root.filePath(QStringLiteral("fuzz_cal_flash"));
    const QString link = root.filePath(QStringLiteral("fuzz_link_replies"));
    if (!root.mkpath(conf) || !root.mkpath(calFlash) || !root.mkpath(link) || !writeFileSeeds(conf, calFlash)
        || !writeLinkSeeds(link)) {
        std::fprintf(stderr, "fuzz_make_seeds: cannot write the seeds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
