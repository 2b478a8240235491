// Smoke test of the statistics window's view: it shows the catalogue and the filters, hides
// the controls a report does not use, checks a date box when it is left, and Generate! shows the
// report window.

#include "app_state.h"
#include "container.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "statistics_view.h"
#include "statistics_window_model.h"
#include "working_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::test;

class StatisticsSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_app = AppState{};
        m_app.startupFolder = m_folder.path().toStdString();
        newDatabaseState(m_app);
        WorkingSet ws(m_app);
        ClubRecord c;
        c.name.assign("Northern");
        ws.append(c);
        TeamRecord t;
        t.name.assign("Northern XI");
        t.club = 1;
        ws.append(t);
        PlayerRecord p;
        p.reportName.assign("N Smith");
        p.club = 1;
        p.active = 1;
        ws.addPlayer(p);
    }

    void showsFiltersAndVisibility()
    {
        ui::QtPlatform platform;
        stats::StatisticsWindowModel model(m_app, platform);
        ui::StatisticsView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Statistics"));
        auto* reports = child<QListWidget>(&view, "reportList");
        QCOMPARE(reports->count(), 43);
        QCOMPARE(reports->currentRow(), 0);
        QCOMPARE(child<QComboBox>(&view, "subjectClubCombo")->itemText(0), QString(".all clubs."));
        QCOMPARE(child<QComboBox>(&view, "subjectCombo")->itemText(0), QString("N Smith"));
        QCOMPARE(child<QLineEdit>(&view, "dateFromBox")->text(), QString("01/01/1800"));
        QVERIFY(!child<QLineEdit>(&view, "reportLengthBox")->isVisible());
        // A player's sheet: its two options show, the web page boxes do not.
        QVERIFY(child<QCheckBox>(&view, "webPageBox14")->isVisible()); // "Show Ducks"
        QVERIFY(child<QCheckBox>(&view, "webPageBox15")->isVisible()); // "Include Batting Strike Rates"
        QVERIFY(!child<QCheckBox>(&view, "webPageBox0")->isVisible());

        reports->setCurrentRow(9); // Top Batting Averages
        QVERIFY(!child<QCheckBox>(&view, "webPageBox14")->isVisible());
        QCOMPARE(model.selectedReport, 9);
        QVERIFY(child<QLineEdit>(&view, "reportLengthBox")->isVisible());
        QVERIFY(child<QLineEdit>(&view, "battingRunsBox")->isVisible());
        QVERIFY(!child<QLineEdit>(&view, "bowlingOversBox")->isVisible());
        QCOMPARE(child<QComboBox>(&view, "subjectCombo")->itemText(0), QString(".all teams."));
        QVERIFY(!child<QComboBox>(&view, "subjectCombo")->isEnabled());

        // A date left with a wrong text: the message, then Cancel empties the box.
        MessageBoxAnswerer answer(QMessageBox::Cancel);
        auto* from = child<QLineEdit>(&view, "dateFromBox");
        from->setFocus();
        QTest::keyClick(from, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(from, "1/1/19");
        QTest::keyClick(from, Qt::Key_Tab);
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.texts, QStringList{"Incorrect Date Format"});
        QTRY_COMPARE(from->text(), QString());
    }

    void generateShowsTheReportWindow()
    {
        ui::QtPlatform platform;
        stats::StatisticsWindowModel model(m_app, platform);
        ui::StatisticsView view(model);
        view.show();
        child<QListWidget>(&view, "reportList")->setCurrentRow(6);
        ModalPlayer report(shownWindowNamed("reportWindow"),
                           [](QWidget* w) { w->findChild<QPushButton*>("closeButton")->click(); });
        QTest::mouseClick(child<QPushButton>(&view, "generateButton"), Qt::LeftButton);
        QVERIFY(report.done);
        QCOMPARE(report.titles, QStringList{"Report"});

        // A refusal comes as a message box and leaves the window open: points without a points
        // system set up.
        MessageBoxAnswerer info(QMessageBox::Ok);
        child<QListWidget>(&view, "reportList")->setCurrentRow(1);
        QTest::mouseClick(child<QPushButton>(&view, "generateButton"), Qt::LeftButton);
        QVERIFY(info.done);
        QCOMPARE(info.texts, QStringList{"No Setup - Please setup the Point System in the SETUP form"});
        QVERIFY(view.isVisible());

        QTest::mouseClick(child<QPushButton>(&view, "closeButton"), Qt::LeftButton);
        QVERIFY(model.closed);
        QVERIFY(!view.isVisible());
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
};

QTEST_MAIN(StatisticsSmokeTest)
#include "statistics_smoke_test.moc"
