// The calibration-record reader and the factory-image reader on any bytes.
#include "fuzz/silent_operator.h"
#include "model/conf_files.h"
#include "model/conf_record.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SilentOperator op;
    ConfRecord record;
    ReadCalRecord(record, bytes, QStringLiteral("fuzz.urd"), op);
    std::vector<std::uint8_t> image;
    ReadFactoryImage(image, bytes, QStringLiteral("fuzz.cal"), op);
    return 0;
}
