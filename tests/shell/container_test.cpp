// The container: its exact layout, opening with the version check, refusing damaged files
// without touching the open database, and saving without ever leaving a half-written file.

#include "container.h"
#include "database_fixture.h"
#include "formats.h"
#include "platform.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wickly;
using namespace wickly::test;

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t off)
{
    return b.at(off) | (b.at(off + 1) << 8) | (b.at(off + 2) << 16) | (static_cast<std::uint32_t>(b.at(off + 3)) << 24);
}

class ContainerTest : public ::testing::Test, public TestDatabase
{
protected:
    // A small database of every kind, saved to "db.wkd".
    std::string saveSample()
    {
        addClub("North", "N");
        addClub("South", "S");
        addNamed<GradeRecord>("A Grade", "A");
        addNamed<GroundRecord>("Oval");
        addTeam("North 1", 1);
        addTeam("South 1", 2);
        addPlayer("J Smith", 1, "Smith", "John");
        addPlayer("K Jones", 2);
        AliasRecord a;
        a.kindCode.assign("Pla");
        a.alias.assign("Smithy");
        a.name.assign("J Smith");
        ws.addAlias(a);
        InningsRecord inn;
        inn.batting[1] = {.batsman = 1, .howOut = NotOut, .runs = 50};
        inn.bowling[1] = {.bowler = 2, .overs = 7.4F};
        const std::int32_t i = ws.AllocateInnings();
        ws.write(i, inn);
        ws.append(makeSpecialEvent(i, 2, kDropCatch));
        MatchRecord m;
        m.matchType = OneDayMatch;
        m.team1 = 1;
        m.team2 = 2;
        m.datePlayed.assign("01/05/2020");
        m.innings[1] = i;
        ws.write(ws.AllocateMatch(), m);
        const std::string path = folder.file("db.wkd");
        EXPECT_TRUE(saveContainerFile(app, path).ok());
        return path;
    }

    ScriptedPlatform platform;
};

} // namespace

TEST_F(ContainerTest, TwoClubsGiveTheDocumentedFile)
{
    addClub("North", "N");
    addClub("South", "S");
    const std::string path = folder.file("two.wkd");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    const std::vector<std::uint8_t> f = readBytes(path);

    ASSERT_EQ(f.size(), 2999u + 300u + 255u);
    const std::string text(f.begin(), f.end());
    EXPECT_EQ(text.substr(0, 4), "2.6d");
    EXPECT_EQ(text.substr(124, 40), "no title" + std::string(32, ' '));
    // Header counts: clubs 2, everything else 0.
    EXPECT_EQ(f[16], 2);
    EXPECT_EQ(f[17], 0);
    // Positions: players, innings, matches, teams and clubs at 3000; the rest at the length + 1.
    EXPECT_EQ(le32(f, 30), 3000u);  // players
    EXPECT_EQ(le32(f, 38), 3000u);  // innings
    EXPECT_EQ(le32(f, 44), 3000u);  // matches
    EXPECT_EQ(le32(f, 24), 3000u);  // teams
    EXPECT_EQ(le32(f, 18), 3000u);  // clubs
    EXPECT_EQ(le32(f, 12), 3555u);  // grades
    EXPECT_EQ(le32(f, 6), 3555u);   // grounds
    EXPECT_EQ(le32(f, 50), 3555u);  // special events
    EXPECT_EQ(le32(f, 56), 3555u);  // aliases
    // Zero bytes between the header and position 3000.
    EXPECT_EQ(std::count(f.begin() + 1660, f.begin() + 2999, 0), 2999 - 1660);
    // Club 1 at position 3000, zeros to the end of its slot, club 2 at the next slot.
    EXPECT_EQ(text.substr(2999, 40), "North" + std::string(35, ' '));
    EXPECT_EQ(text.substr(2999 + 40, 7), "N      ");
    EXPECT_EQ(std::count(f.begin() + 2999 + 255, f.begin() + 2999 + 300, 0), 45);
    EXPECT_EQ(text.substr(2999 + 300, 5), "South");
    // The in-memory header keeps the positions written.
    EXPECT_EQ(app.header.section(RecordKind::Grade).position, 3555);
    EXPECT_FALSE(app.databaseChanged);
    EXPECT_EQ(app.databaseFile, path);
}

