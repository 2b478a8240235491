#include "cli_exchange.h"

#include "cli_support.h"
#include "container.h"
#include "file_io.h"
#include "match_file.h"
#include "match_import.h"
#include "text_encoding.h"
#include "working_set.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <utility>

namespace wickly::cli {

namespace {

int exportCommand(const std::string& database, const std::string& output, const std::vector<int>& wanted,
                  std::ostream& out, std::ostream& err)
{
    LoadedDatabase db(database);
    if (!db.status) {
        return failure(err, db.status.message());
    }
    AppState& app = db.app;
    const WorkingSet ws(app);
    std::vector<std::int32_t> matches;
    if (wanted.empty()) {
        // Every live match, in the order of the export window's list (date, then number).
        std::vector<std::pair<std::string, std::int32_t>> keyed;
        for (std::int32_t i = 1; i <= ws.count(RecordKind::Match); ++i) {
            const MatchRecord m = ws.read<MatchRecord>(i);
            if (IsLiveMatch(m)) {
                const std::string d = m.datePlayed.raw();
                keyed.emplace_back(d.substr(6, 4) + d.substr(3, 2) + d.substr(0, 2), i);
            }
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& k : keyed) {
            matches.push_back(k.second);
        }
    } else {
        for (const int n : wanted) {
            if (n < 1 || n > ws.count(RecordKind::Match)) {
                return failure(err, "there is no match " + std::to_string(n) + " in \"" + database + "\"");
            }
            if (!IsLiveMatch(ws.read<MatchRecord>(n))) {
                return failure(err, "match " + std::to_string(n) + " of \"" + database + "\" has been deleted");
            }
            matches.push_back(n);
        }
    }
    const std::string text = exchange::WriteMatchFile(ws, matches);
    const Status written =
        writeFileAtomically(output, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (!written) {
        return failure(err, "cannot write \"" + output + "\": " + written.message());
    }
    out << matches.size() << (matches.size() == 1 ? " match" : " matches") << " exported to " << output << '\n';
    return 0;
}

int importCommand(const std::string& database, const std::string& input, const std::string& output,
                  bool createMissing, std::ostream& out, std::ostream& err)
{
    const Result<std::vector<std::uint8_t>> bytes = readFileBytes(input);
    if (!bytes) {
        return failure(err, "cannot read \"" + input + "\": " + bytes.message());
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.value().data()), bytes.value().size());
    const Result<std::vector<exchange::FileMatch>> read = exchange::ReadMatchFile(text);
    if (!read) {
        return failure(err, input + ": " + read.message());
    }
    LoadedDatabase db(database);
    if (!db.status) {
        return failure(err, db.status.message());
    }
    AppState& app = db.app;
    const exchange::AskName ask = [&](const exchange::NameQuestion&) {
        exchange::NameAnswer a;
        a.action = createMissing ? exchange::NameAnswer::Action::NewEntryForAll
                                 : exchange::NameAnswer::Action::Unresolved;
        return a;
    };
    const Result<exchange::ImportSummary> done = exchange::ImportMatches(app, read.value(), ask);
    if (!done) {
        return failure(err, done.message());
    }
    const exchange::ImportSummary& s = done.value();
    if (!s.unresolved.empty()) {
        err << kToolName << ": " << s.unresolved.size()
            << (s.unresolved.size() == 1 ? " name" : " names")
            << " of \"" << input << "\" match no record or alias of \"" << database
            << "\" (use --create-missing to add them); nothing was written:\n";
        for (const std::string& name : s.unresolved) {
            err << "  " << cp1252ToUtf8(name) << '\n';
        }
        return 1;
    }
    Status saved = saveContainerFile(app, output);
    if (!saved) {
        return failure(err, saved.message());
    }
    out << cp1252ToUtf8(exchange::summaryText(s)) << '\n';
    return 0;
}

} // namespace

ExchangeCommands::ExchangeCommands(CLI::App& app)
{
    m_export = app.add_subcommand("export", "Write matches of a database into a match file (.mxp)");
    m_export->add_option("DB", m_database, "The database file (.wkd)")->required();
    m_export->add_option("OUT", m_file, "The match file to write; replaced if it exists")->required();
    m_export->add_option("--match", m_matches,
                         "A match record number to export (repeatable); all live matches when none is named");

    m_import = app.add_subcommand("import", "Add the matches of a match file (.mxp) to a database");
    m_import->add_option("DB", m_database, "The database file (.wkd) to add to; it is not changed")->required();
    m_import->add_option("IN", m_file, "The match file to read")->required();
    m_import->add_option("-o,--output", m_output, "The database file to write (.wkd); replaced if it exists")
        ->required();
    m_import->add_flag("--create-missing", m_createMissing,
                       "Create a club, team, grade, ground or player for every name that matches no record or "
                       "alias (without it such a name is an error)");
}

std::optional<int> ExchangeCommands::run(std::ostream& out, std::ostream& err) const
{
    if (m_export->parsed()) {
        return exportCommand(m_database, m_file, m_matches, out, err);
    }
    if (m_import->parsed()) {
        return importCommand(m_database, m_file, m_output, m_createMissing, out, err);
    }
    return std::nullopt;
}

} // namespace wickly::cli
