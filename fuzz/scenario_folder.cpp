#include "fuzz/scenario_folder.h"

#include "fuzz/link_scenario.h"
#include "model/sensor_tables.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

ScenarioFolder::ScenarioFolder()
{
    for (int which : {1, 2}) {
        const QString from = TableFileName(QStringLiteral(DELVO_DATA_DIR), ScenarioInputCode, which);
        if (!dir_.isValid() || !QFile::copy(from, TableFileName(dir_.path(), ScenarioInputCode, which))) {
            std::fprintf(stderr, "cannot copy %s into a temporary folder\n", qPrintable(from));
            std::abort();
        }
    }
}
