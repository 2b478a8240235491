#pragma once
// The name resolution window ("Team Selection", "Player Selection", ...): a name from a match
// file that matches no record of this database, put to the user with the records of its kind.
// The user picks one ("Select"), picks one and keeps the pairing as an alias ("Remember"), asks
// for a new record ("New Entry", or "New Entry for All" for every remaining unknown name of the
// import) or stops the import ("Abort").

#include "match_import.h"
#include "platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::exchange {

struct ResolutionEntry
{
    std::string text;
    std::int32_t record = 0; // the record behind the entry
};

class NameResolutionModel : public WindowModel
{
public:
    NameResolutionModel(AppState& app, Platform& platform, const NameQuestion& question);

    // The result as the window leaves it: -1 while open and when closed by its close box,
    // 0 for "New Entry", the chosen record for "Select" and "Remember", -99 for "Abort".
    static constexpr std::int32_t kOpen = -1;
    static constexpr std::int32_t kAbort = -99;

    // ---- State shown by the view
    std::string caption; // "Team Selection"
    std::string label;   // "\"name\" could not be found, select from list or 'New Entry'"
    std::vector<ResolutionEntry> entries; // sorted by text; shown in a fixed-pitch font
    int chosen = -1;                      // index into entries, -1: none
    std::int32_t result = kOpen;
    bool remember = false;       // "Remember" was the button
    bool newEntryForAll = false; // "New Entry for All" was the button
    bool closed = false;

    const NameQuestion& question() const { return m_question; }

    // ---- Actions
    void entryChosen(int index);
    void selectClicked();
    void rememberClicked();
    void newEntryClicked();
    void newEntryForAllClicked();
    void abortClicked();
    void helpClicked();
    // The close box or Escape: closes with the result left at -1.
    void closeBoxClicked() { closed = true; }

    // The answer for the import: the close box counts as "Abort", since nothing may be imported
    // with a name the user did not settle.
    NameAnswer answer() const;

    // The text of a player's entry: display name fitted to 35, a blank, the club's name, 10
    // blanks and the record number with its leading blank.
    static std::string playerEntry(const std::string& displayName, const std::string& clubName, std::int32_t record);

private:
    void fill(AppState& app);
    void choose(bool keep);

    Platform& m_platform;
    NameQuestion m_question;
};

} // namespace wickly::exchange
