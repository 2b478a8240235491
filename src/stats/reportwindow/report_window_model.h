#pragma once
// The report window: shows a report and copies, prints and saves it as text, CSV or HTML.
// Producers fill `report`; the window owns it until it is closed.

#include "platform.h"
#include "report_text.h"

#include <string>

namespace wickly::web {
class WebContext;
}

namespace wickly::stats {

class ReportWindowModel : public WindowModel
{
public:
    ReportWindowModel(Platform& platform, web::WebContext& web);

    // ---- State shown by the view
    std::string caption = "Report";
    ReportText report;
    // "Large Font" (chosen when the window opens) or "Small Font"; also decides the printed size.
    bool largeFont = true;
    // Set by "Close"; the view closes the window when it sees it.
    bool closed = false;

    // The screen font size of the heading and the lines.
    double linesPointSize() const { return largeFont ? 9.0 : 7.7; }

    // ---- Actions
    void copyClicked();
    void largeFontChosen() { largeFont = true; }
    void smallFontChosen() { largeFont = false; }
    void textSaveClicked() { saveClicked(ReportFileFormat::Text); }
    void csvSaveClicked() { saveClicked(ReportFileFormat::Csv); }
    void htmlSaveClicked() { saveClicked(ReportFileFormat::Html); }
    void saveClicked(ReportFileFormat format);
    void printClicked();
    void closeClicked() { closed = true; }

    // The settings and page pictures the HTML save writes with.
    const web::WebContext& web() const { return m_web; }

private:
    Platform& m_platform;
    web::WebContext& m_web;
};

// The name a report is saved under: a name without "." in its last path component gets the
// extension of the format (".txt", ".csv", ".htm"); any other name is used as typed.
std::string ReportFileName(const std::string& chosen, ReportFileFormat format);

} // namespace wickly::stats