TEST_F(ContainerTest, AnEmptyDatabaseIsOnlyTheHeader)
{
    const std::string path = folder.file("empty.wkd");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    const std::vector<std::uint8_t> f = readBytes(path);
    ASSERT_EQ(f.size(), 1660u);
    for (std::size_t p : {6u, 12u, 18u, 24u, 30u, 38u, 44u, 50u, 56u}) {
        EXPECT_EQ(le32(f, p), 3000u) << p;
    }
}

TEST_F(ContainerTest, OpenThenSaveReproducesTheFile)
{
    const std::string path = saveSample();
    const std::vector<std::uint8_t> first = readBytes(path);

    // A second program state opens it (the working files are overwritten with the same records).
    AppState other;
    other.startupFolder = folder.path();
    ASSERT_TRUE(loadContainerFile(other, path).ok());
    EXPECT_EQ(other.databaseFile, path);
    EXPECT_EQ(other.workingBase, folder.path() + "/~tmp");
    EXPECT_FALSE(other.databaseChanged);
    const std::string copy = folder.file("copy.wkd");
    ASSERT_TRUE(saveContainerFile(other, copy).ok());
    EXPECT_EQ(readBytes(copy), first);
}

TEST_F(ContainerTest, SectionsFollowEachOtherInSaveOrder)
{
    const std::string path = saveSample();
    const std::vector<std::uint8_t> f = readBytes(path);
    // players(2) at 3000, innings(1) after the second player's used bytes, then matches, teams,
    // clubs, grades, grounds, special events, aliases.
    const std::int32_t players = 3000;
    const std::int32_t innings = players + 200 + 192;
    const std::int32_t matches = innings + 637;
    const std::int32_t teams = matches + 151;
    const std::int32_t clubs = teams + 150 + 132;
    const std::int32_t grades = clubs + 300 + 255;
    const std::int32_t grounds = grades + 155;
    const std::int32_t events = grounds + 155;
    const std::int32_t aliases = events + 21;
    EXPECT_EQ(le32(f, 30), static_cast<std::uint32_t>(players));
    EXPECT_EQ(le32(f, 38), static_cast<std::uint32_t>(innings));
    EXPECT_EQ(le32(f, 44), static_cast<std::uint32_t>(matches));
    EXPECT_EQ(le32(f, 24), static_cast<std::uint32_t>(teams));
    EXPECT_EQ(le32(f, 18), static_cast<std::uint32_t>(clubs));
    EXPECT_EQ(le32(f, 12), static_cast<std::uint32_t>(grades));
    EXPECT_EQ(le32(f, 6), static_cast<std::uint32_t>(grounds));
    EXPECT_EQ(le32(f, 50), static_cast<std::uint32_t>(events));
    EXPECT_EQ(le32(f, 56), static_cast<std::uint32_t>(aliases));
    EXPECT_EQ(f.size(), static_cast<std::size_t>(aliases - 1 + 103));
    const std::string text(f.begin(), f.end());
    EXPECT_EQ(text.substr(static_cast<std::size_t>(players - 1), 7), "J Smith");
    EXPECT_EQ(text.substr(static_cast<std::size_t>(events - 1), 21), " 1    2   Drop Catch ");
    EXPECT_EQ(text.substr(static_cast<std::size_t>(aliases - 1), 9), "PlaSmithy");
}

