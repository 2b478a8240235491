// Byte positions of every record layout, checked against offsets written out by hand, and the
// promise that a record read and written back is identical byte for byte.

#include "database_header.h"
#include "records.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace wickly;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string textAt(const Bytes& b, std::size_t off, std::size_t n)
{
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(off), b.begin() + static_cast<std::ptrdiff_t>(off + n));
}

// Little-endian value of `width` bytes at `off`, read independently of the codec.
std::uint32_t le(const Bytes& b, std::size_t off, std::size_t width)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < width; ++i) {
        v |= static_cast<std::uint32_t>(b.at(off + i)) << (8 * i);
    }
    return v;
}

struct Field
{
    const char* name;
    std::size_t offset;
    std::size_t width;
    std::uint32_t value;
};

void expectFields(const Bytes& b, std::initializer_list<Field> fields)
{
    for (const Field& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(le(b, f.offset, f.width), f.value);
    }
}

template <class R> Bytes encoded(const R& r)
{
    Bytes b(kindInfo(R::kind).usedSize, 0xEE);
    encode(r, b);
    return b;
}

} // namespace

TEST(RecordLayout, KindsHaveTheirSlotAndUsedSizes)
{
    // clang-format off
    const struct { RecordKind kind; const char* ext; std::size_t slot, used; } rows[] = {
        {RecordKind::Club, ".clu", 300, 255},   {RecordKind::Grade, ".gra", 200, 155},
        {RecordKind::Ground, ".gnd", 200, 155}, {RecordKind::Team, ".te1", 150, 132},
        {RecordKind::Player, ".pla", 200, 192}, {RecordKind::Alias, ".dic", 200, 103},
        {RecordKind::SpecialEvent, ".spc", 21, 21}, {RecordKind::Match, ".mat", 200, 151},
        {RecordKind::Innings, ".sco", 700, 637},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.ext);
        EXPECT_EQ(std::string(kindInfo(r.kind).extension), r.ext);
        EXPECT_EQ(kindInfo(r.kind).slotSize, r.slot);
        EXPECT_EQ(kindInfo(r.kind).usedSize, r.used);
    }
}

TEST(RecordLayout, ClubTextsArePaddedWithBlanksAndReservedStaysZero)
{
    ClubRecord c;
    c.name.assign("Northern Districts");
    c.abbreviation.assign("NDCC");
    c.clubUrl.assign("http://nd.example");
    c.logoUrl.assign("logo.gif");
    const Bytes b = encoded(c);
    EXPECT_EQ(textAt(b, 0, 40), "Northern Districts" + std::string(22, ' '));
    EXPECT_EQ(textAt(b, 40, 7), "NDCC   ");
    EXPECT_EQ(textAt(b, 47, 100), "http://nd.example" + std::string(83, ' '));
    EXPECT_EQ(textAt(b, 147, 8), std::string(8, '\0'));
    EXPECT_EQ(textAt(b, 155, 100), "logo.gif" + std::string(92, ' '));
}

TEST(RecordLayout, AssignmentCutsAtTheWidthAndUnassignedTextIsZeroBytes)
{
    GradeRecord g;
    g.name.assign(std::string(45, 'x'));
    const Bytes b = encoded(g);
    EXPECT_EQ(textAt(b, 0, 40), std::string(40, 'x'));
    EXPECT_EQ(textAt(b, 40, 115), std::string(115, '\0'));
    EXPECT_EQ(g.name.str(), std::string(40, 'x'));
    EXPECT_TRUE(g.abbreviation.blank());
}

TEST(RecordLayout, TeamClubIsLittleEndianAtOffset30)
{
    TeamRecord t;
    t.name.assign("Firsts");
    t.club = 0x1234;
    const Bytes b = encoded(t);
    EXPECT_EQ(textAt(b, 0, 30), "Firsts" + std::string(24, ' '));
    EXPECT_EQ(b[30], 0x34);
    EXPECT_EQ(b[31], 0x12);
    EXPECT_EQ(textAt(b, 32, 100), std::string(100, '\0'));
}

