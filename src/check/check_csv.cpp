#include "check/check_csv.h"

#include "check/check_record.h"
#include "model/csv_field.h"

#include <QStringList>

namespace {

void appendRun(QByteArray& csv, const CheckRecord& record, const char* run, const CheckTable& table)
{
    for (const PointResult& point : table.points) {
        const PointTexts t = TextsOf(record.scale, point);
        const QStringList fields{CsvField(record.certificateNumber), QLatin1String(run), t.reference, t.reading, t.error,
                                 t.errorPercentOfSpan, t.expectedMa, point.settled ? "yes" : "no", t.verdict,
                                 CsvField(record.scale.units)};
        csv += fields.join(QLatin1Char(',')).toUtf8() + '\n';
    }
}

} // namespace

QByteArray CheckCsv(const CheckRecord& record)
{
    QByteArray csv("certificate,run,reference,reading,error,error_percent_of_span,expected_ma,stable,result,units\n");
    appendRun(csv, record, "as-found", record.asFound);
    appendRun(csv, record, "as-left", record.asLeft);
    return csv;
}
