#include "records.h"

#include "codec.h"
#include "formats.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <stdexcept>

namespace wickly {

using namespace codec;

namespace {

// Section table order; the working file extensions and the slot and used sizes of each kind.
// clang-format off
constexpr std::array<KindInfo, kRecordKindCount> kKinds{{
    {RecordKind::Ground,       "grounds",       ".gnd", 200, 155},
    {RecordKind::Grade,        "grades",        ".gra", 200, 155},
    {RecordKind::Club,         "clubs",         ".clu", 300, 255},
    {RecordKind::Team,         "teams",         ".te1", 150, 132},
    {RecordKind::Player,       "players",       ".pla", 200, 192},
    {RecordKind::Innings,      "innings",       ".sco", 700, 637},
    {RecordKind::Match,        "matches",       ".mat", 200, 151},
    {RecordKind::SpecialEvent, "specialEvents", ".spc",  21,  21},
    {RecordKind::Alias,        "aliases",       ".dic", 200, 103},
}};
// clang-format on

template <std::size_t N> void putText(Bytes b, std::size_t off, const FixedText<N>& t)
{
    putRaw<N>(b, off, t.bytes());
}

template <std::size_t N> void getText(ConstBytes b, std::size_t off, FixedText<N>& t)
{
    t.bytes() = getRaw<N>(b, off);
}

// ClubRecord
namespace club {
constexpr std::size_t name = 0, abbreviation = 40, clubUrl = 47, reserved = 147, logoUrl = 155, end = 255;
static_assert(end == 255);
} // namespace club

// GradeRecord and GroundRecord
namespace named {
constexpr std::size_t name = 0, abbreviation = 40, reserved1 = 47, reserved2 = 55, end = 155;
}

// TeamRecord
namespace team {
constexpr std::size_t name = 0, club = 30, reserved1 = 32, reserved2 = 72, end = 132;
}

// PlayerRecord
namespace player {
constexpr std::size_t reportName = 0, dateOfBirth = 30, club = 40, active = 42, matches = 44, innings = 46,
                      notOuts = 48, runs = 50, highScore = 54, highScoreNotOut = 56, wickets = 58,
                      runsAgainst = 60, overs = 62, catches = 64, runOuts = 66, bestBowlingWickets = 68,
                      bestBowlingRuns = 70, stumpings = 72, rating = 74, maidens = 76, lastName = 78,
                      firstName = 103, ballsFaced = 128, fifties = 130, hundreds = 132, fiveWicketInnings = 134,
                      tenWicketMatches = 136, firstMatchYear = 138, lastMatchYear = 140, pictureUrl = 142,
                      end = 192;
}

namespace alias {
constexpr std::size_t kindCode = 0, alias = 3, name = 53, end = 103;
}

// MatchRecord
namespace match {
constexpr std::size_t matchType = 0, team1 = 2, team2 = 4, grade = 6, datePlayed = 8, ground = 18, innings = 20,
                      result = 40, captain1 = 42, captain2 = 44, bonusPoints1 = 46, bonusPoints2 = 48,
                      followOnEnforced = 50, team2WonToss = 52, roundLabel = 54, umpires = 59, manOfMatch = 89,
                      keeper1 = 91, keeper2 = 93, comment = 95, runsPerNoBall = 145, runsPerWide = 146,
                      ballsPerOver = 147, reserved = 148, extrasAgainstBowlers = 150, end = 151;
}

// InningsRecord, with its batting and bowling lines
namespace innings {
constexpr std::size_t oversTimesTen = 0, batting = 2, battingLine = 25, bowling = 377, bowlingLine = 16,
                      reserved1 = 617, status = 619, wides = 621, noBalls = 623, byes = 625, legByes = 627,
                      reserved2 = 629, end = 637;
static_assert(batting + 15 * battingLine == bowling);
static_assert(bowling + 15 * bowlingLine == reserved1);
} // namespace innings

namespace bat {
constexpr std::size_t batsman = 0, howOut = 2, fieldsman = 4, bowler = 6, runs = 8, fowScore = 10, fowBatsman = 12,
                      ballsFaced = 13, reserved1 = 15, fours = 17, sixes = 19, reserved2 = 21, end = 25;
}

namespace bowl {
constexpr std::size_t bowler = 0, wickets = 2, runsConceded = 4, maidens = 6, overs = 8, reserved1 = 12,
                      reserved2 = 14, end = 16;
}

void checkSize(std::size_t have, RecordKind kind)
{
    assert(have >= kindInfo(kind).usedSize);
    (void)have;
    (void)kind;
}

} // namespace

const KindInfo& kindInfo(RecordKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

void encode(const ClubRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Club);
    putText(out, club::name, r.name);
    putText(out, club::abbreviation, r.abbreviation);
    putText(out, club::clubUrl, r.clubUrl);
    putText(out, club::reserved, r.reserved);
    putText(out, club::logoUrl, r.logoUrl);
}

void decode(ConstBytes in, ClubRecord& r)
{
    checkSize(in.size(), RecordKind::Club);
    getText(in, club::name, r.name);
    getText(in, club::abbreviation, r.abbreviation);
    getText(in, club::clubUrl, r.clubUrl);
    getText(in, club::reserved, r.reserved);
    getText(in, club::logoUrl, r.logoUrl);
}

void encode(const NameAbbreviationRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Grade);
    putText(out, named::name, r.name);
    putText(out, named::abbreviation, r.abbreviation);
    putText(out, named::reserved1, r.reserved1);
    putText(out, named::reserved2, r.reserved2);
}