// A container laid out by another program: sections in a different order, spaced freely, with
// bytes in the unused rest of slots, opens with every record in place.
TEST_F(ContainerTest, OpensAContainerWrittenByAnotherProgram)
{
    std::vector<std::uint8_t> f(6000, 0xAB);
    DatabaseHeader h = newDatabaseHeader("2.5");
    h.options.databaseTitle.assign("   ");
    ClubRecord c;
    c.name.assign("Elsewhere");
    TeamRecord t;
    t.name.assign("Elsewhere 1");
    t.club = 1;
    h.section(RecordKind::Team) = {1, 5001};
    h.section(RecordKind::Club) = {2, 4001};
    encode(h, std::span(f).first(kHeaderSize));
    encode(c, std::span(f).subspan(4000, 255));
    c.name.assign("Second");
    encode(c, std::span(f).subspan(4300, 255));
    encode(t, std::span(f).subspan(5000, 132));
    const std::string path = folder.file("foreign.wkd");
    writeBytes(path, f);

    ASSERT_TRUE(loadContainerFile(app, path).ok());
    EXPECT_EQ(ws.read<ClubRecord>(2).name.str(), "Second");
    EXPECT_EQ(ws.read<TeamRecord>(1).club, 1);
    EXPECT_EQ(ws.read<TeamRecord>(1).name.str(), "Elsewhere 1");
    EXPECT_EQ(app.header.options.databaseTitle.str(), "no title"); // a blank title becomes "no title"
    EXPECT_EQ(app.header.version.str(), "2.5");                      // kept from the file

    // Saving it writes the version of the file, not the program's.
    const std::string saved = folder.file("resaved.wkd");
    ASSERT_TRUE(saveContainerFile(app, saved).ok());
    EXPECT_EQ(readBytes(saved).at(2), '5');
}

TEST_F(ContainerTest, VersionCheck)
{
    // clang-format off
    const struct { const char* file; bool accepted; } rows[] = {
        {"2.6d", true}, {"2.6", true}, {"2.5", true}, {"1.0", true}, {"", true},
        {"2.7", false}, {"3.0", false}, {"2.61", false},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        EXPECT_EQ(versionAccepted("2.6d", r.file), r.accepted);
    }
}

// State that every refused open must leave exactly as it was.
struct Snapshot
{
    DatabaseHeader header;
    std::string databaseFile;
    std::string workingBase;
    bool changed;
    std::vector<std::uint8_t> clubs;
    bool operator==(const Snapshot&) const = default;
};

static Snapshot snapshot(const AppState& app, const TempFolder& folder)
{
    return {app.header, app.databaseFile, app.workingBase, app.databaseChanged, readBytes(folder.file("~tmp.clu"))};
}

TEST_F(ContainerTest, RefusedOpensLeaveTheOpenDatabaseAlone)
{
    const std::string good = saveSample();
    const std::vector<std::uint8_t> bytes = readBytes(good);
    addClub("Unsaved");
    const Snapshot before = snapshot(app, folder);

    auto withCount = [&](std::size_t off, std::uint8_t lo, std::uint8_t hi) {
        std::vector<std::uint8_t> b = bytes;
        b[off] = lo;
        b[off + 1] = hi;
        return b;
    };
    std::vector<std::uint8_t> newer = bytes;
    newer[0] = '2';
    newer[1] = '.';
    newer[2] = '7';
    newer[3] = ' ';
    std::vector<std::uint8_t> farPosition = bytes;
    farPosition[18] = 0xFF; // clubs position far past the end
    farPosition[19] = 0xFF;

    // clang-format off
    const struct { const char* name; std::vector<std::uint8_t> file; const char* expected; } rows[] = {
        {"too short", std::vector<std::uint8_t>(100, 0), "too short"},
        {"empty", {}, "too short"},
        {"negative count", withCount(16, 0xFF, 0xFF), "negative"},
        {"count past the end", withCount(28, 0x00, 0x10), "past the end"},
        {"position past the end", farPosition, "past the end"},
        {"newer version", newer, "more advanced version of Wickly"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string path = folder.file(std::string("bad-") + r.name + ".wkd");
        writeBytes(path, r.file);
        ScriptedPlatform p;
        EXPECT_FALSE(LoadContainer(app, p, path));
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_NE(p.messages[0].text.find(r.expected), std::string::npos) << p.messages[0].text;
        EXPECT_EQ(p.messages[0].icon, Icon::Error);
        EXPECT_EQ(p.busyDepth, 0);
        EXPECT_EQ(snapshot(app, folder), before);
    }

    ScriptedPlatform p;
    EXPECT_FALSE(LoadContainer(app, p, folder.file("no-such-file.wkd")));
    EXPECT_NE(p.messages.at(0).text.find("could not be opened"), std::string::npos);
    EXPECT_EQ(snapshot(app, folder), before);

    // Longer than any container can be (a sparse file): refused without reading 2 GB.
    const std::string huge = folder.file("huge.wkd");
    writeBytes(huge, bytes);
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kLargestContainer) + 1), 0);
    const Status s = loadContainerFile(app, huge);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find("is too large to be a Wickly database"), std::string::npos) << s.message();
    EXPECT_EQ(snapshot(app, folder), before);
}

