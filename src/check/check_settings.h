#pragma once

#include <QDate>
#include <QString>

#include <memory>

class QSettings;

// What checks keep between runs in the program's settings, shared by the window and the
// command-line tool: who issues the certificates and how their numbers begin.
struct CertificateSettings {
    QString company;
    QString prefix = QStringLiteral("CAL");
};

CertificateSettings LoadCertificateSettings(const QSettings& settings);
void SaveCertificateSettings(QSettings& settings, const CertificateSettings& certificate);

// PREFIX-YYYYMMDD-NNNN: a counter kept in the settings and never reset counts every number they
// issued, so no two are alike, whatever the date. Empty when the settings cannot be written
// (a number that might come again is not issued).
QString IssueCertificateNumber(QSettings& settings, const QString& prefix, const QDate& date);

// The program's settings: an INI file in the user's configuration folder (delvo2/delvo2.ini).
std::unique_ptr<QSettings> OpenProgramSettings();
