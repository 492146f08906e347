#pragma once

#include <QString>

class QPagedPaintDevice;
struct CheckRecord;

// Paints the certificate on the device's pages (a PDF writer, a printer): the certificate number
// and "Page x of y" on every page, a section that fits on a page never split. False when the
// device cannot be painted on.
bool PaintCertificate(const CheckRecord& record, QPagedPaintDevice& device);

// The certificate as an A4 PDF file, written whole or not at all. False when it cannot be, also
// when no QGuiApplication runs (text needs its fonts).
bool WriteCertificatePdf(const CheckRecord& record, const QString& path);