void decode(ConstBytes in, NameAbbreviationRecord& r)
{
    checkSize(in.size(), RecordKind::Grade);
    getText(in, named::name, r.name);
    getText(in, named::abbreviation, r.abbreviation);
    getText(in, named::reserved1, r.reserved1);
    getText(in, named::reserved2, r.reserved2);
}

void encode(const TeamRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Team);
    putText(out, team::name, r.name);
    putI16(out, team::club, r.club);
    putText(out, team::reserved1, r.reserved1);
    putText(out, team::reserved2, r.reserved2);
}

void decode(ConstBytes in, TeamRecord& r)
{
    checkSize(in.size(), RecordKind::Team);
    getText(in, team::name, r.name);
    r.club = getI16(in, team::club);
    getText(in, team::reserved1, r.reserved1);
    getText(in, team::reserved2, r.reserved2);
}

void encode(const PlayerRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Player);
    const PlayerHistory& h = r.history;
    putText(out, player::reportName, r.reportName);
    putText(out, player::dateOfBirth, r.dateOfBirth);
    putI16(out, player::club, r.club);
    putI16(out, player::active, r.active);
    putI16(out, player::matches, h.matches);
    putI16(out, player::innings, h.innings);
    putI16(out, player::notOuts, h.notOuts);
    putI32(out, player::runs, h.runs);
    putI16(out, player::highScore, h.highScore);
    putI16(out, player::highScoreNotOut, h.highScoreNotOut);
    putI16(out, player::wickets, h.wickets);
    putI16(out, player::runsAgainst, h.runsAgainst);
    putI16(out, player::overs, h.overs);
    putI16(out, player::catches, h.catches);
    putI16(out, player::runOuts, h.runOuts);
    putI16(out, player::bestBowlingWickets, h.bestBowlingWickets);
    putI16(out, player::bestBowlingRuns, h.bestBowlingRuns);
    putI16(out, player::stumpings, h.stumpings);
    putI16(out, player::rating, r.rating);
    putI16(out, player::maidens, h.maidens);
    putText(out, player::lastName, r.lastName);
    putText(out, player::firstName, r.firstName);
    putI16(out, player::ballsFaced, h.ballsFaced);
    putI16(out, player::fifties, h.fifties);
    putI16(out, player::hundreds, h.hundreds);
    putI16(out, player::fiveWicketInnings, h.fiveWicketInnings);
    putI16(out, player::tenWicketMatches, h.tenWicketMatches);
    putI16(out, player::firstMatchYear, r.firstMatchYear);
    putI16(out, player::lastMatchYear, r.lastMatchYear);
    putText(out, player::pictureUrl, r.pictureUrl);
}

