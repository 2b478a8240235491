#pragma once
// The chart window: one player chart, with Print (print preview), Save as .JPG and Close.

#include <QDialog>

class QChartView;

namespace wickly::stats {
class ChartWindowModel;
}

namespace wickly::ui {

class ChartWindowView : public QDialog
{
    Q_OBJECT
public:
    ChartWindowView(stats::ChartWindowModel& model, QWidget* parent = nullptr);

private:
    void act(void (stats::ChartWindowModel::*action)());

    stats::ChartWindowModel& m_model;
    QChartView* m_chartView;
};

} // namespace wickly::ui
