#pragma once
// DatabaseHeader: the first 1660 bytes of a container and the in-memory header of the open
// database — the version, the count and section position of every record kind, and the
// database's options. Byte positions are in docs/formats.md and database_header.cpp.

#include "fixed_text.h"
#include "records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace wickly {

inline constexpr std::size_t kHeaderSize = 1660;

// The settings that travel with a database.
struct DatabaseOptions
{
    // Scoring and team rules
    FixedText<40> databaseTitle;
    std::uint8_t ballsPerOver = 0;
    std::uint8_t runsPerWide = 0;
    std::int16_t runsPerNoBall = 0;
    std::int16_t batsmenPerTeam = 0;
    std::int16_t bowlersPerTeam = 0;
    std::int16_t allowPlayersClub = 0;
    std::int16_t seasonTwoYears = 0;   // flag
    std::int16_t bowlingRunsFirst = 0; // flag
    std::uint8_t scorecardFoursSixes = 0;
    std::uint8_t scorecardBallsFaced = 0;
    // Points
    std::array<std::int16_t, 16> competitionPoints{}; // tenths of a point
    std::array<float, 13> individualPoints{};
    // Web site
    FixedText<3> webFilePrefix;
    FixedText<100> webAuthorName;
    FixedText<100> webAuthorEmail;
    FixedText<100> webHomeUrl;
    FixedText<100> webBackgroundUrl;
    FixedText<250> webCopyrightText;
    FixedText<150> webHeaderFile;
    std::uint32_t webForeColour = 0; // 0x00BBGGRR
    std::uint32_t webBackColour = 0;
    std::uint32_t webLinkColour = 0;
    std::uint32_t webSelectedLinkColour = 0;
    std::uint8_t chartSizeLarge = 0;
    // Statistics window
    FixedText<10> statsDateFrom;
    FixedText<10> statsDateTo;
    std::int16_t includeHistory = 0;   // flag
    std::int16_t firstInningsOnly = 0; // flag
    std::uint8_t battingQualifyByInnings = 0;
    std::int16_t battingQualifyInnings = 0;
    std::int16_t battingQualifyRuns = 0;
    std::int16_t bowlingQualifyWickets = 0;
    std::int16_t bowlingQualifyOvers = 0;
    std::int16_t allRoundQualifyRuns = 0;
    std::int16_t allRoundQualifyWickets = 0;
    std::int16_t reportLength = 0;
    std::int16_t chartLength = 0;
    std::uint8_t webPageFlags1 = 0;
    std::uint8_t webPageFlags2 = 0;

    bool operator==(const DatabaseOptions&) const;
};

// One row of the section table: how many records of a kind, and where the section starts
// (a 1-based byte position in the container).
struct Section
{
    std::int32_t count = 0;
    std::int32_t position = 0;
    bool operator==(const Section&) const = default;
};

struct DatabaseHeader
{
    FixedText<4> version;
    std::array<Section, kRecordKindCount> sections{}; // indexed by RecordKind
    DatabaseOptions options;
    std::array<std::uint8_t, 597> reserved{};

    Section& section(RecordKind k) { return sections[static_cast<std::size_t>(k)]; }
    const Section& section(RecordKind k) const { return sections[static_cast<std::size_t>(k)]; }
    std::int32_t count(RecordKind k) const { return section(k).count; }

    bool operator==(const DatabaseHeader&) const = default;
};

// Where a kind's count lives in the header and how wide it is (the innings count is 32-bit,
// every other count 16-bit, so at most 32767 records).
struct SectionField
{
    std::size_t countOffset;
    std::size_t countWidth;
    std::size_t positionOffset;
};
const SectionField& sectionField(RecordKind kind);
// The largest count a kind's header field can hold.
std::int32_t maxCount(RecordKind kind);

void encode(const DatabaseHeader& h, std::span<std::uint8_t> out); // kHeaderSize bytes
void decode(std::span<const std::uint8_t> in, DatabaseHeader& h);

// The header of a new database: every byte zero, then the version and the defaults of New.
DatabaseHeader newDatabaseHeader(std::string_view programVersion);

} // namespace wickly