void decode(ConstBytes in, PlayerRecord& r)
{
    checkSize(in.size(), RecordKind::Player);
    PlayerHistory& h = r.history;
    getText(in, player::reportName, r.reportName);
    getText(in, player::dateOfBirth, r.dateOfBirth);
    r.club = getI16(in, player::club);
    r.active = getI16(in, player::active);
    h.matches = getI16(in, player::matches);
    h.innings = getI16(in, player::innings);
    h.notOuts = getI16(in, player::notOuts);
    h.runs = getI32(in, player::runs);
    h.highScore = getI16(in, player::highScore);
    h.highScoreNotOut = getI16(in, player::highScoreNotOut);
    h.wickets = getI16(in, player::wickets);
    h.runsAgainst = getI16(in, player::runsAgainst);
    h.overs = getI16(in, player::overs);
    h.catches = getI16(in, player::catches);
    h.runOuts = getI16(in, player::runOuts);
    h.bestBowlingWickets = getI16(in, player::bestBowlingWickets);
    h.bestBowlingRuns = getI16(in, player::bestBowlingRuns);
    h.stumpings = getI16(in, player::stumpings);
    r.rating = getI16(in, player::rating);
    h.maidens = getI16(in, player::maidens);
    getText(in, player::lastName, r.lastName);
    getText(in, player::firstName, r.firstName);
    h.ballsFaced = getI16(in, player::ballsFaced);
    h.fifties = getI16(in, player::fifties);
    h.hundreds = getI16(in, player::hundreds);
    h.fiveWicketInnings = getI16(in, player::fiveWicketInnings);
    h.tenWicketMatches = getI16(in, player::tenWicketMatches);
    r.firstMatchYear = getI16(in, player::firstMatchYear);
    r.lastMatchYear = getI16(in, player::lastMatchYear);
    getText(in, player::pictureUrl, r.pictureUrl);
}

void encode(const AliasRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Alias);
    putText(out, alias::kindCode, r.kindCode);
    putText(out, alias::alias, r.alias);
    putText(out, alias::name, r.name);
}

void decode(ConstBytes in, AliasRecord& r)
{
    checkSize(in.size(), RecordKind::Alias);
    getText(in, alias::kindCode, r.kindCode);
    getText(in, alias::alias, r.alias);
    getText(in, alias::name, r.name);
}

void encode(const SpecialEvent& r, Bytes out)
{
    checkSize(out.size(), RecordKind::SpecialEvent);
    putText(out, 0, r.text);
}

void decode(ConstBytes in, SpecialEvent& r)
{
    checkSize(in.size(), RecordKind::SpecialEvent);
    getText(in, 0, r.text);
}

void encode(const MatchRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Match);
    putI16(out, match::matchType, r.matchType);
    putI16(out, match::team1, r.team1);
    putI16(out, match::team2, r.team2);
    putI16(out, match::grade, r.grade);
    putText(out, match::datePlayed, r.datePlayed);
    putI16(out, match::ground, r.ground);
    for (std::size_t i = 0; i < r.innings.size(); ++i) {
        putI32(out, match::innings + 4 * i, r.innings[i]);
    }
    putI16(out, match::result, r.result);
    putI16(out, match::captain1, r.captain1);
    putI16(out, match::captain2, r.captain2);
    putI16(out, match::bonusPoints1, r.bonusPoints1);
    putI16(out, match::bonusPoints2, r.bonusPoints2);
    putI16(out, match::followOnEnforced, r.followOnEnforced);
    putI16(out, match::team2WonToss, r.team2WonToss);
    putText(out, match::roundLabel, r.roundLabel);
    putText(out, match::umpires, r.umpires);
    putI16(out, match::manOfMatch, r.manOfMatch);
    putI16(out, match::keeper1, r.keeper1);
    putI16(out, match::keeper2, r.keeper2);
    putText(out, match::comment, r.comment);
    putU8(out, match::runsPerNoBall, r.runsPerNoBall);
    putU8(out, match::runsPerWide, r.runsPerWide);
    putU8(out, match::ballsPerOver, r.ballsPerOver);
    putI16(out, match::reserved, r.reserved);
    putU8(out, match::extrasAgainstBowlers, r.extrasAgainstBowlers);
}

