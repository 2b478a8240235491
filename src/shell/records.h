#pragma once
// The record layouts of the working files and of the container's sections.
//
// Each record is a plain struct; encode()/decode() of its codec are the only code that knows the
// byte positions (records.cpp, with the offsets listed in docs/formats.md). Text fields keep the
// exact stored bytes and reserved areas are carried along, so that reading a record and writing
// it back gives the same bytes.

#include "fixed_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wickly {

// The name of a deleted club, grade, ground, team or player.
inline constexpr std::string_view DELETED_MARK = "#";

// The record kinds, in the order of the container header's section table.
enum class RecordKind
{
    Ground,
    Grade,
    Club,
    Team,
    Player,
    Innings,
    Match,
    SpecialEvent,
    Alias,
};
inline constexpr int kRecordKindCount = 9;

struct KindInfo
{
    RecordKind kind;
    const char* name;      // JSON and message name, e.g. "players"
    const char* extension; // working file extension, e.g. ".pla"
    std::size_t slotSize;  // bytes per slot in the working file and the container section
    std::size_t usedSize;  // bytes of the record at the start of each slot
};
const KindInfo& kindInfo(RecordKind kind);

// ---- Master data -------------------------------------------------------------------------------

struct ClubRecord
{
    static constexpr RecordKind kind = RecordKind::Club;
    FixedText<40> name;
    FixedText<7> abbreviation;
    FixedText<100> clubUrl;
    FixedText<8> reserved;
    FixedText<100> logoUrl;
    bool operator==(const ClubRecord&) const = default;
};

// Grades and grounds share one layout.
struct NameAbbreviationRecord
{
    FixedText<40> name;
    FixedText<7> abbreviation;
    FixedText<8> reserved1;
    FixedText<100> reserved2;
    bool operator==(const NameAbbreviationRecord&) const = default;
};

struct GradeRecord : NameAbbreviationRecord
{
    static constexpr RecordKind kind = RecordKind::Grade;
};

struct GroundRecord : NameAbbreviationRecord
{
    static constexpr RecordKind kind = RecordKind::Ground;
};

struct TeamRecord
{
    static constexpr RecordKind kind = RecordKind::Team;
    FixedText<30> name;
    std::int16_t club = 0;
    FixedText<40> reserved1;
    FixedText<60> reserved2;
    bool operator==(const TeamRecord&) const = default;
};

// A player's career figures from before the database was started.
struct PlayerHistory
{
    std::int16_t matches = 0;
    std::int16_t innings = 0;
    std::int16_t notOuts = 0;
    std::int32_t runs = 0;
    std::int16_t highScore = 0;
    std::int16_t highScoreNotOut = 0;
    std::int16_t wickets = 0;
    std::int16_t runsAgainst = 0;
    std::int16_t overs = 0;
    std::int16_t catches = 0;
    std::int16_t runOuts = 0;
    std::int16_t bestBowlingWickets = 0;
    std::int16_t bestBowlingRuns = 0;
    std::int16_t stumpings = 0;
    std::int16_t maidens = 0;
    std::int16_t ballsFaced = 0;
    std::int16_t fifties = 0;
    std::int16_t hundreds = 0;
    std::int16_t fiveWicketInnings = 0;
    std::int16_t tenWicketMatches = 0;
    bool operator==(const PlayerHistory&) const = default;
};

struct PlayerRecord
{
    static constexpr RecordKind kind = RecordKind::Player;
    FixedText<30> reportName;
    FixedText<10> dateOfBirth;
    std::int16_t club = 0;
    std::int16_t active = 0;
    std::int16_t rating = 0;
    FixedText<25> lastName;
    FixedText<25> firstName;
    std::int16_t firstMatchYear = 0;
    std::int16_t lastMatchYear = 0;
    FixedText<50> pictureUrl;
    PlayerHistory history;
    bool operator==(const PlayerRecord&) const = default;
};

