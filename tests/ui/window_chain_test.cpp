// The windows as a user meets them: a whole match entered from an empty database through the real
// views, and every window that opens another one coming back, as it was, when the other closes.

#include "app_state.h"
#include "container.h"
#include "desktop_app.h"
#include "json_io.h"
#include "main_window_view.h"
#include "qt_modal.h"
#include "working_set.h"

#include <nlohmann/json.hpp>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>
#include <vector>

using namespace wickly;
using namespace wickly::test;
using namespace wickly::ui;

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

// Types into the control that has the focus, then moves on with Tab; what the window does when a
// field is left (checks queued after the focus change) happens before the next key, as it does
// for a user.
void typeAndTab(const QString& text)
{
    if (!text.isEmpty()) {
        QTest::keyClicks(focused(), text);
    }
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCoreApplication::processEvents();
}

void click(QWidget* window, const char* button)
{
    QCoreApplication::processEvents();
    auto* b = window->findChild<QPushButton*>(button);
    if (b != nullptr) {
        b->click();
    }
}

// Labels whose text does not fit the room the layout gave them, by object name or text.
QStringList clippedLabels(QWidget* window)
{
    QStringList clipped;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap() &&
            label->width() < label->minimumSizeHint().width()) {
            clipped << window->objectName() + ": " + label->text();
        }
    }
    return clipped;
}

// A window's state as the test sees it: visible, enabled, and the modal window in use (or, for the
// main window, no modal window in the way).
bool usable(QWidget* window)
{
    QWidget* modal = QApplication::activeModalWidget();
    return window->isVisible() && window->isEnabled() && (modal == nullptr || modal == window);
}

} // namespace

class WindowChainTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setOrganizationName("WicklyTest");
        QApplication::setApplicationName("WicklyChainTest");
        QSettings().setValue("Options/Show Tips at Startup", "0");
        QVERIFY(m_folder.isValid());
        QDir::setCurrent(m_folder.path());
    }

    void aMatchIsEnteredFromAnEmptyDatabase()
    {
        DesktopApp desktop;
        desktop.start({}, false);
        MainWindowView& main = desktop.window();
        main.findChild<QAction*>("newfile")->trigger();

        addNames(desktop, MainButton::Clubs, {"Northern", "Southern"});
        addNames(desktop, MainButton::Grades, {"Premier"});
        addNames(desktop, MainButton::Grounds, {"Oval"});
        {
            // The club list starts with nothing chosen: the first Down chooses the first club.
            WindowScript script;
            script.add("listEditorDialog", [](QWidget* w) {
                click(w, "addButton");
                click(w, "addButton");
                click(w, "closeButton");
            });
            for (int club = 1; club <= 2; ++club) {
                script.add("teamDialog", [club](QWidget* w) {
                    w->findChild<QLineEdit*>("nameEdit")->setFocus();
                    QTest::keyClicks(focused(), club == 1 ? "Northern XI" : "Southern XI");
                    auto* clubs = w->findChild<QListWidget*>("clubList");
                    clubs->setFocus();
                    for (int i = 0; i < club; ++i) {
                        QTest::keyClick(clubs, Qt::Key_Down);
                    }
                    click(w, "okButton");
                });
            }
            run(script, main.button(MainButton::Teams));
        }
        // The player editor fits a screen of 1024 by 700 with room for the window's frame.
        QSize editorSize;
        {
            WindowScript script;
            script.add("playerList", [](QWidget* w) {
                for (int i = 0; i < 12; ++i) {
                    click(w, "newButton");
                }
                click(w, "closeButton");
            });
            for (int i = 0; i < 12; ++i) {
                script.add("playerEditor", [i, &editorSize](QWidget* w) {
                    editorSize = w->frameGeometry().size().expandedTo(w->minimumSizeHint());
                    w->findChild<QLineEdit*>("firstNameEdit")->setFocus();
                    typeAndTab(QString("Al%1").arg(QChar('a' + i)));
                    typeAndTab(QString("%1%2").arg(i < 6 ? "North" : "South").arg(QChar('a' + i)));
                    auto* club = w->findChild<QComboBox*>("clubCombo");
                    club->setFocus();
                    QTest::keyClicks(club, i < 6 ? "Northern" : "Southern");
                    click(w, "okButton");
                });
            }
            run(script, main.button(MainButton::Players));
        }
        QVERIFY2(editorSize.width() <= 1024 - 20 && editorSize.height() <= 700 - 40,
                 qPrintable(QString("%1 x %2").arg(editorSize.width()).arg(editorSize.height())));

        // The match: details, two innings typed from the keyboard, OK, the list, Close.
        QString summary1;
        QString summary3;
        bool detailsBackAfterInnings = false;
        bool detailsActive = false;
        bool allLinesShown = false;
        int rowsAfterNew = -1;
        bool listBackAfterDetails = false;
        QStringList clipped;
        WindowScript script;
        script.add("matchListView", [&](QWidget* list) {
            click(list, "newButton");
            listBackAfterDetails = usable(list);
            rowsAfterNew = list->findChild<QTreeWidget*>("matchTable")->topLevelItemCount();
            click(list, "closeButton");
        });
        script.add("matchDetailsView", [&](QWidget* details) {
            clipped << clippedLabels(details);
            QTest::keyClicks(details->findChild<QComboBox*>("matchTypeCombo"), "1");
            QTest::keyClicks(details->findChild<QComboBox*>("groundCombo"), "Oval");
            QTest::keyClicks(details->findChild<QComboBox*>("gradeCombo"), "Premier");
            details->findChild<QComboBox*>("team1Combo")->setFocus();
            QTest::keyClicks(focused(), "Northern XI");
            details->findChild<QComboBox*>("team2Combo")->setFocus();
            QTest::keyClicks(focused(), "Southern XI");
            details->findChild<QLineEdit*>("dateEdit")->setFocus();
            typeAndTab("07/06/2026");
            details->findChild<QLineEdit*>("umpiresEdit")->setFocus();
            QTest::keyClicks(focused(), "Bird and Shepherd");
            click(details, "innings1Button");
            summary1 = details->findChild<QLabel*>("summary1Label")->text();
            detailsBackAfterInnings = usable(details);
            click(details, "innings3Button");
            summary3 = details->findChild<QLabel*>("summary3Label")->text();
            detailsBackAfterInnings = detailsBackAfterInnings && usable(details) &&
                                      details->findChild<QLineEdit*>("umpiresEdit")->text() == "Bird and Shepherd";
            detailsActive = QTest::qWaitForWindowActive(details);
            QTest::keyClicks(details->findChild<QComboBox*>("resultCombo"), "Northern");
            click(details, "okButton");
        });
        // Northern bat: Alb bowled by Southg for 40, Ala not out 12; Southg bowls 4 overs for 50.
        script.add("scorecardView", [&](QWidget* card) {
            clipped << clippedLabels(card);
            // Every batting line shows without scrolling.
            auto* table = card->findChild<QTableWidget*>("battingTable");
            allLinesShown = table->rowCount() == 11 && table->verticalScrollBar()->maximum() == 0;
            typeAndTab("Northb");
            typeAndTab("Bowled");
            typeAndTab("Southg");
            typeAndTab("40");
            typeAndTab("31");
            typeAndTab("4");
            typeAndTab("1");
            typeAndTab("Northa");
            typeAndTab("Not");
            typeAndTab("12");
            QTest::keyClick(card, Qt::Key_O, Qt::AltModifier);
            typeAndTab("Southg");
            typeAndTab("4");
            typeAndTab("0");
            typeAndTab("52");
            typeAndTab("1");
            QTest::keyClick(card, Qt::Key_U, Qt::AltModifier);
            QTest::keyClicks(focused(), "Closed");
            card->findChild<QLineEdit*>("oversEdit")->setFocus();
            QTest::keyClicks(focused(), "4");
            click(card, "okButton");
        });
        // Southern bat: Southh caught by Northc off Northd for 7.
        script.add("scorecardView", [&](QWidget*card) {
            typeAndTab("Southh");
            typeAndTab("Caught");
            typeAndTab("Northc");
            typeAndTab("Northd");
            typeAndTab("7");
            typeAndTab("");
            typeAndTab("");
            typeAndTab("");
            QTest::keyClick(card, Qt::Key_O, Qt::AltModifier);
            typeAndTab("Northd");
            typeAndTab("1.3");
            typeAndTab("0");
            typeAndTab("7");
            typeAndTab("1");
            QTest::keyClick(card, Qt::Key_U, Qt::AltModifier);
            QTest::keyClicks(focused(), "All");
            card->findChild<QLineEdit*>("oversEdit")->setFocus();
            QTest::keyClicks(focused(), "1.3");
            click(card, "okButton");
        });
        run(script, main.button(MainButton::Matches));
        QVERIFY2(script.finished(), qPrintable(script.failures.join("; ")));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
        QVERIFY(detailsBackAfterInnings);
        QVERIFY(detailsActive);
        QVERIFY(allLinesShown);
        QVERIFY2(summary1.startsWith("52/1"), qPrintable(summary1));
        QVERIFY2(summary3.startsWith("7/1"), qPrintable(summary3));
        QVERIFY(listBackAfterDetails);
        QCOMPARE(rowsAfterNew, 1);
        QVERIFY(usable(&main));

        // Save under a name, then read the file back through the dump's code.
        const QString path = m_folder.path() + "/entered.wkd";
        WindowScript save;
        save.add("QFileDialog", [&](QWidget* w) {
            // As a user does: the whole path typed into the name field, then Enter.
            auto* name = w->findChild<QLineEdit*>("fileNameEdit");
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        save.start();
        main.findChild<QAction*>("saveas")->trigger();
        QVERIFY2(save.finished(), qPrintable(save.failures.join("; ")));
        QVERIFY2(!desktop.state().databaseChanged, qPrintable(save.messages.join("; ")));

        QTemporaryDir other;
        AppState reopened;
        reopened.startupFolder = other.path().toStdString();
        QVERIFY(loadContainerFile(reopened, path.toStdString()).ok());
        const nlohmann::json db = nlohmann::json::parse(dumpDatabaseJson(WorkingSet(reopened)));
        QCOMPARE(db["matches"].size(), std::size_t(1));
        const nlohmann::json& match = db["matches"][0];
        QCOMPARE(match["team1"].get<int>(), 1);
        QCOMPARE(match["team2"].get<int>(), 2);
        QCOMPARE(match["datePlayed"].get<std::string>(), std::string("07/06/2026"));
        QCOMPARE(match["umpires"].get<std::string>(), std::string("Bird and Shepherd"));
        const int first = match["innings"][1].get<int>();
        const int second = match["innings"][3].get<int>();
        QVERIFY(first > 0 && second > 0 && first != second);
        const nlohmann::json& in1 = db["innings"][static_cast<std::size_t>(first - 1)];
        QCOMPARE(in1["batting"][1]["batsman"].get<int>(), 2);
        QCOMPARE(in1["batting"][1]["runs"].get<int>(), 40);
        QCOMPARE(in1["batting"][1]["ballsFaced"].get<int>(), 31);
        QCOMPARE(in1["batting"][1]["fours"].get<int>(), 4);
        QCOMPARE(in1["batting"][1]["sixes"].get<int>(), 1);
        QCOMPARE(in1["batting"][2]["batsman"].get<int>(), 1);
        QCOMPARE(in1["batting"][2]["runs"].get<int>(), 12);
        QCOMPARE(in1["bowling"][1]["bowler"].get<int>(), 7);
        QCOMPARE(in1["bowling"][1]["runsConceded"].get<int>(), 52);
        const nlohmann::json& in2 = db["innings"][static_cast<std::size_t>(second - 1)];
        QCOMPARE(in2["batting"][1]["batsman"].get<int>(), 8);
        QCOMPARE(in2["batting"][1]["fieldsman"].get<int>(), 3);
        QCOMPARE(in2["batting"][1]["bowler"].get<int>(), 4);
        QCOMPARE(in2["batting"][1]["runs"].get<int>(), 7);
        QCOMPARE(in2["bowling"][1]["wickets"].get<int>(), 1);
    }

    // Every window that opens another comes back when the other closes, by OK and by Cancel (or
    // Close, or Escape): visible, enabled, in use, and with what it held.
    void everyOpenerComesBack_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("closer");
        const auto row = [](const char* name, MainButton b, QStringList path, const QString& closer) {
            QTest::newRow(name) << static_cast<int>(b) << path << closer;
        };
        const QStringList details = {"matchListView", "matchDetailsView"};
        const QStringList card = details + QStringList{"scorecardView"};
        row("main > match list, Close", MainButton::Matches, {"matchListView"}, "closeButton");
        row("main > match list, Escape", MainButton::Matches, {"matchListView"}, "Escape");
        row("match list > details, OK", MainButton::Matches, details, "okButton");
        row("match list > details, Cancel", MainButton::Matches, details, "cancelButton");
        row("details > scorecard, OK", MainButton::Matches, card, "okButton");
        row("details > scorecard, Escape", MainButton::Matches, card, "Escape");
        row("scorecard > fielding events, Close", MainButton::Matches, card + QStringList{"specialEvents"},
            "closeButton");
        row("scorecard > fielding events, Escape", MainButton::Matches, card + QStringList{"specialEvents"},
            "Escape");
        row("main > players, Close", MainButton::Players, {"playerList"}, "closeButton");
        row("player list > editor, OK", MainButton::Players, {"playerList", "playerEditor"}, "okButton");
        row("player list > editor, Cancel", MainButton::Players, {"playerList", "playerEditor"}, "cancelButton");
        row("main > clubs, Escape", MainButton::Clubs, {"listEditorDialog"}, "Escape");
        row("list editor > name, OK", MainButton::Grounds, {"listEditorDialog", "nameDialog"}, "okButton");
        row("list editor > name, Cancel", MainButton::Grounds, {"listEditorDialog", "nameDialog"}, "cancelButton");
        row("list editor > team, OK", MainButton::Teams, {"listEditorDialog", "teamDialog"}, "okButton");
        row("list editor > team, Escape", MainButton::Teams, {"listEditorDialog", "teamDialog"}, "Escape");
        row("main > configuration, Cancel", MainButton::Config, {"configDialog"}, "cancelButton");
        row("main > statistics, Close", MainButton::Statistics, {"statisticsView"}, "closeButton");
        row("statistics > report, Close", MainButton::Statistics, {"statisticsView", "reportWindow"},
            "closeButton");
    }

    void everyOpenerComesBack()
    {
        QFETCH(int, button);
        QFETCH(QStringList, path);
        QFETCH(QString, closer);
        DesktopApp desktop;
        desktop.start({sampleDatabase()}, false);
        MainWindowView& main = desktop.window();

        // Each window but the last opens the next one, is checked when that one has closed, and
        // then closes by the way its own user would.
        QStringList notBack;
        WindowScript script;
        for (int i = 0; i < path.size(); ++i) {
            const QString window = path[i];
            const bool last = i + 1 == path.size();
            script.add(window, [&notBack, window, last, closer](QWidget* w) {
                if (last) {
                    fillIn(w);
                    if (closer == "Escape") {
                        QTest::keyClick(w, Qt::Key_Escape);
                    } else {
                        click(w, qPrintable(closer));
                    }
                    return;
                }
                const QString kept = openNext(w);
                if (!usable(w) || keptState(w) != kept) {
                    notBack << window;
                }
                closeWindow(w);
            });
        }
        script.start();
        QTest::mouseClick(main.button(static_cast<MainButton>(button)), Qt::LeftButton);
        QVERIFY2(script.finished(), qPrintable(script.failures.join("; ") + " after " + script.acted.join(", ") +
                                                " | messages: " + script.messages.join("; ")));
        QVERIFY2(notBack.isEmpty(), qPrintable("not back: " + notBack.join(", ")));
        QTRY_VERIFY(usable(&main));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

private:
    // The sample league season, saved once as a database the program opens.
    QString sampleDatabase()
    {
        const QString path = m_folder.path() + "/sample.wkd";
        if (!QFile::exists(path)) {
            QTemporaryDir work;
            AppState app;
            app.startupFolder = work.path().toStdString();
            QFile json(WICKLY_SAMPLE_JSON);
            if (json.open(QIODevice::ReadOnly)) {
                const QByteArray text = json.readAll();
                const std::string_view content(text.constData(), static_cast<std::size_t>(text.size()));
                if (buildDatabaseFromJson(app, content).ok() && !saveContainerFile(app, path.toStdString()).ok()) {
                    qWarning("the sample database could not be saved");
                }
            }
        }
        return path;
    }

    // What a window holds that must survive a child window: the text typed before opening it.
    static QString keptState(QWidget* w)
    {
        if (auto* umpires = w->findChild<QLineEdit*>("umpiresEdit"); umpires != nullptr) {
            return umpires->text();
        }
        return w->windowTitle();
    }

    // Opens the next window of a chain from `w`; returns `w`'s state just before.
    static QString openNext(QWidget* w)
    {
        const QString name = w->objectName();
        if (name == "matchListView") {
            auto* table = w->findChild<QTreeWidget*>("matchTable");
            table->setCurrentItem(table->topLevelItem(0));
            const QString kept = keptState(w);
            click(w, "viewButton");
            return kept;
        }
        if (name == "matchDetailsView") {
            auto* umpires = w->findChild<QLineEdit*>("umpiresEdit");
            umpires->setFocus();
            QTest::keyClicks(umpires, " (typed)");
            const QString kept = keptState(w);
            click(w, "innings1Button");
            return kept;
        }
        const QString kept = keptState(w);
        if (name == "scorecardView") {
            click(w, "fieldingEventsButton");
        } else if (name == "playerList") {
            click(w, "newButton");
        } else if (name == "listEditorDialog") {
            click(w, "addButton");
        } else if (name == "statisticsView") {
            auto* reports = w->findChild<QListWidget*>("reportList");
            const QList<QListWidgetItem*> found = reports->findItems("Batting:Top Run Aggregates", Qt::MatchStartsWith);
            if (!found.isEmpty()) {
                reports->setCurrentItem(found.front());
            }
            click(w, "generateButton");
        }
        return kept;
    }

    // What the user types in a child before OK, so that OK has something to keep.
    static void fillIn(QWidget* w)
    {
        const QString name = w->objectName();
        if (name == "nameDialog" || name == "teamDialog") {
            QTest::keyClicks(w->findChild<QLineEdit*>("nameEdit"), "Chain Test");
            if (auto* clubs = w->findChild<QListWidget*>("clubList"); clubs != nullptr) {
                clubs->setFocus();
                QTest::keyClick(clubs, Qt::Key_Down);
            }
        } else if (name == "playerEditor") {
            QTest::keyClicks(w->findChild<QLineEdit*>("firstNameEdit"), "Chain");
            QTest::keyClicks(w->findChild<QLineEdit*>("lastNameEdit"), "Tester");
            QTest::keyClicks(w->findChild<QLineEdit*>("reportNameEdit"), "C Tester");
            auto* club = w->findChild<QComboBox*>("clubCombo");
            club->setFocus();
            QTest::keyClick(club, Qt::Key_Down);
        }
    }

    // Closes a window that opened another: the match details by Cancel, the rest by Close.
    static void closeWindow(QWidget* w)
    {
        if (w->objectName() == "matchDetailsView" || w->objectName() == "scorecardView") {
            click(w, "cancelButton");
        } else {
            click(w, "closeButton");
        }
    }

    // Adds entries through the list editor opened by `button`, one name dialog per name.
    void addNames(DesktopApp& desktop, MainButton button, const QStringList& names)
    {
        WindowScript script;
        script.add("listEditorDialog", [n = names.size()](QWidget* w) {
            for (int i = 0; i < n; ++i) {
                click(w, "addButton");
            }
            click(w, "closeButton");
        });
        for (const QString& name : names) {
            script.add("nameDialog", [name](QWidget* w) {
                w->findChild<QLineEdit*>("nameEdit")->setFocus();
                QTest::keyClicks(focused(), name);
                click(w, "okButton");
            });
        }
        run(script, desktop.window().button(button));
    }

    // Starts `script`, then clicks `opener`; the click returns when the chain has closed.
    static void run(WindowScript& script, QPushButton* opener)
    {
        script.start();
        QTest::mouseClick(opener, Qt::LeftButton);
        QVERIFY2(script.finished(), qPrintable(script.failures.join("; ") + " after " + script.acted.join(", ") + " | messages: " +
                                         script.messages.join("; ")));
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.messages.join("; ")));
    }

    QTemporaryDir m_folder;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    WindowChainTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_chain_test.moc"
