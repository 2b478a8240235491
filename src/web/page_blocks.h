#pragma once
// The blocks every HTML file of the program is built from: the page head with its banner, the
// page foot, the colours of the web settings, and the two frame pages of a generated site (the
// frameset home page and the menu). Every line ends with CR LF. docs/report_formats.md shows
// the resulting pages.
//
// Safe HTML: a text that comes from the database or from a report (names, titles and subtitles,
// table cells, scorecard lines) goes through HtmlText, or HtmlAttribute inside an attribute
// value, so a name holding markup can neither break nor inject into a page. "<" and ">" always
// become entities; "&" does only where a browser would otherwise read a character reference
// ("&#", "&name;", "&copy"), so "Smith & Sons" and the scorecard's "c&b" are written as they
// are and ordinary pages keep their exact bytes.
// The program's own markup, and the HTML the user configures on purpose (the comment and
// copyright text, the header file), are written as they are.

#include "text_file.h"
#include "web_context.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wickly::web {

// Text with "<", ">" and a reference-starting "&" written as entities, for element content.
std::string HtmlText(std::string_view text);
// The same plus the double quote, for a value between double quotes in a tag.
std::string HtmlAttribute(std::string_view text);

// A stored colour (0x00BBGGRR) as "#RRGGBB" in upper-case hex. Only the low three bytes count.
std::string HtmlColour(std::uint32_t colour);

// Writes "<html>" up to and including the banner table: the head with the title, the body tag
// in the configured colours, the header file's lines, then the title, the banner pictures of
// `PageImages` (cleared afterwards) and the subtitle. Title and subtitle are plain text.
void WritePageHead(TextFile& out, WebContext& web, std::string_view title, std::string_view subtitle);

// Writes the page foot: comment text, "Last updated" date and the author line. The caller then
// writes "</body>" and "</html>".
void WritePageFoot(TextFile& out, const WebContext& web);

// The "Include Web Pages" choices, decoded from the two flag bytes of the database options,
// where a set bit means the page is left out.
struct WebPageChoices
{
    bool players = true;
    bool matches = true;
    bool ladder = true;
    bool indivPts = true;
    bool dropCts = true;
    bool runOuts = true;
    bool bCharts = true;
    bool hundredOnDebut = true;
    bool batStrikeRate = true;
    bool pCharts = true;
    bool youngest = true;
    bool pagePerGrade = true;
    bool hundredInBoth = true;
    bool seasonStats = true;
    bool showDucks = true;
    bool includeStrikeRates = true;

    static WebPageChoices fromFlags(std::uint8_t webPageFlags1, std::uint8_t webPageFlags2);
};

// How a site generation run was started, as far as the menu shows it.
struct SiteRun
{
    WebPageChoices pages;
    bool perGrade = false;       // one page set per grade: the menu links to the list of grades
    bool oneGradeChosen = false; // started with one grade chosen: the points ladder page exists
};

// The title of a page set: the database title, "Statistics" and, in per-grade generation, a line
// break and the grade's name. The result is HTML (the names escaped, the break as markup), ready
// for WriteHomePage and WriteMenuPage.
std::string SiteTitle(std::string_view databaseTitle, std::string_view gradeName, bool perGrade);

// The frameset home page of a page set. `titleHtml` is HTML (see SiteTitle); `gradePart` is the
// text after the file prefix in the names of this page set (the grade number, or empty).
void WriteHomePage(TextFile& out, const WebContext& web, std::string_view titleHtml, std::string_view gradePart);

// The menu page; `target` is empty for the no-frames page or ` target="intro"` for the menu frame.
void WriteMenuPage(TextFile& out, const WebContext& web, std::string_view titleHtml, std::string_view gradePart,
                   std::string_view target, const SiteRun& run);

} // namespace wickly::web
