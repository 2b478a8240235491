// Smoke tests of the player editor and the player list under the offscreen platform: typed input
// reaches the record, the checks on leaving a field answer through message boxes, the tree's check
// boxes and the Delete key act, and the list opens the editor through the Qt platform.

#include "app_state.h"
#include "container.h"
#include "player_editor_model.h"
#include "player_editor_view.h"
#include "player_list_model.h"
#include "player_list_view.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "working_set.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;
using namespace wickly::ui;

class PlayerSmokeTest : public QObject
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
        for (const char* name : {"Easts", "Wests"}) {
            ClubRecord c;
            c.name.assign(name);
            ws.append(c);
        }
        m_app.databaseChanged = false;
    }

    void editorWritesWhatIsTyped()
    {
        PlayerEditorModel model(m_app, m_platform, 0);
        PlayerEditorView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Players"));
        QCOMPARE(child<QLineEdit>(&view, "ballsEdit")->maxLength(), 5);
        QCOMPARE(child<QLineEdit>(&view, "reportNameEdit")->maxLength(), 18);

        QTest::keyClicks(child<QLineEdit>(&view, "firstNameEdit"), "John");
        QTest::keyClick(child<QLineEdit>(&view, "firstNameEdit"), Qt::Key_Tab);
        QTest::keyClicks(child<QLineEdit>(&view, "lastNameEdit"), "Smith");
        QTest::keyClick(child<QLineEdit>(&view, "lastNameEdit"), Qt::Key_Tab);
        // Leaving the last name suggests the report name.
        QTRY_COMPARE(child<QLineEdit>(&view, "reportNameEdit")->text(), QString("J Smith"));
        QVERIFY(child<QLineEdit>(&view, "reportNameEdit")->hasFocus());

        auto* club = child<QComboBox>(&view, "clubCombo");
        QCOMPARE(club->currentIndex(), -1);
        club->setFocus();
        QTest::keyClick(club, Qt::Key_Down);
        QTest::keyClick(club, Qt::Key_Down);
        QCOMPARE(model.clubIndex, 1);
        auto* active = child<QCheckBox>(&view, "activeCheckBox");
        QTest::mouseClick(active, Qt::LeftButton, {}, QPoint(8, active->height() / 2));
        for (const auto& [name, typed] : {std::pair{"ballsEdit", "1234"}, std::pair{"bestBowlingEdit", "6/42"}}) {
            auto* e = child<QLineEdit>(&view, name);
            QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier); // over the 0 of a new player
            QTest::keyClicks(e, typed);
        }

        QTest::mouseClick(child<QPushButton>(&view, "okButton"), Qt::LeftButton);
        QCOMPARE(view.result(), int(QDialog::Accepted));
        QVERIFY(model.saved());
        const PlayerRecord p = WorkingSet(m_app).read<PlayerRecord>(1);
        QCOMPARE(QString::fromStdString(p.reportName.str()), QString("J Smith"));
        QCOMPARE(p.club, std::int16_t(2));
        QCOMPARE(p.active, std::int16_t(0));
        QCOMPARE(p.history.ballsFaced, std::int16_t(1234));
        QCOMPARE(p.history.bestBowlingWickets, std::int16_t(6));
        QCOMPARE(p.history.bestBowlingRuns, std::int16_t(42));
        QVERIFY(m_app.databaseChanged);
    }

    void leavingABadDateAsksAndReturnsToTheField()
    {
        PlayerEditorModel model(m_app, m_platform, 0);
        PlayerEditorView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* date = child<QLineEdit>(&view, "dateOfBirthEdit");
        date->setFocus();
        QTest::keyClicks(date, "1/2/1990");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        QTest::keyClick(date, Qt::Key_Tab);
        QTRY_VERIFY(answer.done);
        QCOMPARE(answer.texts, QStringList{"Incorrect Date Format"});
        // The field is the dialog's focus again (it gets the keyboard when the dialog is active).
        QTRY_COMPARE(view.focusWidget(), date);
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QVERIFY(date->hasFocus());
        QCOMPARE(date->text(), QString("1/2/1990"));

        // Escape after a change asks before the typing is lost; Cancel keeps the editor open.
        MessageBoxAnswerer keep(QMessageBox::Cancel);
        QTest::keyClick(date, Qt::Key_Escape);
        QTRY_VERIFY(keep.done);
        QCOMPARE(keep.texts, QStringList{"Changes will not be saved"});
        QVERIFY(view.isVisible());
        QVERIFY(!model.done);
    }

    void listActsOnCheckBoxesDeleteKeyAndNew()
    {
        {
            WorkingSet ws(m_app);
            PlayerRecord p;
            p.reportName.assign("A Able");
            p.lastName.assign("Able");
            p.firstName.assign("Ann");
            p.club = 1;
            p.active = 1;
            ws.addPlayer(p);
            m_app.databaseChanged = false;
        }
        PlayerListModel model(m_app, m_platform);
        PlayerListView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Player List"));
        auto* tree = child<QTreeWidget>(&view, "playerTree");
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem* easts = tree->topLevelItem(0);
        QVERIFY(easts->isExpanded());
        QCOMPARE(easts->childCount(), 1);
        QCOMPARE(easts->child(0)->text(0), QString("Able, Ann"));

        // Clearing the check mark makes the player inactive at once.
        easts->child(0)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(WorkingSet(m_app).read<PlayerRecord>(1).active, std::int16_t(0));
        QVERIFY(m_app.databaseChanged);

        // The Delete key on a club node.
        tree->setFocus();
        tree->setCurrentItem(easts);
        MessageBoxAnswerer refused(QMessageBox::Ok);
        QTest::keyClick(tree, Qt::Key_Delete);
        QTRY_VERIFY(refused.done);
        QCOMPARE(refused.texts, QStringList{"You need to select a player to delete"});

        // NEW opens the player editor through the platform; the saved player joins the tree.
        ModalPlayer editor([](QWidget* w) { return w->objectName() == "playerEditor"; },
                           [](QWidget* w) {
                               child<QLineEdit>(w, "firstNameEdit")->setText("Bob");
                               emit child<QLineEdit>(w, "firstNameEdit")->textEdited("Bob");
                               child<QLineEdit>(w, "lastNameEdit")->setText("Baker");
                               emit child<QLineEdit>(w, "lastNameEdit")->textEdited("Baker");
                               child<QLineEdit>(w, "reportNameEdit")->setText("B Baker");
                               emit child<QLineEdit>(w, "reportNameEdit")->textEdited("B Baker");
                               emit child<QComboBox>(w, "clubCombo")->activated(1);
                               child<QPushButton>(w, "okButton")->click();
                           });
        QTest::mouseClick(child<QPushButton>(&view, "newButton"), Qt::LeftButton);
        QVERIFY(editor.done);
        QTreeWidgetItem* wests = tree->topLevelItem(1);
        QCOMPARE(wests->childCount(), 1);
        QCOMPARE(wests->child(0)->text(0), QString("Baker, Bob"));
        QCOMPARE(tree->currentItem(), wests->child(0));
        QCOMPARE(WorkingSet(m_app).count(RecordKind::Player), 2);
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    PlayerSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "player_smoke_test.moc"
