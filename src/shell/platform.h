#pragma once
// What the program's logic needs of the desktop: message boxes, file dialogs, the busy pointer,
// help, the clipboard, chart drawing and the per-user settings store. The Qt layer implements
// it; tests use a scripted fake that records what was shown and answers from a queue.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {

struct ChartDocument;

enum class Buttons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
};

enum class Icon
{
    None,
    Error,
    Warning,
    Information,
    Question,
};

enum class Button
{
    Ok,
    Cancel,
    Yes,
    No,
};

struct MessageBoxRequest
{
    std::string text;
    std::string title; // empty: the program's name
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0; // index of the default among the buttons, left to right
};

struct FileDialogRequest
{
    std::string title;
    // Pairs of description and pattern separated by "|", e.g.
    // "Wickly Database (*.wkd)|*.wkd|All Files (*.*)|*.*".
    std::string filter;
    std::string initialName;
    std::string defaultExtension; // with its dot, e.g. ".wkd"; empty for none
    bool overwritePrompt = false; // save dialogs: ask before replacing an existing file
};

// One line of a printout. A line either follows the previous one or, when moveToTwips is set, is
// printed at that distance from the top of the printable area.
struct PrintItem
{
    std::string text;
    double pointSize = 9;
    bool bold = false;
    int moveToTwips = -1;
};

struct PrintPage
{
    std::vector<PrintItem> items;
};

// A printout laid out by the logic; the platform only draws it. Lengths are in twips (1/1440 inch),
// measured from the printable area's top left corner.
struct PrintDocument
{
    std::string title;
    std::string fontFamily = "Courier New";
    int leftMarginTwips = 0;
    int topMarginTwips = 0;
    std::vector<PrintPage> pages;
};

// The state of a window as plain data; the platform finds the view that draws it.
class WindowModel
{
public:
    virtual ~WindowModel() = default;
};

class Platform
{
public:
    virtual ~Platform() = default;

    virtual Button messageBox(const MessageBoxRequest& request) = 0;
    // The chosen path, an empty text when the user confirmed without a name, or nothing when
    // the dialog was cancelled.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    // The busy pointer; calls nest, so every "on" is matched by one "off".
    virtual void setBusy(bool busy) = 0;
    virtual void showHelp(int context) = 0;
    virtual void setClipboardText(std::string_view text) = 0;
    // The per-user settings store, filed under the program's name.
    virtual std::string readSetting(std::string_view section, std::string_view key, std::string_view fallback) = 0;
    virtual void writeSetting(std::string_view section, std::string_view key, std::string_view value) = 0;

    // Shows the window of `model` and waits until it closes.
    virtual void showModal(WindowModel& model) = 0;

    // Shows the child's window in place of the parent's: the parent's window is hidden while the
    // child is open and shown again when it closes; returns when the child closes. Used by the
    // match list, the match details and the scorecard, which stand in for the window that opened them.
    virtual void showInPlaceOf(WindowModel& child, WindowModel& parent) = 0;

    // Shows the printer dialog and returns the printable page height, in twips, of the printer
    // then selected (whatever button closed the dialog), or nothing when no printer can be used.
    virtual std::optional<int> choosePrinter() = 0;
    // Prints on the printer last chosen. The message is the reason when it fails.
    virtual bool printDocument(const PrintDocument& document, std::string& message) = 0;

    // The colour dialog, starting at `initial` (0x00BBGGRR); nothing when cancelled.
    virtual std::optional<std::uint32_t> chooseColour(std::uint32_t initial) = 0;

    // Opens the print preview of a chart ("Wickly Chart Preview"), from which the user prints.
    // A platform without charts does nothing.
    virtual void previewChart(const ChartDocument& chart);
    // Writes the chart as a JPEG picture of width x height pixels at quality 0..100; false when
    // the picture could not be written (or the platform cannot draw charts).
    virtual bool exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                                 int quality);
    // A run of many pictures (the web site's charts). Between the two calls, exportChartJpeg may
    // hand its picture to a helper process and return before the picture is written;
    // endChartRun waits for every picture and returns the paths of those handed over that could
    // not be written.
    virtual void beginChartRun() {}
    virtual std::vector<std::string> endChartRun() { return {}; }

    // Starts a program with arguments without waiting for it; false when it could not start.
    virtual bool startProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Runs a program with arguments and waits for it to end: its exit code, or nothing when it
    // could not be started or crashed. A program that is still running after a while (a mail
    // program opening its own window) is left to run and counts as having succeeded.
    virtual std::optional<int> runProgram(const std::string& program, const std::vector<std::string>& arguments);

    // Shorthand for the common boxes.
    Button message(std::string text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None, int defaultButton = 0,
                   std::string title = {});
};

// The per-user preference "Show Tips at Startup" (section "Options"): true unless switched off.
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kShowTipsKey = "Show Tips at Startup";
bool showTipsAtStartup(Platform& platform);
void setShowTipsAtStartup(Platform& platform, bool show);

// Shows the busy pointer for the lifetime of the guard.
class BusyPointer
{
public:
    explicit BusyPointer(Platform& p) : m_p(p) { m_p.setBusy(true); }
    ~BusyPointer() { m_p.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Platform& m_p;
};

} // namespace wickly
