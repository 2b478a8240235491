#include "cli_convert.h"

#include "cli_support.h"

#include "app_state.h"
#include "convert.h"
#include "platform.h"
#include "startup.h"
#include "text_encoding.h"

#include <filesystem>
#include <ostream>

namespace wickly::cli {

namespace {

// A platform without a display: every message is printed as one line, every question takes its
// default answer, and dialogs are cancelled.
class PrintingPlatform : public Platform
{
public:
    explicit PrintingPlatform(std::ostream& out) : m_out(out) {}

    Button messageBox(const MessageBoxRequest& request) override
    {
        m_out << oneLine(cp1252ToUtf8(request.text)) << '\n';
        const auto pick = [&](std::initializer_list<Button> buttons) {
            const int i = request.defaultButton >= 0 && request.defaultButton < static_cast<int>(buttons.size())
                              ? request.defaultButton
                              : 0;
            return *(buttons.begin() + i);
        };
        switch (request.buttons) {
        case Buttons::Ok: return Button::Ok;
        case Buttons::OkCancel: return pick({Button::Ok, Button::Cancel});
        case Buttons::YesNo: return pick({Button::Yes, Button::No});
        case Buttons::YesNoCancel: return pick({Button::Yes, Button::No, Button::Cancel});
        }
        return Button::Ok;
    }
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
    void showInPlaceOf(WindowModel&, WindowModel&) override {}
    std::optional<int> choosePrinter() override { return std::nullopt; }
    bool printDocument(const PrintDocument&, std::string& message) override
    {
        message = "there is no printer without a display";
        return false;
    }
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }

private:
    std::ostream& m_out;
};

} // namespace

int convertCommand(const std::string& folder, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return failure(err, "\"" + folder + "\" is not a folder");
    }
    AppState app;
    app.startupFolder = folder;
    StartupResult startup;
    startup.oldDatabases = findOldDatabases(folder);
    if (startup.oldDatabases.empty()) {
        out << "No old databases in \"" << (std::filesystem::path(folder) / "database").string() << "\".\n";
        return 0;
    }
    startup.legacy = readLegacySettings(folder, false);
    PrintingPlatform platform(out);
    const ConversionReport report = convertAtStartup(app, platform, startup);
    return report.leftAlone.empty() ? 0 : 1;
}

} // namespace wickly::cli
