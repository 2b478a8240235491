#include "chart_rendering.h"

#include "chart_document.h"
#include "qt_text.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QRadialGradient>
#include <QStackedBarSeries>
#include <QTextDocument>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace wickly::ui {

namespace {

QColor paletteColour(int index)
{
    return QColor::fromRgb(static_cast<QRgb>(ChartPaletteRgb(index)));
}

constexpr qreal kTitlePoints = 10;
constexpr qreal kSmallestTitlePoints = 5;

QFont titleFont(qreal points)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSizeF(points);
    return font;
}

// Qt elides a title wider than the chart as a whole, losing its second line: a title whose
// longest line would not fit is set in a smaller size instead, so both lines show in full. The
// width is measured as Qt measures the title, as a rich text document.
void fitTitle(QChart* chart)
{
    const QMarginsF margins = chart->margins();
    const qreal room = chart->size().width() - margins.left() - margins.right() - 24;
    QTextDocument text;
    text.setHtml(chart->title());
    qreal points = kTitlePoints;
    for (; points > kSmallestTitlePoints && room > 0; points -= 0.5) {
        text.setDefaultFont(titleFont(points));
        if (text.idealWidth() <= room) {
            break;
        }
    }
    if (chart->titleFont().pointSizeF() != points) {
        chart->setTitleFont(titleFont(points));
        // The title is cut to its room when the layout runs: run it again with the new size.
        chart->layout()->invalidate();
    }
}

void setTitle(QChart* chart, const ChartDocument& doc)
{
    // The title is rich text, so that each line of the title is a line of its own.
    QStringList lines;
    for (const std::string& line : doc.titleLines) {
        lines << toQ(line).toHtmlEscaped();
    }
    chart->setTitle(QStringLiteral("<div align=\"center\">") + lines.join(QStringLiteral("<br>")) +
                    QStringLiteral("</div>"));
    chart->setTitleFont(titleFont(kTitlePoints));
    chart->setTitleBrush(QBrush(Qt::blue));
    QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart, [chart] { fitTitle(chart); });
}

void addBars(QChart* chart, const ChartDocument& doc)
{
    const auto n = static_cast<int>(doc.bars.size());
    // Qt Charts 6.4 has one colour per bar set, not per bar: the bars are stacked sets, one per
    // colour, each holding its bars' values and 0 elsewhere, so every bar shows in its colour.
    auto* bars = new QStackedBarSeries;
    std::map<int, QBarSet*> sets;
    for (int i = 0; i < n; ++i) {
        const ChartPoint& p = doc.bars[static_cast<std::size_t>(i)];
        QBarSet*& set = sets[p.colour];
        if (set == nullptr) {
            set = new QBarSet(QString());
            set->setColor(paletteColour(p.colour));
            set->setBorderColor(paletteColour(p.colour).darker(150));
            for (int j = 0; j < n; ++j) {
                set->append(0);
            }
        }
        set->replace(i, p.value);
    }
    for (const auto& entry : sets) {
        bars->append(entry.second);
    }
    bars->setBarWidth(0.95);
    bars->setLabelsVisible(false);
    chart->addSeries(bars);

    auto* line = new QLineSeries;
    QPen pen(QColor(255, 128, 0));
    pen.setWidth(2);
    line->setPen(pen);
    for (std::size_t i = 0; i < doc.line.size(); ++i) {
        line->append(static_cast<qreal>(i), doc.line[i].value);
    }
    chart->addSeries(line);

    // The year labels stand under the first bar of each year.
    auto* bottom = new QCategoryAxis;
    bottom->setTitleText(toQ(doc.bottomAxisTitle));
    bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bottom->setGridLineVisible(false);
    bottom->setRange(-0.5, std::max(n, 1) - 0.5);
    QStringList used;
    for (int i = 0; i < n; ++i) {
        QString label = toQ(doc.bars[static_cast<std::size_t>(i)].label);
        if (label.isEmpty()) {
            continue;
        }
        while (used.contains(label)) {
            label += ' '; // the axis needs distinct labels ("19" of 1919 and of 2019)
        }
        used << label;
        bottom->append(label, i);
    }
    if (used.isEmpty()) {
        bottom->append(QStringLiteral(" "), 0); // an axis without a category is not laid out
    }
    chart->addAxis(bottom, Qt::AlignBottom);
    bars->attachAxis(bottom);
    line->attachAxis(bottom);

    auto* left = new QValueAxis;
    left->setTitleText(toQ(doc.leftAxisTitle));
    double top = 1;
    for (const ChartPoint& p : doc.bars) {
        top = std::max(top, p.value);
    }
    for (const ChartPoint& p : doc.line) {
        top = std::max(top, p.value);
    }
    // Whole-number steps of 1, 2 or 5 times a power of ten, at most about six of them.
    double step = 1;
    for (int i = 0; top / step > 6; ++i) {
        step *= i % 3 == 1 ? 2.5 : 2; // 1, 2, 5, 10, 20, 50, ...
    }
    const double end = std::ceil(top / step) * step;
    left->setRange(0, end);
    left->setTickCount(static_cast<int>(end / step) + 1);
    left->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(left, Qt::AlignLeft);
    bars->attachAxis(left);
    line->attachAxis(left);
}

