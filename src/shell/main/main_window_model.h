#pragma once
// The main window: a launcher with the File, Tools and Help menus and eight buttons, whose
// caption and enabled commands follow the open database, and which asks before unsaved work
// is lost when it closes.

#include "platform.h"

#include <array>
#include <string>

namespace wickly {

struct AppState;

// The eight buttons, left to right and top to bottom.
enum class MainButton
{
    Clubs,
    Grades,
    Grounds,
    Teams,
    Players,
    Matches,
    Statistics,
    Config,
};
inline constexpr int kMainButtonCount = 8;

// Help context numbers of the program's help pages.
enum HelpContext : int
{
    HelpMainWindow = 10,
    HelpPlayerEditor = 300,
    HelpListEditor = 400,
    HelpMatchDetails = 500,
    HelpStatistics = 700,
    HelpConfiguration = 900,
    HelpAliasesAndExport = 1000,
    HelpNameResolution = 1100,
    HelpScorecardImport = 1200,
};

class MainWindowModel : public WindowModel
{
public:
    MainWindowModel(AppState& app, Platform& platform);

    // ---- State shown by the view
    std::string caption;
    std::array<bool, kMainButtonCount> buttonEnabled{};
    bool newEnabled = true;  // false only while another program owns the working files
    bool openEnabled = true; // likewise
    bool saveEnabled = false;
    bool saveAsEnabled = false;
    bool exportEnabled = false;
    bool importEnabled = false;
    bool aliasManagerEnabled = false;
    bool configMenuEnabled = false; // enabled together with the Config button

    static const char* buttonCaption(MainButton b);

    // ---- Actions
    // Recomputes the caption and enables the commands of a loaded database; never disables.
    void paint();
    void newClicked();
    void openClicked();
    void saveClicked();
    void saveAsClicked();
    // File > Exit or the window's close box: true when the window may close.
    bool closeRequested();
    void exportClicked();
    void importClicked();
    void aliasManagerClicked();
    void helpContentsClicked();
    void aboutClicked();
    void buttonClicked(MainButton b);
    // Opens a container named on the command line (the whole command-line text).
    void openFromCommandLine(const std::string& path);

    // Start-up found the working files of `folder` locked by another running program: says so
    // (one message box) and from now on offers nothing that writes them. New, Open, Save,
    // Save As, the Tools commands and the eight buttons stay disabled and do nothing, a
    // command-line container is not opened; Help, About and Exit still work.
    void workingSetInUse(const std::string& folder);
    bool workingFilesInUse() const { return m_workingSetInUse; }

private:
    // Where the windows opened from the main window are started.
    void openListEditor(int kind);
    void openPlayerList();
    void openMatchList();
    void openStatistics();
    void openConfiguration();

    bool refuse(const char* message);

    AppState& m_app;
    Platform& m_platform;
    bool m_workingSetInUse = false;
};

} // namespace wickly
