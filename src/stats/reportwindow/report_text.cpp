#include "report_text.h"

namespace wickly::stats {

namespace {

std::string_view rtrimSpaces(std::string_view s)
{
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

bool ReportText::isScorecard() const
{
    return heading.starts_with("Match");
}

bool ReportText::isFreeForm() const
{
    const std::string_view h = rtrimSpaces(heading);
    return h.starts_with("Club:") || h.starts_with("Match");
}

std::string ReportCopyText(const ReportText& report)
{
    std::string text = report.title + "\r\n" + report.subtitle + "\r\n\r\n" + report.heading + "\r\n";
    for (const std::string& line : report.lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace wickly::stats
