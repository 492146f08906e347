#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;
class ReadingSeries;
class TrendChart;

// The trend chart with its controls: the time window (1 min ... all) and pause/resume.
class TrendPanel : public QWidget {
    Q_OBJECT
public:
    explicit TrendPanel(const ReadingSeries& series, QWidget* parent = nullptr);

    TrendChart& chart() { return *chart_; }

private:
    QComboBox* windowChoice_;
    QPushButton* pauseButton_;
    TrendChart* chart_;
};
