#include "startup.h"

#include "app_state.h"
#include "formats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace wickly {

namespace {

// The truth value of a "Bowling" entry: the words true and false in any case, or a number
// (0 false, anything else true). Any other text counts as false.
bool legacyBool(const std::string& value)
{
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    const std::string word = ltrimBlanks(rtrimBlanks(lower));
    if (word == "true") {
        return true;
    }
    if (word == "false") {
        return false;
    }
    return ValText(value) != 0;
}

// Old databases came from a system that ignores case in file names.
bool isCfgExtension(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".cfg";
}

} // namespace

LegacySettings readLegacySettings(const std::string& folder, bool remove)
{
    LegacySettings s;
    double noBall = 0;
    const fs::path path = fs::path(folder) / "wickly.ini";
    std::error_code ec;
    if (fs::exists(path, ec)) {
        bool read = false;
        {
            std::ifstream in(path, std::ios::binary);
            read = in.is_open();
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                const std::size_t eq = line.find('=');
                if (eq == std::string::npos) {
                    continue;
                }
                const std::string key = line.substr(0, eq);
                const std::string value = line.substr(eq + 1);
                if (key == "Bowling") {
                    s.bowlingRunsFirst = legacyBool(value);
                } else if (key == "Noball") {
                    noBall = ValText(value);
                } else if (key.size() >= 8 && key.compare(0, 7, "MPoints") == 0) {
                    // Only the eighth character is the index, unless the eighth and ninth read "10".
                    const int index = key.compare(7, 2, "10") == 0 ? 10 : static_cast<int>(ValText(key.substr(7, 1)));
                    // Points are stored as 16-bit numbers: keep the value inside that range.
                    const double points = std::clamp(RoundHalfEven(ValText(value)), -32768.0, 32767.0);
                    s.points[static_cast<std::size_t>(index)] = static_cast<int>(points);
                }
            }
        }
        if (read && remove) {
            fs::remove(path, ec);
        }
    }
    s.runsPerNoBall = (noBall < 1 || noBall > 9) ? 1 : static_cast<int>(RoundHalfEven(noBall));
    return s;
}

std::vector<std::string> findOldDatabases(const std::string& startupFolder)
{
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path database = fs::path(startupFolder) / "database";
    if (fs::is_directory(database, ec)) {
        for (const fs::directory_entry& e : fs::directory_iterator(database, ec)) {
            const fs::path& p = e.path();
            if (e.is_regular_file(ec) && isCfgExtension(p)) {
                names.push_back(p.filename().string());
            }
        }
        std::sort(names.begin(), names.end());
    }
    return names;
}

StartupResult prepareStartup(AppState& app, const std::string& currentFolder)
{
    StartupResult r;
    app.programVersion = kProgramVersion;
    std::error_code ec;
    fs::create_directory(fs::path(currentFolder) / "web", ec); // an error is of no consequence
    app.startupFolder = currentFolder;

    r.oldDatabases = findOldDatabases(app.startupFolder);
    // The settings only feed the conversion of old databases: while any wait for it, the file stays.
    r.legacy = readLegacySettings(currentFolder, r.oldDatabases.empty());

    app.header.options.databaseTitle = {};
    app.workingBase.clear();
    return r;
}

} // namespace wickly
