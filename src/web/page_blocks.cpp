#include "page_blocks.h"

#include "database_header.h"
#include "file_io.h"
#include "formats.h"
#include "text_encoding.h"

#include <array>
#include <cstdio>
#include <vector>

namespace wickly::web {

namespace {

// A text setting counts as present when it is not empty after removing trailing blanks and does
// not start with a zero byte; an absent setting reads as empty.
template <std::size_t N> std::string setting(const FixedText<N>& field)
{
    return field.first() == '\0' ? std::string() : field.str();
}

// The same rule for the banner texts set by page producers.
std::string present(std::string_view text)
{
    if (text.empty() || text.front() == '\0') {
        return {};
    }
    return rtrimBlanks(text);
}

std::string quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

// The named character references browsers still read without a closing semicolon.
constexpr std::string_view kLegacyEntities[] = {
    "AElig", "AMP", "Aacute", "Acirc", "Agrave", "Aring", "Atilde", "Auml", "COPY", "Ccedil", "ETH", "Eacute",
    "Ecirc", "Egrave", "Euml", "GT", "Iacute", "Icirc", "Igrave", "Iuml", "LT", "Ntilde", "Oacute", "Ocirc",
    "Ograve", "Oslash", "Otilde", "Ouml", "QUOT", "REG", "THORN", "Uacute", "Ucirc", "Ugrave", "Uuml", "Yacute",
    "aacute", "acirc", "acute", "aelig", "agrave", "amp", "aring", "atilde", "auml", "brvbar", "ccedil", "cedil",
    "cent", "copy", "curren", "deg", "divide", "eacute", "ecirc", "egrave", "eth", "euml", "frac12", "frac14",
    "frac34", "gt", "iacute", "icirc", "iexcl", "igrave", "iquest", "iuml", "laquo", "lt", "macr", "micro",
    "middot", "nbsp", "not", "ntilde", "oacute", "ocirc", "ograve", "ordf", "ordm", "oslash", "otilde", "ouml",
    "para", "plusmn", "pound", "quot", "raquo", "reg", "sect", "shy", "sup1", "sup2", "sup3", "szlig", "thorn",
    "times", "uacute", "ucirc", "ugrave", "uml", "uuml", "yacute", "yen", "yuml"};

bool isAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when the "&" at `at` would be read by a browser as the start of a character reference:
// "&#", "&name;" or one of the legacy names that need no semicolon. Any other "&" ("c&b",
// "Smith & Sons") shows as itself and is written unchanged, so ordinary pages stay as they are.
bool startsReference(std::string_view text, std::size_t at)
{
    const std::string_view rest = text.substr(at + 1);
    if (!rest.empty() && rest.front() == '#') {
        return true;
    }
    std::size_t n = 0;
    while (n < rest.size() && isAsciiAlnum(rest[n])) {
        ++n;
    }
    if (n == 0) {
        return false;
    }
    if (n < rest.size() && rest[n] == ';') {
        return true;
    }
    for (std::string_view name : kLegacyEntities) {
        if (rest.substr(0, n).starts_with(name)) {
            return true;
        }
    }
    return false;
}

std::string escape(std::string_view text, bool quotes)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&': out += startsReference(text, i) ? "&amp;" : "&"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (quotes) {
                out += "&quot;";
            } else {
                out += c;
            }
            break;
        default: out += c;
        }
    }
    return out;
}

