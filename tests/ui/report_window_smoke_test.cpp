// Smoke test of the report window's view: it shows the model's report and forwards its buttons.

#include "database_header.h"
#include "report_window_model.h"
#include "report_window_view.h"
#include "qt_platform.h"
#include "web_context.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace wickly;

class ReportWindowSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheReportAndForwardsButtons()
    {
        DatabaseHeader header = newDatabaseHeader("2.6d");
        web::WebContext web(header.options);
        ui::QtPlatform platform;
        stats::ReportWindowModel model(platform, web);
        model.report.title = "Top Run Aggregates";
        model.report.subtitle = "1-day Match, A Grade\r\n05-Jan-19 to 12-May-19";
        model.report.heading = "    Name               Runs";
        model.report.lines = {" 1  V Kohli            464", " 2  AB de Villiers     442"};

        ui::ReportWindowView view(model);
        view.show();
        QCOMPARE(view.windowTitle(), QString("Report"));
        QCOMPARE(view.findChild<QLabel*>("titleLabel")->text(), QString("Top Run Aggregates"));
        QCOMPARE(view.findChild<QLabel*>("subtitleLabel")->text(), QString("1-day Match, A Grade\n05-Jan-19 to 12-May-19"));
        QCOMPARE(view.findChild<QLineEdit*>("headingEdit")->text(), QString("    Name               Runs"));
        auto* lines = view.findChild<QListWidget*>("linesList");
        QCOMPARE(lines->count(), 2);
        QCOMPARE(lines->item(1)->text(), QString(" 2  AB de Villiers     442"));
        QVERIFY(lines->font().fixedPitch() || lines->font().styleHint() == QFont::TypeWriter);

        QTest::mouseClick(view.findChild<QRadioButton*>("smallFontOption"), Qt::LeftButton);
        QVERIFY(!model.largeFont);
        QCOMPARE(lines->font().pointSizeF(), 7.7);

        QTest::mouseClick(view.findChild<QPushButton*>("copyButton"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("Top Run Aggregates\r\n1-day Match, A Grade\r\n05-Jan-19 to 12-May-19\r\n\r\n"
                         "    Name               Runs\r\n 1  V Kohli            464\r\n 2  AB de Villiers     442\r\n"));

        QTest::mouseClick(view.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
        QVERIFY(model.closed);
        QVERIFY(!view.isVisible());
    }

    void saveFiltersOfferEveryPattern()
    {
        // A dialog lists the files that match any of a filter's patterns, which Qt wants apart.
        QCOMPARE(ui::qtFilter("HTML Files (*.htm)|*.htm;*.html"), QString("HTML Files (*.htm *.html)"));
        QCOMPARE(ui::qtFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"), QString("Text Files (*.txt);;All Files (*)"));
    }
};

QTEST_MAIN(ReportWindowSmokeTest)
#include "report_window_smoke_test.moc"
