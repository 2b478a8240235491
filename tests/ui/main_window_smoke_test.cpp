// Smoke tests of the desktop program under the offscreen platform: the main window shows its
// model's state and forwards clicks, and the start-up opens a container named on the command line.

#include "app_state.h"
#include "container.h"
#include "desktop_app.h"
#include "main_window_view.h"
#include "qt_modal.h"
#include "working_set.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::test;
using namespace wickly::ui;

class MainWindowSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setOrganizationName("WicklyTest");
        QApplication::setApplicationName("WicklySmokeTest");
        QSettings().setValue("Options/Show Tips at Startup", "0");
        QVERIFY(m_folder.isValid());
        QDir::setCurrent(m_folder.path());
    }

    void freshStartShowsNoDatabase()
    {
        DesktopApp app;
        app.start({});
        QCOMPARE(app.window().windowTitle(), QString("Wickly : "));
        for (int i = 0; i < kMainButtonCount; ++i) {
            QVERIFY(!app.window().button(static_cast<MainButton>(i))->isEnabled());
        }
        QVERIFY(QDir(m_folder.path()).exists("web"));
    }

    void newDatabaseEnablesButtonsAndTeamsAsksForAClub()
    {
        DesktopApp app;
        app.start({});
        auto* newAction = app.window().findChild<QAction*>("newfile");
        QVERIFY(newAction);
        newAction->trigger();
        QCOMPARE(app.window().windowTitle(), QString("Wickly : no title"));
        QVERIFY(app.window().button(MainButton::Teams)->isEnabled());
        QVERIFY(app.window().findChild<QAction*>("save")->isEnabled());

        MessageBoxAnswerer answer(QMessageBox::Ok, MessageBoxAnswerer::Times::Every);
        QTest::mouseClick(app.window().button(MainButton::Teams), Qt::LeftButton);
        QCOMPARE(answer.texts, QStringList{"Enter a club first"});
    }

    void closingPromptAnswers()
    {
        for (const auto& [button, closes, saved] :
             std::vector<std::tuple<QMessageBox::StandardButton, bool, bool>>{
                 {QMessageBox::Cancel, false, false}, {QMessageBox::No, true, false}, {QMessageBox::Yes, true, true}}) {
            DesktopApp app;
            app.start({});
            app.model().newClicked();
            app.state().databaseFile = (m_folder.path() + "/closing.wkd").toStdString();
            QFile::remove(m_folder.path() + "/closing.wkd");
            WorkingSet ws(app.state());
            ClubRecord club;
            club.name.assign("A");
            ws.append(club);

            MessageBoxAnswerer answer(button, MessageBoxAnswerer::Times::Every);
            const bool closed = app.window().close();
            QCOMPARE(answer.texts, QStringList{"Save changes to database?"});
            QCOMPARE(closed, closes);
            QCOMPARE(QFile::exists(m_folder.path() + "/closing.wkd"), saved);
        }
    }

    void opensTheContainerOnTheCommandLine()
    {
        const QString path = m_folder.path() + "/My Club.wkd";
        {
            AppState state;
            state.startupFolder = m_folder.path().toStdString() + "/other";
            QDir().mkpath(QString::fromStdString(state.startupFolder));
            newDatabaseState(state);
            state.header.options.databaseTitle.assign("Sample Club");
            QVERIFY(saveContainerFile(state, path.toStdString()).ok());
        }
        DesktopApp app;
        // The arguments are joined with single spaces into one path.
        app.start({m_folder.path() + "/My", "Club.wkd"});
        QCOMPARE(app.window().windowTitle(), QString("Wickly : Sample Club"));
        QVERIFY(app.window().button(MainButton::Statistics)->isEnabled());
        QCOMPARE(QString::fromStdString(app.state().databaseFile), path);
    }

    void opensAContainerWhosePathHasLettersBeyondAscii()
    {
        // A path is a file-system name, not record text: "ü" and Cyrillic letters pass unchanged.
        const QString folder = m_folder.path() + QString::fromUtf8("/Bücher");
        const QString path = folder + QString::fromUtf8("/Клуб.wkd");
        QVERIFY(QDir().mkpath(folder));
        {
            AppState state;
            state.startupFolder = m_folder.path().toStdString() + "/other";
            QDir().mkpath(QString::fromStdString(state.startupFolder));
            newDatabaseState(state);
            state.header.options.databaseTitle.assign("Far Away");
            QVERIFY(saveContainerFile(state, QFile::encodeName(path).toStdString()).ok());
        }
        DesktopApp app;
        app.start({path});
        QCOMPARE(app.window().windowTitle(), QString("Wickly : Far Away"));
        QCOMPARE(QFile::decodeName(app.state().databaseFile.c_str()), path);
    }

private:
    QTemporaryDir m_folder;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(wickly);
    MainWindowSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_smoke_test.moc"