// An HTML title (already escaped text and the program's markup) placed in an attribute value:
// only a double quote, which can only have come from a database text, still needs an entity.
std::string htmlInAttribute(std::string_view html)
{
    std::string out;
    for (char c : html) {
        if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string productComment(const WebContext& web)
{
    return "<! Produced by Wickly, " + web.productWebAddress + " !>";
}

std::string bodyLine(const WebContext& web)
{
    const DatabaseOptions& o = web.options();
    const std::string selected = quoted(HtmlColour(o.webSelectedLinkColour));
    std::string line = "<body ";
    const std::string background = setting(o.webBackgroundUrl);
    if (!background.empty()) {
        line += "BACKGROUND=" + quoted(HtmlAttribute(background)) + " ";
    }
    line += "BGCOLOR=" + quoted(HtmlColour(o.webBackColour)) + " LINK=" + quoted(HtmlColour(o.webLinkColour)) +
            " VLINK=" + selected + " ALINK=" + selected + " TEXT=" + quoted(HtmlColour(o.webForeColour)) + ">";
    return line;
}

// A club logo, linked to the club's address when there is one.
std::string logoCell(const std::string& logo, const std::string& link)
{
    const std::string image = "<img src=" + quoted(HtmlAttribute(logo)) + " HSPACE border=0>";
    if (link.empty()) {
        return image;
    }
    return "<a href=" + quoted(HtmlAttribute(link)) + " target=" + quoted("_top") + ">" + image + "</a>";
}

std::string filePrefix(const WebContext& web)
{
    return setting(web.options().webFilePrefix);
}

} // namespace

std::string HtmlText(std::string_view text)
{
    return escape(text, false);
}

std::string HtmlAttribute(std::string_view text)
{
    return escape(text, true);
}

std::string HtmlColour(std::uint32_t colour)
{
    // Stored as 0x00BBGGRR; a value with a high byte (a system colour of an old database) keeps
    // its three colour bytes rather than shifting the digits.
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(colour & 0xFFu),
                  static_cast<unsigned>((colour >> 8) & 0xFFu), static_cast<unsigned>((colour >> 16) & 0xFFu));
    return text;
}

void WritePageHead(TextFile& out, WebContext& web, std::string_view title, std::string_view subtitle)
{
    const DatabaseOptions& o = web.options();
    const std::string fore = quoted(HtmlColour(o.webForeColour));
    // Title and subtitle are report or database texts: escaped.
    const std::string titleHtml = HtmlText(title);

    out.line("<html>");
    out.line("<head>");
    out.line(productComment(web));
    out.line("<title>" + titleHtml + "</title>");
    out.line("<meta http-equiv=" + quoted("expires") + " content=" + quoted("0") + ">");
    out.line("</head>");
    out.line(bodyLine(web));

    // The header file is HTML the user wrote for every page: copied as it is. A file that cannot
    // be read is skipped without a message.
    const std::string headerFile = setting(o.webHeaderFile);
    if (!headerFile.empty()) {
        // Stored in the database's Windows-1252 text; the file system names files in UTF-8.
        const auto bytes = readFileBytes(cp1252ToUtf8(headerFile));
        if (bytes) {
            const std::vector<std::uint8_t>& b = bytes.value();
            for (const std::string& l : SplitLines(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()))) {
                out.line(l);
            }
        }
    }

    std::vector<std::string> cells;
    const PageImages& images = web.pageImages;
    const std::string picture = present(images.picture);
    const std::string logo1 = present(images.logo1);
    const std::string logo2 = present(images.logo2);
    if (!picture.empty()) {
        cells.push_back("<img src=" + quoted(HtmlAttribute(picture)) + ">");
    } else if (!logo1.empty()) {
        cells.push_back(logoCell(logo1, present(images.link1)));
    }
    if (!logo2.empty()) {
        cells.push_back(logoCell(logo2, present(images.link2)));
    }
    web.pageImages.clear();

    out.line("<table cellpadding=10 cellspacing=1 border=0>");
    out.line("<tr bgcolor=" + fore + "><td align=center><strong><font size=5 face=Arial color=white>" + titleHtml +
             "</font></strong></td></tr>");
    if (!cells.empty()) {
        out.line("<tr bgcolor=" + fore + "><td align=center>");
        out.line("<table border=0 cellspacing=10 cellpadding=5><tr bgcolor=white>");
        for (const std::string& cell : cells) {
            out.line("<td align=center>" + cell + "</td>");
        }
        out.line("</td></tr></table></tr>");
    }
    if (!subtitle.empty()) {
        out.line("<tr bgcolor=" + fore + "><td align=center><strong><font size=3 face=Arial color=white>" +
                 HtmlText(subtitle) + "</font></strong></td></tr>");
    }
    out.line("</table>");
}

