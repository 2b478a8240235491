#pragma once
// A Platform for tests: records every message box and dialog, and answers from queues that the
// test fills beforehand. An unexpected question fails the test.

#include "chart_document.h"
#include "platform.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wickly::test {

class ScriptedPlatform : public Platform
{
public:
    // Queued answers, used in order.
    std::deque<Button> buttonAnswers;
    std::deque<std::optional<std::string>> fileAnswers;

    // What the logic asked for.
    std::vector<MessageBoxRequest> messages;
    std::vector<FileDialogRequest> openDialogs;
    std::vector<FileDialogRequest> saveDialogs;
    std::vector<int> helpContexts;
    std::string clipboard;
    std::map<std::string, std::string> settings; // "section/key" -> value
    int busyDepth = 0;
    int busyCalls = 0;
    std::vector<WindowModel*> modalWindows;
    // Plays the user in a child window: called with each window shown modally.
    std::function<void(WindowModel&)> onModal;
    // Windows shown in place of their parent, with the parent: also played by onModal.
    std::vector<std::pair<WindowModel*, WindowModel*>> replacedWindows;
    std::optional<int> printerPageHeight = 15840; // a letter page, 11 inches
    std::vector<PrintDocument> printed;
    // Charts previewed, and charts exported with their file, size and quality; exports succeed
    // while chartExportsSucceed is set.
    std::vector<ChartDocument> previewedCharts;
    struct ChartExport
    {
        ChartDocument chart;
        std::string path;
        int width = 0, height = 0, quality = 0;
    };
    std::vector<ChartExport> exportedCharts;
    bool chartExportsSucceed = true;
    // Runs of pictures begun and ended, the exports made inside one, and what endChartRun
    // answers (the pictures handed over that could not be written).
    int chartRunsBegun = 0;
    int chartRunsEnded = 0;
    int chartExportsInRun = 0;
    std::vector<std::string> chartRunFailures;
    std::deque<std::optional<std::uint32_t>> colourAnswers;
    std::vector<std::uint32_t> colourDialogs; // the initial colour of each dialog shown
    std::vector<std::vector<std::string>> startedPrograms; // program, then its arguments
    bool programsStart = true;
    // The exit codes runProgram answers, in order; when empty it answers 0. Nothing: not started.
    std::deque<std::optional<int>> programExitCodes;

    Button messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    void showHelp(int context) override;
    void setClipboardText(std::string_view text) override;
    void showModal(WindowModel& model) override;
    void showInPlaceOf(WindowModel& child, WindowModel& parent) override;
    std::optional<int> choosePrinter() override;
    bool printDocument(const PrintDocument& document, std::string& message) override;
    void previewChart(const ChartDocument& chart) override;
    bool exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                         int quality) override;
    void beginChartRun() override { ++chartRunsBegun; }
    std::vector<std::string> endChartRun() override
    {
        ++chartRunsEnded;
        return chartRunFailures;
    }
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    // Recorded in startedPrograms like startProgram.
    std::optional<int> runProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    std::string readSetting(std::string_view section, std::string_view key, std::string_view fallback) override;
    void writeSetting(std::string_view section, std::string_view key, std::string_view value) override;

    // The texts of all message boxes shown, in order.
    std::vector<std::string> messageTexts() const;

private:
    std::optional<std::string> nextFile();
};

} // namespace wickly::test
