#pragma once
// The match export window ("Export Matches"): the live matches of the open database in a list
// where several can be selected, written into a match file of the user's choice ("Export") or
// into "wkymatch.mxp" handed to the desktop's mail program ("Email").

#include "platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
struct MatchRecord;
class WorkingSet;
} // namespace wickly

namespace wickly::exchange {

struct ExportEntry
{
    std::string text;
    std::int32_t match = 0; // the match record behind the entry
};

inline constexpr const char* kMailAttachmentName = "wkymatch.mxp";
inline constexpr const char* kMailSubject = "Matches exported from Wickly";
inline constexpr const char* kMailBody =
    "Instructions for importing: Save the attached file to your local hard drive.  Select 'Import Matches' from "
    "the 'Tools' drop-down menu of Wickly and select the file that you have saved.";
inline constexpr const char* kMailProgram = "xdg-email";
// Shown when the mail program is missing, fails or is cancelled; "wkymatch.mxp" stays written.
inline constexpr const char* kMailFailure =
    "Unable to complete MAPI session - Aborted.  You may not have a MAPI email application installed.";

class ExportModel : public WindowModel
{
public:
    ExportModel(AppState& app, Platform& platform);

    // ---- State shown by the view
    std::string caption = "Export Matches";
    std::string hint = "Hold CTRL key down to make multiple selections";
    std::vector<ExportEntry> entries; // sorted by text
    std::vector<int> selection;       // indices into entries, ascending
    bool closed = false;

    // ---- Actions
    // Rebuilds the list from the match file; the selection is cleared.
    void paint();
    void selectionChanged(std::vector<int> indices);
    void exportClicked();
    void emailClicked();
    void helpClicked();
    void closeClicked() { closed = true; }

    // "2002-01-05 0012 1d Eastwood Vs Westfield".
    static std::string entryText(const WorkingSet& ws, std::int32_t record, const MatchRecord& m);

private:
    // The selected matches in list order; an error box and nothing when none is selected.
    std::vector<std::int32_t> chosenMatches();
    // Writes the chosen matches to `path`; false (after saying why) when it could not.
    bool writeFile(const std::vector<std::int32_t>& matches, const std::string& path);

    AppState& m_app;
    Platform& m_platform;
};

} // namespace wickly::exchange
