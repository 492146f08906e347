// The sensor-table loader on any bytes, as a primary and as a secondary table file.
#include "fuzz/silent_operator.h"
#include "model/sensor_tables.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SilentOperator op;
    SensorTables tables;
    LoadPrimaryTables(bytes, QStringLiteral("p.dat"), tables, op);
    LoadSecondaryTable(bytes, QStringLiteral("l.dat"), tables, op);
    return 0;
}
