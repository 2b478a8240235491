#include "chart_window_view.h"

#include "chart_rendering.h"
#include "chart_window_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace wickly::ui {

ChartWindowView::ChartWindowView(stats::ChartWindowModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_chartView(new QChartView(makeChart(model.chart), this))
{
    setObjectName("chartWindowView");
    setWindowTitle(toQ(m_model.caption()));
    setSizeGripEnabled(true);
    m_chartView->setObjectName("chartView");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(500, 300);

    auto* print = makeButton(tr("&Print"), "printButton", this);
    auto* save = makeButton(tr("&Save as .JPG"), "saveButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    close->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] { act(&stats::ChartWindowModel::printClicked); });
    connect(save, &QPushButton::clicked, this, [this] { act(&stats::ChartWindowModel::saveClicked); });
    connect(close, &QPushButton::clicked, this, [this] { act(&stats::ChartWindowModel::closeClicked); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chartView, 1);
    layout->addLayout(buttons);
    resize(760, 500);
    close->setFocus();
}

void ChartWindowView::act(void (stats::ChartWindowModel::*action)())
{
    (m_model.*action)();
    if (m_model.closed) {
        accept();
    }
}

} // namespace wickly::ui
