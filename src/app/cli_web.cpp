#include "cli_web.h"

#include "app_state.h"
#include "cli_support.h"
#include "container.h"
#include "site_generator.h"
#include "statistics_window_model.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>

namespace wickly::cli {

namespace {

// The desktop as the web command sees it: message boxes are collected (the first is a refusal of
// the options); no window is shown; charts are drawn by the exporter main() installed, if any.
class WebPlatform : public Platform
{
public:
    std::optional<std::string> message;

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
    void showModal(WindowModel&) override {}
    void showInPlaceOf(WindowModel&, WindowModel&) override {}
    std::optional<int> choosePrinter() override { return std::nullopt; }
    bool printDocument(const PrintDocument&, std::string& why) override
    {
        why = "no printer";
        return false;
    }
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    bool exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                         int quality) override
    {
        const ChartExporter& exporter = chartExporter();
        return exporter && exporter(chart, path, width, height, quality);
    }
};

} // namespace

CLI::App* addWebCommand(CLI::App& app, WebOptions& o)
{
    CLI::App* web = app.add_subcommand(
        "web", "Generate the web site (\"Generate Web Pages\") with the database's web settings and page choices");
    web->add_option("DB", o.database, "The database file (.wkd)")->required();
    web->add_option("--out", o.out, "The web folder (default: \"web\" in the current folder; created if missing)");
    web->add_option("--grade", o.grade, "Grade record number (0: the window's first choice)");
    web->add_option("--type", o.type, "Match type: 0 all, 1 1-day, 2 2-day, 3 4-day, 4 5-day")->check(CLI::Range(0, 4));
    web->add_option("--vs", o.vs, "Opposition club record number (0: any)");
    web->add_option("--club", o.club, "Subject club record number (0: the window's first choice)");
    web->add_option("--ground", o.ground, "Ground record number (0: any)");
    web->add_option("--rating", o.rating, "Player rating 1-5 (0: all players)")->check(CLI::Range(0, 5));
    web->add_option("--from", o.from, "First date, dd/mm/yyyy (default: the remembered date range)");
    web->add_option("--to", o.to, "Last date, dd/mm/yyyy (default: the remembered date range)");
    web->add_option("--length", o.length, "Rows of the ranked reports, 5-3000 (0: the remembered length)");
    web->add_flag("--first-innings", o.firstInnings, "Count only each side's first innings");
    web->add_flag("--history", o.history, "Add the players' historical figures where a report allows it");
    web->add_flag("--all-players", o.allPlayers, "Give inactive players pages too (\"List: All\")");
    return web;
}

int webCommand(const WebOptions& o, std::ostream& out, std::ostream& err)
{
    auto fail = [&](const std::string& message) { return failure(err, message); };
    PrivateFolder folder;
    AppState app = freshState(folder);
    const Status loaded = loadContainerFile(app, o.database);
    if (!loaded) {
        return fail(loaded.message());
    }
    WebPlatform platform;
    stats::StatisticsWindowModel window(app, platform);
    window.reportChosen(stats::GenerateWebPages);

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
    const auto noRecord = [&](const char* kind, int record) {
        return fail("there is no " + std::string(kind) + " " + std::to_string(record) + " in \"" + o.database + "\"");
    };
    if (!choose(window.subjectClubs, o.club, &M::subjectClubChosen)) {
        return noRecord("club", o.club);
    }
    if (o.allPlayers) {
        window.listOptionChosen(false);
    }
    if (!choose(window.vsClubs, o.vs, &M::vsClubChosen)) {
        return noRecord("club", o.vs);
    }
    if (!choose(window.grounds, o.ground, &M::groundChosen)) {
        return noRecord("ground", o.ground);
    }
    if (!choose(window.grades, o.grade, &M::gradeChosen)) {
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
            return fail(std::string(t.name) + " " + t.text + ": " + *platform.message);
        }
    }
    if (o.firstInnings) {
        window.firstInningsTicked(true);
    }
    if (o.history) {
        window.includeHistoryTicked(true);
    }

    // "Generate!" with the generator writing into the folder asked for.
    std::optional<Result<site::SiteOutcome>> outcome;
    bool progressShown = false;
    window.generateSite = [&](stats::StatisticsWindowModel& w) {
        site::SiteSettings settings;
        settings.webFolder = o.out;
        settings.progress = [&](int percent) {
            out << "\rGenerating web pages: " << percent << "%" << std::flush;
            progressShown = true;
        };
        outcome.emplace(site::GenerateSite(app, platform, w, settings));
    };
    window.generateClicked();
    if (progressShown) {
        out << '\n';
    }
    if (platform.message) {
        return fail(*platform.message);
    }
    if (!outcome) {
        return fail("the web site could not be generated");
    }
    if (!*outcome) {
        return fail(outcome->message());
    }
    out << outcome->value().message << '\n';
    return 0;
}

} // namespace wickly::cli
