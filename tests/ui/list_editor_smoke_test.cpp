// Smoke tests of the list editor and its dialogs under the offscreen platform: the editor shows
// its lines and forwards its buttons, the name and team dialogs open over it and hand back what was
// typed, and the main window's Teams button opens the editor.

#include "container.h"
#include "desktop_app.h"
#include "list_editor_model.h"
#include "list_editor_view.h"
#include "main_window_view.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "working_set.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;
using namespace wickly::ui;

class ListEditorSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setOrganizationName("WicklyTest");
        QApplication::setApplicationName("WicklyListEditorSmokeTest");
        QSettings().setValue("Options/Show Tips at Startup", "0");
        QVERIFY(m_folder.isValid());
        QDir::setCurrent(m_folder.path());
    }

    void editorShowsLinesAndAddsThroughTheNameDialog()
    {
        AppState app;
        app.startupFolder = m_folder.path().toStdString();
        newDatabaseState(app);
        WorkingSet ws(app);
        for (const char* name : {"Alpha", "Beta"}) {
            ClubRecord c;
            c.name.assign(name);
            ws.append(c);
        }

        QtPlatform platform;
        ListEditorModel model(app, platform, ClubsKind);
        ListEditorDialog dialog(model);
        dialog.show();
        auto* heading = dialog.findChild<QLabel*>("headingLabel");
        auto* lines = dialog.findChild<QListWidget*>("linesList");
        auto* edit = dialog.findChild<QPushButton*>("editButton");
        QVERIFY(heading && lines && edit);
        QCOMPARE(dialog.windowTitle(), QString("Editor"));
        QVERIFY(heading->text().startsWith("Club Name"));
        QCOMPARE(lines->count(), 2);
        QVERIFY(lines->item(1)->text().startsWith("Beta"));
        QVERIFY(!edit->isEnabled());
        lines->setCurrentRow(0);
        QVERIFY(edit->isEnabled());

        bool urlsShown = false;
        ModalPlayer typeName(shownWindowNamed("nameDialog"), [&](QWidget* w) {
            urlsShown = w->findChild<QLineEdit*>("logoUrlEdit")->isVisible();
            w->findChild<QLineEdit*>("nameEdit")->setText("Gamma");
            w->findChild<QLineEdit*>("abbreviationEdit")->setText("GAM");
            w->findChild<QPushButton*>("okButton")->click();
        });
        QTest::mouseClick(dialog.findChild<QPushButton*>("addButton"), Qt::LeftButton);
        QVERIFY(typeName.done);
        QVERIFY(urlsShown);
        QCOMPARE(lines->count(), 3);
        QCOMPARE(lines->currentRow(), 2);
        QCOMPARE(ws.count(RecordKind::Club), 3);

        // The close box asks first; Cancel keeps the editor and its new line.
        {
            MessageBoxAnswerer cancel(QMessageBox::Cancel);
            QVERIFY(!dialog.close());
            QCOMPARE(cancel.texts, QStringList{"Changes will be lost"});
            QCOMPARE(lines->count(), 3);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ws.read<ClubRecord>(3).name.str(), std::string("Gamma"));
        QCOMPARE(ws.read<ClubRecord>(3).abbreviation.str(), std::string("GAM"));
    }

    void teamsButtonOpensTheEditorAndTheTeamDialog()
    {
        DesktopApp desktop;
        desktop.start({}, false);
        desktop.model().newClicked();
        WorkingSet ws(desktop.state());
        for (const char* name : {"Alpha", "Beta"}) {
            ClubRecord c;
            c.name.assign(name);
            ws.append(c);
        }
        desktop.model().paint();
        desktop.window().render();

        int clubsListed = -1;
        int linesAfterAdd = -1;
        ModalPlayer team(shownWindowNamed("teamDialog"), [&](QWidget* w) {
            clubsListed = w->findChild<QListWidget*>("clubList")->count();
            w->findChild<QLineEdit*>("nameEdit")->setText("Beta Firsts");
            w->findChild<QListWidget*>("clubList")->setCurrentRow(1);
            w->findChild<QPushButton*>("okButton")->click();
        });
        ModalPlayer editor(shownWindowNamed("listEditorDialog"), [&](QWidget* w) {
            w->findChild<QPushButton*>("addButton")->click(); // waits while the team dialog is open
            linesAfterAdd = w->findChild<QListWidget*>("linesList")->count();
            w->findChild<QPushButton*>("closeButton")->click();
        });
        QTest::mouseClick(desktop.window().button(MainButton::Teams), Qt::LeftButton);
        QVERIFY(editor.done);
        QVERIFY(team.done);
        QCOMPARE(clubsListed, 2);
        QCOMPARE(linesAfterAdd, 1);
        QCOMPARE(ws.count(RecordKind::Team), 1);
        QCOMPARE(ws.read<TeamRecord>(1).name.str(), std::string("Beta Firsts"));
        QCOMPARE(int(ws.read<TeamRecord>(1).club), 2);
        desktop.state().databaseChanged = false; // no closing prompt
    }

private:
    QTemporaryDir m_folder;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(wickly);
    ListEditorSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "list_editor_smoke_test.moc"
