#include "database_header.h"

#include "codec.h"

#include <bit>

namespace wickly {

using namespace codec;

namespace {

// Section table, indexed by RecordKind (grounds, grades, clubs, teams, players, innings, matches,
// special events, aliases): offset and width of the count, offset of the 32-bit position.
// clang-format off
constexpr std::array<SectionField, kRecordKindCount> kSectionFields{{
    { 4, 2,  6},
    {10, 2, 12},
    {16, 2, 18},
    {22, 2, 24},
    {28, 2, 30},
    {34, 4, 38},
    {42, 2, 44},
    {48, 2, 50},
    {54, 2, 56},
}};
// clang-format on

namespace off {
constexpr std::size_t version = 0, includeHistory = 60, allowPlayersClub = 62, seasonTwoYears = 64,
                      firstInningsOnly = 66, batsmenPerTeam = 68, bowlersPerTeam = 70, individualPoints = 72,
                      databaseTitle = 124, runsPerNoBall = 164, ballsPerOver = 166, runsPerWide = 167,
                      bowlingRunsFirst = 168, competitionPoints = 170, webFilePrefix = 202, statsDateFrom = 205,
                      statsDateTo = 215, webPageFlags1 = 225, webPageFlags2 = 226, bowlingQualifyOvers = 227,
                      reportLength = 229, battingQualifyInnings = 231, battingQualifyRuns = 233,
                      bowlingQualifyWickets = 235, chartLength = 237, allRoundQualifyWickets = 239,
                      allRoundQualifyRuns = 241, battingQualifyByInnings = 243, webForeColour = 244,
                      webBackColour = 248, webAuthorName = 252, webAuthorEmail = 352, webHomeUrl = 452,
                      webBackgroundUrl = 552, webLinkColour = 652, webSelectedLinkColour = 656,
                      webCopyrightText = 660, webHeaderFile = 910, scorecardFoursSixes = 1060,
                      scorecardBallsFaced = 1061, chartSizeLarge = 1062, reserved = 1063, end = 1660;
static_assert(individualPoints + 13 * 4 == databaseTitle);
static_assert(competitionPoints + 16 * 2 == webFilePrefix);
static_assert(reserved + 597 == end && end == kHeaderSize);
} // namespace off

template <std::size_t N> void putText(Bytes b, std::size_t o, const FixedText<N>& t)
{
    putRaw<N>(b, o, t.bytes());
}

template <std::size_t N> void getText(ConstBytes b, std::size_t o, FixedText<N>& t)
{
    t.bytes() = getRaw<N>(b, o);
}

} // namespace

const SectionField& sectionField(RecordKind kind)
{
    return kSectionFields[static_cast<std::size_t>(kind)];
}

std::int32_t maxCount(RecordKind kind)
{
    return sectionField(kind).countWidth == 2 ? 32767 : 2147483647;
}

bool DatabaseOptions::operator==(const DatabaseOptions& o) const
{
    // Compare by the stored bytes, so that float points compare bit for bit.
    DatabaseHeader a;
    DatabaseHeader b;
    a.options = *this;
    b.options = o;
    std::array<std::uint8_t, kHeaderSize> ba{};
    std::array<std::uint8_t, kHeaderSize> bb{};
    encode(a, ba);
    encode(b, bb);
    return ba == bb;
}

void encode(const DatabaseHeader& h, Bytes out)
{
    const DatabaseOptions& o = h.options;
    putText(out, off::version, h.version);
    for (std::size_t k = 0; k < kSectionFields.size(); ++k) {
        const SectionField& f = kSectionFields[k];
        if (f.countWidth == 2) {
            putI16(out, f.countOffset, static_cast<std::int16_t>(h.sections[k].count));
        } else {
            putI32(out, f.countOffset, h.sections[k].count);
        }
        putI32(out, f.positionOffset, h.sections[k].position);
    }
    putI16(out, off::includeHistory, o.includeHistory);
    putI16(out, off::allowPlayersClub, o.allowPlayersClub);
    putI16(out, off::seasonTwoYears, o.seasonTwoYears);
    putI16(out, off::firstInningsOnly, o.firstInningsOnly);
    putI16(out, off::batsmenPerTeam, o.batsmenPerTeam);
    putI16(out, off::bowlersPerTeam, o.bowlersPerTeam);
    for (std::size_t i = 0; i < o.individualPoints.size(); ++i) {
        putF32(out, off::individualPoints + 4 * i, o.individualPoints[i]);
    }
    putText(out, off::databaseTitle, o.databaseTitle);
    putI16(out, off::runsPerNoBall, o.runsPerNoBall);
    putU8(out, off::ballsPerOver, o.ballsPerOver);
    putU8(out, off::runsPerWide, o.runsPerWide);
    putI16(out, off::bowlingRunsFirst, o.bowlingRunsFirst);
    for (std::size_t i = 0; i < o.competitionPoints.size(); ++i) {
        putI16(out, off::competitionPoints + 2 * i, o.competitionPoints[i]);
    }
    putText(out, off::webFilePrefix, o.webFilePrefix);
    putText(out, off::statsDateFrom, o.statsDateFrom);
    putText(out, off::statsDateTo, o.statsDateTo);
    putU8(out, off::webPageFlags1, o.webPageFlags1);
    putU8(out, off::webPageFlags2, o.webPageFlags2);
    putI16(out, off::bowlingQualifyOvers, o.bowlingQualifyOvers);
    putI16(out, off::reportLength, o.reportLength);
    putI16(out, off::battingQualifyInnings, o.battingQualifyInnings);
    putI16(out, off::battingQualifyRuns, o.battingQualifyRuns);
    putI16(out, off::bowlingQualifyWickets, o.bowlingQualifyWickets);
    putI16(out, off::chartLength, o.chartLength);
    putI16(out, off::allRoundQualifyWickets, o.allRoundQualifyWickets);
    putI16(out, off::allRoundQualifyRuns, o.allRoundQualifyRuns);
    putU8(out, off::battingQualifyByInnings, o.battingQualifyByInnings);
    putU32(out, off::webForeColour, o.webForeColour);
    putU32(out, off::webBackColour, o.webBackColour);
    putText(out, off::webAuthorName, o.webAuthorName);
    putText(out, off::webAuthorEmail, o.webAuthorEmail);
    putText(out, off::webHomeUrl, o.webHomeUrl);
    putText(out, off::webBackgroundUrl, o.webBackgroundUrl);
    putU32(out, off::webLinkColour, o.webLinkColour);
    putU32(out, off::webSelectedLinkColour, o.webSelectedLinkColour);
    putText(out, off::webCopyrightText, o.webCopyrightText);
    putText(out, off::webHeaderFile, o.webHeaderFile);
    putU8(out, off::scorecardFoursSixes, o.scorecardFoursSixes);
    putU8(out, off::scorecardBallsFaced, o.scorecardBallsFaced);
    putU8(out, off::chartSizeLarge, o.chartSizeLarge);
    putRaw<597>(out, off::reserved, h.reserved);
}

void decode(ConstBytes in, DatabaseHeader& h)
{
    DatabaseOptions& o = h.options;
    getText(in, off::version, h.version);
    for (std::size_t k = 0; k < kSectionFields.size(); ++k) {
        const SectionField& f = kSectionFields[k];
        h.sections[k].count = f.countWidth == 2 ? getI16(in, f.countOffset) : getI32(in, f.countOffset);
        h.sections[k].position = getI32(in, f.positionOffset);
    }
    o.includeHistory = getI16(in, off::includeHistory);
    o.allowPlayersClub = getI16(in, off::allowPlayersClub);
    o.seasonTwoYears = getI16(in, off::seasonTwoYears);
    o.firstInningsOnly = getI16(in, off::firstInningsOnly);
    o.batsmenPerTeam = getI16(in, off::batsmenPerTeam);
    o.bowlersPerTeam = getI16(in, off::bowlersPerTeam);
    for (std::size_t i = 0; i < o.individualPoints.size(); ++i) {
        o.individualPoints[i] = getF32(in, off::individualPoints + 4 * i);
    }
    getText(in, off::databaseTitle, o.databaseTitle);
    o.runsPerNoBall = getI16(in, off::runsPerNoBall);
    o.ballsPerOver = getU8(in, off::ballsPerOver);
    o.runsPerWide = getU8(in, off::runsPerWide);
    o.bowlingRunsFirst = getI16(in, off::bowlingRunsFirst);
    for (std::size_t i = 0; i < o.competitionPoints.size(); ++i) {
        o.competitionPoints[i] = getI16(in, off::competitionPoints + 2 * i);
    }
    getText(in, off::webFilePrefix, o.webFilePrefix);
    getText(in, off::statsDateFrom, o.statsDateFrom);
    getText(in, off::statsDateTo, o.statsDateTo);
    o.webPageFlags1 = getU8(in, off::webPageFlags1);
    o.webPageFlags2 = getU8(in, off::webPageFlags2);
    o.bowlingQualifyOvers = getI16(in, off::bowlingQualifyOvers);
    o.reportLength = getI16(in, off::reportLength);
    o.battingQualifyInnings = getI16(in, off::battingQualifyInnings);
    o.battingQualifyRuns = getI16(in, off::battingQualifyRuns);
    o.bowlingQualifyWickets = getI16(in, off::bowlingQualifyWickets);
    o.chartLength = getI16(in, off::chartLength);
    o.allRoundQualifyWickets = getI16(in, off::allRoundQualifyWickets);
    o.allRoundQualifyRuns = getI16(in, off::allRoundQualifyRuns);
    o.battingQualifyByInnings = getU8(in, off::battingQualifyByInnings);
    o.webForeColour = getU32(in, off::webForeColour);
    o.webBackColour = getU32(in, off::webBackColour);
    getText(in, off::webAuthorName, o.webAuthorName);
    getText(in, off::webAuthorEmail, o.webAuthorEmail);
    getText(in, off::webHomeUrl, o.webHomeUrl);
    getText(in, off::webBackgroundUrl, o.webBackgroundUrl);
    o.webLinkColour = getU32(in, off::webLinkColour);
    o.webSelectedLinkColour = getU32(in, off::webSelectedLinkColour);
    getText(in, off::webCopyrightText, o.webCopyrightText);
    getText(in, off::webHeaderFile, o.webHeaderFile);
    o.scorecardFoursSixes = getU8(in, off::scorecardFoursSixes);
    o.scorecardBallsFaced = getU8(in, off::scorecardBallsFaced);
    o.chartSizeLarge = getU8(in, off::chartSizeLarge);
    h.reserved = getRaw<597>(in, off::reserved);
}

DatabaseHeader newDatabaseHeader(std::string_view programVersion)
{
    DatabaseHeader h; // every byte zero
    DatabaseOptions& o = h.options;
    h.version.assign(programVersion);
    o.databaseTitle.assign("no title");
    o.statsDateFrom.assign("01/01/1800");
    o.statsDateTo.assign("01/01/2100");
    o.batsmenPerTeam = 11;
    o.bowlersPerTeam = 11;
    o.runsPerNoBall = 1;
    o.runsPerWide = 1;
    o.ballsPerOver = 6;
    o.bowlingRunsFirst = 1;
    o.webBackColour = 0x00FFFFFF;
    o.webLinkColour = 0x00FF0000;
    o.webSelectedLinkColour = 0x00C000C0;
    o.scorecardFoursSixes = 1;
    o.scorecardBallsFaced = 1;
    o.bowlingQualifyOvers = 20;
    o.reportLength = 20;
    o.battingQualifyInnings = 10;
    o.battingQualifyRuns = 200;
    o.bowlingQualifyWickets = 10;
    o.chartLength = 50;
    o.allRoundQualifyWickets = 10;
    o.allRoundQualifyRuns = 200;
    return h;
}

} // namespace wickly
