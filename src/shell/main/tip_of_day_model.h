#pragma once
// The tip of the day: one line at a time from "tipofday.txt", with Next and the
// "Show Tips at Startup" check box bound to the per-user setting.

#include "platform.h"

#include <string>
#include <vector>

namespace wickly {

class TipOfDayModel : public WindowModel
{
public:
    // Reads the tips from `tipsFile`; `first` is the tip shown first (taken modulo the count).
    TipOfDayModel(Platform& platform, const std::string& tipsFile, std::size_t first);

    std::string tip;
    bool showAtStartup = true;

    void nextClicked();
    void showAtStartupToggled(bool checked);

    std::size_t tipCount() const { return m_tips.size(); }

private:
    Platform& m_platform;
    std::vector<std::string> m_tips;
    std::size_t m_current = 0;
};

} // namespace wickly
