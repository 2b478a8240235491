// The match export window: its list of live matches, the file name rule, and the hand-over to
// the mail program with what happens when there is none.

#include "exchange_fixture.h"
#include "export_model.h"
#include "match_file.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

class ExportTest : public ::testing::Test, public ExchangeFixture
{
protected:
    ExportTest()
    {
        later = addMatchWithSlots(FourDayMatch, {false, true, false, true, false}, "12/03/2003");
        example = addExampleMatch();
        gone = addMatchWithSlots(OneDayMatch, {}, "01/01/2001");
        ws.DeleteMatch(gone);
    }

    static std::vector<std::string> texts(const ExportModel& m)
    {
        std::vector<std::string> out;
        for (const ExportEntry& e : m.entries) {
            out.push_back(e.text);
        }
        return out;
    }

    std::int32_t later = 0;
    std::int32_t example = 0;
    std::int32_t gone = 0;
    ScriptedPlatform platform;
};

TEST_F(ExportTest, ListsTheLiveMatchesSortedByTheirText)
{
    EXPECT_EQ(ExportModel::entryText(ws, 12, ws.read<MatchRecord>(example)), "2002-01-05 0012 1d Eastwood Vs Westfield");
    ExportModel m(app, platform);
    EXPECT_EQ(m.caption, "Export Matches");
    EXPECT_EQ(m.hint, "Hold CTRL key down to make multiple selections");
    EXPECT_EQ(texts(m), (std::vector<std::string>{"2002-01-05 0002 1d Eastwood Vs Westfield",
                                                  "2003-03-12 0001 4d Eastwood Vs Westfield"}));
    EXPECT_EQ(m.entries[0].match, example);
}

TEST_F(ExportTest, ExportWritesTheSelectionInListOrder)
{
    ExportModel m(app, platform);
    m.selectionChanged({1, 0});
    platform.fileAnswers.push_back(folder.file("scores"));
    m.exportClicked();
    ASSERT_EQ(platform.saveDialogs.size(), 1U);
    EXPECT_EQ(platform.saveDialogs[0].title, "Export");
    EXPECT_EQ(platform.saveDialogs[0].filter, "Match Files (*.MXP)|*.mxp|All Files (*.*)|*.*");
    EXPECT_EQ(readText(folder.file("scores.mxp")), WriteMatchFile(ws, std::vector<std::int32_t>{example, later}));
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"2 matches exported successfully"});
    EXPECT_EQ(platform.messages[0].icon, Icon::Information);
    EXPECT_TRUE(m.selection.empty()); // redrawn
    EXPECT_EQ(platform.busyDepth, 0);

    // A name with an extension is used as it stands.
    m.selectionChanged({0});
    platform.fileAnswers.push_back(folder.file("scores.txt"));
    m.exportClicked();
    EXPECT_EQ(readText(folder.file("scores.txt")), WriteMatchFile(ws, std::vector<std::int32_t>{example}));
}

TEST_F(ExportTest, NothingIsWrittenWithoutSelectionOrName)
{
    ExportModel m(app, platform);
    m.exportClicked();
    m.emailClicked();
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>(2, "Select matches to export from the list"));
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_TRUE(platform.saveDialogs.empty());
    EXPECT_TRUE(platform.startedPrograms.empty());

    m.selectionChanged({0});
    platform.fileAnswers.push_back(std::nullopt);
    platform.fileAnswers.push_back(std::string());
    m.exportClicked();
    m.exportClicked();
    EXPECT_EQ(platform.messages.size(), 2U);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_NE(entry.path().extension(), ".mxp") << entry.path();
    }
}

TEST_F(ExportTest, AskedBeforeTheAddedExtensionReplacesAFile)
{
    writeBytes(folder.file("scores.mxp"), {'o', 'l', 'd'});
    ExportModel m(app, platform);
    m.selectionChanged({0});
    platform.fileAnswers.push_back(folder.file("scores"));
    platform.buttonAnswers.push_back(Button::No);
    m.exportClicked();
    EXPECT_EQ(readText(folder.file("scores.mxp")), "old");
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
}

TEST_F(ExportTest, EmailHandsTheFileToTheMailProgram)
{
    ExportModel m(app, platform);
    m.selectionChanged({0, 1});
    m.emailClicked();
    const std::string path = app.startupFolder + "/wkymatch.mxp";
    ASSERT_EQ(platform.startedPrograms.size(), 1U);
    EXPECT_EQ(platform.startedPrograms[0],
              (std::vector<std::string>{"xdg-email", "--subject", "Matches exported from Wickly", "--body",
                                        "Instructions for importing: Save the attached file to your local hard "
                                        "drive.  Select 'Import Matches' from the 'Tools' drop-down menu of Wickly "
                                        "and select the file that you have saved.",
                                        "--attach", path}));
    EXPECT_EQ(readText(path), WriteMatchFile(ws, std::vector<std::int32_t>{example, later}));
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"2 matches sent"});
}

TEST_F(ExportTest, AFailingMailProgramLeavesTheFile)
{
    for (const std::optional<int> code : {std::optional<int>(3), std::optional<int>()}) {
        platform.messages.clear();
        platform.programExitCodes.push_back(code);
        ExportModel m(app, platform);
        m.selectionChanged({1});
        m.emailClicked();
        const std::string path = app.startupFolder + "/wkymatch.mxp";
        ASSERT_EQ(platform.messages.size(), 1U);
        EXPECT_EQ(platform.messages[0].text, "Unable to complete MAPI session - Aborted.  You may not have a MAPI "
                                             "email application installed.");
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        EXPECT_EQ(platform.busyDepth, 0);
        EXPECT_EQ(readText(path), WriteMatchFile(ws, std::vector<std::int32_t>{later}));
    }
}

} // namespace
