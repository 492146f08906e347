// trend_bench: figures of the live trend, under whatever QT_QPA_PLATFORM says (offscreen unless set):
//   memory    what a week of samples at one a second (604,800) adds to the heap and to the resident
//             memory of the process;
//   repaint   the time the trend chart takes to paint itself with an 8-hour shift at one a second
//             (28,800 samples) in its 8-hour window, and with the week in its "All" window, a new
//             sample coming before each repaint; and with only the cursor moving over the week.
// With --snapshot FILE.png [--dark] it draws the trend panel and the transfer panel after a few
// minutes of a simulated unit with a settling step into FILE.png instead (for looking at them).
// It prints the figures; it does not judge them.

#include "bench_support.h"

#include "model/output_current.h"
#include "trend/reading_series.h"
#include "trend/ui/transfer_panel.h"
#include "trend/ui/trend_chart.h"
#include "trend/ui/trend_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QRandomGenerator>
#include <QStyleFactory>

#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr double Start = 1.7e9;  // a time in 2023
constexpr int RepaintRuns = 40;
const OutputTransfer Transfer{0, 100, 4, 20, 21.0, true};

// A unit on 0..100 degrees: 25 degrees, from `stepAt` on settling towards 60 (time constant 40 s),
// a little noise; a burn-out and a lost link later on, when the run is long enough for them.
ReadingSeries SimulatedRun(int seconds, double stepAt)
{
    ReadingSeries series;
    QRandomGenerator noise(7);
    for (int i = 0; i < seconds; ++i) {
        ReadingSample sample;
        sample.time = Start + i;
        const bool burnOut = i >= 300 && i < 330;
        const bool lost = i >= 380 && i < 400;
        if (!lost) {
            sample.status = burnOut ? SampleStatus::BurnOut : SampleStatus::Ok;
            sample.ambient = float(std::round((23.4 + 0.3 * std::sin(i / 900.0) + 0.05 * noise.generateDouble()) * 100) / 100);
        }
        if (sample.status == SampleStatus::Ok) {
            const double settled = i < stepAt ? 25.0 : 60.0 - 35.0 * std::exp(-(i - stepAt) / 40.0);
            sample.reading = float(std::round((settled + 0.03 * (noise.generateDouble() - 0.5)) * 100) / 100);
            sample.outputMa = float(OutputAt(Transfer, sample.reading).milliamps);
        } else if (burnOut) {
            sample.outputMa = float(*Transfer.burnOutMa);
        }
        series.append(sample);
    }
    return series;
}

double HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

double ResidentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

void memoryFigure()
{
    constexpr int Week = 7 * 24 * 3600;
    const double heap = HeapBytes();
    const double resident = ResidentBytes();
    const ReadingSeries week = SimulatedRun(Week, 60);
    const double heapGrowth = (HeapBytes() - heap) / 1e6;
    PrintFigure("trend memory, a week", heapGrowth, 50, "MB",
                QStringLiteral("%1 samples: %2 bytes a sample on the heap; resident memory grew by %3 MB")
                    .arg(week.size())
                    .arg(heapGrowth * 1e6 / double(week.size()), 0, 'f', 1)
                    .arg((ResidentBytes() - resident) / 1e6, 0, 'f', 1),
                "< 50 MB");
}

// The chart's paint times over `RepaintRuns` repaints at 1280 x 600. Live: a sample arrives before
// each repaint (the chart decimates again); otherwise only the cursor moves.
void repaintFigure(const char* name, ReadingSeries& series, TrendWindow window, bool live)
{
    TrendChart chart(series);
    chart.setUnits(QStringLiteral("\u00B0C"), QStringLiteral("\u00B0C"));
    chart.setTimeWindow(window);
    chart.resize(1280, 600);
    chart.show();
    QApplication::processEvents();
    const double first = series.firstTime();
    const double last = series.lastTime();
    std::vector<double> times;
    for (int run = 0; run < RepaintRuns; ++run) {
        if (live) {
            ReadingSample next = series[series.size() - 1];
            next.time += 1;
            series.append(next);
            chart.samplesAdded();
        }
        chart.setCursorTime(first + (last - first) * run / RepaintRuns);
        QElapsedTimer elapsed;
        elapsed.start();
        chart.repaint();
        times.push_back(double(elapsed.nsecsElapsed()) / 1e6);
    }
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    PrintFigure(name, Median(times), 16, "ms",
                QStringLiteral("median of %1 repaints of %2 samples (%3..%4 ms)%5")
                    .arg(RepaintRuns)
                    .arg(series.size())
                    .arg(*fastest, 0, 'f', 2)
                    .arg(*slowest, 0, 'f', 2)
                    .arg(live ? QStringLiteral(", a new sample before each") : QStringLiteral(", the cursor moved")),
                "< 16 ms");
}

int snapshot(const QString& path, bool dark)
{
    if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(45, 45, 48));
        palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
        palette.setColor(QPalette::Base, QColor(30, 30, 32));
        palette.setColor(QPalette::Text, QColor(230, 230, 230));
        palette.setColor(QPalette::Button, QColor(60, 60, 64));
        palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        QApplication::setPalette(palette);
    }
    const ReadingSeries series = SimulatedRun(7 * 60, 120);
    QWidget window;
    auto* trend = new TrendPanel(series, &window);
    trend->chart().setUnits(QStringLiteral("\u00B0C"), QStringLiteral("\u00B0C"));
    auto* transfer = new TransferPanel(&window);
    transfer->setTransfer(Transfer, QStringLiteral("\u00B0C"));
    transfer->setSample(series[series.size() - 1]);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(trend, 3);
    layout->addWidget(transfer, 1);
    window.resize(1100, 520);
    window.show();
    QApplication::processEvents();
    trend->chart().setCursorTime(Start + 150);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "trend_bench: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--snapshot")); at > 0 && at + 1 < arguments.size())
        return snapshot(arguments[at + 1], arguments.contains(QStringLiteral("--dark")));

    std::printf("trend_bench: platform %s; %s\n", qPrintable(QGuiApplication::platformName()), qPrintable(LoadAverage()));
    memoryFigure();
    ReadingSeries shift = SimulatedRun(8 * 3600, 600);
    repaintFigure("trend repaint, 8 h", shift, TrendWindow::EightHours, true);
    ReadingSeries week = SimulatedRun(7 * 24 * 3600, 600);
    repaintFigure("trend repaint, a week", week, TrendWindow::All, true);
    repaintFigure("trend cursor, a week", week, TrendWindow::All, false);
    std::printf("trend_bench: %s\n", qPrintable(LoadAverage()));
    return 0;
}
