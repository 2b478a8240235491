#include "report_print.h"

#include "app_state.h"
#include "formats.h"
#include "report_text.h"

namespace wickly::stats {

namespace {

void addHeader(PrintPage& page, const ReportText& report, double bodyPoints)
{
    page.items.push_back({report.title, 20, true});
    // A subtitle may break into lines (CR LF, or a lone CR in a scorecard's): each is printed
    // on a line of its own, as the window shows it.
    std::vector<std::string> lines = SplitLines(report.subtitle);
    if (lines.empty()) {
        lines.emplace_back(); // no subtitle still takes its line
    }
    for (std::string& line : lines) {
        page.items.push_back({std::move(line), 14, true});
    }
    page.items.push_back({"", bodyPoints, true});
    page.items.push_back({report.heading, bodyPoints, true});
}

void addFooter(PrintPage& page, int pageHeightTwips)
{
    PrintItem notice{PrintFooterNotice(), 8, false};
    // The notice goes H - 2.5 M below the margin origin; the platform measures from the top of
    // the printable area, so the top margin is added. A page too short for that keeps the notice
    // right after the last line.
    if (pageHeightTwips > 2 * kPrintMarginTwips) {
        notice.moveToTwips = kPrintMarginTwips + pageHeightTwips - kPrintMarginTwips * 5 / 2;
    }
    page.items.push_back(notice);
}

} // namespace

int PrintLinesPerPage(int pageHeightTwips)
{
    return (pageHeightTwips - 2 * kPrintMarginTwips) / kPrintLineTwips;
}

std::string PrintFooterNotice()
{
    return std::string("Printed by Wickly ") + kProgramVersion + " - " + kProgramWebAddress;
}

PrintDocument BuildReportPrintout(const ReportText& report, int pageHeightTwips, bool largeFont)
{
    const double bodyPoints = largeFont ? 11 : 9;
    const int perPage = PrintLinesPerPage(pageHeightTwips);

    PrintDocument doc;
    doc.title = report.title.empty() ? std::string("Report") : report.title;
    doc.fontFamily = "Courier New";
    doc.leftMarginTwips = kPrintMarginTwips;
    doc.topMarginTwips = kPrintMarginTwips;

    doc.pages.emplace_back();
    addHeader(doc.pages.back(), report, bodyPoints);
    int count = kPrintHeaderLines;
    bool lineOnPage = false;
    for (const std::string& line : report.lines) {
        // A full page is closed only when another line follows, so the last page is never empty;
        // every page holds at least one line, however short the paper.
        if (count >= perPage && lineOnPage) {
            addFooter(doc.pages.back(), pageHeightTwips);
            doc.pages.emplace_back();
            addHeader(doc.pages.back(), report, bodyPoints);
            count = kPrintHeaderLines;
            lineOnPage = false;
        }
        doc.pages.back().items.push_back({line, bodyPoints, false});
        ++count;
        lineOnPage = true;
    }
    addFooter(doc.pages.back(), pageHeightTwips);
    return doc;
}

} // namespace wickly::stats