void WritePageFoot(TextFile& out, const WebContext& web)
{
    const DatabaseOptions& o = web.options();
    out.line("<p><font size=" + quoted("1") + " face=" + quoted("Arial") + ">");
    // The comment and copyright text is the user's own HTML: written as it is.
    const std::string copyright = setting(o.webCopyrightText);
    if (!copyright.empty()) {
        out.line(copyright + " ");
    }
    out.line("Last updated " + MediumDate(web.today ? web.today() : systemToday()) + ".");
    const std::string email = setting(o.webAuthorEmail);
    const std::string author = setting(o.webAuthorName);
    if (!email.empty() && !author.empty()) {
        out.line("Send comments to <a href=" + quoted("mailto:" + HtmlAttribute(email)) + ">" + HtmlText(author) +
                 "</a> about this web page.");
    }
    out.line("</font></p>");
    out.line("<p>&nbsp;</p></font>");
}

WebPageChoices WebPageChoices::fromFlags(std::uint8_t webPageFlags1, std::uint8_t webPageFlags2)
{
    // A set bit means the box is cleared.
    const auto on = [](std::uint8_t flags, unsigned bit) { return (flags & bit) == 0; };
    WebPageChoices c;
    c.players = on(webPageFlags1, 1);
    c.matches = on(webPageFlags1, 2);
    c.ladder = on(webPageFlags1, 4);
    c.indivPts = on(webPageFlags1, 8);
    c.dropCts = on(webPageFlags1, 16);
    c.runOuts = on(webPageFlags1, 32);
    c.bCharts = on(webPageFlags1, 64);
    c.hundredOnDebut = on(webPageFlags1, 128);
    c.batStrikeRate = on(webPageFlags2, 1);
    c.pCharts = on(webPageFlags2, 2);
    c.youngest = on(webPageFlags2, 4);
    c.pagePerGrade = on(webPageFlags2, 8);
    c.hundredInBoth = on(webPageFlags2, 16);
    c.seasonStats = on(webPageFlags2, 32);
    c.showDucks = on(webPageFlags2, 64);
    c.includeStrikeRates = on(webPageFlags2, 128);
    return c;
}

std::string SiteTitle(std::string_view databaseTitle, std::string_view gradeName, bool perGrade)
{
    const std::string title = rtrimBlanks(databaseTitle);
    std::string html = HtmlText(title) + (title.empty() ? "" : " ") + "Statistics";
    if (perGrade) {
        html += "<br>" + HtmlText(rtrimBlanks(gradeName.substr(0, 40)));
    }
    return html;
}

void WriteHomePage(TextFile& out, const WebContext& web, std::string_view titleHtml, std::string_view gradePart)
{
    const std::string pfx = HtmlAttribute(filePrefix(web) + std::string(gradePart));
    const std::string titleAttribute = htmlInAttribute(titleHtml);
    out.line("<html>");
    out.line("<head>");
    out.line("   <meta name=" + quoted("GENERATOR") + " content=" + quoted("Wickly") + ">");
    out.line("   <title>" + std::string(titleHtml) + "</title>");
    out.line("   <meta name=" + quoted("DESCRIPTION") + " content=" + quoted(titleAttribute) + ">");
    out.line("   <meta name=" + quoted("KEYWORDS") + " content=" + quoted("cricket statistics," + titleAttribute) +
             ">");
    out.line("</head>");
    out.line("<frameset border=" + quoted("no") + " frameborder=" + quoted("0") + " framespacing=" + quoted("0") +
             " cols=" + quoted("165,*") + ">");
    out.line("   <frame src=" + quoted(pfx + "fr.htm") + " name=" + quoted("menu") + " noresize marginwidth=" +
             quoted("5") + " marginheight=" + quoted("5") + " scrolling=" + quoted("auto") + ">");
    out.line("   <frame src=" + quoted(pfx + "r40.htm") + " name=" + quoted("intro") + " noresize marginwidth=" +
             quoted("10") + " marginheight=" + quoted("5") + " scrolling=" + quoted("AUTO") + ">");
    out.line("   <noframes>");
    out.line("      <p>Your browser does not support frames.  Click <a href=" + quoted(pfx + "nf.htm") +
             ">here</a> to view the no frames version.</p>");
    out.line("   </noframes>");
    out.line("</frameset>");
    out.line("</html>");
}