struct AliasRecord
{
    static constexpr RecordKind kind = RecordKind::Alias;
    FixedText<3> kindCode; // "Clu", "Gra", "Gro", "Tea", "Pla"; blank marks a free slot
    FixedText<50> alias;
    FixedText<50> name;
    // A slot is free when the first character's code is 64 or less.
    bool isFree() const { return kindCode.bytes()[0] <= 64; }
    bool operator==(const AliasRecord&) const = default;
};

// A dropped catch or hat trick: a 21-character text of three fixed columns.
struct SpecialEvent
{
    static constexpr RecordKind kind = RecordKind::SpecialEvent;
    FixedText<21> text;
    bool operator==(const SpecialEvent&) const = default;
};

inline constexpr std::string_view kDropCatch = "Drop Catch ";
inline constexpr std::string_view kHatTrick = "Hat Trick  ";

// ---- Matches and innings -----------------------------------------------------------------------

enum MatchType : std::int16_t
{
    OneDayMatch = 1,
    TwoDayMatch = 2,
    FourDayMatch = 3,
    FiveDayMatch = 4,
};

struct MatchRecord
{
    static constexpr RecordKind kind = RecordKind::Match;
    std::int16_t matchType = 0;
    std::int16_t team1 = 0;
    std::int16_t team2 = 0;
    std::int16_t grade = 0;
    FixedText<10> datePlayed;
    std::int16_t ground = 0;
    std::array<std::int32_t, 5> innings{}; // by innings slot; element 0 is always 0
    std::int16_t result = 0;
    std::int16_t captain1 = 0;
    std::int16_t captain2 = 0;
    std::int16_t bonusPoints1 = 0; // times 100
    std::int16_t bonusPoints2 = 0;
    std::int16_t followOnEnforced = 0;
    std::int16_t team2WonToss = 0;
    FixedText<5> roundLabel;
    FixedText<30> umpires;
    std::int16_t manOfMatch = 0;
    std::int16_t keeper1 = 0;
    std::int16_t keeper2 = 0;
    FixedText<50> comment;
    std::uint8_t runsPerNoBall = 0;
    std::uint8_t runsPerWide = 0;
    std::uint8_t ballsPerOver = 0;
    std::int16_t reserved = 0;
    std::uint8_t extrasAgainstBowlers = 0;
    bool operator==(const MatchRecord&) const = default;
};

// How-out codes: the position in the scorecard's list, the last two stored as negatives.
enum HowOut : std::int16_t
{
    DidNotBat = 0,
    NotOut = 1,
    Bowled = 2,
    Caught = 3,
    CaughtAndBowled = 4,
    HitWicket = 5,
    Lbw = 6,
    RetiredHurt = 7,
    RunOut = 8,
    Stumped = 9,
    ObstructingField = 10,
    HandledBall = 11,
    RetiredOut = 12,
    RetiredNotOut = 13,
    TimedOut = 14,
    HitTwice = 15,
    AbsentHurt = -1,
    AbsentIll = -2,
};

// True when a batting line with this code is a wicket of the innings.
constexpr bool isWicket(int howOut)
{
    return howOut >= 2 && howOut <= 15 && howOut != RetiredHurt && howOut != RetiredNotOut;
}

// Fieldsman values besides player numbers.
inline constexpr std::int16_t kNoFieldsman = -1;
inline constexpr std::int16_t kSubstitute = -2;

struct BattingLine
{
    std::int16_t batsman = 0;
    std::int16_t howOut = 0;
    std::int16_t fieldsman = 0;
    std::int16_t bowler = 0;
    std::int16_t runs = 0;
    std::int16_t fowScore = 0;
    std::uint8_t fowBatsman = 0;
    std::int16_t ballsFaced = 0;
    std::int16_t reserved1 = 0;
    std::int16_t fours = 0;
    std::int16_t sixes = 0;
    std::array<std::uint8_t, 4> reserved2{};
    bool operator==(const BattingLine&) const = default;
};

