#include "cli_filters.h"

#include "cli_support.h"
#include "statistics_window_model.h"

#include <CLI/CLI.hpp>

namespace wickly::cli {

void addFilterOptions(CLI::App& command, StatsFilterOptions& o, const FilterHelp& help)
{
    command.add_option("--grade", o.grade, "Grade record number (0: the window's first choice)");
    command.add_option("--type", o.type, "Match type: 0 all, 1 1-day, 2 2-day, 3 4-day, 4 5-day")
        ->check(CLI::Range(0, 4));
    command.add_option("--vs", o.vs, "Opposition club record number (0: any)");
    command.add_option("--club", o.club, "Subject club record number (0: the window's first choice)");
    command.add_option("--ground", o.ground, "Ground record number (0: any)");
    command.add_option("--rating", o.rating, "Player rating 1-5 (0: all players)")->check(CLI::Range(0, 5));
    command.add_option("--from", o.from, "First date, dd/mm/yyyy (default: the remembered date range)");
    command.add_option("--to", o.to, "Last date, dd/mm/yyyy (default: the remembered date range)");
    command.add_option("--length", o.length, help.length);
    command.add_flag("--first-innings", o.firstInnings, "Count only each side's first innings");
    command.add_flag("--history", o.history, help.history);
    command.add_flag("--all-players", o.allPlayers, help.allPlayers);
}

bool chooseEntry(stats::StatisticsWindowModel& window, const stats::EntryChoice& list, int record,
                 void (stats::StatisticsWindowModel::*chosen)(int))
{
    if (record == 0) {
        return true;
    }
    const int index = list.indexOf(record);
    if (index <= 0) {
        return false;
    }
    (window.*chosen)(index);
    return true;
}

std::optional<std::string> applyFilters(stats::StatisticsWindowModel& window, HeadlessPlatform& platform,
                                        const StatsFilterOptions& o, const std::string& database,
                                        const std::function<std::optional<std::string>()>& chooseSubject)
{
    using M = stats::StatisticsWindowModel;
    const auto noRecord = [&](const char* kind, int record) {
        return "there is no " + std::string(kind) + " " + std::to_string(record) + " in \"" + database + "\"";
    };
    if (!chooseEntry(window, window.subjectClubs, o.club, &M::subjectClubChosen)) {
        return noRecord("club", o.club);
    }
    if (o.allPlayers) {
        window.listOptionChosen(false);
    }
    if (chooseSubject) {
        if (std::optional<std::string> refused = chooseSubject()) {
            return refused;
        }
    }
    if (!chooseEntry(window, window.vsClubs, o.vs, &M::vsClubChosen)) {
        return noRecord("club", o.vs);
    }
    if (!chooseEntry(window, window.grounds, o.ground, &M::groundChosen)) {
        return noRecord("ground", o.ground);
    }
    if (!chooseEntry(window, window.grades, o.grade, &M::gradeChosen)) {
        return noRecord("grade", o.grade);
    }
    window.matchTypeChosen(o.type);
    window.ratingChosen(o.rating);
    struct Typed
    {
        stats::StatsBox box;
        std::string text;
        const char* name;
    };
    const Typed typed[] = {{stats::StatsBox::DateFrom, o.from, "--from"},
                           {stats::StatsBox::DateTo, o.to, "--to"},
                           {stats::StatsBox::ReportLength, o.length != 0 ? std::to_string(o.length) : "", "--length"}};
    for (const Typed& t : typed) {
        if (t.text.empty()) {
            continue;
        }
        window.boxEdited(t.box, t.text);
        window.boxLeft(t.box);
        if (platform.message) {
            return std::string(t.name) + " " + t.text + ": " + *platform.message;
        }
    }
    if (o.firstInnings) {
        window.firstInningsTicked(true);
    }
    if (o.history) {
        window.includeHistoryTicked(true);
    }
    return std::nullopt;
}

} // namespace wickly::cli
