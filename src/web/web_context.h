#pragma once
// The program-wide state that HTML pages are written with: the database's web settings, the
// banner pictures of the next page, whether the web site generator is running, the player-link
// rule and today's date. One instance lives beside AppState and is passed by reference.

#include <functional>
#include <string>
#include <string_view>

namespace wickly {
struct DatabaseOptions;
}

namespace wickly::web {

// The optional pictures of the next page's banner. A page's producer sets them; WritePageHead
// uses and clears them, so they never carry over to another page. Empty means not in use.
struct PageImages
{
    std::string picture; // a picture shown on its own (a player's picture)
    std::string logo1;   // first club logo
    std::string link1;   // address the first logo links to
    std::string logo2;   // second club logo
    std::string link2;   // address the second logo links to

    void clear() { *this = PageImages{}; }
    bool empty() const;
};

// The rule that turns a player's name into an HTML link to that player's page; it yields an
// empty text for a name it does not link. Its result is HTML and is written as it is, so the
// rule itself must escape the name it shows.
using PlayerLinkRule = std::function<std::string(std::string_view name)>;

class WebContext
{
public:
    // `options` is read at every use, so it must outlive the context (AppState's header).
    explicit WebContext(const DatabaseOptions& options);

    const DatabaseOptions& options() const { return *m_options; }

    PageImages pageImages;
    // Set only while the web site generator runs: report pages get player links and leave the
    // page foot to the generator.
    bool siteGenerationActive = false;
    // Installed by the site generator; without it no name is linked.
    PlayerLinkRule playerLink;
    // Today as "dd/mm/yyyy" for the "Last updated" line; the system's local date unless a test
    // fixes it.
    std::function<std::string()> today;
    // Named in the comment line that heads every page.
    std::string productWebAddress;

    // The link for a player name, or empty: names are linked only while the site generator runs
    // and has installed its rule, so a report saved from the report window has no links.
    std::string playerLinkFor(std::string_view name) const;

private:
    const DatabaseOptions* m_options;
};

// The system's local date as "dd/mm/yyyy".
std::string systemToday();

} // namespace wickly::web
