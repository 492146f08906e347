#include "check/check_settings.h"

#include <QSettings>

namespace {

const QString CompanyKey = QStringLiteral("certificate/company");
const QString PrefixKey = QStringLiteral("certificate/prefix");
const QString CounterKey = QStringLiteral("certificate/lastNumber");

} // namespace

CertificateSettings LoadCertificateSettings(const QSettings& settings)
{
    CertificateSettings certificate;
    certificate.company = settings.value(CompanyKey).toString();
    certificate.prefix = settings.value(PrefixKey, certificate.prefix).toString();
    return certificate;
}

void SaveCertificateSettings(QSettings& settings, const CertificateSettings& certificate)
{
    settings.setValue(CompanyKey, certificate.company);
    settings.setValue(PrefixKey, certificate.prefix);
    settings.sync();
}

QString IssueCertificateNumber(QSettings& settings, const QString& prefix, const QDate& date)
{
    settings.sync();  // another program may have issued one since these settings were read
    const qulonglong number = settings.value(CounterKey, 0).toULongLong() + 1;
    settings.setValue(CounterKey, number);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return {};
    return QStringLiteral("%1-%2-%3").arg(prefix, date.toString(QStringLiteral("yyyyMMdd"))).arg(number, 4, 10, QLatin1Char('0'));
}

std::unique_ptr<QSettings> OpenProgramSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("delvo2"),
                                       QStringLiteral("delvo2"));
}