TEST(RecordLayout, PlayerFieldsSitAtTheirOffsets)
{
    PlayerRecord p;
    p.reportName.assign("J Smith");
    p.dateOfBirth.assign("05/01/1980");
    p.lastName.assign("Smith");
    p.firstName.assign("John");
    p.pictureUrl.assign("p.jpg");
    p.club = 0x0101;
    p.active = 0x0102;
    p.rating = 0x0103;
    p.firstMatchYear = 1999;
    p.lastMatchYear = 2024;
    PlayerHistory& h = p.history;
    h.matches = 0x0201;
    h.innings = 0x0202;
    h.notOuts = 0x0203;
    h.runs = 0x01020304;
    h.highScore = 0x0205;
    h.highScoreNotOut = 1;
    h.wickets = 0x0207;
    h.runsAgainst = 0x0208;
    h.overs = 0x0209;
    h.catches = 0x020A;
    h.runOuts = 0x020B;
    h.bestBowlingWickets = 0x020C;
    h.bestBowlingRuns = 0x020D;
    h.stumpings = 0x020E;
    h.maidens = 0x020F;
    h.ballsFaced = 0x0210;
    h.fifties = 0x0211;
    h.hundreds = 0x0212;
    h.fiveWicketInnings = 0x0213;
    h.tenWicketMatches = 0x0214;
    const Bytes b = encoded(p);
    EXPECT_EQ(textAt(b, 0, 30), "J Smith" + std::string(23, ' '));
    EXPECT_EQ(textAt(b, 30, 10), "05/01/1980");
    EXPECT_EQ(textAt(b, 78, 25), "Smith" + std::string(20, ' '));
    EXPECT_EQ(textAt(b, 103, 25), "John" + std::string(21, ' '));
    EXPECT_EQ(textAt(b, 142, 50), "p.jpg" + std::string(45, ' '));
    // clang-format off
    expectFields(b, {
        {"club", 40, 2, 0x0101}, {"active", 42, 2, 0x0102}, {"matches", 44, 2, 0x0201},
        {"innings", 46, 2, 0x0202}, {"notOuts", 48, 2, 0x0203}, {"runs", 50, 4, 0x01020304},
        {"highScore", 54, 2, 0x0205}, {"highScoreNotOut", 56, 2, 1}, {"wickets", 58, 2, 0x0207},
        {"runsAgainst", 60, 2, 0x0208}, {"overs", 62, 2, 0x0209}, {"catches", 64, 2, 0x020A},
        {"runOuts", 66, 2, 0x020B}, {"bestBowlingWickets", 68, 2, 0x020C}, {"bestBowlingRuns", 70, 2, 0x020D},
        {"stumpings", 72, 2, 0x020E}, {"rating", 74, 2, 0x0103}, {"maidens", 76, 2, 0x020F},
        {"ballsFaced", 128, 2, 0x0210}, {"fifties", 130, 2, 0x0211}, {"hundreds", 132, 2, 0x0212},
        {"fiveWicketInnings", 134, 2, 0x0213}, {"tenWicketMatches", 136, 2, 0x0214},
        {"firstMatchYear", 138, 2, 1999}, {"lastMatchYear", 140, 2, 2024},
    });
    // clang-format on
}

TEST(RecordLayout, AliasAndFreeSlots)
{
    AliasRecord a;
    a.kindCode.assign("Pla");
    a.alias.assign("Smithy");
    a.name.assign("J Smith");
    const Bytes b = encoded(a);
    EXPECT_EQ(textAt(b, 0, 3), "Pla");
    EXPECT_EQ(textAt(b, 3, 50), "Smithy" + std::string(44, ' '));
    EXPECT_EQ(textAt(b, 53, 50), "J Smith" + std::string(43, ' '));
    EXPECT_FALSE(a.isFree());
    // A blank, a zero byte or punctuation (code 64 or less) in the first character frees the slot.
    for (const char* kind : {"", "@ab", "#ab"}) {
        AliasRecord f;
        f.kindCode.assign(kind);
        EXPECT_TRUE(f.isFree()) << kind;
    }
    EXPECT_TRUE(AliasRecord{}.isFree());
}

TEST(RecordLayout, SpecialEventColumns)
{
    const SpecialEvent e = makeSpecialEvent(12, 3, kDropCatch);
    EXPECT_EQ(e.text.raw(), " 12   3   Drop Catch ");
    EXPECT_EQ(specialEventInnings(e), 12);
    EXPECT_EQ(specialEventPlayer(e), 3);
    EXPECT_EQ(specialEventText(e), "Drop Catch");
    EXPECT_EQ(makeSpecialEvent(0, 145, kHatTrick).text.raw(), " -    145 Hat Trick  ");
    EXPECT_FALSE(isBlankSpecialEvent(e));
    EXPECT_TRUE(isBlankSpecialEvent(SpecialEvent{FixedText<21>::of("")}));
    EXPECT_TRUE(isBlankSpecialEvent(SpecialEvent{FixedText<21>::of("  12 ")}));
}

