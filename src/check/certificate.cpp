#include "check/certificate.h"

#include "check/certificate_content.h"
#include "check/check_record.h"
#include "model/safe_file.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

using Kind = CertificateRow::Kind;

constexpr double LabelWidthMm = 48;
constexpr double HeaderMm = 10;  // header band at the top of every page, footer band at the bottom

QFont fontOf(double points, bool bold = false)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: "fi" stays two letters, so the PDF's text is searched and copied as it reads.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// A row or heading placed on a page.
struct Placed {
    int page = 0;
    double top = 0;
    const CertificateRow* row = nullptr;  // null: a heading
    QString heading;
};

// Measures and places the rows of the certificate; the painter only draws what this decided.
class CertificateLayout {
public:
    CertificateLayout(QPainter& painter, const QRectF& area, double pixelsPerMm)
        : painter_(painter), area_(area), mm_(pixelsPerMm)
    {
    }

    double mm(double millimetres) const { return millimetres * mm_; }
    QRectF body() const { return area_.adjusted(0, mm(HeaderMm + 2), 0, -mm(HeaderMm)); }

    QFont fontFor(Kind kind) const
    {
        switch (kind) {
        case Kind::Title: return fontOf(17, true);
        case Kind::TableHeader: return fontOf(8.5, true);
        default: return fontOf(9.5);
        }
    }

    // The rectangles each cell of a row is drawn in, from its top at 0.
    std::vector<QRectF> cellRects(const CertificateRow& row) const
    {
        const QRectF b = body();
        if (row.kind == Kind::Field)
            return {QRectF(0, 0, mm(LabelWidthMm), 0), QRectF(mm(LabelWidthMm), 0, b.width() - mm(LabelWidthMm), 0)};
        if (row.kind == Kind::TableHeader || row.kind == Kind::TableRow) {
            std::vector<QRectF> cells;
            const double width = b.width() / double(row.cells.size());
            for (int i = 0; i < row.cells.size(); ++i)
                cells.emplace_back(i * width, 0, width, 0);
            return cells;
        }
        return {QRectF(0, 0, b.width(), 0)};
    }

    double rowHeight(const CertificateRow& row) const
    {
        painter_.setFont(fontFor(row.kind));
        const std::vector<QRectF> cells = cellRects(row);
        double height = 0;
        for (int i = 0; i < row.cells.size() && i < int(cells.size()); ++i) {
            const QRectF bounds = painter_.boundingRect(cells[i].adjusted(0, 0, -mm(1.5), 1e6), flags(row, i),
                                                        row.cells.at(i));
            height = std::max(height, bounds.height());
        }
        const double gap = row.kind == Kind::Signature ? mm(14) : row.kind == Kind::Title ? mm(4) : mm(1.2);
        return height + gap;
    }

    double headingHeight() const { return mm(9); }

    static int flags(const CertificateRow& row, int cell)
    {
        // Numbers line up on the right; the verdict, the last column, is centred.
        if (row.kind == Kind::TableHeader || row.kind == Kind::TableRow)
            return int((cell == row.cells.size() - 1 ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignTop
                       | Qt::TextWordWrap);
        return int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }

    // Every section placed; a section moves to a fresh page when it does not fit on this one but
    // does on an empty page, else its rows go on where there is room.
    std::vector<Placed> place(const std::vector<CertificateSection>& sections, int& pages) const
    {
        std::vector<Placed> placed;
        const QRectF b = body();
        int page = 0;
        double y = b.top();
        for (const CertificateSection& section : sections) {
            double height = section.heading.isEmpty() ? 0 : headingHeight();
            for (const CertificateRow& row : section.rows)
                height += rowHeight(row);
            if (y + height > b.bottom() && height <= b.height() && y > b.top()) {
                ++page;
                y = b.top();
            }
            if (!section.heading.isEmpty()) {
                placed.push_back({page, y, nullptr, section.heading});
                y += headingHeight();
            }
            for (const CertificateRow& row : section.rows) {
                const double h = rowHeight(row);
                if (y + h > b.bottom() && y > b.top()) {
                    ++page;
                    y = b.top();
                }
                placed.push_back({page, y, &row, {}});
                y += h;
            }
        }
        pages = page + 1;
        return placed;
    }

    void draw(const Placed& item) const
    {
        const QRectF b = body();
        if (!item.row) {
            painter_.setFont(fontOf(11, true));
            const QRectF line(b.left(), item.top + mm(3), b.width(), mm(6));
            painter_.drawText(line, int(Qt::AlignLeft | Qt::AlignTop), item.heading);
            painter_.drawLine(QPointF(b.left(), item.top + mm(8.2)), QPointF(b.right(), item.top + mm(8.2)));
            return;
        }
        const CertificateRow& row = *item.row;
        painter_.setFont(fontFor(row.kind));
        const std::vector<QRectF> cells = cellRects(row);
        for (int i = 0; i < row.cells.size() && i < int(cells.size()); ++i) {
            const QRectF cell = cells[i].translated(b.left(), item.top).adjusted(0, 0, -mm(1.5), mm(60));
            painter_.drawText(cell, flags(row, i), row.cells.at(i));
        }
        if (row.kind == Kind::TableHeader) {
            const double under = item.top + rowHeight(row) - mm(0.6);
            painter_.drawLine(QPointF(b.left(), under), QPointF(b.right(), under));
        }
    }

    void drawFrame(const QString& header, const QString& footer) const
    {
        painter_.setFont(fontOf(8));
        painter_.drawText(QRectF(area_.left(), area_.top(), area_.width(), mm(HeaderMm - 3)),
                          int(Qt::AlignRight | Qt::AlignBottom), header);
        painter_.drawLine(QPointF(area_.left(), area_.top() + mm(HeaderMm - 2)),
                          QPointF(area_.right(), area_.top() + mm(HeaderMm - 2)));
        painter_.drawText(QRectF(area_.left(), area_.bottom() - mm(HeaderMm - 4), area_.width(), mm(HeaderMm - 4)),
                          int(Qt::AlignHCenter | Qt::AlignBottom), footer);
    }

private:
    QPainter& painter_;
    QRectF area_;
    double mm_;
};

} // namespace

bool PaintCertificate(const CheckRecord& record, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double pixelsPerMm = device.logicalDpiY() / 25.4;
    const CertificateLayout layout(painter, QRectF(painter.viewport()), pixelsPerMm);
    const std::vector<CertificateSection> sections = CertificateSections(record);
    int pages = 1;
    const std::vector<Placed> placed = layout.place(sections, pages);
    const QString header = CertificatePageHeader(record);
    int page = 0;
    layout.drawFrame(header, CertificatePageFooter(1, pages));
    for (const Placed& item : placed) {
        if (item.page != page) {
            device.newPage();
            page = item.page;
            layout.drawFrame(header, CertificatePageFooter(page + 1, pages));
        }
        layout.draw(item);
    }
    return painter.end();
}

bool WriteCertificatePdf(const CheckRecord& record, const QString& path)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 12, 18, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(CertificatePageHeader(record));
        writer.setCreator(CheckSoftwareText());
        if (!PaintCertificate(record, writer))
            return false;
    }
    return WriteFileAtomically(path, pdf.data());
}
