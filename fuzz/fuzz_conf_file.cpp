// The configuration-file reader on any bytes. A record it accepts must also survive the writer:
// the line written from it reads back into a record that is written as the same line.
#include "fuzz/silent_operator.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/session.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Catalogue catalogue = BuildCatalogue();
    const QString path = QStringLiteral("fuzz.cal");
    SilentOperator op;
    Session session;
    if (!ReadConfFile(session, catalogue, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), path, op))
        return 0;
    const QByteArray written = ConfFileLine(session.EditConf);
    Session again;
    if (!ReadConfFile(again, catalogue, written, path, op) || ConfFileLine(again.EditConf) != written) {
        std::fprintf(stderr, "written line does not read back: %s\n", written.constData());
        std::abort();
    }
    return 0;
}
