#include "cli_commands.h"

#include "cli_convert.h"
#include "cli_exchange.h"
#include "cli_report.h"
#include "cli_support.h"
#include "cli_web.h"

#include "app_state.h"
#include "container.h"
#include "file_io.h"
#include "json_io.h"
#include "match_form.h"
#include "report_files.h"
#include "scorecard_text.h"
#include "text_file.h"
#include "web_context.h"
#include "text_encoding.h"
#include "working_set.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace wickly::cli {

namespace {

int infoCommand(const std::string& database, std::ostream& out, std::ostream& err)
{
    LoadedDatabase db(database);
    if (!db.status) {
        return failure(err, db.status.message());
    }
    AppState& app = db.app;
    const DatabaseHeader& h = app.header;
    out << "Title: " << cp1252ToUtf8(h.options.databaseTitle.str()) << '\n';
    out << "Version: " << cp1252ToUtf8(h.version.str()) << '\n';
    out << "Clubs: " << h.count(RecordKind::Club) << '\n';
    out << "Grades: " << h.count(RecordKind::Grade) << '\n';
    out << "Grounds: " << h.count(RecordKind::Ground) << '\n';
    out << "Teams: " << h.count(RecordKind::Team) << '\n';
    out << "Players: " << h.count(RecordKind::Player) << '\n';
    out << "Aliases: " << h.count(RecordKind::Alias) << '\n';
    out << "Special events: " << h.count(RecordKind::SpecialEvent) << '\n';
    out << "Matches: " << h.count(RecordKind::Match) << '\n';
    out << "Innings: " << h.count(RecordKind::Innings) << '\n';
    return 0;
}

int dumpCommand(const std::string& database, std::ostream& out, std::ostream& err)
{
    LoadedDatabase db(database);
    if (!db.status) {
        return failure(err, db.status.message());
    }
    AppState& app = db.app;
    const WorkingSet ws(app);
    out << dumpDatabaseJson(ws);
    return 0;
}

int buildCommand(const std::string& input, const std::string& database, std::ostream& err)
{
    const Result<std::vector<std::uint8_t>> json = readFileBytes(input);
    if (!json) {
        return failure(err, "cannot read \"" + input + "\": " + json.message());
    }
    PrivateFolder folder;
    AppState app = freshState(folder);
    const std::string_view text(reinterpret_cast<const char*>(json.value().data()), json.value().size());
    Status built = buildDatabaseFromJson(app, text);
    if (!built) {
        return failure(err, input + ": " + built.message());
    }
    Status saved = saveContainerFile(app, database);
    if (!saved) {
        return failure(err, saved.message());
    }
    return 0;
}

// The scorecard of match `match` as the report window saves it: the text form (title, subtitle,
// an empty line, the heading, the lines) or a whole HTML page, with CR LF line ends.
int scorecardCommand(const std::string& database, std::int32_t match, bool summary, const std::string& format,
                     std::ostream& out, std::ostream& err)
{
    LoadedDatabase db(database);
    if (!db.status) {
        return failure(err, db.status.message());
    }
    AppState& app = db.app;
    WorkingSet ws(app);
    const std::int32_t matches = ws.count(RecordKind::Match);
    if (match < 1 || match > matches) {
        return failure(err, "there is no match " + std::to_string(match) + " in \"" + database + "\" (it holds " +
                                std::to_string(matches) + (matches == 1 ? " match record)" : " match records)"));
    }
    if (!IsLiveMatch(ws.read<MatchRecord>(match))) {
        return failure(err, "match " + std::to_string(match) + " of \"" + database + "\" has been deleted");
    }
    const matches::MatchForm form(app, match);
    web::WebContext web(app.header.options);
    stats::ReportText report = matches::BuildScorecardText(
        form, ws, summary ? matches::ScorecardForm::Summary : matches::ScorecardForm::Full, &web.pageImages);
    web::TextFile file;
    const Status written = stats::WriteReportFile(
        file, report, format == "html" ? stats::ReportFileFormat::Html : stats::ReportFileFormat::Text, web);
    if (!written) {
        return failure(err, written.message());
    }
    out << file.text();
    return 0;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app("Reads and writes Wickly cricket statistics databases (.wkd) from scripts.", kToolName);
    app.require_subcommand(-1); // at most one command
    app.set_version_flag("--version", kProgramVersion);
    app.footer("Exit status: 0 on success, 1 when a command fails, 2 for a usage error.\n"
               "The JSON format is described in docs/json.md.");

    std::string database;
    std::string input;

    CLI::App* info = app.add_subcommand("info", "Print a database's title, version and number of records of each kind");
    info->add_option("DB", database, "The database file (.wkd)")->required();

    CLI::App* dump = app.add_subcommand("dump", "Print a whole database as JSON on standard output");
    dump->add_option("DB", database, "The database file (.wkd)")->required();

    CLI::App* build = app.add_subcommand("build", "Create a database from a JSON file (the form dump prints)");
    build->add_option("IN", input, "The JSON file to read")->required();
    build->add_option("OUT", database, "The database file to write (.wkd); replaced if it exists")->required();

    std::int32_t match = 0;
    bool summary = false;
    std::string format = "text";
    CLI::App* scorecard =
        app.add_subcommand("scorecard", "Print the scorecard of one match as the report window saves it");
    scorecard->add_option("DB", database, "The database file (.wkd)")->required();
    scorecard->add_option("MATCH", match, "The match record number (as in dump's matches, from 1)")->required();
    scorecard->add_flag("--summary", summary, "The summary form instead of the full scorecard");
    scorecard->add_option("--format", format, "text (the default) or html: a whole page")
        ->check(CLI::IsMember({"text", "html"}));

    std::string folder;
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert the old databases (*.cfg) in FOLDER/database into containers, as start-up does");
    convert->add_option("FOLDER", folder, "The folder the program starts in (it holds the \"database\" folder)")
        ->required();

    ExchangeCommands exchangeCommands(app);

    ReportOptions reportOptions;
    CLI::App* report = addReportCommand(app, reportOptions);

    WebOptions webOptions;
    CLI::App* web = addWebCommand(app, webOptions);

    try {
        app.parse(std::vector<std::string>(args.rbegin(), args.rend())); // CLI11 takes them reversed
    } catch (const CLI::Success& e) {
        return app.exit(e, out, err); // --help, --version
    } catch (const CLI::ParseError& e) {
        err << kToolName << ": " << oneLine(e.what()) << " (see " << kToolName << " --help)\n";
        return 2;
    }

    int status = 0;
    try {
        if (info->parsed()) {
            status = infoCommand(database, out, err);
        } else if (dump->parsed()) {
            status = dumpCommand(database, out, err);
        } else if (build->parsed()) {
            status = buildCommand(input, database, err);
        } else if (scorecard->parsed()) {
            status = scorecardCommand(database, match, summary, format, out, err);
        } else if (convert->parsed()) {
            status = convertCommand(folder, out, err);
        } else if (report->parsed()) {
            status = reportCommand(reportOptions, out, err);
        } else if (web->parsed()) {
            status = webCommand(webOptions, out, err);
        } else if (const std::optional<int> exchanged = exchangeCommands.run(out, err)) {
            status = *exchanged;
        } else {
            err << app.help();
            return 2;
        }
    } catch (const std::bad_alloc&) {
        // Record counts are capped while reading, but a large database may still need more memory
        // than there is.
        return failure(err, "there is not enough memory for this database");
    } catch (const std::exception& e) {
        return failure(err, e.what());
    }
    out.flush();
    if (status == 0 && !out) {
        return failure(err, "cannot write to standard output");
    }
    return status;
}

} // namespace wickly::cli
