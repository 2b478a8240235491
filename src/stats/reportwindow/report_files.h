#pragma once
// The report as a file: plain text, CSV or HTML. CSV and HTML recover the table columns from the
// fixed-pitch lines, using the heading line as a ruler. The web site generator writes every
// report, player and match page with the HTML form. docs/report_formats.md shows the output.

#include "report_text.h"
#include "result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wickly::web {
class TextFile;
class WebContext;
} // namespace wickly::web

namespace wickly::stats {

// The columns of a tabular report, read from its heading: the first column starts at the first
// character that is not a space, and a new column starts wherever a character that is not a
// space follows a space, except at the heading's very last position. Every row is cut at those
// starts; text before the first column is dropped, and the last cell runs to the end of the row
// however long it is. A heading of nothing but spaces gives one column holding the whole row.
class HeadingColumns
{
public:
    explicit HeadingColumns(std::string_view heading);

    // The 1-based positions where the columns start, left to right.
    const std::vector<std::size_t>& starts() const { return m_starts; }

    // The cells of one row, trailing spaces removed (leading spaces kept); a row that ends before
    // a column's start gives an empty cell.
    std::vector<std::string> cut(std::string_view row) const;

private:
    std::vector<std::size_t> m_starts;
};

inline constexpr const char* kCsvRefusedByWriter = "This report cannot be saved as a CSV file";

// Writes the report in `format` into `out`. Html writes a whole page (head, body, foot) unless
// the site generator runs, which writes the page foot itself after its own content. A scorecard
// as CSV is refused with kCsvRefusedByWriter and nothing is written.
Status WriteReportFile(web::TextFile& out, const ReportText& report, ReportFileFormat format, web::WebContext& web);

} // namespace wickly::stats
