#include "web_context.h"

#include "app_state.h"

#include <cstdio>
#include <ctime>

namespace wickly::web {

bool PageImages::empty() const
{
    return picture.empty() && logo1.empty() && link1.empty() && logo2.empty() && link2.empty();
}

WebContext::WebContext(const DatabaseOptions& options)
    : today(systemToday), productWebAddress(kProgramWebAddress), m_options(&options)
{
}

std::string WebContext::playerLinkFor(std::string_view name) const
{
    if (!siteGenerationActive || !playerLink) {
        return {};
    }
    return playerLink(name);
}

std::string systemToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return text;
}

} // namespace wickly::web
