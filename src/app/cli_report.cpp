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
class ReportPlatform : public HeadlessPlatform
{
public:
    std::optional<stats::ReportText> report;
    web::PageImages pageImages; // those the window's HTML save would write

    void showModal(WindowModel& model) override
    {
        if (auto* window = dynamic_cast<stats::ReportWindowModel*>(&model)) {
            report = window->report;
            pageImages = window->web().pageImages;
        }
    }
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
    report->add_option("--team", o.team, "Subject team record number (0: all teams)");
    report->add_option("--player", o.player, "Player record number of the complete statistics (report 0)");
    addFilterOptions(*report, o.filters,
                     {"Rows of a ranked report, 5-3000 (0: the remembered length)",
                      "Add the players' historical figures where the report allows it",
                      "List inactive players too (\"List: All\")"});
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
    LoadedDatabase db(o.database);
    if (!db.status) {
        return fail(db.status.message());
    }
    AppState& app = db.app;
    ReportPlatform platform;
    stats::StatisticsWindowModel window(app, platform);
    window.reportChosen(o.kind);

    // The report's subject: a player for the complete statistics, else a team of the club.
    const auto chooseSubject = [&]() -> std::optional<std::string> {
        if (o.player != 0) {
            // The player list has no ".all" entry: its first entry is a player too.
            const int index = o.kind == stats::CompleteStats ? window.subjects.indexOf(o.player) : -1;
            if (index < 0) {
                return "there is no player " + std::to_string(o.player) + " to choose for report " +
                       std::to_string(o.kind) + " in \"" + o.database +
                       "\" (report 0 lists the active players of the club chosen; --all-players lists all)";
            }
            window.subjectChosen(index);
        } else if (!chooseEntry(window, window.subjects, o.team, &stats::StatisticsWindowModel::subjectChosen)) {
            return "there is no team " + std::to_string(o.team) +
                   (o.filters.club != 0 ? " of club " + std::to_string(o.filters.club) : "") + " in \"" +
                   o.database + "\"";
        }
        return std::nullopt;
    };
    if (const std::optional<std::string> refused =
            applyFilters(window, platform, o.filters, o.database, chooseSubject)) {
        return fail(*refused);
    }
    window.generateClicked();
    if (platform.message) {
        return fail(*platform.message);
    }
    if (!platform.report) {
        return fail("the report could not be produced");
    }
    web::WebContext web(app.header.options);
    web.pageImages = platform.pageImages;
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