TEST(RecordLayout, MatchFieldsSitAtTheirOffsets)
{
    MatchRecord m;
    m.matchType = 0x0101;
    m.team1 = 0x0102;
    m.team2 = 0x0103;
    m.grade = 0x0104;
    m.datePlayed.assign("23/03/2019");
    m.ground = 0x0105;
    m.innings = {0, 0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10};
    m.result = -1;
    m.captain1 = 0x0106;
    m.captain2 = 0x0107;
    m.bonusPoints1 = 250;
    m.bonusPoints2 = 0x0108;
    m.followOnEnforced = 1;
    m.team2WonToss = -1;
    m.roundLabel.assign("R1");
    m.umpires.assign("Bird");
    m.manOfMatch = 0x0109;
    m.keeper1 = 0x010A;
    m.keeper2 = 0x010B;
    m.comment.assign("Rain");
    m.runsPerNoBall = 2;
    m.runsPerWide = 3;
    m.ballsPerOver = 8;
    m.extrasAgainstBowlers = 1;
    const Bytes b = encoded(m);
    EXPECT_EQ(textAt(b, 8, 10), "23/03/2019");
    EXPECT_EQ(textAt(b, 54, 5), "R1   ");
    EXPECT_EQ(textAt(b, 59, 30), "Bird" + std::string(26, ' '));
    EXPECT_EQ(textAt(b, 95, 50), "Rain" + std::string(46, ' '));
    // clang-format off
    expectFields(b, {
        {"matchType", 0, 2, 0x0101}, {"team1", 2, 2, 0x0102}, {"team2", 4, 2, 0x0103}, {"grade", 6, 2, 0x0104},
        {"ground", 18, 2, 0x0105}, {"innings0", 20, 4, 0}, {"innings1", 24, 4, 0x01020304},
        {"innings2", 28, 4, 0x05060708}, {"innings3", 32, 4, 0x090A0B0C}, {"innings4", 36, 4, 0x0D0E0F10},
        {"result", 40, 2, 0xFFFF}, {"captain1", 42, 2, 0x0106}, {"captain2", 44, 2, 0x0107},
        {"bonusPoints1", 46, 2, 250}, {"bonusPoints2", 48, 2, 0x0108}, {"followOnEnforced", 50, 2, 1},
        {"team2WonToss", 52, 2, 0xFFFF}, {"manOfMatch", 89, 2, 0x0109}, {"keeper1", 91, 2, 0x010A},
        {"keeper2", 93, 2, 0x010B}, {"runsPerNoBall", 145, 1, 2}, {"runsPerWide", 146, 1, 3},
        {"ballsPerOver", 147, 1, 8}, {"reserved", 148, 2, 0}, {"extrasAgainstBowlers", 150, 1, 1},
    });
    // clang-format on
}

