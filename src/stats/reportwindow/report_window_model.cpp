#include "report_window_model.h"

#include "report_files.h"
#include "report_print.h"
#include "text_file.h"

namespace wickly::stats {

namespace {

const char* filterFor(ReportFileFormat format)
{
    switch (format) {
    case ReportFileFormat::Text: return "Text Files (*.txt)|*.txt";
    case ReportFileFormat::Csv: return "CSV Files (*.csv)|*.csv";
    case ReportFileFormat::Html: return "HTML Files (*.htm)|*.htm;*.html";
    }
    return "";
}

const char* extensionFor(ReportFileFormat format)
{
    switch (format) {
    case ReportFileFormat::Text: return ".txt";
    case ReportFileFormat::Csv: return ".csv";
    case ReportFileFormat::Html: return ".htm";
    }
    return "";
}

} // namespace

ReportWindowModel::ReportWindowModel(Platform& platform, web::WebContext& web) : m_platform(platform), m_web(web) {}

void ReportWindowModel::copyClicked()
{
    m_platform.setClipboardText(ReportCopyText(report));
}

std::string ReportFileName(const std::string& chosen, ReportFileFormat format)
{
    // Only the file's own name counts: a dot in a folder name is no extension.
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (chosen.find('.', nameStart) != std::string::npos) {
        return chosen;
    }
    return chosen + extensionFor(format);
}

void ReportWindowModel::saveClicked(ReportFileFormat format)
{
    if (format == ReportFileFormat::Csv && report.isScorecard()) {
        m_platform.message("Cannot save this as CSV");
        return;
    }
    FileDialogRequest request;
    request.title = "Save Report";
    request.filter = filterFor(format);
    // The dialog adds the format's extension to a name typed without one, so that it asks about
    // the very file that will be replaced; the extension rule below covers any other dialog.
    request.defaultExtension = extensionFor(format);
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_platform.saveFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = ReportFileName(*chosen, format);

    Status written = Ok{};
    {
        BusyPointer busy(m_platform);
        web::TextFile file;
        written = WriteReportFile(file, report, format, m_web);
        if (written) {
            written = file.save(path);
            if (!written) {
                written = Error{"The report could not be saved as " + path + ".\n" + written.message()};
            }
        }
    }
    if (!written) {
        m_platform.message(written.message(), Buttons::Ok, Icon::Error);
        return;
    }
    m_platform.message("Report has been saved");
}

void ReportWindowModel::printClicked()
{
    // Printing goes to the printer selected when the dialog closes, whichever button closed it.
    const std::optional<int> pageHeight = m_platform.choosePrinter();
    if (!pageHeight) {
        m_platform.message("There is no printer to print the report on.", Buttons::Ok, Icon::Error);
        return;
    }
    bool printed = false;
    std::string reason;
    {
        BusyPointer busy(m_platform);
        printed = m_platform.printDocument(BuildReportPrintout(report, *pageHeight, largeFont), reason);
    }
    if (!printed) {
        m_platform.message("The report could not be printed.\n" + reason, Buttons::Ok, Icon::Error);
    }
}

} // namespace wickly::stats