struct BowlingLine
{
    std::int16_t bowler = 0;
    std::int16_t wickets = 0;
    std::int16_t runsConceded = 0;
    std::int16_t maidens = 0;
    float overs = 0.0F; // overs.balls notation
    std::int16_t reserved1 = 0;
    std::int16_t reserved2 = 0;
    bool operator==(const BowlingLine&) const;
};

enum InningsStatus : std::int16_t
{
    StatusNotGiven = 0,
    AllOut = 1,
    Closed = 2,
    Declared = 3,
    Abandoned = 4,
};

struct InningsRecord
{
    static constexpr RecordKind kind = RecordKind::Innings;
    static constexpr int kLines = 15;
    std::int16_t oversTimesTen = 0;
    std::array<BattingLine, kLines> batting{};
    std::array<BowlingLine, kLines> bowling{};
    std::int16_t reserved1 = 0;
    std::int16_t status = 0;
    std::int16_t wides = 0;
    std::int16_t noBalls = 0;
    std::int16_t byes = 0;
    std::int16_t legByes = 0;
    std::array<std::uint8_t, 8> reserved2{};
    bool operator==(const InningsRecord&) const = default;
};

// ---- Codecs ------------------------------------------------------------------------------------
// decode() reads kindInfo(kind).usedSize bytes; encode() writes exactly that many.

void encode(const ClubRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, ClubRecord& r);
void encode(const NameAbbreviationRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, NameAbbreviationRecord& r);
void encode(const TeamRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, TeamRecord& r);
void encode(const PlayerRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, PlayerRecord& r);
void encode(const AliasRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, AliasRecord& r);
void encode(const SpecialEvent& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, SpecialEvent& r);
void encode(const MatchRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, MatchRecord& r);
void encode(const InningsRecord& r, std::span<std::uint8_t> out);
void decode(std::span<const std::uint8_t> in, InningsRecord& r);
// The figures alone of the first `lines` batting and bowling lines (all 15 at most): a batting
// line's batsman, how-out code, fieldsman, bowler, runs and balls faced, a bowling line's
// bowler, wickets, runs conceded, maidens and overs, and the innings status. Every other field
// of `r` is left as it was. For passes that read nothing else of an innings; the values are
// those decode() gives.
void decodeFigures(std::span<const std::uint8_t> in, InningsRecord& r, int lines);

// ---- Helpers on records ------------------------------------------------------------------------

// A club, grade, ground, team or player name marks a deleted record. Two tests are in use and
// agree on everything the program writes: the first character is "#" (list editor, special
// events window, club deletion check, player count trimming) ...
bool startsWithDeletedMark(std::string_view name);
// ... or the name with trailing blanks removed is exactly "#" (the other lists and combo boxes).
bool isDeletedName(std::string_view name);

// The largest innings or player number a special event's 5-character columns can hold.
inline constexpr std::int32_t kLargestSpecialEventNumber = 9999;
// Builds a special event's 21-character text from its three columns; std::out_of_range for a
// number outside 0..9999.
SpecialEvent makeSpecialEvent(std::int32_t innings, std::int32_t player, std::string_view event);
// The numeric value of columns 1-5 (innings) and 6-10 (player) and the event text, trimmed.
std::int32_t specialEventInnings(const SpecialEvent& e);
std::int32_t specialEventPlayer(const SpecialEvent& e);
std::string specialEventText(const SpecialEvent& e);
// A deleted event is blank; readers also skip any record shorter than 6 characters after trimming.
bool isBlankSpecialEvent(const SpecialEvent& e);

// A match record is live when the number formed by the last four characters of its date is above 0.
bool IsLiveMatch(const MatchRecord& m);

// Adds overs o to the total t in overs.balls notation, carrying complete overs.
float AddOvers(float t, float o, int ballsPerOver);

} // namespace wickly
