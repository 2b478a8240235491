#pragma once
// What every wickly-cli command shares: a private folder for its working files, a fresh program
// state in it, and the one-line error report.

#include "app_state.h"
#include "platform.h"
#include "result.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace wickly {
struct ChartDocument;
}

namespace wickly::cli {

inline constexpr const char* kToolName = "wickly-cli";

// A folder of its own for the working files of one command, so that the tool never touches the
// working files of a desktop session in the current directory. Removed when the command ends.
class PrivateFolder
{
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Messages go out as one line each.
std::string oneLine(std::string text);

// Writes "wickly-cli: message" to `err` and returns the failure exit code, 1.
int failure(std::ostream& err, const std::string& message);

// Each command gets a fresh state whose working files live in `folder`.
AppState freshState(const PrivateFolder& folder);

// A database opened for one command: the container at `path` unpacked into working files in a
// private folder. `status` says whether it could be opened.
class LoadedDatabase
{
public:
    explicit LoadedDatabase(const std::string& path);

    PrivateFolder folder;
    AppState app;
    Status status;
};

// Draws the player charts of `web` into JPEG pictures. The tool's main() installs one when the
// tool is built with Qt; without one no chart is drawn.
class ChartDrawer
{
public:
    virtual ~ChartDrawer() = default;
    // Writes the chart as a JPEG picture of width x height pixels; false when it could not (see
    // Platform::exportChartJpeg).
    virtual bool save(const ChartDocument& chart, const std::string& path, int width, int height, int quality) = 0;
    // A run of many pictures (see Platform::beginChartRun).
    virtual void beginRun() {}
    virtual std::vector<std::string> endRun() { return {}; }
};
// The tool's drawer (not owned); nullptr for none.
void setChartDrawer(ChartDrawer* drawer);
ChartDrawer* chartDrawer();

// The desktop as a command sees it: no window is shown, dialogs are cancelled, settings keep their
// fallbacks, and charts are drawn by the installed drawer, if any. The first message box is kept
// in `message` (for most commands it is the reason they fail) and answered with its default
// button.
class HeadlessPlatform : public Platform
{
public:
    std::optional<std::string> message;

    Button messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}
    void showHelp(int) override {}
    void setClipboardText(std::string_view) override {}
    std::string readSetting(std::string_view, std::string_view, std::string_view fallback) override
    {
        return std::string(fallback);
    }
    void writeSetting(std::string_view, std::string_view, std::string_view) override {}
    void showModal(WindowModel&) override {}
    void showInPlaceOf(WindowModel& child, WindowModel&) override { showModal(child); }
    std::optional<int> choosePrinter() override { return std::nullopt; }
    bool printDocument(const PrintDocument&, std::string& why) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    bool exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                         int quality) override;
    void beginChartRun() override;
    std::vector<std::string> endChartRun() override;

protected:
    // The button a box's default stands for.
    static Button defaultAnswer(const MessageBoxRequest& request);
};

} // namespace wickly::cli