void decode(ConstBytes in, MatchRecord& r)
{
    checkSize(in.size(), RecordKind::Match);
    r.matchType = getI16(in, match::matchType);
    r.team1 = getI16(in, match::team1);
    r.team2 = getI16(in, match::team2);
    r.grade = getI16(in, match::grade);
    getText(in, match::datePlayed, r.datePlayed);
    r.ground = getI16(in, match::ground);
    for (std::size_t i = 0; i < r.innings.size(); ++i) {
        r.innings[i] = getI32(in, match::innings + 4 * i);
    }
    r.result = getI16(in, match::result);
    r.captain1 = getI16(in, match::captain1);
    r.captain2 = getI16(in, match::captain2);
    r.bonusPoints1 = getI16(in, match::bonusPoints1);
    r.bonusPoints2 = getI16(in, match::bonusPoints2);
    r.followOnEnforced = getI16(in, match::followOnEnforced);
    r.team2WonToss = getI16(in, match::team2WonToss);
    getText(in, match::roundLabel, r.roundLabel);
    getText(in, match::umpires, r.umpires);
    r.manOfMatch = getI16(in, match::manOfMatch);
    r.keeper1 = getI16(in, match::keeper1);
    r.keeper2 = getI16(in, match::keeper2);
    getText(in, match::comment, r.comment);
    r.runsPerNoBall = getU8(in, match::runsPerNoBall);
    r.runsPerWide = getU8(in, match::runsPerWide);
    r.ballsPerOver = getU8(in, match::ballsPerOver);
    r.reserved = getI16(in, match::reserved);
    r.extrasAgainstBowlers = getU8(in, match::extrasAgainstBowlers);
}

void encode(const InningsRecord& r, Bytes out)
{
    checkSize(out.size(), RecordKind::Innings);
    putI16(out, innings::oversTimesTen, r.oversTimesTen);
    for (std::size_t k = 0; k < r.batting.size(); ++k) {
        const BattingLine& l = r.batting[k];
        const std::size_t o = innings::batting + innings::battingLine * k;
        putI16(out, o + bat::batsman, l.batsman);
        putI16(out, o + bat::howOut, l.howOut);
        putI16(out, o + bat::fieldsman, l.fieldsman);
        putI16(out, o + bat::bowler, l.bowler);
        putI16(out, o + bat::runs, l.runs);
        putI16(out, o + bat::fowScore, l.fowScore);
        putU8(out, o + bat::fowBatsman, l.fowBatsman);
        putI16(out, o + bat::ballsFaced, l.ballsFaced);
        putI16(out, o + bat::reserved1, l.reserved1);
        putI16(out, o + bat::fours, l.fours);
        putI16(out, o + bat::sixes, l.sixes);
        putRaw<4>(out, o + bat::reserved2, l.reserved2);
    }
    for (std::size_t k = 0; k < r.bowling.size(); ++k) {
        const BowlingLine& l = r.bowling[k];
        const std::size_t o = innings::bowling + innings::bowlingLine * k;
        putI16(out, o + bowl::bowler, l.bowler);
        putI16(out, o + bowl::wickets, l.wickets);
        putI16(out, o + bowl::runsConceded, l.runsConceded);
        putI16(out, o + bowl::maidens, l.maidens);
        putF32(out, o + bowl::overs, l.overs);
        putI16(out, o + bowl::reserved1, l.reserved1);
        putI16(out, o + bowl::reserved2, l.reserved2);
    }
    putI16(out, innings::reserved1, r.reserved1);
    putI16(out, innings::status, r.status);
    putI16(out, innings::wides, r.wides);
    putI16(out, innings::noBalls, r.noBalls);
    putI16(out, innings::byes, r.byes);
    putI16(out, innings::legByes, r.legByes);
    putRaw<8>(out, innings::reserved2, r.reserved2);
}

namespace {

// The figures of a batting and a bowling line: the fields the statistics add up, read by the
// full decoder and by decodeFigures alike.
void decodeFigures(ConstBytes in, std::size_t o, BattingLine& l)
{
    l.batsman = getI16(in, o + bat::batsman);
    l.howOut = getI16(in, o + bat::howOut);
    l.fieldsman = getI16(in, o + bat::fieldsman);
    l.bowler = getI16(in, o + bat::bowler);
    l.runs = getI16(in, o + bat::runs);
    l.ballsFaced = getI16(in, o + bat::ballsFaced);
}

void decodeFigures(ConstBytes in, std::size_t o, BowlingLine& l)
{
    l.bowler = getI16(in, o + bowl::bowler);
    l.wickets = getI16(in, o + bowl::wickets);
    l.runsConceded = getI16(in, o + bowl::runsConceded);
    l.maidens = getI16(in, o + bowl::maidens);
    l.overs = getF32(in, o + bowl::overs);
}

} // namespace