TEST_F(ContainerTest, ANewerVersionIsNamedEvenWhenItsLayoutLooksDamaged)
{
    std::vector<std::uint8_t> f(kHeaderSize, 0);
    DatabaseHeader h = newDatabaseHeader("3.0");
    h.section(RecordKind::Club) = {5, 999999};
    encode(h, f);
    const std::string path = folder.file("newer.wkd");
    writeBytes(path, f);
    const Status s = loadContainerFile(app, path);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.message(), newerVersionMessage());
}

TEST_F(ContainerTest, SaveRefusesWhenAWorkingFileLostItsRecords)
{
    const std::string path = saveSample();
    const std::vector<std::uint8_t> old = readBytes(path);
    std::filesystem::remove(folder.file("~tmp.pla"));
    const Status s = saveContainerFile(app, path);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find("~tmp.pla"), std::string::npos) << s.message();
    EXPECT_EQ(readBytes(path), old);
}

TEST_F(ContainerTest, SaveKeepsTheContainersPermissionsAndLeavesNoTemporaryFile)
{
    const std::string path = saveSample();
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    struct stat st
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
        files += e.path().filename().string().starts_with("~wkd");
    }
    EXPECT_EQ(files, 0);
}

TEST_F(ContainerTest, SaveThroughASymbolicLinkUpdatesItsTarget)
{
    std::filesystem::create_directory(folder.file("real"));
    addClub("North");
    ASSERT_TRUE(saveContainerFile(app, folder.file("real/db.wkd")).ok());
    std::filesystem::create_symlink("real/db.wkd", folder.file("link.wkd"));

    addClub("South");
    ASSERT_TRUE(saveContainerFile(app, folder.file("link.wkd")).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.wkd")));
    EXPECT_EQ(readBytes(folder.file("real/db.wkd")).size(), 2999u + 300u + 255u); // two clubs
    EXPECT_EQ(app.databaseFile, folder.file("link.wkd"));
}

TEST_F(ContainerTest, SaveUpdatesEveryNameOfAHardLinkedFile)
{
    const std::string path = saveSample();
    ASSERT_EQ(::link(path.c_str(), folder.file("other-name.wkd").c_str()), 0);
    addClub("Added");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    const std::vector<std::uint8_t> saved = readBytes(path);
    EXPECT_EQ(readBytes(folder.file("other-name.wkd")), saved);
    EXPECT_NE(std::string(saved.begin(), saved.end()).find("Added"), std::string::npos);
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2u);
}

TEST_F(ContainerTest, SaveKeepsOwnerAndGroup)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another owner";
    }
    const std::string path = saveSample();
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    addClub("Added");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    struct stat st
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

// The temporary file has a short name of its own, so a container named up to the system's limit
// of 255 bytes saves too.
TEST_F(ContainerTest, SaveWorksForTheLongestFileNames)
{
    addClub("North");
    const std::string path = folder.file(std::string(251, 'n') + ".wkd");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    addClub("South");
    ASSERT_TRUE(saveContainerFile(app, path).ok());
    EXPECT_EQ(readBytes(path).size(), 2999u + 300u + 255u);
}

