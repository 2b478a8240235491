#pragma once
// The kinds of names a match file carries, as the import and its name resolution window number
// them, with their words and the kind codes of their aliases.

#include <string>
#include <string_view>

namespace wickly::exchange {

enum class NameKind
{
    Team = 1,
    Player = 2,
    Grade = 3,
    Ground = 4,
    Club = 5,
};

inline constexpr NameKind kNameKinds[] = {NameKind::Team, NameKind::Player, NameKind::Grade, NameKind::Ground,
                                          NameKind::Club};

// Help contexts of the exchange windows.
inline constexpr int kHelpMatchExport = 1000;
inline constexpr int kHelpNameResolution = 1100;
inline constexpr int kHelpScorecardImport = 1200;

// The text with A-Z as a-z: player report names compare without case.
std::string foldCase(std::string_view text);

// "Team", "Player", "Grade", "Ground", "Club".
std::string_view kindWord(NameKind kind);
// The kind code of its aliases: the word's first three letters ("Tea", "Pla", ...).
std::string_view aliasKindCode(NameKind kind);
// The width of the record's name field (players: the report name).
int nameWidth(NameKind kind);

} // namespace wickly::exchange
