#pragma once
// The match export file (".mxp"): the text form in which users of the program exchange matches.
// Lines "Key=value" with CR LF ends between a begin and an end marker; the grammar is in
// docs/exchange.md. The writer reads matches from the working set; the reader turns a file into
// plain data (the other database's numbers with their names) without touching any database.

#include "records.h"
#include "result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {
class WorkingSet;
}

namespace wickly::exchange {

inline constexpr std::string_view kBeginMarker = "/***/ Wickly Export Begin";
inline constexpr std::string_view kEndMarker = "/***/ Wickly Export End";

// A reference as the file carries it: the record number in the exporting database and the name
// of that record there ("" for none, "#" for a deleted record, "####" for a missing one).
struct FileName
{
    std::int16_t number = 0;
    std::string name;
    // True when the reference names a record: a number above 0 with a usable name.
    bool names() const;
};

struct FileSpecial
{
    FileName player;
    std::string event; // kDropCatch, kHatTrick or 11 blanks (no kind chosen)
    int line = 0;
};

// One innings block. `record` holds the figures with the exporting database's player numbers;
// the names of the players behind them are kept beside it by line.
struct FileInnings
{
    int label = 0; // the "Innings=" value: the place in playing order, 1..4
    int line = 0;  // the line of "Innings="
    InningsRecord record;
    std::array<std::string, InningsRecord::kLines> batsmanName{};
    std::array<std::string, InningsRecord::kLines> fieldsmanName{};
    std::array<std::string, InningsRecord::kLines> bowlerName{}; // of the batting line
    std::array<std::string, InningsRecord::kLines> bowlingName{}; // of the bowling line
    std::vector<FileSpecial> specials;
};

struct FileMatch
{
    int line = 0; // the line of "Record=Match"
    // The match's own fields; its references still hold the exporting database's numbers.
    MatchRecord record;
    FileName ground, grade, club1, club2, team1, team2;
    FileName captain1, captain2, keeper1, keeper2, manOfMatch;
    std::vector<FileInnings> innings; // in file order
};

// The innings slot of an "Innings=" label (1 -> 1, 2 -> 3, 3 -> 2, 4 -> 4) and back.
int slotOfLabel(int label);
int labelOfSlot(int slot);

// ---- Writing -----------------------------------------------------------------------------------

// The whole file for matches `matches` of the working set, in that order, with CR LF line ends.
std::string WriteMatchFile(const WorkingSet& ws, std::span<const std::int32_t> matches);

// ---- Reading -----------------------------------------------------------------------------------

// Reads the matches between the markers. Lines before the begin marker and after the end marker
// are ignored (mail programs add their own), as are empty lines; LF line ends are accepted too.
// Any other fault gives an error whose message names the line.
Result<std::vector<FileMatch>> ReadMatchFile(std::string_view text);

} // namespace wickly::exchange