TEST_F(ContainerTest, SaveRemovesTheTemporaryFilesOfInterruptedSaves)
{
    const std::string path = saveSample();
    writeBytes(folder.file("~wkdAb12Cd.tmp"), {1, 2, 3});   // left by a save that was killed
    writeBytes(folder.file("~wkdbusy12.tmp"), {4, 5, 6});   // another program's save in progress
    writeBytes(folder.file("~wkdnotmine.txt"), {7, 8, 9}); // not a name a save uses
    const int busy = ::open(folder.file("~wkdbusy12.tmp").c_str(), O_RDONLY);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    ASSERT_TRUE(saveContainerFile(app, path).ok());
    EXPECT_FALSE(fileExists(folder.file("~wkdAb12Cd.tmp")));
    EXPECT_TRUE(fileExists(folder.file("~wkdbusy12.tmp")));
    EXPECT_TRUE(fileExists(folder.file("~wkdnotmine.txt")));
    ::close(busy);
}

// The counts and positions of the header are 16 and 32 bits wide: a database that does not fit
// is refused before anything is written, instead of wrapping into a broken file.
TEST(ContainerLimits, CountsAndPositionsMustFitTheHeader)
{
    const auto counts = [](std::initializer_list<std::pair<RecordKind, std::int64_t>> given) {
        KindCounts c{};
        for (const auto& [kind, n] : given) {
            c[static_cast<std::size_t>(kind)] = n;
        }
        return c;
    };
    using K = RecordKind;
    // clang-format off
    const struct { const char* name; KindCounts counts; const char* problem; } rows[] = {
        {"empty", counts({}), ""},
        {"most clubs", counts({{K::Club, 32767}}), ""},
        {"one club too many", counts({{K::Club, 32768}}),
         "it holds 32768 clubs, but a Wickly database file holds at most 32767"},
        {"one alias too many", counts({{K::Alias, 32768}}),
         "it holds 32768 aliases, but a Wickly database file holds at most 32767"},
        // 2999 + 3067828 * 700 + 637 = 2147483236; the next section starts one later.
        {"most innings", counts({{K::Innings, 3067829}}), ""},
        {"one innings too many", counts({{K::Innings, 3067830}}),
         "its records would reach position 2147483937, but the positions of a Wickly database file end at "
         "2147483647 (about 3 million innings)"},
        // Players come first: three of them (592 bytes) push the innings past the end.
        {"most innings and three players", counts({{K::Innings, 3067829}, {K::Player, 3}}),
         "its records would reach position 2147483829, but the positions of a Wickly database file end at "
         "2147483647 (about 3 million innings)"},
        {"most innings and an alias", counts({{K::Innings, 3067829}, {K::Alias, 1}}), ""},
        {"innings past 32 bits", counts({{K::Innings, 4000000000}}),
         "it holds 4000000000 innings, but a Wickly database file holds at most 2147483647"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(containerLimitProblem(r.counts), r.problem);
    }
    const ContainerLayout most = containerLayout(counts({{K::Innings, 3067829}, {K::Alias, 1}}));
    EXPECT_EQ(most.positions[static_cast<std::size_t>(K::Innings)], 3000);
    EXPECT_EQ(most.positions[static_cast<std::size_t>(K::Alias)], 2147483237);
    EXPECT_EQ(most.length, 2147483236 + 103);
}

TEST_F(ContainerTest, SaveRefusesADatabaseTooLargeForTheFileAndWritesNothing)
{
    const std::string path = saveSample();
    const std::vector<std::uint8_t> old = readBytes(path);
    // 3.1 million innings that all read back (a sparse working file): only the limit can refuse.
    const std::int32_t innings = 3100000;
    ASSERT_EQ(::truncate(folder.file("~tmp.sco").c_str(), static_cast<off_t>(innings) * 700), 0);
    app.header.section(RecordKind::Innings).count = innings;
    ScriptedPlatform p;
    EXPECT_FALSE(SaveDatabase(app, p));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("end at 2147483647"), std::string::npos) << p.messages[0].text;
    EXPECT_EQ(std::count(p.messages[0].text.begin(), p.messages[0].text.end(), '\n'), 0);
    EXPECT_EQ(readBytes(path), old);

    app.header.section(RecordKind::Innings).count = 1;
    app.header.section(RecordKind::Club).count = 40000;
    const Status s = saveContainerFile(app, path);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find("it holds 40000 clubs, but a Wickly database file holds at most 32767"),
              std::string::npos)
        << s.message();
    EXPECT_EQ(readBytes(path), old);
}

