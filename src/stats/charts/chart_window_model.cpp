#include "chart_window_model.h"

namespace wickly::stats {

ChartWindowModel::ChartWindowModel(Platform& platform, ChartDocument document)
    : chart(std::move(document)), m_platform(platform)
{
}

std::string ChartFileName(const std::string& chosen)
{
    // Only the file's own name counts: a dot in a folder name is no extension.
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (chosen.find('.', nameStart) != std::string::npos) {
        return chosen;
    }
    return chosen + ".jpg";
}

void ChartWindowModel::printClicked()
{
    m_platform.previewChart(chart);
}

void ChartWindowModel::saveClicked()
{
    FileDialogRequest request;
    request.title = "Save Graph";
    request.filter = "Bitmap Files (*.jpg)|*.jpg";
    // The dialog adds ".jpg" to a name typed without an extension, so that it asks about the
    // very file that will be replaced; the extension rule below covers any other dialog.
    request.defaultExtension = ".jpg";
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_platform.saveFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = ChartFileName(*chosen);
    bool saved = false;
    {
        BusyPointer busy(m_platform);
        saved = m_platform.exportChartJpeg(chart, path, kChartSaveWidth, kChartSaveHeight, kChartJpegQuality);
    }
    if (!saved) {
        m_platform.message("The chart could not be saved as " + path + ".", Buttons::Ok, Icon::Error);
        return;
    }
    m_platform.message("Graph has been saved");
}

} // namespace wickly::stats
