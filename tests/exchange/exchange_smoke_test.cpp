// Smoke test of the match exchange windows under the offscreen platform: the export list with
// several selected matches and its refusal, the name resolution window opened through the Qt
// platform, and the alias manager switching kinds and deleting from the keyboard.

#include "alias_manager_model.h"
#include "alias_manager_view.h"
#include "app_state.h"
#include "container.h"
#include "export_model.h"
#include "export_view.h"
#include "name_resolution_model.h"
#include "qt_modal.h"
#include "qt_platform.h"
#include "scorecard_import_model.h"
#include "scorecard_import_view.h"
#include "working_set.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace wickly;
using namespace wickly::test;
using namespace wickly::ui;

class ExchangeSmokeTest : public QObject
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
        for (const char* name : {"Easts", "Wests"}) {
            TeamRecord t;
            t.name.assign(name);
            t.club = 1;
            ws.append(t);
        }
        for (const char* date : {"05/01/2002", "06/01/2002"}) {
            MatchRecord m;
            m.matchType = OneDayMatch;
            m.team1 = 1;
            m.team2 = 2;
            m.datePlayed.assign(date);
            ws.write(ws.AllocateMatch(), m);
        }
        for (const char* name : {"A Able", "B Baker"}) {
            PlayerRecord p;
            p.reportName.assign(name);
            p.club = 1;
            p.active = 1;
            ws.addPlayer(p);
        }
        for (const char* kind : {"Tea", "Pla", "Tea"}) {
            AliasRecord a;
            a.kindCode.assign(kind);
            a.alias.assign("Alias");
            a.name.assign("Easts");
            ws.append(a);
        }
        m_app.databaseChanged = false;
    }

    void exportListSelectsSeveralMatches()
    {
        exchange::ExportModel model(m_app, m_platform);
        ExportView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.windowTitle(), QString("Export Matches"));
        auto* list = child<QListWidget>(&view, "matchList");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("2002-01-05 0001 1d Easts Vs Wests"));
        QCOMPARE(child<QLabel>(&view, "hintLabel")->text(), QString("Hold CTRL key down to make multiple selections"));

        MessageBoxAnswerer answer(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>(&view, "exportButton"), Qt::LeftButton);
        QCOMPARE(answer.texts, QStringList{"Select matches to export from the list"});

        list->item(0)->setSelected(true);
        list->item(1)->setSelected(true);
        QCOMPARE(model.selection, (std::vector<int>{0, 1}));
    }

    void nameResolutionOpensThroughThePlatform()
    {
        exchange::NameQuestion q;
        q.kind = exchange::NameKind::Team;
        q.name = "Wests";
        exchange::NameResolutionModel model(m_app, m_platform, q);
        int entries = -1;
        QString chosen;
        ModalPlayer user(shownWindowNamed("nameResolutionView"), [&](QWidget* w) {
            auto* list = child<QListWidget>(w, "entryList");
            entries = list->count();
            chosen = list->currentItem() != nullptr ? list->currentItem()->text() : QString();
            QTest::mouseClick(child<QPushButton>(w, "rememberButton"), Qt::LeftButton);
        });
        m_platform.showModal(model);
        QVERIFY(user.done);
        QCOMPARE(user.titles, QStringList{"Team Selection"});
        QCOMPARE(entries, 2);
        QCOMPARE(chosen, QString("Wests"));
        QCOMPARE(model.result, 2);
        QVERIFY(model.remember);
    }

    void aliasManagerSwitchesKindsAndDeletes()
    {
        masterdata::AliasManagerModel model(m_app, m_platform);
        AliasManagerView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* table = child<QTreeWidget>(&view, "aliasTable");
        QCOMPARE(table->topLevelItemCount(), 1);
        QVERIFY(!child<QPushButton>(&view, "deleteButton")->isEnabled());
        child<QRadioButton>(&view, "optionTeams")->click();
        QCOMPARE(table->topLevelItemCount(), 2);
        QCOMPARE(table->topLevelItem(1)->text(2), QString("3"));
        table->setFocus();
        table->setCurrentItem(table->topLevelItem(1));
        QVERIFY(child<QPushButton>(&view, "deleteButton")->isEnabled());
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(table->topLevelItemCount(), 1);
        QCOMPARE(m_app.header.count(RecordKind::Alias), 2);
        QVERIFY(m_app.databaseChanged);
    }

    void scorecardImportShowsLinesAndHidesAfterImport()
    {
        exchange::ScorecardImportModel model(m_app, m_platform);
        ScorecardImportView view(model);
        bool imported = false;
        connect(&view, &ScorecardImportView::imported, this, [&] { imported = true; });
        model.open(exchange::ScorecardImportMode::Bowling, 1, 1);
        model.lines = {"A Able 4 0 17 1", "Baker 2 0 9 0"}; // as "Load" leaves them
        view.render();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QString("Import Scorecard"));
        QCOMPARE(child<QLabel>(&view, "modeLabel")->text(),
                 QString("Select all lines containing the bowling figures for this innings:"));
        auto* lines = child<QListWidget>(&view, "lineList");
        QCOMPARE(lines->count(), 2);
        lines->item(0)->setSelected(true);
        lines->item(1)->setSelected(true);
        QTest::mouseClick(child<QPushButton>(&view, "importButton"), Qt::LeftButton);
        QVERIFY(imported);
        QVERIFY(!view.isVisible());
        QCOMPARE(model.bowling.size(), std::size_t{2});
        QCOMPARE(model.bowling[1].bowlerNumber, 2); // "Baker": the surname of B Baker
    }

private:
    QTemporaryDir m_folder;
    AppState m_app;
    QtPlatform m_platform;
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ExchangeSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "exchange_smoke_test.moc"
