#include "cli_convert.h"

#include "cli_support.h"

#include "app_state.h"
#include "convert.h"
#include "platform.h"
#include "startup.h"
#include "text_encoding.h"

#include <filesystem>
#include <ostream>

namespace wickly::cli {

namespace {

// The desktop as the conversion sees it: every message is printed as one line and every question
// takes its default answer.
class PrintingPlatform : public HeadlessPlatform
{
public:
    explicit PrintingPlatform(std::ostream& out) : m_out(out) {}

    Button messageBox(const MessageBoxRequest& request) override
    {
        m_out << oneLine(cp1252ToUtf8(request.text)) << '\n';
        return defaultAnswer(request);
    }

private:
    std::ostream& m_out;
};

} // namespace

int convertCommand(const std::string& folder, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return failure(err, "\"" + folder + "\" is not a folder");
    }
    AppState app;
    app.startupFolder = folder;
    StartupResult startup;
    startup.oldDatabases = findOldDatabases(folder);
    if (startup.oldDatabases.empty()) {
        out << "No old databases in \"" << (std::filesystem::path(folder) / "database").string() << "\".\n";
        return 0;
    }
    startup.legacy = readLegacySettings(folder, false);
    PrintingPlatform platform(out);
    const ConversionReport report = convertAtStartup(app, platform, startup);
    return report.leftAlone.empty() ? 0 : 1;
}

} // namespace wickly::cli
