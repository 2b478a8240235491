#pragma once
// The content of the report window: what every statistics report and scorecard is made of.

#include <string>
#include <string_view>
#include <vector>

namespace wickly::stats {

// Title, subtitle, heading line and body lines of a report. Body lines are fixed-pitch text whose
// columns start under the column titles of the heading. A heading that begins "Club:" (a
// player's complete statistics) or "Match" (a scorecard) marks free-form text, not a table.
struct ReportText
{
    std::string title;
    std::string subtitle;
    std::string heading;
    std::vector<std::string> lines;

    // Producers clear the heading and the lines before filling them.
    void clearBody()
    {
        heading.clear();
        lines.clear();
    }
    // A scorecard: the heading starts "Match".
    bool isScorecard() const;
    // Free-form text: the heading, without trailing blanks, starts "Club:" or "Match".
    bool isFreeForm() const;
};

// The index of the save buttons "Text Save", "CSV Save" and "HTML Save".
enum class ReportFileFormat
{
    Text = 0,
    Csv = 1,
    Html = 2,
};

// The report as one text for the clipboard: title, subtitle, an empty line, heading, lines, each
// followed by CR LF.
std::string ReportCopyText(const ReportText& report);

} // namespace wickly::stats
