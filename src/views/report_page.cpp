#include "views/report_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace {

constexpr double TwipsPerPixel = 15.0;

// A4 portrait, in twips.
constexpr int PageWidth = 11906;
constexpr int PageHeight = 16838;
constexpr int Margin = 720;

// Design position of the date frame.
constexpr int DateLeft = 8160;
constexpr int DateTop = 600;
constexpr int DateWidth = 2415;
constexpr int DateHeight = 375;

} // namespace

int TwipsToPixels(int twips)
{
    return qRound(twips / TwipsPerPixel);
}

QLabel* ReportLabel(QWidget* parent, const QString& name, int index, const QString& caption)
{
    auto* label = new QLabel(parent);
    label->setObjectName(index < 0 ? name : name + QLatin1Char('_') + QString::number(index));
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    return label;
}

ReportPage BuildReportPage(QWidget* form, const QString& formName, const QString& title)
{
    form->setObjectName(formName);
    form->setWindowFlag(Qt::Window);
    form->setFixedSize(TwipsToPixels(PageWidth), TwipsToPixels(PageHeight));
    QFont serif(QStringLiteral("Times New Roman"), 12);
    serif.setStyleHint(QFont::Serif);
    form->setFont(serif);
    QPalette paper = form->palette();
    paper.setColor(QPalette::Window, Qt::white);
    form->setPalette(paper);
    form->setAutoFillBackground(true);

    ReportPage page{};
    page.title = ReportLabel(form, QStringLiteral("Label1"), -1, title);
    QFont titleFont = serif;
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    page.title->setFont(titleFont);

    page.dateFrame = new QFrame(form);
    page.dateFrame->setObjectName(QStringLiteral("frDate"));
    page.dateFrame->setGeometry(TwipsToPixels(DateLeft), TwipsToPixels(DateTop), TwipsToPixels(DateWidth),
                                TwipsToPixels(DateHeight));
    // The date on the left, the time on the right, small enough for a long date and seconds.
    QFont small = serif;
    small.setPointSize(10);
    page.dateFrame->setFont(small);
    const int dateWidth = page.dateFrame->width() * 3 / 5;
    page.date = ReportLabel(page.dateFrame, QStringLiteral("lbDate"));
    page.date->setGeometry(0, 0, dateWidth, page.dateFrame->height());
    page.time = ReportLabel(page.dateFrame, QStringLiteral("lbTime"));
    page.time->setGeometry(dateWidth, 0, page.dateFrame->width() - dateWidth, page.dateFrame->height());
    page.time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* column = new QVBoxLayout(form);
    const int margin = TwipsToPixels(Margin);
    column->setContentsMargins(margin, TwipsToPixels(DateTop), margin, margin);
    column->addWidget(page.title);
    column->addSpacing(TwipsToPixels(Margin));
    page.rows = new QGridLayout;
    page.rows->setHorizontalSpacing(TwipsToPixels(180));
    page.rows->setVerticalSpacing(TwipsToPixels(90));
    page.rows->setColumnMinimumWidth(0, TwipsToPixels(3600));
    page.rows->setColumnMinimumWidth(1, TwipsToPixels(1500));
    page.rows->setColumnStretch(3, 1);
    column->addLayout(page.rows);
    column->addStretch(1);
    return page;
}

int AddReportRows(QGridLayout* rows, int firstLine, std::span<const SummaryRow> layout, std::span<QLabel* const> heads,
                  std::span<QLabel* const> data, std::span<QLabel* const> units)
{
    int line = firstLine;
    for (const SummaryRow& row : layout) {
        rows->addWidget(heads[std::size_t(row.head)], line, 0);
        // A value without a unit may run on over the unit column: long tags and input names then
        // do not push the units away from the numbers.
        if (row.unit >= 0) {
            rows->addWidget(data[std::size_t(row.data)], line, 1);
            rows->addWidget(units[std::size_t(row.unit)], line, 2);
        } else {
            rows->addWidget(data[std::size_t(row.data)], line, 1, 1, 2);
        }
        ++line;
    }
    return line;
}
