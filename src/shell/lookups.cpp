#include "lookups.h"

#include "working_set.h"

namespace wickly {

namespace {

template <class R> std::string nameOrAbbreviation(const R& r, bool abbreviation)
{
    if (abbreviation && !r.abbreviation.blank()) {
        return r.abbreviation.str();
    }
    return r.name.str();
}

} // namespace

std::string RecordName(const WorkingSet& ws, int kind, int number)
{
    if (number <= 0) {
        return {};
    }
    const auto counted = [&](RecordKind k) { return number <= ws.count(k); };
    switch (kind) {
    case ClubName:
    case ClubAbbreviation:
        if (counted(RecordKind::Club)) {
            return nameOrAbbreviation(ws.read<ClubRecord>(number), kind == ClubAbbreviation);
        }
        break;
    case GradeName:
    case GradeAbbreviation:
        if (counted(RecordKind::Grade)) {
            return nameOrAbbreviation(ws.read<GradeRecord>(number), kind == GradeAbbreviation);
        }
        break;
    case GroundName:
    case GroundAbbreviation:
        if (counted(RecordKind::Ground)) {
            return nameOrAbbreviation(ws.read<GroundRecord>(number), kind == GroundAbbreviation);
        }
        break;
    case TeamName:
        if (counted(RecordKind::Team)) {
            return ws.read<TeamRecord>(number).name.str();
        }
        break;
    case PlayerReportName:
        if (counted(RecordKind::Player)) {
            return ws.read<PlayerRecord>(number).reportName.str();
        }
        break;
    default: break;
    }
    return "####";
}

std::int16_t TeamClub(const WorkingSet& ws, int team)
{
    if (team >= 1 && team <= ws.count(RecordKind::Team)) {
        return ws.read<TeamRecord>(team).club;
    }
    return 0;
}

std::pair<std::int16_t, std::int16_t> TeamClubs(const WorkingSet& ws, int team1, int team2)
{
    const auto club = [&](int team) -> std::int16_t { return team <= 0 ? 0 : ws.read<TeamRecord>(team).club; };
    return {club(team1), club(team2)};
}

std::int32_t GroundByName(const WorkingSet& ws, std::string_view name)
{
    const std::string wanted = rtrimBlanks(name);
    const std::int32_t grounds = ws.count(RecordKind::Ground);
    for (std::int32_t i = 1; i <= grounds; ++i) {
        if (ws.read<GroundRecord>(i).name.str() == wanted) {
            return i;
        }
    }
    return 0;
}

std::string PlayerListName(const PlayerRecord& p)
{
    if (startsWithDeletedMark(p.reportName.raw())) {
        return {};
    }
    if (!p.lastName.blank()) {
        return rtrimBlanks(p.lastName.str() + ", " + p.firstName.raw());
    }
    return p.reportName.str();
}

} // namespace wickly