TEST(RecordLayout, InningsLinesSitAtTheirOffsets)
{
    InningsRecord r;
    r.oversTimesTen = 455;
    BattingLine& bat = r.batting[13];
    bat.batsman = 0x0101;
    bat.howOut = AbsentIll;
    bat.fieldsman = kSubstitute;
    bat.bowler = 0x0102;
    bat.runs = 0x0103;
    bat.fowScore = 0x0104;
    bat.fowBatsman = 13;
    bat.ballsFaced = 0x0105;
    bat.fours = 0x0106;
    bat.sixes = 0x0107;
    BowlingLine& bowl = r.bowling[14];
    bowl.bowler = 0x0201;
    bowl.wickets = 0x0202;
    bowl.runsConceded = 0x0203;
    bowl.maidens = 0x0204;
    bowl.overs = 7.4F;
    r.status = -1;
    r.wides = 0x0301;
    r.noBalls = 0x0302;
    r.byes = 0x0303;
    r.legByes = 0x0304;
    const Bytes b = encoded(r);
    const std::size_t k = 2 + 25 * 13;    // batting line 13
    const std::size_t w = 377 + 16 * 14;  // bowling line 14
    // clang-format off
    expectFields(b, {
        {"oversTimesTen", 0, 2, 455},
        {"batsman", k + 0, 2, 0x0101}, {"howOut", k + 2, 2, 0xFFFE}, {"fieldsman", k + 4, 2, 0xFFFE},
        {"bowler", k + 6, 2, 0x0102}, {"runs", k + 8, 2, 0x0103}, {"fowScore", k + 10, 2, 0x0104},
        {"fowBatsman", k + 12, 1, 13}, {"ballsFaced", k + 13, 2, 0x0105}, {"reserved", k + 15, 2, 0},
        {"fours", k + 17, 2, 0x0106}, {"sixes", k + 19, 2, 0x0107}, {"reserved", k + 21, 4, 0},
        {"next line", k + 25, 2, 0},
        {"bowler", w + 0, 2, 0x0201}, {"wickets", w + 2, 2, 0x0202}, {"runsConceded", w + 4, 2, 0x0203},
        {"maidens", w + 6, 2, 0x0204}, {"overs 7.4", w + 8, 4, 0x40ECCCCD}, {"reserved", w + 12, 4, 0},
        {"reserved", 617, 2, 0}, {"status", 619, 2, 0xFFFF}, {"wides", 621, 2, 0x0301},
        {"noBalls", 623, 2, 0x0302}, {"byes", 625, 2, 0x0303}, {"legByes", 627, 2, 0x0304},
        {"reserved", 629, 4, 0}, {"reserved", 633, 4, 0},
    });
    // clang-format on
}

