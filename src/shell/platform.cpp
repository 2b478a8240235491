#include "platform.h"

namespace wickly {

Button Platform::message(std::string text, Buttons buttons, Icon icon, int defaultButton, std::string title)
{
    MessageBoxRequest r;
    r.text = std::move(text);
    r.title = std::move(title);
    r.buttons = buttons;
    r.icon = icon;
    r.defaultButton = defaultButton;
    return messageBox(r);
}

std::optional<int> Platform::runProgram(const std::string&, const std::vector<std::string>&)
{
    return std::nullopt; // a platform that cannot run programs
}

void Platform::previewChart(const ChartDocument&) {}

bool Platform::exportChartJpeg(const ChartDocument&, const std::string&, int, int, int)
{
    return false; // a platform that cannot draw charts
}

bool showTipsAtStartup(Platform& platform)
{
    return platform.readSetting(kOptionsSection, kShowTipsKey, "1") != "0";
}

void setShowTipsAtStartup(Platform& platform, bool show)
{
    platform.writeSetting(kOptionsSection, kShowTipsKey, show ? "1" : "0");
}

} // namespace wickly
