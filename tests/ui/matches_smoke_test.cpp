// Smoke tests of the match list and the match details window under the offscreen platform: the
// list shows and sorts its rows and asks before deleting; the details window shows a stored
// match with its margin, checks the date when it is left, and saves what was typed.

#include "app_state.h"
#include "container.h"
#include "match_details_model.h"
#include "match_details_view.h"
#include "match_list_model.h"
#include "match_list_view.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "working_set.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace wickly;
using namespace wickly::matches;
using namespace wickly::test;
using namespace wickly::ui;

class MatchesSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_app = AppState{};
        m_app.startupFolder = m_folder.path().toStdString();
        m_app.workingBase = m_app.workingBaseFor();
        newDatabaseState(m_app);
        WorkingSet ws(m_app);
        for (const char* name : {"Northern", "Southern"}) {
            ClubRecord c;
            c.name.assign(name);
            ws.append(c);
        }
        for (std::int16_t club : {1, 2}) {
            TeamRecord t;
            t.name.assign(club == 1 ? "Northern XI" : "Southern XI");
            t.club = club;
            ws.append(t);
        }
        GroundRecord g;
        g.name.assign("Oval");
        ws.append(g);
        PlayerRecord p;
        p.reportName.assign("N Smith");
        p.club = 1;
        p.active = 1;
        ws.addPlayer(p);

        // A one-day match: 140 all out, then 141 for 4, the second team won.
        const auto innings = [&](int runs, int wickets) {
            InningsRecord r;
            for (int k = 1; k <= wickets; ++k) {
                r.batting[static_cast<std::size_t>(k)].batsman = 1;
                r.batting[static_cast<std::size_t>(k)].howOut = Bowled;
            }
            r.batting[1].runs = static_cast<std::int16_t>(runs);
            r.status = AllOut;
            const std::int32_t n = ws.AllocateInnings();
            ws.write(n, r);
            return n;
        };
        for (const char* date : {"01/02/2003", "15/06/2001"}) {
            MatchRecord m;
            m.matchType = OneDayMatch;
            m.team1 = 1;
            m.team2 = 2;
            m.ground = 1;
            m.datePlayed.assign(date);
            m.result = 2;
            m.ballsPerOver = 6;
            m.runsPerWide = 1;
            m.runsPerNoBall = 1;
            m.extrasAgainstBowlers = 1;
            m.innings[1] = innings(140, 10);
            m.innings[3] = innings(141, 4);
            ws.write(ws.AllocateMatch(), m);
        }
        m_app.databaseChanged = false;
    }

    void listShowsSortsAndAsksBeforeDeleting()
    {
        MatchListModel model(m_app, m_platform);
        MatchListView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Matches"));
        auto* table = child<QTreeWidget>(&view, "matchTable");
        QVERIFY(table);
        QCOMPARE(table->headerItem()->text(2), QString("ID"));
        QCOMPARE(table->topLevelItemCount(), 2);
        QCOMPARE(table->topLevelItem(0)->text(1), QString("2003-02-01"));
        QCOMPARE(table->topLevelItem(0)->text(3), QString(" 1d "));
        QCOMPARE(table->currentItem(), table->topLevelItem(0));

        // A heading click sorts by that column, in the other direction.
        QTest::mouseClick(table->header()->viewport(), Qt::LeftButton, {},
                          QPoint(table->header()->sectionViewportPosition(2) + 5, table->header()->height() / 2));
        QCOMPARE(model.sortColumn, 2);
        QCOMPARE(table->topLevelItem(0)->text(2), QString("0002"));
        QCOMPARE(table->header()->sortIndicatorOrder(), Qt::DescendingOrder);

        MessageBoxAnswerer answer(QMessageBox::No);
        QTest::mouseClick(child<QPushButton>(&view, "deleteButton"), Qt::LeftButton);
        QCOMPARE(answer.texts, QStringList{"Are you sure that you want to delete this match?"});
        QCOMPARE(table->topLevelItemCount(), 2);
        QVERIFY(!m_app.databaseChanged);

        QTest::mouseClick(child<QPushButton>(&view, "closeButton"), Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QVERIFY(model.closed);
    }

    void detailsShowTheMatchAndSaveWhatIsTyped()
    {
        MatchDetailsModel model(m_app, m_platform, 1);
        MatchDetailsView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Match Form"));
        QCOMPARE(child<QLineEdit>(&view, "dateEdit")->text(), QString("01/02/2003"));
        QCOMPARE(child<QComboBox>(&view, "team2Combo")->currentText(), QString("Southern XI"));
        QCOMPARE(child<QComboBox>(&view, "groundCombo")->currentText(), QString("Oval"));
        QCOMPARE(child<QLabel>(&view, "marginLabel")->text(), QString("by 6 wickets"));
        QCOMPARE(child<QLabel>(&view, "summary3Label")->text(), QString("141/4 All Out\nOvers 0"));
        QVERIFY(!child<QPushButton>(&view, "innings2Button")->isEnabled());
        QVERIFY(!child<QPushButton>(&view, "innings4Button")->isEnabled());
        QVERIFY(child<QComboBox>(&view, "captain1Combo")->isVisible());

        // Choosing a result redraws the margin.
        auto* result = child<QComboBox>(&view, "resultCombo");
        QCOMPARE(result->count(), 5);
        result->setFocus();
        QTest::keyClick(result, Qt::Key_Up);
        QCOMPARE(model.result, 1);
        QCOMPARE(child<QLabel>(&view, "marginLabel")->text(), QString("by 1 runs"));

        auto* umpires = child<QLineEdit>(&view, "umpiresEdit");
        QTest::keyClicks(umpires, "Bird");
        QTest::mouseClick(child<QPushButton>(&view, "okButton"), Qt::LeftButton);
        QCOMPARE(view.result(), int(QDialog::Accepted));
        QVERIFY(model.saved);
        const MatchRecord m = WorkingSet(m_app).read<MatchRecord>(1);
        QCOMPARE(m.result, std::int16_t(1));
        QCOMPARE(QString::fromStdString(m.umpires.str()), QString("Bird"));
        QVERIFY(m_app.databaseChanged);
    }

    void leavingABadDateAsksAndCancelEmptiesIt()
    {
        MatchDetailsModel model(m_app, m_platform, 0);
        MatchDetailsView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* date = child<QLineEdit>(&view, "dateEdit");
        date->setFocus();
        QTest::keyClicks(date, "1/2/2005");
        MessageBoxAnswerer answer(QMessageBox::Cancel);
        QTest::keyClick(date, Qt::Key_Tab);
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.texts, QStringList{"Incorrect Date Format"});
        QTRY_COMPARE(date->text(), QString());
        QCOMPARE(QString::fromStdString(model.datePlayed), QString());

        // Closing with the change asks first; Cancel keeps the window.
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        MessageBoxAnswerer keep(QMessageBox::Cancel);
        QTest::mouseClick(child<QPushButton>(&view, "cancelButton"), Qt::LeftButton);
        QTRY_VERIFY(keep.done);
        QCOMPARE(keep.texts, QStringList{"Changes will not be kept"});
        QVERIFY(view.isVisible());
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    MatchesSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "matches_smoke_test.moc"
