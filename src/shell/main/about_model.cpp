#include "about_model.h"

#include "app_state.h"
#include "file_io.h"

#include <cstdlib>

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
