#include "app/reading_settings_store.h"

#include <QSettings>

ReadingSettings LoadReadingSettings(const QSettings& store)
{
    const ReadingSettings defaults;
    ReadingSettings s;
    s.stability.readings = store.value(QStringLiteral("readings/stableReadings"), defaults.stability.readings).toInt();
    s.stability.spanFraction =
        store.value(QStringLiteral("readings/stableSpanFraction"), defaults.stability.spanFraction).toDouble();
    s.burnOut.upScaleMa = store.value(QStringLiteral("readings/burnOutUpMa"), defaults.burnOut.upScaleMa).toDouble();
    s.burnOut.downScaleMa = store.value(QStringLiteral("readings/burnOutDownMa"), defaults.burnOut.downScaleMa).toDouble();
    return s;
}

void SaveReadingSettings(QSettings& store, const ReadingSettings& settings)
{
    store.setValue(QStringLiteral("readings/stableReadings"), settings.stability.readings);
    store.setValue(QStringLiteral("readings/stableSpanFraction"), settings.stability.spanFraction);
    store.setValue(QStringLiteral("readings/burnOutUpMa"), settings.burnOut.upScaleMa);
    store.setValue(QStringLiteral("readings/burnOutDownMa"), settings.burnOut.downScaleMa);
}
