// Writes every sensor table file into a folder; with --report, prints the figures of each table
// (segments, worst linearisation error, chunks, seconds of "Update Unit") as Markdown rows.

#include "model/formatters.h"
#include "table_generator/table_design.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string& folder, const std::string& name, const std::string& text)
{
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return bool(out);
}

void printReport(const std::vector<SensorDesign>& designs)
{
    std::printf("| Sensor | File | Segments | Worst error | Cold junction | Chunks | Seconds |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const SensorDesign& design : designs) {
        const TransferCost primary = PrimaryTransferCost(design.primary);
        const bool thermocouple = design.coldJunction.has_value();
        const TransferCost secondary =
            SecondaryTransferCost(thermocouple ? 4 * (int(design.coldJunction->lines.size()) + 1) : 4);
        const std::string unit = UnitsText(design.sensor.readingUnits).toStdString();
        std::string coldJunction = "-";
        if (thermocouple) {
            char text[64];
            std::snprintf(text, sizeof text, "%.2f µV (%.3f °C)", design.coldJunctionMicrovolts,
                          design.coldJunctionMicrovolts / SmallestSeebeck(design.sensor));
            coldJunction = text;
        }
        std::printf("| %s | %s | %d | %.4f %s | %s | %d + %d | %.1f |\n", design.sensor.name.c_str(),
                    design.sensor.primaryFile.c_str(), int(design.primary.lines.size()) - 1, design.worstError, unit.c_str(),
                    coldJunction.c_str(), primary.chunks, secondary.chunks, primary.seconds + secondary.seconds);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--report")) {
        std::fprintf(stderr, "usage: make_sensor_tables <output folder> [--report]\n");
        return 2;
    }
    std::string error;
    const auto designs = DesignAllTables(error);
    if (!designs) {
        std::fprintf(stderr, "make_sensor_tables: %s\n", error.c_str());
        return 1;
    }
    const std::string folder = argv[1];
    bool written = true;
    for (const SensorDesign& design : *designs) {
        // Inputs without a cold junction share one secondary file that holds the end line alone.
        const std::string secondary = design.coldJunction ? CurveText(*design.coldJunction) : EmptyTableText();
        written = written && writeFile(folder, design.sensor.primaryFile, CurveText(design.primary))
            && writeFile(folder, design.sensor.secondaryFile, secondary);
    }
    if (!written) {
        std::fprintf(stderr, "make_sensor_tables: cannot write into %s\n", folder.c_str());
        return 1;
    }
    if (argc == 3)
        printReport(*designs);
    return 0;
}
