// Adding, deleting and counting records in the working set, with the cascades that keep the
// references between records valid.

#include "database_fixture.h"
#include "lookups.h"
#include "temp_folder.h"
#include "working_set_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

using namespace wickly;
using namespace wickly::test;

namespace {

class WorkingSetTest : public ::testing::Test, public TestDatabase
{
protected:
    std::int32_t count(RecordKind k) const { return ws.count(k); }

    std::int32_t addMatch(std::int16_t team1, std::int16_t team2, std::int16_t grade, std::int16_t ground)
    {
        MatchRecord m;
        m.matchType = OneDayMatch;
        m.team1 = team1;
        m.team2 = team2;
        m.grade = grade;
        m.ground = ground;
        m.datePlayed.assign("01/05/2020");
        const std::int32_t n = ws.AllocateMatch();
        ws.write(n, m);
        return n;
    }
};

} // namespace

TEST_F(WorkingSetTest, RecordsAreWrittenAtTheirSlotsAndReadBack)
{
    addClub("One", "O");
    addClub("Two", "T");
    EXPECT_EQ(count(RecordKind::Club), 2);
    EXPECT_TRUE(app.databaseChanged);
    const std::vector<std::uint8_t> file = readBytes(folder.file("~tmp.clu"));
    ASSERT_EQ(file.size(), 300u + 255u); // record 2 starts at its slot; nothing after its used bytes
    EXPECT_EQ(file[0], 'O');
    EXPECT_EQ(file[255], 0); // the unused rest of slot 1 is zero
    EXPECT_EQ(file[300], 'T');
    EXPECT_EQ(ws.read<ClubRecord>(2).name.str(), "Two");
    // A slot that was never written reads as zero bytes.
    EXPECT_EQ(ws.read<ClubRecord>(9), ClubRecord{});
}

TEST_F(WorkingSetTest, DeletedClubsKeepTheirNumbersAndCountDropsOnlyForTheLast)
{
    for (const char* n : {"A", "B", "C", "D", "E"}) {
        addClub(n);
    }
    EXPECT_EQ(ws.deleteClub(3), ClubDeletion::Deleted);
    EXPECT_EQ(count(RecordKind::Club), 5);
    EXPECT_EQ(RecordName(ws, ClubName, 3), "#");
    EXPECT_EQ(RecordName(ws, ClubName, 4), "D");
    // The deleted club is the mark and zero bytes.
    ClubRecord deleted;
    deleted.name.assign("#");
    EXPECT_EQ(ws.read<ClubRecord>(3), deleted);
    // A new club takes count + 1, never the deleted slot.
    EXPECT_EQ(addClub("F"), 6);
    EXPECT_EQ(ws.deleteClub(6), ClubDeletion::Deleted);
    EXPECT_EQ(ws.deleteClub(5), ClubDeletion::Deleted);
    EXPECT_EQ(count(RecordKind::Club), 4);
    EXPECT_EQ(ws.deleteClub(4), ClubDeletion::Deleted);
    EXPECT_EQ(count(RecordKind::Club), 3); // does not drop past deleted club 3
}

TEST_F(WorkingSetTest, ClubStillInUseIsNotDeleted)
{
    addClub("A");
    addClub("B");
    addTeam("A Firsts", 1);
    addPlayer("P", 1);
    addPlayer("Q", 2);
    EXPECT_EQ(ws.deleteClub(1), ClubDeletion::UsedByTeam); // the team is reported before the player
    EXPECT_EQ(ws.deleteClub(2), ClubDeletion::UsedByPlayer);
    EXPECT_EQ(RecordName(ws, ClubName, 1), "A");
    EXPECT_EQ(RecordName(ws, ClubName, 2), "B");

    // A deleted team holds club 0 and a deleted player is ignored.
    ws.deleteTeam(1);
    ws.deletePlayer(2);
    EXPECT_EQ(ws.deleteClub(2), ClubDeletion::Deleted);
    EXPECT_EQ(ws.deleteClub(1), ClubDeletion::UsedByPlayer);
}

