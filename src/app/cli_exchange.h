#pragma once
// wickly-cli export and import: match files written from and read into a database.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace wickly::cli {

class ExchangeCommands
{
public:
    // Adds the two commands to the tool's parser.
    explicit ExchangeCommands(CLI::App& app);

    // Runs the command that was parsed, if it is one of these two: its exit code.
    std::optional<int> run(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_export = nullptr;
    CLI::App* m_import = nullptr;
    std::string m_database;
    std::string m_file;
    std::string m_output;
    std::vector<int> m_matches;
    bool m_createMissing = false;
};

} // namespace wickly::cli