namespace {

// Which web option decides whether a menu entry appears.
enum class ShownWhen
{
    Always,
    BatStrikeRate,
    SeasonStats,
    HundredOnDebut,
    HundredInBoth,
    ShowDucks,
    RunOuts,
    DropCts,
    Youngest,
    IndivPts,
    Ladder,
};

struct MenuEntry
{
    int report; // catalogue index, the N of the page "r<N>.htm"
    const char* text;
    ShownWhen when;
};

struct MenuSection
{
    const char* name;
    std::vector<MenuEntry> entries;
};

// clang-format off
const std::array<MenuSection, 4>& menuSections()
{
    static const std::array<MenuSection, 4> sections{{
        {"Batting", {
            {6, "Top Run Aggregrates", ShownWhen::Always},
            {7, "Top Run Scores", ShownWhen::Always},
            {9, "Top Batting Averages", ShownWhen::Always},
            {10, "Top Strike Rates", ShownWhen::BatStrikeRate},
            {8, "Most Runs in Season", ShownWhen::SeasonStats},
            {11, "Partnerships by Wkt", ShownWhen::Always},
            {12, "Top Partnerships", ShownWhen::Always},
            {13, "Most Innings of 100", ShownWhen::Always},
            {14, "Most Innings of 50", ShownWhen::Always},
            {15, "100's on Debut", ShownWhen::HundredOnDebut},
            {16, "100 in Both Inn's", ShownWhen::HundredInBoth},
            {17, "Carrying the Bat", ShownWhen::Always},
            {18, "Most Ducks", ShownWhen::ShowDucks},
        }},
        {"Bowling", {
            {19, "Top Wicket Takers", ShownWhen::Always},
            {20, "Best Bowling in an Inn's", ShownWhen::Always},
            {21, "Top Bowling Averages", ShownWhen::Always},
            {23, "Top Econ Rates", ShownWhen::Always},
            {24, "Top Strike Rates", ShownWhen::Always},
            {22, "Most Wkts in Season", ShownWhen::SeasonStats},
            {25, "Hat Tricks", ShownWhen::Always},
            {26, "Most 10 Wicket Mt's", ShownWhen::Always},
            {27, "Most 5 Wicket Innings", ShownWhen::Always},
        }},
        {"Individual", {
            {5, "Complete Stats", ShownWhen::Always},
            {28, "Top All-Rounders", ShownWhen::Always},
            {35, "Top Wicket Keeping", ShownWhen::Always},
            {29, "Top Catches", ShownWhen::Always},
            {30, "Top Catches by Field", ShownWhen::Always},
            {31, "Most Catches in Match", ShownWhen::Always},
            {34, "Top Run-outs", ShownWhen::RunOuts},
            {33, "Most Dropped Catches", ShownWhen::DropCts},
            {32, "Most Catches in Season", ShownWhen::SeasonStats},
            {2, "Longest Served Players", ShownWhen::Always},
            {4, "Youngest Players", ShownWhen::Youngest},
            {3, "Most Matches Played", ShownWhen::Always},
            {36, "Captaincy", ShownWhen::Always},
            {1, "Top Points Scorers", ShownWhen::IndivPts},
        }},
        {"Team", {
            {37, "Highest Innings Scores", ShownWhen::Always},
            {38, "Lowest Innings Scores", ShownWhen::Always},
            {39, "Team Result Summary", ShownWhen::Always},
            {41, "Team Points Ladder", ShownWhen::Ladder},
        }},
    }};
    return sections;
}
// clang-format on

bool shown(ShownWhen when, const SiteRun& run)
{
    const WebPageChoices& p = run.pages;
    switch (when) {
    case ShownWhen::Always: return true;
    case ShownWhen::BatStrikeRate: return p.batStrikeRate;
    case ShownWhen::SeasonStats: return p.seasonStats;
    case ShownWhen::HundredOnDebut: return p.hundredOnDebut;
    case ShownWhen::HundredInBoth: return p.hundredInBoth;
    case ShownWhen::ShowDucks: return p.showDucks;
    case ShownWhen::RunOuts: return p.runOuts;
    case ShownWhen::DropCts: return p.dropCts;
    case ShownWhen::Youngest: return p.youngest;
    case ShownWhen::IndivPts: return p.indivPts;
    case ShownWhen::Ladder: return p.ladder && run.oneGradeChosen;
    }
    return false;
}

} // namespace

