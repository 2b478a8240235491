#include "cli_report.h"

#include "app_state.h"
#include "cli_support.h"
#include "container.h"
#include "report_files.h"
#include "report_window_model.h"
#include "statistics_window_model.h"
#include "text_file.h"
#include "web_context.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>

namespace wickly::cli {

namespace {

// The desktop as the report command sees it: the first message box is the command's failure,
// and the report window, once shown, holds the report.
class ReportPlatform : public Platform
{
public:
    std::optional<std::string> message;
    std::optional<stats::ReportText> report;

    Button messageBox(const MessageBoxRequest& request) override
    {
        if (!message) {
            message = request.text;
        }
        return Button::Ok;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}
    void showHelp(int) override {}
    void setClipboardText(std::string_view) override {}
    std::string readSetting(std::string_view, std::string_view, std::string_view fallback) override
    {
        return std::string(fallback);
    }
    void writeSetting(std::string_view, std::string_view, std::string_view) override {}
    void showModal(WindowModel& model) override
    {
        if (auto* window = dynamic_cast<stats::ReportWindowModel*>(&model)) {
            report = window->report;
        }
    }
    void showInPlaceOf(WindowModel& child, WindowModel&) override { showModal(child); }
    std::optional<int> choosePrinter() override { return std::nullopt; }
    bool printDocument(const PrintDocument&, std::string& why) override
    {
        why = "no printer";
        return false;
    }
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
};

std::string catalogueList()
{
    std::string text = "KIND is the report's number in the statistics window's list:\n";
    for (int r = 0; r < stats::kReportKindCount; ++r) {
        text += "  " + std::to_string(r) + (r < 10 ? "   " : "  ") + stats::catalogueEntry(r).caption +
                (stats::reportAvailable(r) ? "" : " (not available yet)") + "\n";
    }
    return text;
}

} // namespace

CLI::App* addReportCommand(CLI::App& app, ReportOptions& o)
{
    CLI::App* report = app.add_subcommand(
        "report", "Print a statistics report as the report window saves it (Text, CSV or HTML, CR LF line ends)");
    report->add_option("DB", o.database, "The database file (.wkd)")->required();
    report->add_option("KIND", o.kind, "The report's number in the catalogue (listed below)")
        ->required()
        ->check(CLI::Range(0, stats::kReportKindCount - 1));
    report->add_option("--grade", o.grade, "Grade record number (0: the window's first choice)");
    report->add_option("--type", o.type, "Match type: 0 all, 1 1-day, 2 2-day, 3 4-day, 4 5-day")
        ->check(CLI::Range(0, 4));
    report->add_option("--vs", o.vs, "Opposition club record number (0: any)");
    report->add_option("--club", o.club, "Subject club record number (0: the window's first choice)");
    report->add_option("--team", o.team, "Subject team record number (0: all teams)");
    report->add_option("--player", o.player, "Player record number of the complete statistics (report 0)");
    report->add_option("--ground", o.ground, "Ground record number (0: any)");
    report->add_option("--rating", o.rating, "Player rating 1-5 (0: all players)")->check(CLI::Range(0, 5));
    report->add_option("--from", o.from, "First date, dd/mm/yyyy (default: the remembered date range)");
    report->add_option("--to", o.to, "Last date, dd/mm/yyyy (default: the remembered date range)");
    report->add_option("--length", o.length, "Rows of a ranked report, 5-3000 (0: the remembered length)");
    report->add_flag("--first-innings", o.firstInnings, "Count only each side's first innings");
    report->add_flag("--history", o.history, "Add the players' historical figures where the report allows it");
    report->add_flag("--all-players", o.allPlayers, "List inactive players too (\"List: All\")");
    report->add_option("--format", o.format, "text (the default), csv or html")
        ->check(CLI::IsMember({"text", "csv", "html"}));
    report->footer(catalogueList());
    return report;
}

int reportCommand(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    auto fail = [&](const std::string& message) { return failure(err, message); };
    if (o.kind == stats::GenerateWebPages) {
        return fail("report 42 generates the web site: use \"" + std::string(kToolName) + " web DB\"");
    }
    PrivateFolder folder;
    AppState app = freshState(folder);
    const Status loaded = loadContainerFile(app, o.database);
    if (!loaded) {
        return fail(loaded.message());
    }
    ReportPlatform platform;
    stats::StatisticsWindowModel window(app, platform);
    window.reportChosen(o.kind);

    // Chooses the entry with record number `record` of a list; false when the list has none.
    auto choose = [&](const stats::EntryChoice& list, int record, auto chosen) {
        if (record == 0) {
            return true;
        }
        const int index = list.indexOf(record);
        if (index <= 0) {
            return false;
        }
        (window.*chosen)(index);
        return true;
    };
    using M = stats::StatisticsWindowModel;
    if (!choose(window.subjectClubs, o.club, &M::subjectClubChosen)) {
        return fail("there is no club " + std::to_string(o.club) + " in \"" + o.database + "\"");
    }
    if (o.allPlayers) {
        window.listOptionChosen(false);
    }
    if (o.player != 0) {
        // The player list has no ".all" entry: its first entry is a player too.
        const int index = o.kind == stats::CompleteStats ? window.subjects.indexOf(o.player) : -1;
        if (index < 0) {
            return fail("there is no player " + std::to_string(o.player) + " to choose for report " +
                        std::to_string(o.kind) + " in \"" + o.database +
                        "\" (report 0 lists the active players of the club chosen; --all-players lists all)");
        }
        window.subjectChosen(index);
    } else if (!choose(window.subjects, o.team, &M::subjectChosen)) {
        return fail("there is no team " + std::to_string(o.team) +
                    (o.club != 0 ? " of club " + std::to_string(o.club) : "") + " in \"" + o.database + "\"");
    }
    if (!choose(window.vsClubs, o.vs, &M::vsClubChosen)) {
        return fail("there is no club " + std::to_string(o.vs) + " in \"" + o.database + "\"");
    }
    if (!choose(window.grounds, o.ground, &M::groundChosen)) {
        return fail("there is no ground " + std::to_string(o.ground) + " in \"" + o.database + "\"");
    }
    if (!choose(window.grades, o.grade, &M::gradeChosen)) {
        return fail("there is no grade " + std::to_string(o.grade) + " in \"" + o.database + "\"");
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
            return fail(std::string(t.name) + " " + t.text + ": " + *platform.message);
        }
    }
    if (o.firstInnings) {
        window.firstInningsTicked(true);
    }
    if (o.history) {
        window.includeHistoryTicked(true);
    }
    window.generateClicked();
    if (platform.message) {
        return fail(*platform.message);
    }
    if (!platform.report) {
        return fail("the report could not be produced");
    }
    web::WebContext web(app.header.options);
    web::TextFile file;
    const stats::ReportFileFormat format = o.format == "csv"    ? stats::ReportFileFormat::Csv
                                           : o.format == "html" ? stats::ReportFileFormat::Html
                                                                : stats::ReportFileFormat::Text;
    const Status written = stats::WriteReportFile(file, *platform.report, format, web);
    if (!written) {
        return fail(written.message());
    }
    out << file.text();
    return 0;
}

} // namespace wickly::cli