// An open that fails while it writes the working files (here: the file size limit of the
// process) leaves the previous database loaded, unchanged and saveable.
TEST_F(ContainerTest, AnOpenThatFailsPartWayKeepsThePreviousDatabase)
{
    const std::string path = saveSample();
    addClub("Unsaved");
    const Snapshot before = snapshot(app, folder);
    const std::vector<std::uint8_t> inningsBefore = readBytes(folder.file("~tmp.sco"));

    // A container of 200 innings: 140 KB of working file.
    DatabaseHeader h = newDatabaseHeader("2.6d");
    h.section(RecordKind::Innings) = {200, 3000};
    std::vector<std::uint8_t> big(2999 + 199 * 700 + 637, 0);
    encode(h, std::span(big).first(kHeaderSize));
    writeBytes(folder.file("big.wkd"), big);

    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 64 * 1024;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedPlatform p;
    const bool loaded = LoadContainer(app, p, folder.file("big.wkd"));
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_FALSE(loaded);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("could not be opened"), std::string::npos) << p.messages[0].text;
    EXPECT_EQ(snapshot(app, folder), before);
    EXPECT_EQ(readBytes(folder.file("~tmp.sco")), inningsBefore);
    EXPECT_FALSE(fileExists(folder.file("~tmp-new.sco")));
    EXPECT_TRUE(app.databaseLoaded());

    // Save writes the previous database with its unsaved change.
    ASSERT_TRUE(SaveDatabase(app, p));
    AppState other;
    other.startupFolder = folder.path();
    ASSERT_TRUE(loadContainerFile(other, path).ok());
    EXPECT_EQ(WorkingSet(other).read<ClubRecord>(3).name.str(), "Unsaved");
}

TEST_F(ContainerTest, NewerVersionMessage)
{
    const std::string m = newerVersionMessage();
    EXPECT_TRUE(m.starts_with("Error: This file has been generated by a more advanced version of Wickly.  An upgrade "
                              "to Wickly is required to open this file - Please visit "))
        << m;
    EXPECT_TRUE(m.ends_with(" to download.")) << m;
}

// Every prefix of a valid container that cuts into a section is refused.
TEST_F(ContainerTest, TruncationSweep)
{
    const std::vector<std::uint8_t> bytes = readBytes(saveSample());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::span<const std::uint8_t> prefix(bytes.data(), n);
        ASSERT_FALSE(parseContainer(prefix, "x").ok()) << "prefix of " << n << " bytes";
    }
    EXPECT_TRUE(parseContainer(bytes, "x").ok());
}

TEST_F(ContainerTest, AFailedSaveLeavesTheOldContainerIntact)
{
    const std::string path = saveSample();
    const std::vector<std::uint8_t> old = readBytes(path);
    addClub("More");
    const std::string fileBefore = app.databaseFile;

    // A read-only container, for every user: root could write it, but it was made read-only on
    // purpose.
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const Status s = saveContainerFile(app, path);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("the file is read-only"), std::string::npos) << s.message();
    EXPECT_EQ(readBytes(path), old);
    EXPECT_TRUE(app.databaseChanged);
    ::chmod(path.c_str(), 0644);

    // A folder that does not exist.
    ScriptedPlatform p;
    app.databaseFile = folder.file("missing/db.wkd");
    EXPECT_FALSE(SaveDatabase(app, p));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("could not be saved"), std::string::npos);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_FALSE(fileExists(folder.file("missing")));
    app.databaseFile = fileBefore;

    // No database at all (as after an open whose renames failed part way): nothing to save over
    // a container.
    AppState none;
    none.startupFolder = folder.path();
    const Status empty = saveContainerFile(none, path);
    EXPECT_FALSE(empty.ok());
    EXPECT_NE(empty.message().find("no database is open"), std::string::npos) << empty.message();
    EXPECT_EQ(readBytes(path), old);
}