TEST(HeaderLayout, OptionsSitAtTheirOffsets)
{
    DatabaseHeader h;
    h.version.assign("2.6d");
    const RecordKind kinds[] = {RecordKind::Ground, RecordKind::Grade,   RecordKind::Club,
                                RecordKind::Team,   RecordKind::Player,  RecordKind::Innings,
                                RecordKind::Match,  RecordKind::SpecialEvent, RecordKind::Alias};
    int i = 1;
    for (RecordKind k : kinds) {
        h.section(k) = {0x0100 + i, 0x01000000 + i};
        ++i;
    }
    h.section(RecordKind::Innings).count = 0x00070001;
    DatabaseOptions& o = h.options;
    o.includeHistory = -1;
    o.allowPlayersClub = 0x0201;
    o.seasonTwoYears = 0x0202;
    o.firstInningsOnly = 0x0203;
    o.batsmenPerTeam = 12;
    o.bowlersPerTeam = 13;
    o.individualPoints[0] = 1.0F;
    o.individualPoints[12] = -2.0F;
    o.databaseTitle.assign("IPL 2019");
    o.runsPerNoBall = 0x0204;
    o.ballsPerOver = 8;
    o.runsPerWide = 2;
    o.bowlingRunsFirst = -1;
    o.competitionPoints[0] = 60;
    o.competitionPoints[15] = 0x0205;
    o.webFilePrefix.assign("ab");
    o.statsDateFrom.assign("01/01/1800");
    o.statsDateTo.assign("31/12/2100");
    o.webPageFlags1 = 0x81;
    o.webPageFlags2 = 0x42;
    o.bowlingQualifyOvers = 0x0301;
    o.reportLength = 0x0302;
    o.battingQualifyInnings = 0x0303;
    o.battingQualifyRuns = 0x0304;
    o.bowlingQualifyWickets = 0x0305;
    o.chartLength = 0x0306;
    o.allRoundQualifyWickets = 0x0307;
    o.allRoundQualifyRuns = 0x0308;
    o.battingQualifyByInnings = 255;
    o.webForeColour = 0x00112233;
    o.webBackColour = 0x00445566;
    o.webAuthorName.assign("Author");
    o.webAuthorEmail.assign("a@b");
    o.webHomeUrl.assign("home");
    o.webBackgroundUrl.assign("bg");
    o.webLinkColour = 0x00778899;
    o.webSelectedLinkColour = 0x00AABBCC;
    o.webCopyrightText.assign("(c)");
    o.webHeaderFile.assign("head.htm");
    o.scorecardFoursSixes = 1;
    o.scorecardBallsFaced = 0;
    o.chartSizeLarge = 255;
    Bytes b(kHeaderSize, 0xEE);
    encode(h, b);
    EXPECT_EQ(textAt(b, 0, 4), "2.6d");
    EXPECT_EQ(textAt(b, 124, 40), "IPL 2019" + std::string(32, ' '));
    EXPECT_EQ(textAt(b, 202, 3), "ab ");
    EXPECT_EQ(textAt(b, 205, 10), "01/01/1800");
    EXPECT_EQ(textAt(b, 215, 10), "31/12/2100");
    EXPECT_EQ(textAt(b, 252, 100), "Author" + std::string(94, ' '));
    EXPECT_EQ(textAt(b, 352, 3), "a@b");
    EXPECT_EQ(textAt(b, 452, 4), "home");
    EXPECT_EQ(textAt(b, 552, 2), "bg");
    EXPECT_EQ(textAt(b, 660, 3), "(c)");
    EXPECT_EQ(textAt(b, 910, 8), "head.htm");
    EXPECT_EQ(textAt(b, 1063, 597), std::string(597, '\0'));
    // clang-format off
    expectFields(b, {
        {"grounds count", 4, 2, 0x0101}, {"grounds position", 6, 4, 0x01000001},
        {"grades count", 10, 2, 0x0102}, {"grades position", 12, 4, 0x01000002},
        {"clubs count", 16, 2, 0x0103}, {"clubs position", 18, 4, 0x01000003},
        {"teams count", 22, 2, 0x0104}, {"teams position", 24, 4, 0x01000004},
        {"players count", 28, 2, 0x0105}, {"players position", 30, 4, 0x01000005},
        {"innings count", 34, 4, 0x00070001}, {"innings position", 38, 4, 0x01000006},
        {"matches count", 42, 2, 0x0107}, {"matches position", 44, 4, 0x01000007},
        {"special events count", 48, 2, 0x0108}, {"special events position", 50, 4, 0x01000008},
        {"aliases count", 54, 2, 0x0109}, {"aliases position", 56, 4, 0x01000009},
        {"includeHistory", 60, 2, 0xFFFF}, {"allowPlayersClub", 62, 2, 0x0201}, {"seasonTwoYears", 64, 2, 0x0202},
        {"firstInningsOnly", 66, 2, 0x0203}, {"batsmenPerTeam", 68, 2, 12}, {"bowlersPerTeam", 70, 2, 13},
        {"individualPoints[0]", 72, 4, 0x3F800000}, {"individualPoints[1]", 76, 4, 0},
        {"individualPoints[12]", 120, 4, 0xC0000000}, {"runsPerNoBall", 164, 2, 0x0204},
        {"ballsPerOver", 166, 1, 8}, {"runsPerWide", 167, 1, 2}, {"bowlingRunsFirst", 168, 2, 0xFFFF},
        {"competitionPoints[0]", 170, 2, 60}, {"competitionPoints[15]", 200, 2, 0x0205},
        {"webPageFlags1", 225, 1, 0x81}, {"webPageFlags2", 226, 1, 0x42},
        {"bowlingQualifyOvers", 227, 2, 0x0301}, {"reportLength", 229, 2, 0x0302},
        {"battingQualifyInnings", 231, 2, 0x0303}, {"battingQualifyRuns", 233, 2, 0x0304},
        {"bowlingQualifyWickets", 235, 2, 0x0305}, {"chartLength", 237, 2, 0x0306},
        {"allRoundQualifyWickets", 239, 2, 0x0307}, {"allRoundQualifyRuns", 241, 2, 0x0308},
        {"battingQualifyByInnings", 243, 1, 255}, {"webForeColour", 244, 4, 0x00112233},
        {"webBackColour", 248, 4, 0x00445566}, {"webLinkColour", 652, 4, 0x00778899},
        {"webSelectedLinkColour", 656, 4, 0x00AABBCC}, {"scorecardFoursSixes", 1060, 1, 1},
        {"scorecardBallsFaced", 1061, 1, 0}, {"chartSizeLarge", 1062, 1, 255},
    });
    // clang-format on
}

