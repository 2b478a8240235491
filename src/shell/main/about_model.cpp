#include "about_model.h"

#include "app_state.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace wickly {

AboutModel::AboutModel(Platform& platform) : m_platform(platform)
{
    version = std::string("Version ") + kProgramVersion;
    description = "Statistics for cricket clubs and competitions";
    copyright = "Match data of the sample database: Cricsheet, https://cricsheet.org";
}

const std::vector<std::string>& AboutModel::systemInfoTools()
{
    static const std::vector<std::string> tools{"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor",
                                                "xfce4-taskmanager", "lxtask"};
    return tools;
}

std::string findOnPath(const std::string& program, const std::string& pathVariable)
{
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string::npos) {
            end = pathVariable.size();
        }
        const std::string folder = pathVariable.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = (std::filesystem::path(folder) / program).string();
            if (::access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return {};
}

void AboutModel::systemInfoClicked()
{
    const char* path = std::getenv("PATH");
    for (const std::string& tool : systemInfoTools()) {
        const std::string found = findOnPath(tool, path ? path : "");
        if (!found.empty()) {
            if (!m_platform.startProgram(found, {})) {
                m_platform.message("The system information tool \"" + tool + "\" could not be started.", Buttons::Ok,
                                   Icon::Error);
            }
            return;
        }
    }
    m_platform.message("No system information tool is installed on this computer. Install one, such as "
                       "\"hardinfo\", to see the details of this system here.",
                       Buttons::Ok, Icon::Information);
}

} // namespace wickly
