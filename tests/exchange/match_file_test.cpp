// The match export file: the lines written for the example match, the order of the innings
// blocks, and the reader's refusals, each naming its line.

#include "exchange_fixture.h"
#include "match_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

class MatchFileTest : public ::testing::Test, public ExchangeFixture
{
protected:
    std::string exportOf(std::vector<std::int32_t> matches) const { return WriteMatchFile(ws, matches); }
};

TEST_F(MatchFileTest, WritesEveryLineOfTheExampleMatch)
{
    const std::int32_t n = addExampleMatch();
    // clang-format off
    const std::vector<std::string> expected = {
        "/***/ Wickly Export Begin",
        "Record=Match",
        "Type= 1 ",
        "Date=05/01/2002",
        "Ground= 1 ;Oval",
        "Grade= 1 ;A Grade",
        "Club1= 1 ;Eastwood CC",
        "Club2= 2 ;Westfield CC",
        "Team1= 1 ;Eastwood",
        "Team2= 2 ;Westfield",
        "Captain1= 1 ;E One",
        "Captain2= 3 ;W One",
        "Keeper1= 2 ;E Two",
        "Keeper2= 0 ;",
        "Config= 6 ; 1 ; 2 ; 1 ; 0 ",
        "Umpires=Smith, Jones                  ",
        "Comment=Rain delay                                        ",
        "Round=R1   ",
        "Toss=-1 ",
        "MOM= 3 ;W One",
        "Result= 2 ",
        "Innings= 1 ",
        "Batsman1= 1 ;E One; 3 ; 3 ;W One; 4 ;W Two; 45 ; 60 ; 1 ; 5 ; 1 ; 70 ",
        "Batsman2= 2 ;E Two; 1 ; 0 ;; 0 ;; 12 ; 0 ; 0 ; 0 ; 0 ; 20 ",
        "Batsman4= 0 ;; 1 ; 0 ;; 0 ;; 0 ; 0 ; 0 ; 0 ; 0 ; 0 ",
        "Bowler1= 3 ;W One; 7.4 ; 1 ; 1 ; 30 ; 0 ",
        "LegByes= 2 ",
        "Byes= 1 ",
        "Wides= 3 ",
        "NoBalls= 0 ",
        "Overs= 200 ",
        "Special= 4;W Two;Hat Trick  ",
        "IResult= 2 ",
        "Innings= 2 ",
        "Batsman1= 3 ;W One; 8 ;-2 ;; 0 ;; 10 ; 0 ; 0 ; 0 ; 0 ; 0 ",
        "Bowler1= 1 ;E One; .5 ; 0 ; 0 ; 4 ; 0 ",
        "LegByes= 0 ",
        "Byes= 0 ",
        "Wides= 0 ",
        "NoBalls= 0 ",
        "Special= 2;E Two;Drop Catch ",
        "IResult= 1 ",
        "Endmatch=True",
        "/***/ Wickly Export End",
    };
    // clang-format on
    EXPECT_EQ(crlfSplit(exportOf({n})), expected);
}

