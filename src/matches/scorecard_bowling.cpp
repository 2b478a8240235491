// The bowling and fall-of-wicket pages of the scorecard window, the extras, the innings overs and
// status, and the running totals worked out from what the window shows.

#include "scorecard_model.h"

#include "formats.h"

#include <cmath>
#include <cstdio>

namespace wickly::matches {

namespace {

bool validIndex(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// A whole number as the totals show it, without a leading blank.
std::string wholeText(double v)
{
    if (std::isfinite(v) && std::fabs(v) < 1e15) {
        return std::to_string(std::llround(v));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

} // namespace

// ---- Bowling page -------------------------------------------------------------------------------

void ScorecardModel::fillBowlerList(int row)
{
    EntryList& list = bowling[static_cast<std::size_t>(row)].bowler;
    const std::int32_t shown = list.selectedRecord();
    list.clear();
    list.entries.push_back(Entry{});
    list.selected = 0;
    if (shown > 0) {
        list.entries.push_back(playerEntry(shown));
        list.selected = 1;
    }
    for (const PlayerInfo& p : m_players) {
        if (p.number != shown && listsPlayer(p, handOver.bowlingClub)) {
            list.entries.push_back(Entry{p.entryText, p.number});
        }
    }
}

void ScorecardModel::bowlerListOpened(int row)
{
    if (m_ready && row >= 1 && row <= nbow) {
        fillBowlerList(row);
    }
}

void ScorecardModel::bowlingBowlerChosen(int row, int index)
{
    if (!m_ready || row < 1 || row > nbow) {
        return;
    }
    EntryList& list = bowling[static_cast<std::size_t>(row)].bowler;
    if (!validIndex(index, list.entries.size())) {
        return;
    }
    list.selected = index;
    edited();
}

std::string& ScorecardModel::bowlingText(int row, BowlingField field)
{
    BowlingRow& r = bowling[static_cast<std::size_t>(row >= 1 && row <= kScorecardLines ? row : 0)];
    switch (field) {
    case BowlingField::Maidens: return r.maidens;
    case BowlingField::Runs: return r.runs;
    case BowlingField::Wickets: return r.wickets;
    default: return r.overs;
    }
}

void ScorecardModel::bowlingEdited(int row, BowlingField field, const std::string& text)
{
    if (!m_ready || row < 1 || row > nbow) {
        return;
    }
    bowlingText(row, field) = text;
    edited();
    if (field == BowlingField::Overs) {
        recomputeBowlersOvers();
    }
}

bool ScorecardModel::wicketsLeft(int row)
{
    if (row < 1 || row > nbow) {
        return true;
    }
    if (FormNumber(bowling[static_cast<std::size_t>(row)].wickets) > nbat) {
        return refuse("Wickets cannot exceed maximum number of batsmen.");
    }
    return true;
}

int ScorecardModel::bowlingRowAfter(int row, bool down) const
{
    if (down) {
        return row >= nbow ? 1 : row + 1;
    }
    return row <= 1 ? nbow : row - 1;
}

void ScorecardModel::recomputeBowlersOvers()
{
    const int ballsPerOver = handOver.ballsPerOver >= 1 ? handOver.ballsPerOver : 6;
    float t = 0.0F;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(kScorecardLines); ++k) {
        t = AddOvers(t, static_cast<float>(ValText(bowling[k].overs)), ballsPerOver);
    }
    bowlersOvers = oversText(t);
}

// ---- Fall of wicket page ------------------------------------------------------------------------

void ScorecardModel::fillFallOfWicketList(int entry)
{
    EntryList& list = fallOfWickets[static_cast<std::size_t>(entry)].batsman;
    const int chosen = list.selected;
    list.entries.clear();
    list.entries.push_back(Entry{});
    for (int k = 1; k <= nbat; ++k) {
        list.entries.push_back(Entry{batting[static_cast<std::size_t>(k)].batsman, k});
    }
    list.selected = validIndex(chosen, list.entries.size()) ? chosen : -1;
}

void ScorecardModel::fallOfWicketListOpened(int entry)
{
    if (m_ready && entry >= 1 && entry <= fallOfWicketsShown()) {
        fillFallOfWicketList(entry);
    }
}

void ScorecardModel::fallOfWicketChosen(int entry, int index)
{
    if (!m_ready || entry < 1 || entry > fallOfWicketsShown()) {
        return;
    }
    EntryList& list = fallOfWickets[static_cast<std::size_t>(entry)].batsman;
    if (!validIndex(index, list.entries.size())) {
        return;
    }
    list.selected = index;
    edited();
}

void ScorecardModel::fallOfWicketScoreEdited(int entry, const std::string& text)
{
    if (!m_ready || entry < 1 || entry > fallOfWicketsShown()) {
        return;
    }
    fallOfWickets[static_cast<std::size_t>(entry)].score = text;
    edited();
}

// ---- Status, overs and extras -------------------------------------------------------------------

void ScorecardModel::statusChosen(int index)
{
    if (!m_ready || !validIndex(index, kStatusEntries.size())) {
        return;
    }
    // Choosing a status is an edit like any other, so closing the window does not drop it silently.
    status = index;
    edited();
}

void ScorecardModel::oversEdited(const std::string& text)
{
    if (m_ready) {
        overs = text;
        edited();
    }
}

std::string& ScorecardModel::extrasText(ExtrasField field)
{
    switch (field) {
    case ExtrasField::LegByes: return legByes;
    case ExtrasField::Wides: return wides;
    case ExtrasField::NoBalls: return noBalls;
    default: return byes;
    }
}

void ScorecardModel::extrasEdited(ExtrasField field, const std::string& text)
{
    if (m_ready) {
        extrasText(field) = text;
        edited();
    }
}

// ---- Totals -------------------------------------------------------------------------------------

double ScorecardModel::extras() const
{
    return FormNumber(byes) + FormNumber(legByes) + FormNumber(wides) * handOver.runsPerWide +
           FormNumber(noBalls) * handOver.runsPerNoBall;
}

double ScorecardModel::total() const
{
    double sum = 0;
    if (oppositionInnings) {
        // Only the bowling figures tell this side's score.
        for (std::size_t k = 1; k <= static_cast<std::size_t>(nbow); ++k) {
            sum += FormNumber(bowling[k].runs);
        }
        return sum + (handOver.extrasAgainstBowlers ? FormNumber(byes) + FormNumber(legByes) : extras());
    }
    for (std::size_t k = 1; k <= static_cast<std::size_t>(nbat); ++k) {
        if (batting[k].howOut != kHowOutEntries[0]) {
            sum += FormNumber(batting[k].runs);
        }
    }
    return sum + extras();
}

std::string ScorecardModel::extrasCaption() const
{
    return "Extras " + wholeText(extras());
}

std::string ScorecardModel::totalText() const
{
    return wholeText(total());
}

} // namespace wickly::matches
