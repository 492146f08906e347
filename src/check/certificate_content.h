#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct CheckRecord;

// The certificate's text, row by row and section by section, before it is laid out on pages.
struct CertificateRow {
    enum class Kind { Title, Field, Paragraph, TableHeader, TableRow, Signature };
    Kind kind = Kind::Field;
    QStringList cells;  // Field: label and value; Title, Paragraph, Signature: one text; tables: columns
};

struct CertificateSection {
    QString heading;  // empty for the opening block
    std::vector<CertificateRow> rows;
};

std::vector<CertificateSection> CertificateSections(const CheckRecord& record);

// The certificate number and the page count, on every page.
QString CertificatePageHeader(const CheckRecord& record);
QString CertificatePageFooter(int page, int pages);
