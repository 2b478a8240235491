#pragma once
// The Platform of the desktop program: Qt message boxes, file and printer dialogs, the busy
// pointer, the help window, the clipboard, QSettings and the views of the windows' models.

#include "platform.h"

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace wickly::ui {

class ChartFarm;
class HelpWindow;

class QtPlatform : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

    // Dialogs are centred on this window.
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    // The program to start as chart helpers during a run of pictures (this program's own
    // executable, whose main() serves kChartWorkerArgument); without one every picture is drawn
    // in this process.
    void setChartHelperProgram(std::string program) { m_chartHelperProgram = std::move(program); }

    Button messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    void showHelp(int context) override;
    void setClipboardText(std::string_view text) override;
    std::string readSetting(std::string_view section, std::string_view key, std::string_view fallback) override;
    void writeSetting(std::string_view section, std::string_view key, std::string_view value) override;
    void showModal(WindowModel& model) override;
    void showInPlaceOf(WindowModel& child, WindowModel& parent) override;
    std::optional<int> choosePrinter() override;
    // The window that draws `model`, for the windows that are not opened through showModal.
    void registerView(const WindowModel& model, QWidget* view) { m_views[&model] = view; }
    bool printDocument(const PrintDocument& document, std::string& message) override;
    void previewChart(const ChartDocument& chart) override;
    bool exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                         int quality) override;
    void beginChartRun() override;
    std::vector<std::string> endChartRun() override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    std::optional<int> runProgram(const std::string& program, const std::vector<std::string>& arguments) override;

private:
    QWidget* dialogParent() const;
    void showModalOver(WindowModel& model, QWidget* over);
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);

    QWidget* m_parent = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::string m_chartHelperProgram;
    std::unique_ptr<ChartFarm> m_chartRun; // during a run of pictures
    HelpWindow* m_help = nullptr;
    std::map<const WindowModel*, QWidget*> m_views;
};

// The Qt file dialog filter for a "description|pattern|..." filter text.
QString qtFilter(const std::string& filter);

} // namespace wickly::ui
