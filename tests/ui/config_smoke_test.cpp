// Smoke tests of the configuration dialog under the offscreen platform: it shows its model's
// state, forwards typing and clicks, stays open on a refused OK, warns about the Author Email on
// leaving it, and is opened by the main window's Config button.

#include "app_state.h"
#include "config_model.h"
#include "config_view.h"
#include "container.h"
#include "desktop_app.h"
#include "main_window_view.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "working_set.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace wickly;
using namespace wickly::test;
using namespace wickly::ui;

class ConfigSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setOrganizationName("WicklyTest");
        QApplication::setApplicationName("WicklyConfigSmokeTest");
        QSettings().setValue("Options/Show Tips at Startup", "0"); // no tip window over the main window
        QVERIFY(m_folder.isValid());
        QDir::setCurrent(m_folder.path());
    }

    void init()
    {
        m_app = AppState{};
        m_app.startupFolder = m_folder.path().toStdString();
        newDatabaseState(m_app);
        WorkingSet ws(m_app);
        ClubRecord club;
        club.name.assign("Ashby");
        ws.append(club);
        m_app.databaseChanged = false;
    }

    void showsTheOptionsAndWritesThemOnOk()
    {
        config::ConfigModel model(m_app, m_platform);
        ConfigDialog dialog(model);
        QCOMPARE(dialog.windowTitle(), QString("Setup"));
        auto* tabs = dialog.findChild<QTabWidget*>("pageTabs");
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(dialog.findChild<QLineEdit*>("titleEdit")->text(), QString("no title"));
        auto* allow = dialog.findChild<QComboBox*>("allowPlayersCombo");
        QCOMPARE(allow->count(), 2);
        QCOMPARE(allow->itemText(1), QString("Ashby only"));
        QCOMPARE(dialog.findChild<QComboBox*>("batsmenCombo")->currentText(), QString("11"));
        QCOMPARE(dialog.findChild<QLineEdit*>("ballsPerOverEdit")->text(), QString("6"));
        QVERIFY(!dialog.findChild<QPushButton*>("editHeaderButton")->isEnabled());
        QCOMPARE(dialog.findChild<QLabel*>("previewLabel4")->text(), QString(" Linked Table Text "));
        QVERIFY(dialog.findChild<QLabel*>("colourSwatch2")->styleSheet().contains("#0000ff"));

        allow->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("batsmenCombo")->setCurrentIndex(7);
        auto* points = dialog.findChild<QLineEdit*>("competitionPointsEdit0");
        points->selectAll();
        QTest::keyClicks(points, "2.5");
        auto* title = dialog.findChild<QLineEdit*>("titleEdit");
        title->selectAll();
        QTest::keyClicks(title, "Ashby CC");
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const DatabaseOptions& o = m_app.header.options;
        QCOMPARE(o.databaseTitle.str(), std::string("Ashby CC"));
        QCOMPARE(o.allowPlayersClub, std::int16_t(1));
        QCOMPARE(o.batsmenPerTeam, std::int16_t(14));
        QCOMPARE(o.competitionPoints[0], std::int16_t(25));
        QVERIFY(m_app.databaseChanged);
    }

    void refusedOkStaysOpenAndCancelChangesNothing()
    {
        const DatabaseOptions before = m_app.header.options;
        config::ConfigModel model(m_app, m_platform);
        ConfigDialog dialog(model);
        dialog.show();
        auto* tabs = dialog.findChild<QTabWidget*>("pageTabs");
        tabs->setCurrentIndex(2);
        auto* wide = dialog.findChild<QLineEdit*>("wideEdit");
        wide->selectAll();
        QTest::keyClicks(wide, "300");

        {
            MessageBoxAnswerer answer(QMessageBox::Ok, MessageBoxAnswerer::Times::Every);
            QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
            QCOMPARE(answer.texts, QStringList{"Runs per Wide must be between 0 and 255."});
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(tabs->currentIndex(), 0);

        // The tips check box is saved at once, whatever closes the dialog.
        auto* tips = dialog.findChild<QCheckBox*>("showTipsCheckBox");
        QTest::mouseClick(tips, Qt::LeftButton, {}, QPoint(8, tips->height() / 2));
        QCOMPARE(QSettings().value("Options/Show Tips at Startup").toString(), QString("1"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(m_app.header.options == before);
        QVERIFY(!m_app.databaseChanged);
        QSettings().setValue("Options/Show Tips at Startup", "0");
    }

    void leavingAnAuthorEmailWithoutAtWarns()
    {
        config::ConfigModel model(m_app, m_platform);
        ConfigDialog dialog(model);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QTabWidget*>("pageTabs")->setCurrentIndex(2);
        auto* email = dialog.findChild<QLineEdit*>("authorEmailEdit");
        email->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(email, "pat.example.org");

        MessageBoxAnswerer answer(QMessageBox::Ok, MessageBoxAnswerer::Times::Every);
        dialog.findChild<QLineEdit*>("homeUrlEdit")->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(answer.texts, QStringList{"The Author Email field should be in the form of name@ispname"});
        QCOMPARE(email->text(), QString("pat.example.org"));
    }

    void mainWindowConfigButtonOpensTheDialog()
    {
        DesktopApp app;
        app.start({});
        app.window().findChild<QAction*>("newfile")->trigger();
        ModalPlayer answer([](QWidget* w) { return qobject_cast<ConfigDialog*>(w) != nullptr; },
                           [](QWidget* dialog) {
                               auto* title = dialog->findChild<QLineEdit*>("titleEdit");
                               title->selectAll();
                               QTest::keyClicks(title, "Club XI");
                               dialog->findChild<QPushButton*>("okButton")->click();
                           },
                           ModalPlayer::Times::Every);
        QTest::mouseClick(app.window().button(MainButton::Config), Qt::LeftButton);
        QCOMPARE(answer.titles, QStringList{"Setup"});
        QCOMPARE(app.window().windowTitle(), QString("Wickly : Club XI"));
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(wickly);
    ConfigSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "config_smoke_test.moc"
