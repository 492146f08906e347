#include "trend/ui/trend_panel.h"

#include "trend/ui/trend_chart.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TrendPanel::TrendPanel(const ReadingSeries& series, QWidget* parent)
    : QWidget(parent),
      windowChoice_(new QComboBox(this)),
      pauseButton_(new QPushButton(tr("Pause"), this)),
      chart_(new TrendChart(series, this))
{
    windowChoice_->setObjectName(QStringLiteral("trendWindow"));
    pauseButton_->setObjectName(QStringLiteral("trendPause"));
    chart_->setObjectName(QStringLiteral("trendChart"));
    const std::pair<TrendWindow, QString> windows[] = {
        {TrendWindow::OneMinute, tr("1 min")}, {TrendWindow::TenMinutes, tr("10 min")},
        {TrendWindow::OneHour, tr("1 h")},     {TrendWindow::EightHours, tr("8 h")},
        {TrendWindow::All, tr("All")},
    };
    for (const auto& [window, text] : windows)
        windowChoice_->addItem(text, int(window));
    windowChoice_->setCurrentIndex(windowChoice_->findData(int(chart_->timeWindow())));
    connect(windowChoice_, &QComboBox::currentIndexChanged, this,
            [this] { chart_->setTimeWindow(TrendWindow(windowChoice_->currentData().toInt())); });
    connect(pauseButton_, &QPushButton::clicked, this, [this] { chart_->setPaused(!chart_->paused()); });
    connect(chart_, &TrendChart::pausedChanged, this,
            [this](bool paused) { pauseButton_->setText(paused ? tr("Resume") : tr("Pause")); });

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(tr("Time window:"), this));
    controls->addWidget(windowChoice_);
    controls->addWidget(pauseButton_);
    controls->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(chart_, 1);
}
