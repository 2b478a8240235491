#pragma once
// The statistics window's filters as options of the commands that drive the window (report, web).

#include <functional>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace wickly::stats {
class StatisticsWindowModel;
struct EntryChoice;
} // namespace wickly::stats

namespace wickly::cli {

class HeadlessPlatform;

// Record numbers, 0 meaning the window's opening choice; texts as typed into the window's boxes.
struct StatsFilterOptions
{
    int grade = 0;
    int type = 0;
    int vs = 0;
    int club = 0;
    int ground = 0;
    int rating = 0;
    int length = 0;
    std::string from;
    std::string to;
    bool firstInnings = false;
    bool history = false;
    bool allPlayers = false;
};

// The help texts that differ between the commands.
struct FilterHelp
{
    const char* length;
    const char* history;
    const char* allPlayers;
};

// Adds --grade, --type, --vs, --club, --ground, --rating, --from, --to, --length, --first-innings,
// --history and --all-players.
void addFilterOptions(CLI::App& command, StatsFilterOptions& options, const FilterHelp& help);

// Sets the window's controls from the options as a user would, in the window's order; options
// left out keep the window's opening values. `chooseSubject`, when given, runs once the subject
// club and the player list are set (the report command's team or player). Returns the one-line
// reason when an option cannot be taken, nothing when all were.
std::optional<std::string> applyFilters(stats::StatisticsWindowModel& window, HeadlessPlatform& platform,
                                        const StatsFilterOptions& options, const std::string& database,
                                        const std::function<std::optional<std::string>()>& chooseSubject = {});

// Chooses the entry of `list` with record number `record` through the window's action `chosen`
// (0: the list is left alone); false when the list has no such entry.
bool chooseEntry(stats::StatisticsWindowModel& window, const stats::EntryChoice& list, int record,
                 void (stats::StatisticsWindowModel::*chosen)(int));

} // namespace wickly::cli