void addPie(QChart* chart, const ChartDocument& doc)
{
    auto* pie = new QPieSeries;
    pie->setPieSize(0.62);
    double total = 0;
    for (const ChartPoint& p : doc.slices) {
        total += p.value;
    }
    QFont font(QStringLiteral("Arial Narrow"));
    font.setStretch(QFont::SemiCondensed);
    font.setPointSizeF(8);
    for (const ChartPoint& p : doc.slices) {
        const double percent = total > 0 ? p.value * 100.0 / total : 0;
        auto* slice = new QPieSlice(toQ(p.label) + QStringLiteral(" %1%").arg(percent, 0, 'f', 0), p.value);
        // A radial gradient gives the slices a raised, three-dimensional look.
        QRadialGradient shade(QPointF(0.5, 0.5), 0.5);
        shade.setCoordinateMode(QGradient::ObjectMode);
        shade.setColorAt(0, paletteColour(p.colour).lighter(130));
        shade.setColorAt(1, paletteColour(p.colour).darker(120));
        slice->setBrush(shade);
        slice->setPen(QPen(paletteColour(p.colour).darker(160), 1));
        slice->setLabelVisible(true);
        slice->setLabelFont(font);
        slice->setLabelArmLengthFactor(0.12);
        pie->append(slice);
    }
    chart->addSeries(pie);
}

} // namespace

QChart* makeChart(const ChartDocument& doc)
{
    auto* chart = new QChart;
    setTitle(chart, doc);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    if (doc.surface == ChartSurface::Bar) {
        addBars(chart, doc);
    } else {
        chart->setBackgroundPen(Qt::NoPen);
        addPie(chart, doc);
    }
    return chart;
}

namespace {

// Lays the chart out at width x height in a scene of its own and lets `draw` paint the scene.
template <class Draw> void withScene(const ChartDocument& doc, int width, int height, Draw draw)
{
    QGraphicsScene scene;
    QChart* chart = makeChart(doc);
    scene.addItem(chart); // the scene owns the chart
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->resize(width, height);
    chart->layout()->activate();
    scene.setSceneRect(0, 0, width, height);
    draw(scene);
}

} // namespace

QImage renderChart(const ChartDocument& doc, int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    withScene(doc, image.width(), image.height(), [&](QGraphicsScene& scene) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scene.render(&painter, QRectF(0, 0, image.width(), image.height()), scene.sceneRect());
    });
    return image;
}

bool saveChartJpeg(const ChartDocument& doc, const QString& path, int width, int height, int quality)
{
    return renderChart(doc, width, height).save(path, "JPG", quality);
}

void paintChart(const ChartDocument& doc, QPainter& painter, const QRectF& target)
{
    // Laid out at a screen-like size, then scaled onto the page.
    constexpr int kWidth = 1000, kHeight = 600;
    withScene(doc, kWidth, kHeight, [&](QGraphicsScene& scene) {
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
    });
}

} // namespace wickly::ui