TEST_F(ContainerTest, NewDatabaseAsksBeforeDiscardingChanges)
{
    addClub("A");
    app.databaseFile = folder.file("kept.wkd");

    platform.buttonAnswers = {Button::Cancel};
    EXPECT_FALSE(NewDatabase(app, platform));
    EXPECT_EQ(ws.count(RecordKind::Club), 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Save changes to existing database?");
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(platform.messages[0].icon, Icon::Warning);

    platform.buttonAnswers = {Button::Yes};
    EXPECT_TRUE(NewDatabase(app, platform));
    EXPECT_TRUE(fileExists(folder.file("kept.wkd")));
    EXPECT_EQ(ws.count(RecordKind::Club), 0);
    EXPECT_EQ(app.databaseFile, "");
    EXPECT_EQ(app.header.options.databaseTitle.str(), "no title");
    // After New the working files still hold the old records, but nothing is counted.
    EXPECT_EQ(readBytes(folder.file("~tmp.clu")).at(0), 'A');

    addClub("B");
    platform.buttonAnswers = {Button::No};
    EXPECT_TRUE(NewDatabase(app, platform));
    EXPECT_FALSE(app.databaseChanged);
}

TEST_F(ContainerTest, ChosingYesWhenTheSaveDoesNotHappenStopsTheCommand)
{
    addClub("A"); // a new database without a file name: Yes leads to Save As
    platform.buttonAnswers = {Button::Yes};
    platform.fileAnswers = {std::nullopt}; // Save As cancelled
    EXPECT_FALSE(NewDatabase(app, platform));
    EXPECT_EQ(ws.count(RecordKind::Club), 1);
    EXPECT_TRUE(app.databaseChanged);
}

TEST_F(ContainerTest, SaveAsDialogAndItsAnswers)
{
    addClub("A");
    platform.fileAnswers = {std::nullopt, std::string(), folder.file("named.wkd")};
    EXPECT_FALSE(SaveDatabase(app, platform)); // cancelled
    EXPECT_EQ(app.databaseFile, "");
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    const FileDialogRequest& d = platform.saveDialogs[0];
    EXPECT_EQ(d.title, "Save Database As");
    EXPECT_EQ(d.filter, "Wickly Database (*.wkd)|*.wkd|All Files (*.*)|*.*");
    EXPECT_EQ(d.defaultExtension, ".wkd");
    EXPECT_TRUE(d.overwritePrompt);

    EXPECT_FALSE(SaveDatabaseAs(app, platform)); // empty name
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "No file name entered - Save aborted");
    EXPECT_EQ(platform.messages[0].icon, Icon::None);
    EXPECT_EQ(app.databaseFile, "");

    EXPECT_TRUE(SaveDatabaseAs(app, platform));
    EXPECT_EQ(app.databaseFile, folder.file("named.wkd"));
    EXPECT_FALSE(app.databaseChanged);
    EXPECT_EQ(platform.busyCalls, 1);
    EXPECT_EQ(platform.busyDepth, 0);

    // Save As offers the current name.
    platform.fileAnswers = {std::nullopt};
    SaveDatabaseAs(app, platform);
    EXPECT_EQ(platform.saveDialogs.back().initialName, folder.file("named.wkd"));
}

TEST_F(ContainerTest, OpenDatabaseUsesTheOpenDialog)
{
    const std::string path = saveSample();
    newDatabaseState(app);
    platform.fileAnswers = {std::nullopt, path};
    EXPECT_FALSE(OpenDatabase(app, platform));
    EXPECT_EQ(platform.openDialogs.at(0).title, "Open Database");
    EXPECT_EQ(platform.openDialogs.at(0).filter, "Wickly Database (*.wkd)|*.wkd");
    EXPECT_TRUE(OpenDatabase(app, platform));
    EXPECT_EQ(ws.count(RecordKind::Club), 2);
    EXPECT_EQ(ws.read<PlayerRecord>(1).lastName.str(), "Smith");
    EXPECT_EQ(ws.read<InningsRecord>(1).bowling[1].overs, 7.4F);
    EXPECT_EQ(app.databaseFile, path);
}