TEST_F(WorkingSetTest, DeletingGradeGroundOrTeamClearsMatchReferences)
{
    addClub("A");
    addTeam("T1", 1);
    addTeam("T2", 1);
    addTeam("T3", 1);
    addNamed<GradeRecord>("G1");
    addNamed<GradeRecord>("G2");
    addNamed<GroundRecord>("Oval");
    addMatch(1, 2, 2, 1);
    addMatch(2, 3, 1, 1);
    addMatch(3, 1, 2, 0);

    ws.deleteGrade(2);
    EXPECT_EQ(ws.read<MatchRecord>(1).grade, 0);
    EXPECT_EQ(ws.read<MatchRecord>(2).grade, 1);
    EXPECT_EQ(ws.read<MatchRecord>(3).grade, 0);
    EXPECT_EQ(count(RecordKind::Grade), 1);

    ws.deleteGround(1);
    EXPECT_EQ(ws.read<MatchRecord>(1).ground, 0);
    EXPECT_EQ(ws.read<MatchRecord>(2).ground, 0);
    EXPECT_EQ(count(RecordKind::Ground), 0);

    ws.deleteTeam(2);
    EXPECT_EQ(ws.read<MatchRecord>(1).team2, 0);
    EXPECT_EQ(ws.read<MatchRecord>(2).team1, 0);
    EXPECT_EQ(ws.read<MatchRecord>(2).team2, 3);
    EXPECT_EQ(ws.read<MatchRecord>(3).team1, 3);
    EXPECT_EQ(ws.read<TeamRecord>(2).club, 0);
    EXPECT_EQ(ws.read<TeamRecord>(2).name.str(), "#");
    EXPECT_EQ(count(RecordKind::Team), 3);
    ws.deleteTeam(3);
    EXPECT_EQ(count(RecordKind::Team), 2);
}

TEST_F(WorkingSetTest, PlayerSlotsAreReusedAndTrailingDeletedPlayersDropFromTheCount)
{
    addClub("A");
    for (int i = 1; i <= 9; ++i) {
        addPlayer("P" + std::to_string(i), 1);
    }
    ws.deletePlayer(7);
    EXPECT_EQ(count(RecordKind::Player), 9);
    EXPECT_EQ(addPlayer("New", 1), 7);

    ws.deletePlayer(8);
    EXPECT_EQ(count(RecordKind::Player), 9);
    ws.deletePlayer(9);
    EXPECT_EQ(count(RecordKind::Player), 7); // past both deleted players

    // Only the report name changes.
    const PlayerRecord p = ws.read<PlayerRecord>(8);
    EXPECT_EQ(p.reportName.raw(), "#" + std::string(29, ' '));
    EXPECT_EQ(p.club, 1);
    EXPECT_EQ(p.active, 1);
}

TEST_F(WorkingSetTest, DeletingAPlayerClearsEveryScorecardReference)
{
    addClub("A");
    addPlayer("P1", 1);
    addPlayer("P2", 1);
    addPlayer("P3", 1);
    InningsRecord r;
    r.batting[1] = {.batsman = 2, .howOut = Caught, .fieldsman = 2, .bowler = 2, .runs = 10};
    r.batting[2] = {.batsman = 1, .howOut = Bowled, .fieldsman = kNoFieldsman, .bowler = 3, .runs = 5};
    r.bowling[1] = {.bowler = 2, .wickets = 1};
    r.bowling[2] = {.bowler = 3, .wickets = 1};
    const std::int32_t n = ws.AllocateInnings();
    ws.write(n, r);
    InningsRecord untouched;
    untouched.batting[1] = {.batsman = 1, .howOut = NotOut, .runs = 7};
    ws.write(ws.AllocateInnings(), untouched);

    ws.deletePlayer(2);
    const InningsRecord after = ws.read<InningsRecord>(n);
    EXPECT_EQ(after.batting[1].batsman, 0);
    EXPECT_EQ(after.batting[1].fieldsman, 0);
    EXPECT_EQ(after.batting[1].bowler, 0);
    EXPECT_EQ(after.batting[1].runs, 10);
    EXPECT_EQ(after.batting[2].fieldsman, kNoFieldsman);
    EXPECT_EQ(after.batting[2].bowler, 3);
    EXPECT_EQ(after.bowling[1].bowler, 0);
    EXPECT_EQ(after.bowling[2].bowler, 3);
    EXPECT_EQ(ws.read<InningsRecord>(2), untouched);
}

