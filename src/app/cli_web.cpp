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

CLI::App* addWebCommand(CLI::App& app, WebOptions& o)
{
    CLI::App* web = app.add_subcommand(
        "web", "Generate the web site (\"Generate Web Pages\") with the database's web settings and page choices");
    web->add_option("DB", o.database, "The database file (.wkd)")->required();
    web->add_option("--out", o.out, "The web folder (default: \"web\" in the current folder; created if missing)");
    addFilterOptions(*web, o.filters,
                     {"Rows of the ranked reports, 5-3000 (0: the remembered length)",
                      "Add the players' historical figures where a report allows it",
                      "Give inactive players pages too (\"List: All\")"});
    return web;
}

int webCommand(const WebOptions& o, std::ostream& out, std::ostream& err)
{
    auto fail = [&](const std::string& message) { return failure(err, message); };
    LoadedDatabase db(o.database);
    if (!db.status) {
        return fail(db.status.message());
    }
    AppState& app = db.app;
    HeadlessPlatform platform;
    stats::StatisticsWindowModel window(app, platform);
    window.reportChosen(stats::GenerateWebPages);

    if (const std::optional<std::string> refused = applyFilters(window, platform, o.filters, o.database)) {
        return fail(*refused);
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