TEST(HeaderLayout, NewDatabaseDefaults)
{
    const DatabaseHeader h = newDatabaseHeader("2.6d");
    Bytes b(kHeaderSize, 0xEE);
    encode(h, b);
    EXPECT_EQ(textAt(b, 0, 4), "2.6d");
    EXPECT_EQ(textAt(b, 124, 40), "no title" + std::string(32, ' '));
    EXPECT_EQ(textAt(b, 205, 20), "01/01/180001/01/2100");
    EXPECT_EQ(textAt(b, 252, 100), std::string(100, '\0')); // never assigned
    // clang-format off
    expectFields(b, {
        {"counts", 4, 4, 0}, {"includeHistory", 60, 2, 0}, {"batsmenPerTeam", 68, 2, 11}, {"bowlersPerTeam", 70, 2, 11},
        {"runsPerNoBall", 164, 2, 1}, {"ballsPerOver", 166, 1, 6}, {"runsPerWide", 167, 1, 1},
        {"bowlingRunsFirst", 168, 2, 1}, {"bowlingQualifyOvers", 227, 2, 20}, {"reportLength", 229, 2, 20},
        {"battingQualifyInnings", 231, 2, 10}, {"battingQualifyRuns", 233, 2, 200},
        {"bowlingQualifyWickets", 235, 2, 10}, {"chartLength", 237, 2, 50}, {"allRoundQualifyWickets", 239, 2, 10},
        {"allRoundQualifyRuns", 241, 2, 200}, {"battingQualifyByInnings", 243, 1, 0}, {"webForeColour", 244, 4, 0},
        {"webBackColour", 248, 4, 0x00FFFFFF}, {"webLinkColour", 652, 4, 0x00FF0000},
        {"webSelectedLinkColour", 656, 4, 0x00C000C0}, {"scorecardFoursSixes", 1060, 1, 1},
        {"scorecardBallsFaced", 1061, 1, 1}, {"chartSizeLarge", 1062, 1, 0},
    });
    // clang-format on
}

// Any bytes at all, reserved areas and odd float bits included, survive a decode and encode.
template <class R> class RoundTrip : public ::testing::Test
{
};
struct HeaderKind
{
};
using RecordTypes = ::testing::Types<ClubRecord, GradeRecord, GroundRecord, TeamRecord, PlayerRecord, AliasRecord,
                                     SpecialEvent, MatchRecord, InningsRecord, HeaderKind>;
TYPED_TEST_SUITE(RoundTrip, RecordTypes);

TYPED_TEST(RoundTrip, ArbitraryBytesAreKeptExactly)
{
    std::mt19937 rng(12345);
    for (int run = 0; run < 20; ++run) {
        if constexpr (std::is_same_v<TypeParam, HeaderKind>) {
            Bytes in(kHeaderSize);
            for (auto& x : in) {
                x = static_cast<std::uint8_t>(rng());
            }
            DatabaseHeader h;
            decode(in, h);
            Bytes out(kHeaderSize, 0);
            encode(h, out);
            ASSERT_EQ(in, out);
        } else {
            Bytes in(kindInfo(TypeParam::kind).usedSize);
            for (auto& x : in) {
                x = static_cast<std::uint8_t>(rng());
            }
            TypeParam r;
            decode(in, r);
            ASSERT_EQ(encoded(r), in);
        }
    }
}

TEST(Records, DeletedNameTests)
{
    EXPECT_TRUE(isDeletedName("#   "));
    EXPECT_FALSE(isDeletedName("#abc"));
    EXPECT_TRUE(startsWithDeletedMark("#abc"));
    EXPECT_FALSE(startsWithDeletedMark(" #"));
}

TEST(Records, LiveMatchAndWickets)
{
    MatchRecord m;
    m.datePlayed.assign("00/00/0000");
    EXPECT_FALSE(IsLiveMatch(m));
    m.datePlayed.assign("01/02/2019");
    EXPECT_TRUE(IsLiveMatch(m));
    EXPECT_FALSE(IsLiveMatch(MatchRecord{}));
    for (int code = -2; code <= 15; ++code) {
        const bool expected = code >= 2 && code != 7 && code != 13;
        EXPECT_EQ(isWicket(code), expected) << code;
    }
}

TEST(Records, OversAdditionCarriesCompleteOvers)
{
    // clang-format off
    const struct { float t, o; int bpo; float expected; } rows[] = {
        {3.4F, 2.3F, 6, 6.1F}, {4.4F, 3.3F, 6, 8.1F}, {8.1F, 2.0F, 6, 10.1F}, {0.0F, 4.5F, 6, 4.5F},
        {5.5F, 0.1F, 6, 6.0F}, {3.7F, 0.1F, 8, 4.0F}, {3.5F, 0.1F, 8, 3.6F}, {10.0F, 10.0F, 6, 20.0F},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.t) + " + " + std::to_string(r.o));
        EXPECT_NEAR(AddOvers(r.t, r.o, r.bpo), r.expected, 1e-4);
    }
}
