#pragma once
// The About box: the program's title and version, and a button that starts the desktop's
// system-information tool.

#include "platform.h"

#include <string>
#include <vector>

namespace wickly {

class AboutModel : public WindowModel
{
public:
    explicit AboutModel(Platform& platform);

    std::string title = "Wickly";
    std::string version;     // "Version 2.6d"
    std::string description; // one line on what the program is
    std::string copyright;

    // System-information tools tried in this order; the first one found on the PATH is started.
    static const std::vector<std::string>& systemInfoTools();

    void systemInfoClicked();

private:
    Platform& m_platform;
};

} // namespace wickly