TEST_F(WorkingSetTest, AliasSlotsAreReusedAndTheLastOneIsDroppedFromTheCount)
{
    auto alias = [](const char* kind, const char* name) {
        AliasRecord a;
        a.kindCode.assign(kind);
        a.alias.assign(name);
        a.name.assign(name);
        return a;
    };
    ws.addAlias(alias("Pla", "a"));
    ws.addAlias(alias("Clu", "b"));
    ws.addAlias(alias("Tea", "c"));
    ws.deleteAlias(2);
    EXPECT_EQ(count(RecordKind::Alias), 3);
    AliasRecord freed;
    freed.kindCode.assign("");
    EXPECT_EQ(ws.read<AliasRecord>(2), freed); // blank kind, zero bytes in both names
    EXPECT_EQ(ws.addAlias(alias("Gro", "d")), 2);

    const AliasRecord third = ws.read<AliasRecord>(3);
    ws.deleteAlias(3);
    EXPECT_EQ(count(RecordKind::Alias), 2);
    EXPECT_EQ(ws.read<AliasRecord>(3), third); // nothing written
}

TEST_F(WorkingSetTest, SpecialEventsAreBlankedWithoutChangingTheCount)
{
    ws.append(makeSpecialEvent(12, 3, kDropCatch));
    ws.append(makeSpecialEvent(12, 4, kHatTrick));
    ws.deleteSpecialEvent(1);
    EXPECT_EQ(count(RecordKind::SpecialEvent), 2);
    EXPECT_EQ(ws.read<SpecialEvent>(1).text.raw(), std::string(21, ' '));
    EXPECT_TRUE(isBlankSpecialEvent(ws.read<SpecialEvent>(1)));
}

TEST_F(WorkingSetTest, DeletedMatchSlotsAreReusedAndInningsAreNot)
{
    for (int i = 0; i < 5; ++i) {
        addMatch(1, 2, 0, 0);
    }
    ws.AllocateInnings();
    ws.AllocateInnings();
    ws.DeleteMatch(3);
    MatchRecord blank;
    blank.datePlayed.assign("00/00/0000");
    EXPECT_EQ(ws.read<MatchRecord>(3), blank);
    EXPECT_FALSE(IsLiveMatch(ws.read<MatchRecord>(3)));
    EXPECT_EQ(ws.AllocateMatch(), 3);
    EXPECT_EQ(count(RecordKind::Match), 5);
    EXPECT_EQ(count(RecordKind::Innings), 2);
    EXPECT_EQ(ws.AllocateInnings(), 3);

    ws.append(makeSpecialEvent(1, 1, kDropCatch));
    app.databaseChanged = false;
    ws.DeleteAllMatches();
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(count(RecordKind::Match), 0);
    EXPECT_EQ(count(RecordKind::Innings), 0);
    EXPECT_EQ(count(RecordKind::SpecialEvent), 0);
    EXPECT_EQ(ws.AllocateMatch(), 1);
    EXPECT_EQ(ws.AllocateInnings(), 1);
}

TEST_F(WorkingSetTest, ACountStopsAtItsLimit)
{
    app.header.section(RecordKind::Club).count = 32767;
    ClubRecord c;
    EXPECT_THROW(ws.append(c), StorageError);
    EXPECT_EQ(count(RecordKind::Club), 32767);
}

