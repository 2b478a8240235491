#include "report_files.h"

#include "formats.h"
#include "page_blocks.h"
#include "text_file.h"
#include "web_context.h"

namespace wickly::stats {

namespace {

std::string rtrimSpaces(std::string_view s)
{
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return std::string(s);
}

// The characters of `row` from 1-based position `start` up to, not including, `end`.
std::string_view slice(std::string_view row, std::size_t start, std::size_t end)
{
    if (start > row.size() || end <= start) {
        return {};
    }
    return row.substr(start - 1, end - start);
}

constexpr const char* kBannerStart = "<table border=0 width=500 bgcolor=#ffcc00><tr><td>";

void writeText(web::TextFile& out, const ReportText& report)
{
    out.line(report.title);
    out.line(report.subtitle);
    out.line();
    out.line(report.heading);
    for (const std::string& line : report.lines) {
        out.line(line);
    }
}

// Every cell between double quotes, joined by commas. A double quote inside a cell is doubled,
// so a name such as `Smith "Jnr"` still reads back as one cell.
std::string csvLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += '"';
        for (char c : cells[i]) {
            line += c;
            if (c == '"') {
                line += '"';
            }
        }
        line += '"';
    }
    return line;
}

void writeCsv(web::TextFile& out, const ReportText& report)
{
    const HeadingColumns columns(report.heading);
    out.line(csvLine(columns.cut(report.heading)));
    for (const std::string& line : report.lines) {
        out.line(csvLine(columns.cut(line)));
    }
}

// A player's complete statistics or a scorecard, kept as preformatted text. Every report text is
// escaped with HtmlText; links come from the player-link rule as HTML and are written as they are.
void writeFreeFormBody(web::TextFile& out, const ReportText& report, const web::WebContext& web)
{
    using web::HtmlText;
    out.line("<pre>");
    out.line(std::string(kBannerStart) + "<strong>" + HtmlText(report.heading) + "</strong></td></tr></table>");
    for (const std::string& line : report.lines) {
        if (line.empty()) {
            out.line();
        } else if (static_cast<unsigned char>(line.front()) >= 'A') {
            // A section heading: a banner table, directly followed by the next line.
            out.write(std::string(kBannerStart) + "<b>" + HtmlText(line) + "</b></td></tr></table>");
        } else if (line.size() < 23) {
            out.line(HtmlText(line));
        } else {
            // Characters 5 to 22 hold a player's name.
            const std::string_view field = std::string_view(line).substr(4, 18);
            const std::string link = web.playerLinkFor(field);
            if (link.empty()) {
                out.line(HtmlText(line));
            } else {
                const std::size_t trailing = field.size() - rtrimSpaces(field).size();
                out.line(HtmlText(line.substr(0, 4)) + link + std::string(trailing, ' ') + HtmlText(line.substr(22)));
            }
        }
    }
    out.line("</pre>");
}

// A tabular report as an HTML table, one row per line with the heading as row 0. Cells are
// report text and are escaped with HtmlText; a player link replaces a name cell as HTML.
void writeTableBody(web::TextFile& out, const ReportText& report, const web::WebContext& web)
{
    const std::string& heading = report.heading;
    out.line("<font face=\"Arial, Helvetica, sans-serif\" size=2>");
    // Player names are linked only in cells that start under the first or second "Name" title.
    std::size_t name1 = 0;
    std::size_t name2 = 0;
    if (const std::size_t p = heading.find("Name"); p != std::string::npos) {
        name1 = p + 1;
        if (const std::size_t q = heading.find("Name", p + 1); q != std::string::npos) {
            name2 = q + 1;
        }
    }
    const bool rankColumn = !heading.empty() && heading.front() == ' ';
    const HeadingColumns columns(heading);

    out.line("<table border=0 cellpadding=3>");
    for (std::size_t i = 0; i <= report.lines.size(); ++i) {
        const std::string_view row = i == 0 ? std::string_view(heading) : std::string_view(report.lines[i - 1]);
        out.line(i % 2 == 0 ? "   <tr bgcolor=\"#FFFF99\">" : "   <tr bgcolor=\"#FFFFCC\">");
        if (rankColumn) {
            if (i == 0) {
                out.line("      <td bgcolor=\"#FFCC00\"><font size=2 face=Arial>#</font></td>");
            } else {
                out.line("      <td><font size=2 face=Arial>" + NumText(static_cast<long long>(i)) + "</font></td>");
            }
        }
        const std::vector<std::string> cells = columns.cut(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            std::string text;
            const std::size_t start = columns.starts()[c];
            if (start == name1 || start == name2) {
                text = web.playerLinkFor(cells[c]);
            }
            if (text.empty()) {
                text = web::HtmlText(cells[c]);
            }
            if (i == 0) {
                out.line("      <td bgcolor=\"#FFCC00\"><font size=2 face=Arial><strong>" + text +
                         "</strong></font></td>");
            } else {
                out.line("      <td><font size=2 face=Arial>" + text + "</font></td>");
            }
        }
        out.line("   </tr>");
    }
    out.line("</table></font>");
}

void writeHtml(web::TextFile& out, const ReportText& report, web::WebContext& web)
{
    web::WritePageHead(out, web, report.title, report.subtitle);
    if (report.isFreeForm()) {
        writeFreeFormBody(out, report, web);
    } else {
        writeTableBody(out, report, web);
    }
    if (!web.siteGenerationActive) {
        web::WritePageFoot(out, web);
        out.line("</body>");
        out.line("</html>");
    }
}

} // namespace

HeadingColumns::HeadingColumns(std::string_view heading)
{
    const std::size_t first = heading.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        m_starts.push_back(1);
        return;
    }
    m_starts.push_back(first + 1);
    // A column starts at each non-space after a space; the heading's last position never starts
    // one, since the cell before it always runs to the end of the row.
    for (std::size_t j = first + 1; j + 1 < heading.size(); ++j) {
        if (heading[j] != ' ' && heading[j - 1] == ' ') {
            m_starts.push_back(j + 1);
        }
    }
}

std::vector<std::string> HeadingColumns::cut(std::string_view row) const
{
    std::vector<std::string> cells;
    cells.reserve(m_starts.size());
    for (std::size_t k = 0; k < m_starts.size(); ++k) {
        const std::size_t end = k + 1 < m_starts.size() ? m_starts[k + 1] : row.size() + 1;
        cells.push_back(rtrimSpaces(slice(row, m_starts[k], end)));
    }
    return cells;
}

Status WriteReportFile(web::TextFile& out, const ReportText& report, ReportFileFormat format, web::WebContext& web)
{
    switch (format) {
    case ReportFileFormat::Text: writeText(out, report); break;
    case ReportFileFormat::Csv:
        if (report.isScorecard()) {
            return Error{kCsvRefusedByWriter};
        }
        writeCsv(out, report);
        break;
    case ReportFileFormat::Html: writeHtml(out, report, web); break;
    }
    return Ok{};
}

} // namespace wickly::stats
