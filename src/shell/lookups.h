#pragma once
// Record-number lookups shared by every list, scorecard, report and page. Each reads one record
// of the working set.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace wickly {

class WorkingSet;
struct PlayerRecord;

// Kind codes of RecordName.
enum RecordNameKind : int
{
    ClubName = 0,
    ClubAbbreviation = -1,
    GradeName = 1,
    GradeAbbreviation = -3,
    GroundName = 2,
    GroundAbbreviation = -2,
    TeamName = 3,
    PlayerReportName = 4,
};

// The name (or abbreviation, falling back to the name) of record `number` of a kind, with
// trailing blanks removed; empty for 0 or a negative number; "####" for an unknown kind or a
// number above the kind's count. A deleted record gives "#".
std::string RecordName(const WorkingSet& ws, int kind, int number);

// The club of a team, or 0 when the number is not a counted team.
std::int16_t TeamClub(const WorkingSet& ws, int team);

// The clubs of two teams: 0 for a number of 0 or below, else the team record's club field.
std::pair<std::int16_t, std::int16_t> TeamClubs(const WorkingSet& ws, int team1, int team2);

// The record number of the first ground whose name equals `name` (trailing blanks removed on
// both sides; case and leading blanks count), or 0.
std::int32_t GroundByName(const WorkingSet& ws, std::string_view name);

// "Last, First" when the last name is given, else the report name; empty for a deleted player.
std::string PlayerListName(const PlayerRecord& p);

} // namespace wickly