// Cached reads come from memory, and every change made through the working set, or by putting
// new working files in place, is seen at once.
TEST_F(WorkingSetTest, CachedReadsFollowEveryChange)
{
    addClub("One", "O");
    addClub("Two", "T");
    const auto name = [&](std::int32_t n) { return ws.read<ClubRecord>(n).name.str(); };
    {
        const CachedReads cached(app);
        EXPECT_EQ(name(2), "Two");
        EXPECT_EQ(ws.read<ClubRecord>(9), ClubRecord{}); // past the end: zero bytes
        // Bytes changed behind the working set's back are not seen: the file was read once.
        {
            std::fstream f(folder.file("~tmp.clu"), std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(300);
            f.put('X');
        }
        EXPECT_EQ(name(2), "Two");

        ClubRecord c;
        c.name.assign("Uno");
        ws.write(1, c);
        EXPECT_EQ(name(1), "Uno");
        EXPECT_EQ(name(2), "Xwo"); // the write dropped the copy of the file
        WorkingSet other(app);
        EXPECT_EQ(other.read<ClubRecord>(1).name.str(), "Uno");
        {
            const CachedReads inner(app); // shares the outer run's copies
            EXPECT_EQ(name(1), "Uno");
        }
        EXPECT_NE(app.recordCache, nullptr);

        // New working files put in place replace every copy.
        StagedWorkingFiles staged(app);
        AppState next = app;
        next.recordCache = nullptr;
        next.workingBase = staged.base();
        c.name.assign("New");
        WorkingSet(next).write(1, c);
        ASSERT_TRUE(staged.commit().ok());
        EXPECT_EQ(name(1), "New");
        EXPECT_EQ(ws.read<ClubRecord>(2), ClubRecord{});

        // A read that requires the record goes to the file.
        EXPECT_THROW((void)ws.readRaw(RecordKind::Club, 2, true), StorageError);
    }
    EXPECT_EQ(app.recordCache, nullptr);
    EXPECT_EQ(name(1), "New");
}

TEST_F(WorkingSetTest, AWriteThatCannotReachItsFileIsReportedAndCountsNothing)
{
    app.workingBase = folder.file("missing-folder/~tmp");
    ClubRecord c;
    EXPECT_THROW(ws.write(1, c), StorageError);
    EXPECT_THROW(ws.append(c), StorageError);
    EXPECT_EQ(count(RecordKind::Club), 0);
}

TEST_F(WorkingSetTest, DeletingARecordThatIsNotCountedIsRefused)
{
    addClub("A");
    ws.append(makeSpecialEvent(1, 1, kDropCatch));
    for (std::int32_t n : {0, -1, 2}) {
        SCOPED_TRACE(n);
        EXPECT_THROW(ws.deleteClub(n), StorageError);
        EXPECT_THROW(ws.deleteGrade(n), StorageError);
        EXPECT_THROW(ws.deleteTeam(n), StorageError);
        EXPECT_THROW(ws.deletePlayer(n), StorageError);
        EXPECT_THROW(ws.deleteAlias(n), StorageError);
        EXPECT_THROW(ws.deleteSpecialEvent(n), StorageError);
        EXPECT_THROW(ws.DeleteMatch(n), StorageError);
    }
    for (int k = 0; k < kRecordKindCount; ++k) {
        EXPECT_GE(count(static_cast<RecordKind>(k)), 0);
    }
    EXPECT_EQ(count(RecordKind::Club), 1);
}

TEST(SpecialEvents, NumbersPastFourDigitsAreRefusedNotCut)
{
    EXPECT_EQ(makeSpecialEvent(9999, 9999, kHatTrick).text.raw(), " 9999 9999Hat Trick  ");
    EXPECT_THROW(makeSpecialEvent(10000, 1, kDropCatch), std::out_of_range);
    EXPECT_THROW(makeSpecialEvent(1, 10000, kDropCatch), std::out_of_range);
}

// The lock of the working files: a second holder in the same folder finds them in use; the
// holder removes what interrupted opens and saves left behind, a second holder removes nothing.
TEST(WorkingSetLockTest, OneHolderPerFolderWhichCleansUp)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("web"));
    writeBytes(folder.file("~tmp-new.pla"), {1});    // an open that was interrupted
    writeBytes(folder.file("~wkdQw12Er.tmp"), {2});  // a save that was interrupted
    writeBytes(folder.file("web/~wkdTy34Ui.tmp"), {3});
    writeBytes(folder.file("~tmp.pla"), {4});        // the working files themselves stay

    std::optional<WorkingSetLock> first(std::in_place, folder.path());
    EXPECT_EQ(first->state(), WorkingSetLockState::Held);
    EXPECT_FALSE(fileExists(folder.file("~tmp-new.pla")));
    EXPECT_FALSE(fileExists(folder.file("~wkdQw12Er.tmp")));
    EXPECT_FALSE(fileExists(folder.file("web/~wkdTy34Ui.tmp")));
    EXPECT_EQ(readBytes(folder.file("~tmp.pla")), std::vector<std::uint8_t>{4});

    writeBytes(folder.file("~tmp-new.pla"), {5}); // as if the first holder were opening now
    const WorkingSetLock second(folder.path());
    EXPECT_EQ(second.state(), WorkingSetLockState::InUse);
    EXPECT_TRUE(second.inUse());
    EXPECT_TRUE(fileExists(folder.file("~tmp-new.pla")));

    first.reset();
    EXPECT_EQ(WorkingSetLock(folder.path()).state(), WorkingSetLockState::Held);
}