void WriteMenuPage(TextFile& out, const WebContext& web, std::string_view titleHtml, std::string_view gradePart,
                   std::string_view target, const SiteRun& run)
{
    const DatabaseOptions& o = web.options();
    const std::string prefix = HtmlAttribute(filePrefix(web));
    const std::string pfx = prefix + HtmlAttribute(gradePart);
    const std::string fore = quoted(HtmlColour(o.webForeColour));
    const std::string title(titleHtml);

    out.line("<html>");
    out.line("<head>");
    out.line(productComment(web));
    out.line("<title>" + title + "</title>");
    out.line("</head>");
    out.line(bodyLine(web));
    out.line("<font face=" + quoted("Arial, Helvetica, sans-serif") + ">");
    out.line("<table width=139 cellspacing=0 cellpadding=10 border=0>");
    out.line("<tr bgcolor=" + fore + "><td><b><font size=4 face=Arial color=white>" + title + "</font></b></td></tr>");
    out.line("</table>");

    const std::string tableStart =
        "<table width=139 cellpadding=2 cellspacing=0 border=0 bgcolor=" + quoted("#FFFF99") +
        "><tr bgcolor=" + quoted("#FFCC00") + ">";
    const std::string topEntry = "<tr bgcolor=" + quoted("#FFCC00") + "><td><font size=" + quoted("1") +
                                 " face=" + quoted("Verdana") + "><a href=";
    out.line(tableStart);
    const std::string home = setting(o.webHomeUrl);
    if (!home.empty()) {
        out.line(topEntry + quoted(HtmlAttribute(home)) + " target=" + quoted("_top") +
                 "><b>Return Home</b></font></td></tr>");
    }
    out.line(topEntry + quoted(pfx + "r40.htm") + std::string(target) + "><b>Statistics Summary</b></font></td></tr>");
    if (run.pages.players) {
        out.line(topEntry + quoted(pfx + "play.htm") + std::string(target) +
                 "><b>List of Players</b></font></td></tr>");
    }
    if (run.pages.matches) {
        out.line(topEntry + quoted(pfx + "ma.htm") + std::string(target) +
                 "><b>List of Matches</strong></font></td></tr>");
    }
    if (run.perGrade) {
        out.line(topEntry + quoted(prefix + "grade.htm") + std::string(target) +
                 "><b>Other Grades</strong></font></td></tr>");
    }
    out.line("</table>");

    for (const MenuSection& section : menuSections()) {
        out.line(tableStart + "<td><font size=" + quoted("1") + " face=" + quoted("Verdana") + "><b>" + section.name +
                 "</b></font></td></tr>");
        for (const MenuEntry& entry : section.entries) {
            if (shown(entry.when, run)) {
                out.line("<tr><td><font size=1 face=Verdana><a href=" +
                         quoted(pfx + "r" + std::to_string(entry.report) + ".htm") + std::string(target) + ">" +
                         entry.text + "</font></td></tr>");
            }
        }
        out.line("</table>");
    }
    out.line("&nbsp;</body>");
    out.line("</html>");
}

} // namespace wickly::web
