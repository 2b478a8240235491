#include "scripted_platform.h"

#include <gtest/gtest.h>

namespace wickly::test {

Button ScriptedPlatform::messageBox(const MessageBoxRequest& request)
{
    messages.push_back(request);
    if (request.buttons == Buttons::Ok) {
        return Button::Ok;
    }
    if (buttonAnswers.empty()) {
        ADD_FAILURE() << "Unexpected question: " << request.text;
        return Button::Cancel;
    }
    const Button b = buttonAnswers.front();
    buttonAnswers.pop_front();
    return b;
}

std::optional<std::string> ScriptedPlatform::nextFile()
{
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "Unexpected file dialog";
        return std::nullopt;
    }
    std::optional<std::string> f = fileAnswers.front();
    fileAnswers.pop_front();
    return f;
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const FileDialogRequest& request)
{
    openDialogs.push_back(request);
    return nextFile();
}

std::optional<std::string> ScriptedPlatform::saveFileDialog(const FileDialogRequest& request)
{
    saveDialogs.push_back(request);
    return nextFile();
}

void ScriptedPlatform::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    if (busy) {
        ++busyCalls;
    }
}

void ScriptedPlatform::showHelp(int context)
{
    helpContexts.push_back(context);
}

void ScriptedPlatform::setClipboardText(std::string_view text)
{
    clipboard = std::string(text);
}

void ScriptedPlatform::showModal(WindowModel& model)
{
    modalWindows.push_back(&model);
    if (onModal) {
        onModal(model);
    }
}

void ScriptedPlatform::showInPlaceOf(WindowModel& child, WindowModel& parent)
{
    replacedWindows.emplace_back(&child, &parent);
    if (onModal) {
        onModal(child);
    }
}

std::optional<int> ScriptedPlatform::choosePrinter()
{
    return printerPageHeight;
}

bool ScriptedPlatform::printDocument(const PrintDocument& document, std::string& message)
{
    printed.push_back(document);
    message.clear();
    return true;
}

void ScriptedPlatform::previewChart(const ChartDocument& chart)
{
    previewedCharts.push_back(chart);
}

bool ScriptedPlatform::exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                                       int quality)
{
    exportedCharts.push_back({chart, path, width, height, quality});
    if (chartRunsBegun > chartRunsEnded) {
        ++chartExportsInRun;
    }
    return chartExportsSucceed;
}

std::optional<std::uint32_t> ScriptedPlatform::chooseColour(std::uint32_t initial)
{
    colourDialogs.push_back(initial);
    if (colourAnswers.empty()) {
        ADD_FAILURE() << "Unexpected colour dialog";
        return std::nullopt;
    }
    const std::optional<std::uint32_t> c = colourAnswers.front();
    colourAnswers.pop_front();
    return c;
}

bool ScriptedPlatform::startProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> call{program};
    call.insert(call.end(), arguments.begin(), arguments.end());
    startedPrograms.push_back(call);
    return programsStart;
}

std::optional<int> ScriptedPlatform::runProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> call{program};
    call.insert(call.end(), arguments.begin(), arguments.end());
    startedPrograms.push_back(call);
    if (programExitCodes.empty()) {
        return 0;
    }
    const std::optional<int> code = programExitCodes.front();
    programExitCodes.pop_front();
    return code;
}

std::string ScriptedPlatform::readSetting(std::string_view section, std::string_view key, std::string_view fallback)
{
    const auto it = settings.find(std::string(section) + "/" + std::string(key));
    return it == settings.end() ? std::string(fallback) : it->second;
}

void ScriptedPlatform::writeSetting(std::string_view section, std::string_view key, std::string_view value)
{
    settings[std::string(section) + "/" + std::string(key)] = std::string(value);
}

std::vector<std::string> ScriptedPlatform::messageTexts() const
{
    std::vector<std::string> out;
    for (const MessageBoxRequest& m : messages) {
        out.push_back(m.text);
    }
    return out;
}

} // namespace wickly::test
