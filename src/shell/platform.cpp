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

bool showTipsAtStartup(Platform& platform)
{
    return platform.readSetting(kOptionsSection, kShowTipsKey, "1") != "0";
}

void setShowTipsAtStartup(Platform& platform, bool show)
{
    platform.writeSetting(kOptionsSection, kShowTipsKey, show ? "1" : "0");
}

} // namespace wickly
