#include "main_window_model.h"

#include "about_model.h"
#include "alias_manager_model.h"
#include "export_model.h"
#include "match_import.h"
#include "app_state.h"
#include "config_model.h"
#include "container.h"
#include "match_list_model.h"
#include "list_editor_model.h"
#include "player_list_model.h"
#include "site_generator.h"
#include "statistics_window_model.h"
#include "working_set_lock.h"

namespace wickly {

MainWindowModel::MainWindowModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
    paint();
}

const char* MainWindowModel::buttonCaption(MainButton b)
{
    switch (b) {
    case MainButton::Clubs: return "Clubs";
    case MainButton::Grades: return "Grades";
    case MainButton::Grounds: return "Grounds";
    case MainButton::Teams: return "Teams";
    case MainButton::Players: return "Players";
    case MainButton::Matches: return "Matches";
    case MainButton::Statistics: return "Statistics";
    case MainButton::Config: return "Config";
    }
    return "";
}

void MainWindowModel::paint()
{
    caption = "Wickly : " + m_app.header.options.databaseTitle.str();
    if (m_workingSetInUse) {
        return; // everything that writes stays disabled
    }
    if (!isBlankText(ltrimBlanks(m_app.header.options.databaseTitle.raw()))) {
        buttonEnabled.fill(true);
        saveEnabled = saveAsEnabled = exportEnabled = importEnabled = aliasManagerEnabled = true;
        configMenuEnabled = true;
    }
}

void MainWindowModel::workingSetInUse(const std::string& folder)
{
    m_workingSetInUse = true;
    buttonEnabled.fill(false);
    newEnabled = openEnabled = false;
    saveEnabled = saveAsEnabled = exportEnabled = importEnabled = aliasManagerEnabled = configMenuEnabled = false;
    m_platform.message(workingSetInUseMessage(folder), Buttons::Ok, Icon::Error);
    paint();
}

void MainWindowModel::newClicked()
{
    if (m_workingSetInUse) {
        return;
    }
    NewDatabase(m_app, m_platform);
    paint();
}

void MainWindowModel::openClicked()
{
    if (m_workingSetInUse) {
        return;
    }
    OpenDatabase(m_app, m_platform);
    paint();
}

void MainWindowModel::saveClicked()
{
    if (m_workingSetInUse) {
        return;
    }
    SaveDatabase(m_app, m_platform);
    paint();
}

void MainWindowModel::saveAsClicked()
{
    if (m_workingSetInUse) {
        return;
    }
    SaveDatabaseAs(m_app, m_platform);
    paint();
}

bool MainWindowModel::closeRequested()
{
    if (!m_app.databaseChanged) {
        return true;
    }
    switch (m_platform.message("Save changes to database?", Buttons::YesNoCancel, Icon::Warning)) {
    case Button::Yes:
        // A save that did not happen (Save As cancelled, a write error) keeps the program open,
        // so that the changes are not lost.
        return SaveDatabase(m_app, m_platform);
    case Button::No: return true;
    default: return false;
    }
}

void MainWindowModel::exportClicked()
{
    exchange::ExportModel window(m_app, m_platform);
    m_platform.showModal(window);
}

void MainWindowModel::importClicked()
{
    exchange::ImportMatchFile(m_app, m_platform);
}

void MainWindowModel::aliasManagerClicked()
{
    masterdata::AliasManagerModel window(m_app, m_platform);
    m_platform.showModal(window);
}

void MainWindowModel::helpContentsClicked()
{
    m_platform.showHelp(HelpMainWindow);
}

void MainWindowModel::aboutClicked()
{
    AboutModel about(m_platform);
    m_platform.showModal(about);
}

bool MainWindowModel::refuse(const char* message)
{
    m_platform.message(message, Buttons::Ok, Icon::Error);
    return false;
}

void MainWindowModel::buttonClicked(MainButton b)
{
    if (m_workingSetInUse) {
        return;
    }
    const DatabaseHeader& h = m_app.header;
    const auto none = [&](RecordKind k) { return h.count(k) < 1; };
    switch (b) {
    case MainButton::Clubs:
    case MainButton::Grades:
    case MainButton::Grounds: openListEditor(static_cast<int>(b)); break;
    case MainButton::Teams:
        if (none(RecordKind::Club)) {
            refuse("Enter a club first");
            break;
        }
        openListEditor(3);
        break;
    case MainButton::Players:
        if (none(RecordKind::Club)) {
            refuse("Enter a club first");
            break;
        }
        openPlayerList();
        break;
    case MainButton::Matches:
        if (none(RecordKind::Club)) {
            refuse("Enter at least one club first");
        } else if (h.count(RecordKind::Team) < 2) {
            refuse("Enter at least two teams first");
        } else if (none(RecordKind::Player)) {
            refuse("Enter some players first");
        } else {
            openMatchList();
        }
        break;
    case MainButton::Statistics:
        if (none(RecordKind::Club)) {
            refuse("Enter a club first");
        } else if (none(RecordKind::Team)) {
            refuse("Enter a team first");
        } else if (none(RecordKind::Player)) {
            refuse("Enter some players first");
        } else if (none(RecordKind::Match)) {
            refuse("Enter a match first");
        } else {
            openStatistics();
        }
        break;
    case MainButton::Config: openConfiguration(); break;
    }
    paint();
}

void MainWindowModel::openFromCommandLine(const std::string& path)
{
    if (path.empty() || m_workingSetInUse) {
        return;
    }
    LoadContainer(m_app, m_platform, path);
    paint();
}

// The windows below are added here as they are built; until then the buttons open nothing.

void MainWindowModel::openListEditor(int kind)
{
    // The list editor for clubs (0), grades (1), grounds (2) or teams (3), modal.
    masterdata::ListEditorModel editor(m_app, m_platform, kind);
    m_platform.showModal(editor);
}

void MainWindowModel::openPlayerList()
{
    masterdata::PlayerListModel list(m_app, m_platform);
    m_platform.showModal(list);
}

void MainWindowModel::openMatchList()
{
    // The match list stands in for the main window until it closes.
    matches::MatchListModel list(m_app, m_platform);
    m_platform.showInPlaceOf(list, *this);
}

void MainWindowModel::openStatistics()
{
    // The statistics window stands in for the main window until it closes.
    stats::StatisticsWindowModel statistics(m_app, m_platform);
    statistics.generateSite = [this](stats::StatisticsWindowModel& window) { site::genweb(m_app, m_platform, window); };
    m_platform.showInPlaceOf(statistics, *this);
}

void MainWindowModel::openConfiguration()
{
    config::ConfigModel configuration(m_app, m_platform);
    m_platform.showModal(configuration);
}

} // namespace wickly