void decode(ConstBytes in, InningsRecord& r)
{
    checkSize(in.size(), RecordKind::Innings);
    r.oversTimesTen = getI16(in, innings::oversTimesTen);
    for (std::size_t k = 0; k < r.batting.size(); ++k) {
        BattingLine& l = r.batting[k];
        const std::size_t o = innings::batting + innings::battingLine * k;
        decodeFigures(in, o, l);
        l.fowScore = getI16(in, o + bat::fowScore);
        l.fowBatsman = getU8(in, o + bat::fowBatsman);
        l.reserved1 = getI16(in, o + bat::reserved1);
        l.fours = getI16(in, o + bat::fours);
        l.sixes = getI16(in, o + bat::sixes);
        l.reserved2 = getRaw<4>(in, o + bat::reserved2);
    }
    for (std::size_t k = 0; k < r.bowling.size(); ++k) {
        BowlingLine& l = r.bowling[k];
        const std::size_t o = innings::bowling + innings::bowlingLine * k;
        decodeFigures(in, o, l);
        l.reserved1 = getI16(in, o + bowl::reserved1);
        l.reserved2 = getI16(in, o + bowl::reserved2);
    }
    r.reserved1 = getI16(in, innings::reserved1);
    r.status = getI16(in, innings::status);
    r.wides = getI16(in, innings::wides);
    r.noBalls = getI16(in, innings::noBalls);
    r.byes = getI16(in, innings::byes);
    r.legByes = getI16(in, innings::legByes);
    r.reserved2 = getRaw<8>(in, innings::reserved2);
}

void decodeFigures(ConstBytes in, InningsRecord& r, int lines)
{
    checkSize(in.size(), RecordKind::Innings);
    const std::size_t n = static_cast<std::size_t>(std::clamp(lines, 0, InningsRecord::kLines));
    for (std::size_t k = 0; k < n; ++k) {
        decodeFigures(in, innings::batting + innings::battingLine * k, r.batting[k]);
        decodeFigures(in, innings::bowling + innings::bowlingLine * k, r.bowling[k]);
    }
    r.status = getI16(in, innings::status);
}

bool BowlingLine::operator==(const BowlingLine& o) const
{
    // Overs compare by their stored bits, so that equality means identical bytes.
    return bowler == o.bowler && wickets == o.wickets && runsConceded == o.runsConceded && maidens == o.maidens &&
           std::bit_cast<std::uint32_t>(overs) == std::bit_cast<std::uint32_t>(o.overs) &&
           reserved1 == o.reserved1 && reserved2 == o.reserved2;
}

bool startsWithDeletedMark(std::string_view name)
{
    return !name.empty() && name.front() == DELETED_MARK.front();
}

bool isDeletedName(std::string_view name)
{
    return rtrimBlanks(name) == DELETED_MARK;
}

SpecialEvent makeSpecialEvent(std::int32_t innings, std::int32_t player, std::string_view event)
{
    // Each column keeps a blank and four digits: a larger number would be cut and name another record.
    if (innings < 0 || innings > kLargestSpecialEventNumber || player < 0 || player > kLargestSpecialEventNumber) {
        throw std::out_of_range("A special event can only name innings and players numbered up to 9999.");
    }
    std::string text = FitText(NumText(innings), 5) + FitText(NumText(player), 5) + FitText(event, 11);
    return SpecialEvent{FixedText<21>::of(text)};
}

std::int32_t specialEventInnings(const SpecialEvent& e)
{
    return static_cast<std::int32_t>(ValText(e.text.raw().substr(0, 5)));
}

std::int32_t specialEventPlayer(const SpecialEvent& e)
{
    return static_cast<std::int32_t>(ValText(e.text.raw().substr(5, 5)));
}

std::string specialEventText(const SpecialEvent& e)
{
    return rtrimBlanks(e.text.raw().substr(10));
}

bool isBlankSpecialEvent(const SpecialEvent& e)
{
    return ltrimBlanks(rtrimBlanks(e.text.raw())).size() < 6;
}

bool IsLiveMatch(const MatchRecord& m)
{
    return ValText(m.datePlayed.raw().substr(6, 4)) > 0;
}

float AddOvers(float t, float o, int ballsPerOver)
{
    // The total is a single-precision value; the carry is worked out in double precision.
    t = t + o;
    const double whole = std::floor(static_cast<double>(t));
    const double balls = RoundHalfEven(static_cast<double>(t) * 10.0) - whole * 10.0;
    if (balls >= ballsPerOver) {
        t = static_cast<float>(static_cast<double>(t) + 1.0 - ballsPerOver / 10.0);
    }
    return t;
}

} // namespace wickly