TEST_F(MatchFileTest, LabelsTheInningsInPlayingOrderAndNamesMissingRecords)
{
    const std::int32_t n = addMatchWithSlots(FiveDayMatch, {false, true, true, true, true}, "01/02/2003");
    MatchRecord m = ws.read<MatchRecord>(n);
    m.grade = 9; // beyond the count
    m.keeper1 = 2;
    ws.write(n, m);
    ws.deletePlayer(2); // a deleted record
    std::vector<std::string> labels;
    std::string grade;
    std::string keeper;
    for (const std::string& line : crlfSplit(exportOf({n}))) {
        if (line.starts_with("Innings=")) {
            labels.push_back(line);
        } else if (line.starts_with("Grade=")) {
            grade = line;
        } else if (line.starts_with("Keeper1=")) {
            keeper = line;
        }
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Innings= 1 ", "Innings= 3 ", "Innings= 2 ", "Innings= 4 "}));
    EXPECT_EQ(grade, "Grade= 9 ;####");
    EXPECT_EQ(keeper, "Keeper1= 2 ;#");
}

TEST_F(MatchFileTest, ReadsBackWhatWasWritten)
{
    const std::int32_t n = addExampleMatch();
    const Result<std::vector<FileMatch>> read = ReadMatchFile(exportOf({n, n}));
    ASSERT_TRUE(read) << read.message();
    ASSERT_EQ(read.value().size(), 2U);
    const FileMatch& m = read.value()[0];
    MatchRecord expected = ws.read<MatchRecord>(n);
    expected.innings = {};
    EXPECT_EQ(m.record, expected);
    EXPECT_EQ(m.team2.name, "Westfield");
    EXPECT_EQ(m.keeper2.number, 0);
    ASSERT_EQ(m.innings.size(), 2U);
    EXPECT_EQ(m.innings[1].label, 2);
    EXPECT_EQ(m.innings[0].record, ws.read<InningsRecord>(1));
    EXPECT_EQ(m.innings[1].record, ws.read<InningsRecord>(2));
    EXPECT_EQ(m.innings[0].fieldsmanName[1], "W One");
    ASSERT_EQ(m.innings[1].specials.size(), 1U);
    EXPECT_EQ(m.innings[1].specials[0].player.name, "E Two");
    EXPECT_EQ(m.innings[1].specials[0].event, std::string(kDropCatch));
}

TEST_F(MatchFileTest, AcceptsWhatMailProgramsDoToTheFile)
{
    const std::int32_t n = addExampleMatch();
    std::string text = exportOf({n});
    // A header before the begin marker, LF line ends, trailing blanks taken off every line.
    std::string mailed = "Subject: matches\n\n";
    for (const std::string& line : crlfSplit(text)) {
        mailed += rtrimBlanks(line) + "\n";
    }
    const Result<std::vector<FileMatch>> a = ReadMatchFile(text);
    const Result<std::vector<FileMatch>> b = ReadMatchFile(mailed + "-- \nsignature\n");
    ASSERT_TRUE(a) << a.message();
    ASSERT_TRUE(b) << b.message();
    EXPECT_EQ(a.value()[0].record, b.value()[0].record);
    EXPECT_EQ(a.value()[0].innings[0].record, b.value()[0].innings[0].record);
    EXPECT_EQ(b.value()[0].innings[0].specials[0].event, std::string(kHatTrick));
}

// A "Special=" line as written for an event stored without a player or a kind, or after a mail
// program took the trailing blanks off.
struct SpecialLine
{
    const char* name;
    const char* line;
    std::int16_t player;
    const char* playerName;
    std::string_view event;
};

TEST_F(MatchFileTest, ReadsSpecialEventsWithoutPlayerOrKindAndTrimmed)
{
    const std::int32_t n = addExampleMatch();
    std::string text = exportOf({n});
    const std::string written = "Special= 4;W Two;Hat Trick  \r\n";
    const std::size_t at = text.find(written);
    ASSERT_NE(at, std::string::npos);
    const std::string_view blank = "           ";
    // clang-format off
    const SpecialLine cases[] = {
        {"no kind",              "Special= 4;W Two;           ", 4, "W Two", blank},
        {"no kind, trimmed",     "Special= 4;W Two;",            4, "W Two", blank},
        {"drop catch, trimmed",  "Special= 4;W Two;Drop Catch",  4, "W Two", kDropCatch},
        {"hat trick, trimmed",   "Special= 4;W Two;Hat Trick",   4, "W Two", kHatTrick},
        {"player 0",             "Special= -;;Hat Trick  ",      0, "",      kHatTrick},
        {"player 0, no kind",    "Special= -;;",                 0, "",      blank},
        {"blank player column",  "Special=;#;Drop Catch ",       0, "#",     kDropCatch},
    };
    // clang-format on
    for (const SpecialLine& c : cases) {
        SCOPED_TRACE(c.name);
        std::string changed = text;
        changed.replace(at, written.size(), std::string(c.line) + "\r\n");
        const Result<std::vector<FileMatch>> read = ReadMatchFile(changed);
        ASSERT_TRUE(read) << read.message();
        ASSERT_EQ(read.value()[0].innings[0].specials.size(), 1U);
        const FileSpecial& s = read.value()[0].innings[0].specials[0];
        EXPECT_EQ(s.player.number, c.player);
        EXPECT_EQ(s.player.name, c.playerName);
        EXPECT_EQ(s.event, c.event);
    }
}

// A malformed file: the line replaced, removed or added, and the line number the message names.
struct Damage
{
    const char* name;
    const char* find;    // the start of the line to change
    const char* replace; // its new text; nullptr removes the line
    const char* expected;
};

TEST_F(MatchFileTest, RefusesMalformedFilesNamingTheLine)
{
    const std::int32_t n = addExampleMatch();
    const std::vector<std::string> lines = crlfSplit(exportOf({n}));
    // clang-format off
    const Damage cases[] = {
        {"no begin marker",     "/***/ Wickly Export Begin", nullptr,       "This is not a Wickly match file"},
        {"no end marker",       "/***/ Wickly Export End",   nullptr,       "Line 44: the file ends without \"/***/ Wickly Export End\""},
        {"no Endmatch",         "Endmatch",                  nullptr,       "Line 43: the match that begins on line 2 ends without \"Endmatch=True\""},
        {"line without =",      "Round=",                    "Round R1",    "Line 18: \"Round R1\" is not a line of the form Key=value."},
        {"number for a name",   "Ground=",                   "Ground= 1 ; 7 ", "Line 5: \"Ground=\" needs the ground's name where the number 7 stands."},
        {"name for a number",   "Ground=",                   "Ground=Oval", "Line 5: \"Ground=\" needs a number, \";\" and the ground's name."},
        {"shifted batting line","Batsman2=",                 "Batsman2= 2 ; 1 ; 0 ;; 0 ;; 12 ; 0 ; 0 ; 0 ; 0 ; 20 ", "Line 24: \"Batsman2=\" needs 13 parts"},
        {"batting index 15",    "Batsman4=",                 "Batsman15= 0 ;; 1 ; 0 ;; 0 ;; 0 ; 0 ; 0 ; 0 ; 0 ; 0 ", "Line 25: \"Batsman15=\" names line 15"},
        {"innings label 5",     "Innings= 2",                "Innings= 5 ", "Line 34: the innings 5 of \"Innings=\" is outside 1..4."},
        {"innings label 0",     "Innings= 1",                "Innings= 0 ", "Line 22: the innings 0"},
        {"innings twice",       "Innings= 2",                "Innings= 1 ", "Line 34: the match that begins on line 2 has two innings 1."},
        {"missing match line",  "Toss=",                     nullptr,       "Line 21: the match that begins on line 2 has no \"Toss=\" line."},
        {"unknown key",         "Toss=",                     "Coin=-1 ",    "Line 19: \"Coin=\" is not a line of a match file."},
        {"number too big",      "LegByes=",                  "LegByes= 40000 ", "Line 27: the leg byes 40000 of \"LegByes=\" is outside -32768..32767."},
        {"byte too big",        "Config=",                   "Config= 600 ; 1 ; 2 ; 1 ; 0 ", "Line 15: the balls per over 600"},
        {"deleted date",        "Date=",                     "Date=00/00/0000", "Line 4: \"00/00/0000\" is not the date of a match"},
        {"long comment",        "Comment=",                  "Comment=123456789012345678901234567890123456789012345678901", "Line 17: the comment"},
        {"bad overs",           "Bowler1= 3",                "Bowler1= 3 ;W One; 7,4 ; 1 ; 1 ; 30 ; 0 ", "Line 26: \"Bowler1=\" needs a number for overs"},
        {"bad special",         "Special= 4",                "Special= 4;W Two;Run Out", "Line 32: \"Run Out\" is neither"},
        {"match line late",     "LegByes= 2",                "Result= 2 ", "Line 27: \"Result=\" belongs before the first \"Innings=\""},
        {"match not opened",    "Record=Match",              "Record=Team", "Line 2: \"Record=Match\" was expected"},
    };
    // clang-format on
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        std::string text;
        bool found = false;
        for (const std::string& line : lines) {
            if (!found && line.starts_with(d.find)) {
                found = true;
                if (d.replace != nullptr) {
                    text += std::string(d.replace) + "\r\n";
                }
                continue;
            }
            text += line + "\r\n";
        }
        ASSERT_TRUE(found);
        const Result<std::vector<FileMatch>> read = ReadMatchFile(text);
        ASSERT_FALSE(read);
        EXPECT_TRUE(read.message().starts_with(d.expected)) << read.message();
    }
}

TEST_F(MatchFileTest, EveryCutShortFileIsRefused)
{
    const std::int32_t n = addExampleMatch();
    const std::string text = exportOf({n, n});
    // Only a file that reaches the end marker is whole (its last line end may be lost).
    const std::size_t whole = text.size() - 2;
    for (std::size_t length = 0; length < whole; ++length) {
        const Result<std::vector<FileMatch>> read = ReadMatchFile(std::string_view(text).substr(0, length));
        if (read) {
            ADD_FAILURE() << "a file cut at byte " << length << " was read";
            break;
        }
    }
    EXPECT_TRUE(ReadMatchFile(std::string_view(text).substr(0, whole)));
}

} // namespace
