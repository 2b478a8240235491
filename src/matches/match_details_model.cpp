#include "match_details_model.h"

#include "formats.h"
#include "report_window_model.h"
#include "scorecard_text.h"
#include "web_context.h"
#include "scorecard_model.h"

#include <memory>

namespace wickly::matches {

namespace {

constexpr double kMaxBonus = 300.0;
// The stored bonus points are hundredths in a 16-bit field.
constexpr double kMinBonusHundredths = -32767.0;

bool inRange(double v, double low, double high)
{
    return v >= low && v <= high; // false for a value that is not a number
}

const std::array<const char*, 2> kTeamGroups = {"1st Batting Team", "2nd Batting Team"};

// Bonus points below what the record's hundredths can hold (-327.67).
bool bonusTooLow(double v)
{
    return !(RoundHalfEven(v * 100.0) >= kMinBonusHundredths);
}

std::string bonusRangeMessage(int group)
{
    return std::string("Bonus Comp. Points of the ") + kTeamGroups[static_cast<std::size_t>(group)] +
           " must be a number from -327.67 to 300.";
}

} // namespace

bool DateFormatValid(const std::string& date)
{
    if (date.size() != 10) {
        return false;
    }
    const std::string_view d(date);
    return inRange(ValText(d.substr(0, 2)), 1, 31) && inRange(ValText(d.substr(3, 2)), 1, 12) &&
           inRange(ValText(d.substr(6, 4)), 1800, 2100);
}

MatchDetailsModel::MatchDetailsModel(AppState& app, Platform& platform, std::int32_t match)
    : MatchForm(app, match), m_platform(platform)
{
}

bool MatchDetailsModel::refuse(const std::string& text)
{
    m_platform.message(text, Buttons::Ok, Icon::Error);
    return false;
}

// ---- Field checks -------------------------------------------------------------------------------

bool MatchDetailsModel::fieldLeft(FormField field)
{
    switch (field) {
    case FormField::Date: return dateLeft();
    case FormField::Bonus1: return bonusLeft(0);
    case FormField::Bonus2: return bonusLeft(1);
    case FormField::BallsPerOver: return ballsPerOverLeft();
    case FormField::RunsPerWide: return runsPerWideLeft();
    case FormField::RunsPerNoBall: return runsPerNoBallLeft();
    default: return true;
    }
}

bool MatchDetailsModel::dateLeft()
{
    if (datePlayed.empty() || DateFormatValid(datePlayed)) {
        return true;
    }
    if (m_platform.message("Incorrect Date Format", Buttons::OkCancel, Icon::Error, 0, "Error") == Button::Cancel) {
        datePlayed.clear();
        changed = true;
        return true;
    }
    return false;
}

bool MatchDetailsModel::bonusLeft(int group)
{
    if (group < 0 || group > 1) {
        return true;
    }
    // The value stays as typed and the focus stays in the field until it is one that can be kept.
    const double v = ValText(teams[static_cast<std::size_t>(group)].bonusPoints);
    if (v > kMaxBonus) {
        return refuse("Value must be less than 300");
    }
    if (bonusTooLow(v)) {
        return refuse(bonusRangeMessage(group));
    }
    return true;
}

bool MatchDetailsModel::ballsPerOverLeft()
{
    if (FormNumber(ballsPerOver) < 1) {
        return refuse("Balls per over must be greater than zero.");
    }
    ComputeInningsSummary();
    return true;
}

bool MatchDetailsModel::runsPerWideLeft()
{
    if (FormNumber(runsPerWide) < 1 && m_platform.message("This will set Runs Per Wide to a value of zero.",
                                                          Buttons::OkCancel, Icon::Warning) == Button::Cancel) {
        return false;
    }
    ComputeInningsSummary();
    return true;
}

bool MatchDetailsModel::runsPerNoBallLeft()
{
    if (FormNumber(runsPerNoBall) < 1 && m_platform.message("This will set Runs Per No Ball to a value of zero.",
                                                            Buttons::OkCancel, Icon::Warning) == Button::Cancel) {
        return false;
    }
    ComputeInningsSummary();
    return true;
}

// ---- Innings buttons ----------------------------------------------------------------------------

ScorecardHandOver MatchDetailsModel::scorecardHandOver(int slot) const
{
    ScorecardHandOver h;
    h.slot = slot;
    const double bpo = FormNumber(ballsPerOver);
    h.ballsPerOver = inRange(bpo, 0, 255) ? static_cast<int>(bpo) : 0;
    const std::array<std::int16_t, 2> clubs = teamClubs();
    const bool firstTeamBats = slot <= 2;
    h.battingClub = firstTeamBats ? clubs[0] : clubs[1];
    h.bowlingClub = firstTeamBats ? clubs[1] : clubs[0];
    h.battingTeam = teamName(firstTeamBats ? 0 : 1);
    h.runsPerWide = FormNumber(runsPerWide);
    h.runsPerNoBall = FormNumber(runsPerNoBall);
    h.extrasAgainstBowlers = extrasAgainstBowlers;
    h.innings = innings;
    return h;
}

void MatchDetailsModel::inningsClicked(int slot)
{
    if (slot < 1 || slot > 4 || ((slot == 2 || slot == 4) && !innings2Enabled)) {
        return;
    }
    if (teams[0].team.selected < 0 || teams[1].team.selected < 0) {
        refuse("Two teams must be selected");
        return;
    }
    if (matchType < 0) {
        refuse("Please select the match type first");
        return;
    }
    // The scorecard carries overs at this number, so it must be one a match can have.
    if (!inRange(FormNumber(ballsPerOver), 1, 255)) {
        refuse("Balls Per Over must be a number from 1 to 255.");
        return;
    }
    // The scorecard shows the busy pointer itself while it reads, but not while it asks whether
    // to start a second innings with the first innings' players.
    auto scorecard = std::make_unique<ScorecardModel>(m_app, m_platform, scorecardHandOver(slot));
    if (!scorecard->closed) {
        m_platform.showInPlaceOf(*scorecard, *this);
    }

    // An innings created by the scorecard window belongs to the match once "OK" saves it, so a
    // new innings number is an unsaved change like any other.
    for (std::size_t s = 1; s <= 4; ++s) {
        if (scorecard->handOver.innings[s] != innings[s]) {
            innings[s] = scorecard->handOver.innings[s];
            changed = true;
        }
    }
    ComputeInningsSummary();
}

// ---- OK, Cancel and closing ---------------------------------------------------------------------

bool MatchDetailsModel::storableValues()
{
    if (!DateFormatValid(datePlayed)) {
        // A date whose year is not a number would also hide the match from every list.
        m_platform.message("Incorrect Date Format", Buttons::Ok, Icon::Error, 0, "Error");
        return false;
    }
    struct Scoring
    {
        const std::string& text;
        const char* caption;
        int low;
    };
    for (const Scoring& s : {Scoring{ballsPerOver, "Balls Per Over", 1}, Scoring{runsPerWide, "Runs per Wide", 0},
                             Scoring{runsPerNoBall, "Runs per No Ball", 0}}) {
        if (!inRange(FormNumber(s.text), s.low, 255)) {
            return refuse(std::string(s.caption) + " must be a number from " + std::to_string(s.low) + " to 255.");
        }
    }
    for (int g = 0; g < 2; ++g) {
        const double v = ValText(teams[static_cast<std::size_t>(g)].bonusPoints);
        if (!(v <= kMaxBonus) || bonusTooLow(v)) {
            return refuse(bonusRangeMessage(g));
        }
    }
    return true;
}

void MatchDetailsModel::okClicked()
{
    if (datePlayed.size() != 10) {
        refuse("A match date must be entered");
        return;
    }
    if (teams[0].team.selected < 0 || teams[1].team.selected < 0) {
        refuse("Two teams must be selected");
        return;
    }
    if (matchType < 0) {
        refuse("Match type must be selected");
        return;
    }
    if (!storableValues()) {
        return;
    }

    const MatchRecord record = buildRecord();
    const std::int32_t matchesBefore = m_ws.count(RecordKind::Match);
    std::int32_t number = currentMatch();
    try {
        if (number == 0) {
            number = m_ws.AllocateMatch();
        }
        m_ws.write(number, record);
    } catch (const StorageError& e) {
        // A record number taken for a new match that could not be written is given back.
        if (m_ws.count(RecordKind::Match) > matchesBefore) {
            m_ws.setCount(RecordKind::Match, matchesBefore);
        }
        refuse(std::string("The match could not be saved.\n") + e.what());
        return;
    }
    setMatch(number);
    changed = false;
    m_app.databaseChanged = true;
    saved = true;
    closed = true;
}

bool MatchDetailsModel::closeRequested()
{
    if (changed && !siteGenerationActive &&
        m_platform.message("Changes will not be kept", Buttons::OkCancel, Icon::Warning, 1) == Button::Cancel) {
        return false;
    }
    closed = true;
    return true;
}

void MatchDetailsModel::cancelClicked()
{
    closeRequested();
}

void MatchDetailsModel::helpClicked()
{
    m_platform.showHelp(kMatchDetailsHelp);
}

void MatchDetailsModel::summaryClicked()
{
    showScorecard(ScorecardForm::Summary);
}

void MatchDetailsModel::reportClicked()
{
    showScorecard(ScorecardForm::Full);
}

void MatchDetailsModel::showScorecard(ScorecardForm which)
{
    // The scorecard of the match as the window shows it now, saved or not, in the report window.
    web::WebContext web(m_app.header.options);
    stats::ReportWindowModel window(m_platform, web);
    {
        BusyPointer busy(m_platform);
        window.report = BuildScorecardText(*this, m_ws, which, &web.pageImages);
    }
    m_platform.showModal(window);
}

} // namespace wickly::matches
