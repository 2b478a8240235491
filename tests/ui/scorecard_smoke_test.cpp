// Smoke tests of the scorecard window under the offscreen platform: an innings typed from the
// keyboard alone (Tab through the row editor onto the next row, the bowling page by its
// accelerator, Up and Down between bowling rows, Enter to save) reaches the innings record; a
// bowler's wickets above the batsmen are refused when the field is left; closing with changes
// asks first; the Qt platform opens the window for its model.

#include "app_state.h"
#include "container.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "scorecard_model.h"
#include "scorecard_view.h"
#include "working_set.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::matches;
using namespace wickly::test;
using namespace wickly::ui;

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

// Types into the focused control, then presses Tab.
void typeAndTab(const QString& text)
{
    if (!text.isEmpty()) {
        QTest::keyClicks(focused(), text);
    }
    QTest::keyClick(focused(), Qt::Key_Tab);
}

} // namespace

class ScorecardSmokeTest : public QObject
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
        m_app.header.options.batsmenPerTeam = 7;
        m_app.header.options.bowlersPerTeam = 7;
        WorkingSet ws(m_app);
        for (const char* name : {"Northern", "Southern"}) {
            ClubRecord c;
            c.name.assign(name);
            ws.append(c);
        }
        // Northern 1-3, Southern 4-5.
        const std::array<std::array<const char*, 3>, 5> players = {{{"N Smith", "Smith", "Ned"},
                                                                    {"N Jones", "Jones", "Nick"},
                                                                    {"N Ash", "Ash", "Al"},
                                                                    {"S Green", "Green", "Sam"},
                                                                    {"S White", "White", "Sid"}}};
        for (std::size_t i = 0; i < players.size(); ++i) {
            PlayerRecord p;
            p.reportName.assign(players[i][0]);
            p.lastName.assign(players[i][1]);
            p.firstName.assign(players[i][2]);
            p.club = static_cast<std::int16_t>(i < 3 ? 1 : 2);
            p.active = 1;
            ws.addPlayer(p);
        }
        m_app.databaseChanged = false;
    }

    void anInningsTypedFromTheKeyboardIsSaved()
    {
        ScorecardModel model(m_app, m_platform, handOver());
        ScorecardView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Northern XI Innings"));
        auto* table = child<QTableWidget>(&view, "battingTable");
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(focused(), child<QWidget>(&view, "batsmanCombo"));

        // Row 1: batsman, how out, bowler (no fielder for "Bowled"), runs, balls, fours, sixes.
        typeAndTab("Smith");
        QCOMPARE(focused(), child<QWidget>(&view, "howOutCombo"));
        typeAndTab("Bowled");
        QCOMPARE(focused(), child<QWidget>(&view, "bowlerCombo"));
        typeAndTab("Green");
        typeAndTab("10");
        typeAndTab("12");
        typeAndTab("1");
        typeAndTab("");
        // Past the last field: the next row, at its batsman.
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(focused(), child<QWidget>(&view, "batsmanCombo"));
        QCOMPARE(table->item(0, 1)->text(), QString("Smith, Ned"));
        QCOMPARE(table->item(0, 4)->text(), QString("Green, Sam"));
        QCOMPARE(table->item(0, 5)->text(), QString("10"));

        // Row 2: caught, so the fielder's list is offered before the bowler's.
        typeAndTab("Jones");
        typeAndTab("Caught");
        QCOMPARE(focused(), child<QWidget>(&view, "fieldsmanCombo"));
        typeAndTab("White");
        typeAndTab("White");
        typeAndTab("15");
        for (int i = 0; i < 3; ++i) {
            typeAndTab("");
        }
        QCOMPARE(table->currentRow(), 2);

        // Row 3: not out; no fielder or bowler.
        typeAndTab("Ash");
        typeAndTab("Not");
        QCOMPARE(focused(), child<QWidget>(&view, "runsEdit"));
        typeAndTab("5");
        QCOMPARE(child<QLabel>(&view, "totalLabel")->text(), QString("30"));

        // The bowling page by its accelerator; Down and Up move between the rows.
        QTest::keyClick(&view, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(child<QTabWidget>(&view, "pages")->currentWidget(), child<QWidget>(&view, "bowlingPage"));
        QCOMPARE(focused(), child<QWidget>(&view, "bowler1Combo"));
        typeAndTab("Green");
        typeAndTab("3");
        typeAndTab("0");
        typeAndTab("14");
        typeAndTab("1");
        QCOMPARE(focused(), child<QWidget>(&view, "bowler2Combo"));
        typeAndTab("White");
        typeAndTab("2.4");
        typeAndTab("0");
        QTest::keyClicks(focused(), "16");
        QTest::keyClick(focused(), Qt::Key_Up);
        QCOMPARE(focused(), child<QWidget>(&view, "bowlingRuns1Edit"));
        QTest::keyClick(focused(), Qt::Key_Up);
        QCOMPARE(focused(), child<QWidget>(&view, "bowlingRuns7Edit"));
        QTest::keyClick(focused(), Qt::Key_Down);
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(focused(), child<QWidget>(&view, "bowlingRuns2Edit"));
        QTest::keyClick(focused(), Qt::Key_Tab);
        typeAndTab("1");
        QCOMPARE(child<QLabel>(&view, "bowlersOversLabel")->text(), QString("5.4"));

        // Extras and the status, then Enter saves.
        QTest::keyClick(&view, Qt::Key_Y, Qt::AltModifier);
        QCOMPARE(focused(), child<QWidget>(&view, "byesEdit"));
        QTest::keyClicks(focused(), "2");
        QCOMPARE(child<QGroupBox>(&view, "extrasGroup")->title(), QString("Extras 2"));
        QTest::keyClick(focused(), Qt::Key_Backspace);
        QTest::keyClick(&view, Qt::Key_U, Qt::AltModifier);
        QCOMPARE(focused(), child<QWidget>(&view, "statusCombo"));
        QTest::keyClicks(focused(), "All");
        QTest::keyClick(focused(), Qt::Key_Return);
        QTRY_VERIFY(!view.isVisible());
        QCOMPARE(view.result(), int(QDialog::Accepted));
        QVERIFY(model.saved);

        const InningsRecord r = WorkingSet(m_app).read<InningsRecord>(model.inningsRecord());
        QCOMPARE(r.batting[1].batsman, std::int16_t(1));
        QCOMPARE(r.batting[1].howOut, std::int16_t(Bowled));
        QCOMPARE(r.batting[1].fieldsman, std::int16_t(-1));
        QCOMPARE(r.batting[1].bowler, std::int16_t(4));
        QCOMPARE(r.batting[1].runs, std::int16_t(10));
        QCOMPARE(r.batting[1].ballsFaced, std::int16_t(12));
        QCOMPARE(r.batting[1].fours, std::int16_t(1));
        QCOMPARE(r.batting[2].howOut, std::int16_t(Caught));
        QCOMPARE(r.batting[2].fieldsman, std::int16_t(5));
        QCOMPARE(r.batting[2].bowler, std::int16_t(5));
        QCOMPARE(r.batting[3].batsman, std::int16_t(3));
        QCOMPARE(r.batting[3].howOut, std::int16_t(NotOut));
        QCOMPARE(r.bowling[2].bowler, std::int16_t(5));
        QCOMPARE(r.bowling[2].overs, 2.4F);
        QCOMPARE(r.bowling[2].runsConceded, std::int16_t(16));
        QCOMPARE(r.bowling[2].wickets, std::int16_t(1));
        QCOMPARE(r.status, std::int16_t(AllOut));
        QCOMPARE(r.byes, std::int16_t(0));
        QVERIFY(m_app.databaseChanged);
    }

    void wicketsAboveTheBatsmenAreRefusedOnLeaving()
    {
        ScorecardModel model(m_app, m_platform, handOver());
        ScorecardView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::keyClick(&view, Qt::Key_O, Qt::AltModifier);
        auto* wickets = child<QLineEdit>(&view, "wickets1Edit");
        wickets->setFocus();
        QTest::keyClicks(wickets, "8");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        QTest::keyClick(wickets, Qt::Key_Tab);
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.texts, QStringList{"Wickets cannot exceed maximum number of batsmen."});
        // The focus stays in the field.
        QTRY_COMPARE(view.focusWidget(), static_cast<QWidget*>(wickets));
    }

    void closingWithChangesAsksFirst()
    {
        ScorecardModel model(m_app, m_platform, handOver());
        ScorecardView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::keyClicks(focused(), "Smith");
        MessageBoxAnswerer keep(QMessageBox::Cancel);
        QTest::keyClick(&view, Qt::Key_Escape);
        QTRY_VERIFY(keep.done);
        QCOMPARE(keep.texts, QStringList{"Changes will not be kept"});
        QVERIFY(view.isVisible());
        QVERIFY(!model.closed);
    }

    void thePlatformOpensTheWindowForItsModel()
    {
        ScorecardModel model(m_app, m_platform, handOver());
        ModalPlayer user([](QWidget* w) { return qobject_cast<ScorecardView*>(w) != nullptr; },
                         [](QWidget* view) { view->findChild<QPushButton*>("cancelButton")->click(); });
        m_platform.showModal(model);
        QVERIFY(user.done);
        QVERIFY(model.closed);
    }

private:
    ScorecardHandOver handOver() const
    {
        ScorecardHandOver h;
        h.slot = 1;
        h.ballsPerOver = 6;
        h.battingClub = 1;
        h.bowlingClub = 2;
        h.battingTeam = "Northern XI";
        h.runsPerWide = 1;
        h.runsPerNoBall = 1;
        return h;
    }

    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ScorecardSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "scorecard_smoke_test.moc"
