// Smoke test of the special fielding events window under the offscreen platform: an event is added
// and deleted from the keyboard, a refusal answers through a message box, and the window opens
// through the Qt platform and closes with Escape.

#include "app_state.h"
#include "container.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "special_events_model.h"
#include "special_events_view.h"
#include "working_set.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;
using namespace wickly::ui;

namespace {

std::string storedEvent(AppState& app, std::int32_t n)
{
    const std::vector<std::uint8_t> b = WorkingSet(app).readRaw(RecordKind::SpecialEvent, n);
    return std::string(b.begin(), b.end());
}

} // namespace

class SpecialEventsSmokeTest : public QObject
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
        c.name.assign("Easts");
        ws.append(c);
        for (const char* name : {"A Able", "B Baker"}) {
            PlayerRecord p;
            p.reportName.assign(name);
            p.club = 1;
            p.active = 1;
            ws.addPlayer(p);
        }
        ws.append(makeSpecialEvent(7, 2, kDropCatch));
        ws.append(makeSpecialEvent(8, 1, kHatTrick)); // another innings
        m_app.databaseChanged = false;
    }

    void addsAndDeletesFromTheKeyboard()
    {
        SpecialEventsModel model(m_app, m_platform, 7);
        SpecialEventsView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Special Fielding Events"));
        auto* players = child<QListWidget>(&view, "playerList");
        auto* events = child<QListWidget>(&view, "eventsList");
        auto* hatTrick = child<QRadioButton>(&view, "hatTrickOption");
        auto* del = child<QPushButton>(&view, "deleteButton");
        QCOMPARE(players->count(), 2);
        QCOMPARE(events->count(), 1);
        QVERIFY(events->item(0)->text().startsWith("B Baker"));
        QVERIFY(!hatTrick->isChecked() && !child<QRadioButton>(&view, "droppedCatchOption")->isChecked());
        QVERIFY(!del->isEnabled());

        // First player, Alt+H for Hat Trick, Enter for the default Add.
        QVERIFY(players->hasFocus());
        // The first line is current on entry; Space selects it.
        QTest::keyClick(players, Qt::Key_Space);
        QCOMPARE(model.selectedPlayer, 0);
        // Through the window, so that the shortcut map sees the mnemonic; it clicks after a short delay.
        QTest::keyClick(view.windowHandle(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(hatTrick->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(WorkingSet(m_app).count(RecordKind::SpecialEvent), 3);
        QCOMPARE(QString::fromStdString(storedEvent(m_app, 3)), QString(" 7    1   Hat Trick  "));
        QVERIFY(m_app.databaseChanged);
        QCOMPARE(events->count(), 2);
        QCOMPARE(events->item(1)->text(),
                 QString("A Able") + QString(24, ' ') + "  Hat Trick  " + QString(7, ' ') + " 2   ");

        // Select the first event line and press Delete: the slot is blanked, Delete waits again.
        events->setFocus();
        QTest::keyClick(events, Qt::Key_Home);
        QTest::keyClick(events, Qt::Key_Space);
        QCOMPARE(model.selectedEvent, 0);
        QVERIFY(del->isEnabled());
        QTest::keyClick(events, Qt::Key_Delete);
        QCOMPARE(QString::fromStdString(storedEvent(m_app, 1)), QString(21, ' '));
        QCOMPARE(events->count(), 1);
        QVERIFY(!del->isEnabled());
        QCOMPARE(WorkingSet(m_app).count(RecordKind::SpecialEvent), 3);

        // Enter on the events list does not add the chosen event a second time.
        QTest::keyClick(events, Qt::Key_Return);
        QCOMPARE(WorkingSet(m_app).count(RecordKind::SpecialEvent), 3);
    }

    void addWithoutAPlayerIsRefused()
    {
        SpecialEventsModel model(m_app, m_platform, 7);
        SpecialEventsView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        MessageBoxAnswerer answer(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>(&view, "addButton"), Qt::LeftButton);
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.texts, QStringList{"Please select a player first"});
        QCOMPARE(WorkingSet(m_app).count(RecordKind::SpecialEvent), 2);
        QVERIFY(!m_app.databaseChanged);
    }

    void opensThroughThePlatformAndClosesWithEscape()
    {
        SpecialEventsModel model(m_app, m_platform, 8);
        int lines = -1;
        ModalPlayer user([](QWidget* w) { return w->objectName() == "specialEvents"; },
                         [&lines](QWidget* w) {
                             lines = child<QListWidget>(w, "eventsList")->count();
                             QTest::keyClick(w, Qt::Key_Escape);
                         });
        m_platform.showModal(model);
        QVERIFY(user.done);
        QCOMPARE(lines, 1);
        QVERIFY(model.done);
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    SpecialEventsSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "special_events_smoke_test.moc"
