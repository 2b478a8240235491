#include "tip_of_day_model.h"

#include "fixed_text.h"

#include <fstream>

namespace wickly {

TipOfDayModel::TipOfDayModel(Platform& platform, const std::string& tipsFile, std::size_t first)
    : m_platform(platform)
{
    std::ifstream in(tipsFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!isBlankText(line)) {
            m_tips.push_back(line);
        }
    }
    showAtStartup = showTipsAtStartup(platform);
    if (m_tips.empty()) {
        tip = "No tips are available: the file \"tipofday.txt\" is missing from the program's folder.";
        return;
    }
    m_current = first % m_tips.size();
    tip = m_tips[m_current];
}

void TipOfDayModel::nextClicked()
{
    if (m_tips.empty()) {
        return;
    }
    m_current = (m_current + 1) % m_tips.size();
    tip = m_tips[m_current];
}

void TipOfDayModel::showAtStartupToggled(bool checked)
{
    showAtStartup = checked;
    setShowTipsAtStartup(m_platform, checked);
}

} // namespace wickly
