// Smoke test of the charts under the offscreen platform: a chart is drawn into a JPEG picture of
// 500 x 300 without a window, the chart window shows a chart and closes, and the statistics
// window's chart buttons open it.

#include "app_state.h"
#include "chart_document.h"
#include "chart_farm.h"
#include "chart_rendering.h"
#include "chart_window_model.h"
#include "chart_window_view.h"
#include "container.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "statistics_view.h"
#include "statistics_window_model.h"
#include "working_set.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace wickly;
using namespace wickly::test;

namespace {

ChartDocument barChart()
{
    ChartDocument c;
    c.caption = "Run Chart";
    c.titleLines = {"Runs Scored by N Smith", "All Matches"};
    c.leftAxisTitle = "Runs";
    c.bottomAxisTitle = "Year";
    c.bars = {{210, "19", 10}, {0.2, "", 2}, {120, "", 12}, {60, "20", 9}};
    c.line = {{210, "", 11}, {105, "", 11}, {110, "", 11}, {97.5, "", 11}};
    return c;
}

ChartDocument pieChart()
{
    ChartDocument c;
    c.surface = ChartSurface::Pie;
    c.caption = "Dismissal Chart";
    c.titleLines = {"Dismissals of N Smith", "All Matches"};
    c.slices = {{3, "Caught", 12}, {1, "Bowled", 13}};
    return c;
}

// True when some pixel of the picture satisfies `near`.
bool hasPixel(const QImage& image, const std::function<bool(const QColor&)>& near)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (near(image.pixelColor(x, y))) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class ChartSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void exportsJpegWithoutAWindow()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ui::QtPlatform platform;
        const std::string bars = dir.filePath("bars.jpg").toStdString();
        const std::string pie = dir.filePath("pie.jpg").toStdString();
        QVERIFY(platform.exportChartJpeg(barChart(), bars, 500, 300, 80));
        QVERIFY(platform.exportChartJpeg(pieChart(), pie, 500, 300, 80));

