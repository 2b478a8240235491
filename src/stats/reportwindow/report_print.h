#pragma once
// The printed report: pages laid out here, drawn by the platform. Each page has a header (title,
// subtitle, heading), the report lines that fit, and a one-line product notice at its foot.

#include "platform.h"

namespace wickly::stats {

struct ReportText;

inline constexpr int kPrintMarginTwips = 900; // left and top margin, M
inline constexpr int kPrintLineTwips = 255;   // the height a line is counted with
inline constexpr int kPrintHeaderLines = 7;   // what the page header counts for

// Lines per page, header included: the whole part of (H - 2M) / 255 for a printable height H.
int PrintLinesPerPage(int pageHeightTwips);

// The product notice printed at the foot of every page.
std::string PrintFooterNotice();

// The printout of `report` on pages of the given printable height. The body is printed in 11 pt
// with the large screen font chosen, else 9 pt.
PrintDocument BuildReportPrintout(const ReportText& report, int pageHeightTwips, bool largeFont);

} // namespace wickly::stats
