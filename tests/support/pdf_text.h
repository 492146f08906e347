#pragma once

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// The text of a PDF file as pdftotext reads it, its white space collapsed to single blanks.
inline QString PdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}
