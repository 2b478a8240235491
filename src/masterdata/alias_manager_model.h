#pragma once
// The alias manager ("Alias Manager"): the aliases that match imports remembered, one kind at a
// time, with the deletion of unwanted ones. It neither creates nor edits aliases.

#include "platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::masterdata {

// The five option buttons of the frame "Display", in the order shown.
enum class AliasKind
{
    Players,
    Teams,
    Grounds,
    Grades,
    Clubs,
};

struct AliasLine
{
    std::string record;    // "Record": the name in this database the alias stands for
    std::string alias;     // "Alias"
    std::string aliasId;   // "Alias ID": the record number, without blanks
    std::int32_t number = 0;
};

class AliasManagerModel : public WindowModel
{
public:
    AliasManagerModel(AppState& app, Platform& platform);

    static constexpr std::array<const char*, 3> kHeadings = {"Record", "Alias", "Alias ID"};
    // The option captions and the kind code each shows ("Players" -> "Pla").
    static const char* kindCaption(AliasKind kind);
    static const char* kindCode(AliasKind kind);

    // ---- State shown by the view
    std::string caption = "Alias Manager";
    AliasKind kind = AliasKind::Players;
    std::vector<AliasLine> lines; // in record-number order
    int selectedLine = -1;
    bool deleteEnabled = false; // once a line has been clicked
    bool closed = false;

    // ---- Actions
    // Rebuilds the list of the chosen kind; no line is selected afterwards.
    void paint();
    void kindChosen(AliasKind k);
    void lineClicked(int index);
    void deleteClicked();
    void helpClicked();
    void closeClicked() { closed = true; }

private:
    AppState& m_app;
    Platform& m_platform;
};

} // namespace wickly::masterdata