        QImageReader reader(QString::fromStdString(bars));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(500, 300));
        // The light green bar, the orange line and the blue title are drawn.
        QVERIFY(hasPixel(image, [](const QColor& c) { return c.green() > 200 && c.red() < 70 && c.blue() < 70; }));
        QVERIFY(hasPixel(image, [](const QColor& c) {
            return c.red() > 220 && c.green() > 90 && c.green() < 170 && c.blue() < 70;
        }));
        QVERIFY(hasPixel(image, [](const QColor& c) { return c.blue() > 200 && c.red() < 70 && c.green() < 70; }));

        const QImage pieImage(QString::fromStdString(pie));
        QCOMPARE(pieImage.size(), QSize(500, 300));
        QVERIFY(hasPixel(pieImage, [](const QColor& c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }));
        QVERIFY(hasPixel(pieImage, [](const QColor& c) { return c.red() > 180 && c.green() < 90 && c.blue() > 180; }));

        // A folder that does not exist: the export says so.
        QVERIFY(!platform.exportChartJpeg(barChart(), dir.filePath("none/bars.jpg").toStdString(), 500, 300, 80));
    }

    void aLongTitleKeepsBothLinesInASmallerSize()
    {
        // A 30-character name at a 40-character ground is wider than a small picture: the title
        // is set smaller rather than cut (which would lose its second line).
        ChartDocument c = barChart();
        c.titleLines = {"Runs Scored by Alexander Long-Surname Junior at MA Chidambaram Stadium, Chepauk",
                        "All Matches, IPL Vs Chennai Super Kings"};
        QGraphicsScene scene;
        QChart* chart = ui::makeChart(c);
        scene.addItem(chart);
        chart->resize(350, 200);
        QVERIFY(chart->titleFont().pointSizeF() < 10);
        QVERIFY(chart->titleFont().pointSizeF() >= 5);
        QVERIFY(chart->title().contains("Chennai Super Kings"));
        chart->resize(2000, 600); // room enough: the usual size again
        QCOMPARE(chart->titleFont().pointSizeF(), 10.0);

        QGraphicsScene other;
        QChart* plain = ui::makeChart(barChart());
        other.addItem(plain);
        plain->resize(350, 200);
        QCOMPARE(plain->titleFont().pointSizeF(), 10.0);
    }

    void chartWindowShowsTheChartAndCloses()
    {
        ui::QtPlatform platform;
        stats::ChartWindowModel model(platform, barChart());
        ui::ChartWindowView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QString("Run Chart"));
        auto* chartView = child<QChartView>(&view, "chartView");
        QVERIFY(chartView != nullptr);
        QVERIFY(chartView->chart()->title().contains("Runs Scored by N Smith<br>All Matches"));
        // Print opens the print preview, drawn with the chart.
        ModalPlayer preview([](QWidget* w) { return w->windowTitle() == "Wickly Chart Preview"; },
                            [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QTest::mouseClick(child<QPushButton>(&view, "printButton"), Qt::LeftButton);
        QVERIFY(preview.done);
        QVERIFY(child<QPushButton>(&view, "saveButton") != nullptr);
        QTest::mouseClick(child<QPushButton>(&view, "closeButton"), Qt::LeftButton);
        QVERIFY(model.closed);
        QVERIFY(!view.isVisible());
    }

    void chartButtonsOpenTheChartWindow()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        AppState app;
        app.startupFolder = folder.path().toStdString();
        newDatabaseState(app);
        WorkingSet ws(app);
        ClubRecord c;
        c.name.assign("Northern");
        ws.append(c);
        PlayerRecord p;
        p.reportName.assign("N Smith");
        p.club = 1;
        p.active = 1;
        ws.addPlayer(p);

        ui::QtPlatform platform;
        stats::StatisticsWindowModel model(app, platform);
        ui::StatisticsView view(model);
        view.show();
        QVERIFY(child<QGroupBox>(&view, "chartFrame")->isVisible());

        MessageBoxAnswerer noPlayer(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>(&view, "runChartButton"), Qt::LeftButton);
        QVERIFY(noPlayer.done);
        QCOMPARE(noPlayer.texts, QStringList{"Select a player first"});

        child<QComboBox>(&view, "subjectCombo")->setCurrentIndex(0);
        QTest::mouseClick(child<QRadioButton>(&view, "chartBowlingOption"), Qt::LeftButton);
        QVERIFY(model.chartBowling);
        QString title;
        ModalPlayer chart(shownWindowNamed("chartWindowView"), [&title](QWidget* w) {
            title = w->findChild<QChartView*>("chartView")->chart()->title();
            w->findChild<QPushButton*>("closeButton")->click();
        });
        QTest::mouseClick(child<QPushButton>(&view, "dismissalChartButton"), Qt::LeftButton);
        QVERIFY(chart.done);
        QCOMPARE(chart.titles, QStringList{"Dismissal Chart"});
        QVERIFY(title.contains("Dismissals by N Smith<br>All Matches"));

        child<QListWidget>(&view, "reportList")->setCurrentRow(6);
        QVERIFY(!child<QGroupBox>(&view, "chartFrame")->isVisible());
    }

    // The job format keeps every field, whatever bytes the texts hold, and refuses what is no job.
    void chartJobsCrossTheSocketWhole()
    {
        ui::ChartJob bars{barChart(), "/web/\xc3\xa9t\xe9.jpg", 350, 200, 80};
        bars.chart.titleLines.push_back(std::string("a\0b", 3));
        bars.chart.bars.push_back({-1.5, "", -7});
        const ui::ChartJob pie{pieChart(), "p.jpg", 500, 300, 0};
        for (const ui::ChartJob& job : {bars, pie}) {
            const std::string bytes = ui::encodeChartJob(job);
            ui::ChartJob back;
            QVERIFY(ui::decodeChartJob(bytes, back));
            QVERIFY(back == job);
            for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
                QVERIFY(!ui::decodeChartJob(std::string_view(bytes).substr(0, cut), back));
            }
            QVERIFY(!ui::decodeChartJob(bytes + "x", back));
        }
        std::string badSurface = ui::encodeChartJob(pie);
        badSurface[4 + 5 + 12] = 7; // the surface code after the path and the three sizes
        ui::ChartJob back;
        QVERIFY(!ui::decodeChartJob(badSurface, back));
    }

    // Helpers started from this test program draw some of the pictures; every picture is
    // written, and those a helper could not write are reported by finish().
    void farmDrawsWithHelpersAndReportsFailures()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string self = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
        ui::ChartFarm farm(self, 1);
        QCOMPARE(farm.helpers(), 1);
        QStringList written;
        for (int i = 0; i < 12; ++i) {
            const QString name = dir.filePath(QString("chart%1.jpg").arg(i));
            QVERIFY(farm.save(i % 2 == 0 ? barChart() : pieChart(), name.toStdString(), 350, 200, 80));
            written << name;
        }
        // Into a folder that does not exist: drawn here it fails at once, handed over it is
        // reported by finish.
        std::vector<std::string> refused;
        std::vector<std::string> handedOver;
        for (int i = 0; i < 6; ++i) {
            const std::string path = dir.filePath(QString("none/x%1.jpg").arg(i)).toStdString();
            (farm.save(barChart(), path, 350, 200, 80) ? handedOver : refused).push_back(path);
        }
        const std::vector<std::string> failed = farm.finish();
        QCOMPARE(failed, handedOver);
        QCOMPARE(farm.helpers(), 0);
        QVERIFY(farm.handedOver() > 0);
        for (const QString& name : written) {
            const QImage image(name);
            QCOMPARE(image.size(), QSize(350, 200));
        }
    }

    // The desktop's platform draws a run of pictures with its helper program.
    void platformRunDrawsEveryPicture()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ui::QtPlatform platform;
        platform.setChartHelperProgram(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
        platform.beginChartRun();
        for (int i = 0; i < 8; ++i) {
            QVERIFY(platform.exportChartJpeg(i % 2 == 0 ? barChart() : pieChart(),
                                             dir.filePath(QString("p%1.jpg").arg(i)).toStdString(), 500, 300, 80));
        }
        QVERIFY(platform.endChartRun().empty());
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(QImage(dir.filePath(QString("p%1.jpg").arg(i))).size(), QSize(500, 300));
        }
        // Outside a run it draws here, as before.
        QVERIFY(platform.exportChartJpeg(barChart(), dir.filePath("single.jpg").toStdString(), 350, 200, 80));
        QCOMPARE(QImage(dir.filePath("single.jpg")).size(), QSize(350, 200));
    }

    // A helper that stops at once, or cannot be started, leaves every picture to this process.
    void farmDrawsEverythingWhenHelpersFail()
    {
        for (const std::string program : {"/bin/true", "/no/such/program"}) {
            QTemporaryDir dir;
            QVERIFY(dir.isValid());
            ui::ChartFarm farm(program, 1);
            QStringList written;
            for (int i = 0; i < 10; ++i) {
                const QString name = dir.filePath(QString("chart%1.jpg").arg(i));
                QVERIFY(farm.save(pieChart(), name.toStdString(), 350, 200, 80));
                written << name;
            }
            QVERIFY(farm.finish().empty());
            for (const QString& name : written) {
                QCOMPARE(QImage(name).size(), QSize(350, 200));
            }
        }
    }
};

// The test program also serves as the chart helper of its farm tests.
int main(int argc, char** argv)
{
    if (ui::isChartWorkerStart(argc, argv)) {
        return ui::chartWorkerMain(argc, argv);
    }
    QApplication application(argc, argv);
    ChartSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "chart_smoke_test.moc"
