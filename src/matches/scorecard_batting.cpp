// The batting page of the scorecard window: the row editor that shows the selected row of the
// batting table, what its how-out allows to be entered, and the move to the next row.

#include "scorecard_model.h"

#include "fixed_text.h"

#include <algorithm>
#include <initializer_list>

namespace wickly::matches {

namespace {

bool oneOf(int value, std::initializer_list<int> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool validIndex(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// The name an entry puts into a column of the table: its first 50 characters without trailing blanks.
std::string columnText(const Entry& e)
{
    return rtrimBlanks(std::string_view(e.text).substr(0, 50));
}

} // namespace

void ScorecardModel::rowSelected(int position)
{
    if (!m_ready || position < 1 || position > nbat) {
        return;
    }
    selectedRow = position;
    loadRow();
}

void ScorecardModel::selectInList(EntryList& list, std::int32_t number)
{
    if (list.selectRecord(number) || number == 0) {
        return;
    }
    // A player the list does not offer (inactive, of another club): offered from now on.
    list.entries.push_back(playerEntry(number));
    list.selected = static_cast<int>(list.entries.size()) - 1;
}

void ScorecardModel::loadRow()
{
    const BattingRow& r = currentRow();
    selectInList(batsmanList, r.batsmanNumber);
    selectInList(fieldsmanList, r.fieldsmanNumber);
    selectInList(bowlerList, r.bowlerNumber);
    howOut = 0;
    for (std::size_t i = 0; i < kHowOutEntries.size(); ++i) {
        if (r.howOut == kHowOutEntries[i]) {
            howOut = static_cast<int>(i);
            break;
        }
    }
    applyVisibility();
}

void ScorecardModel::applyVisibility()
{
    const DatabaseOptions& o = m_app.header.options;
    const int h = howOut;
    // The bowler credited with the wicket, and the fielder who took a catch, ran out or stumped.
    bowlerVisible = fieldingRecorded && oneOf(h, {Bowled, Caught, CaughtAndBowled, HitWicket, Lbw, Stumped});
    fieldsmanVisible = fieldingRecorded && oneOf(h, {Caught, RunOut, Stumped});
    runsEnabled = battingRecorded && h > DidNotBat && h < kAbsentHurtPosition;
    ballsEnabled = runsEnabled && o.scorecardBallsFaced != 0;
    boundariesEnabled = runsEnabled && o.scorecardFoursSixes != 0;
    // A run out credits the fielder and, in the bowler's column, the fielder who assisted.
    bowlerCaption = "Bowler";
    if (fieldingRecorded && h == RunOut && !currentRow().fieldsman.empty()) {
        bowlerCaption = "Assisted By";
        bowlerVisible = true;
    }
}

void ScorecardModel::batsmanChosen(int index)
{
    if (!m_ready || !validIndex(index, batsmanList.entries.size())) {
        return;
    }
    batsmanList.selected = index;
    const Entry& e = batsmanList.entries[static_cast<std::size_t>(index)];
    currentRow().batsman = columnText(e);
    currentRow().batsmanNumber = e.record;
    edited();
}

void ScorecardModel::howOutChosen(int index)
{
    if (!m_ready || !validIndex(index, kHowOutEntries.size())) {
        return;
    }
    BattingRow& r = currentRow();
    const bool becomesRunOut = index == RunOut && r.howOutPosition != RunOut;
    howOut = index;
    r.howOut = kHowOutEntries[static_cast<std::size_t>(index)];
    r.howOutPosition = index;
    if (becomesRunOut) {
        // The bowler of the earlier dismissal is not an assisting fielder: the run out starts
        // without one, so no stale name is saved and credited with an assisted run out.
        bowlerList.selected = 0;
        r.bowler.clear();
        r.bowlerNumber = 0;
    }
    applyVisibility();
    edited();
}

void ScorecardModel::fieldsmanChosen(int index)
{
    if (!m_ready || !validIndex(index, fieldsmanList.entries.size())) {
        return;
    }
    fieldsmanList.selected = index;
    const Entry& e = fieldsmanList.entries[static_cast<std::size_t>(index)];
    BattingRow& r = currentRow();
    r.fieldsman = columnText(e);
    r.fieldsmanNumber = e.record;
    if (fieldingRecorded && howOut == RunOut && r.fieldsman.empty()) {
        // No fielder, so nobody assisted: the assisting fielder goes too.
        bowlerList.selected = 0;
        r.bowler.clear();
        r.bowlerNumber = 0;
    }
    applyVisibility();
    edited();
}

void ScorecardModel::bowlerChosen(int index)
{
    if (!m_ready || !validIndex(index, bowlerList.entries.size())) {
        return;
    }
    bowlerList.selected = index;
    const Entry& e = bowlerList.entries[static_cast<std::size_t>(index)];
    currentRow().bowler = columnText(e);
    currentRow().bowlerNumber = e.record;
    edited();
}

const std::string& ScorecardModel::numberText(EditorField field) const
{
    const BattingRow& r = row();
    switch (field) {
    case EditorField::Balls: return r.balls;
    case EditorField::Fours: return r.fours;
    case EditorField::Sixes: return r.sixes;
    default: return r.runs;
    }
}

void ScorecardModel::numberEdited(EditorField field, const std::string& text)
{
    if (!m_ready) {
        return;
    }
    BattingRow& r = currentRow();
    switch (field) {
    case EditorField::Runs:
        if (runsEnabled) {
            r.runs = text;
            edited();
        }
        break;
    case EditorField::Balls:
        if (ballsEnabled) {
            r.balls = text;
            edited();
        }
        break;
    case EditorField::Fours:
        if (boundariesEnabled) {
            r.fours = text;
            edited();
        }
        break;
    case EditorField::Sixes:
        if (boundariesEnabled) {
            r.sixes = text;
            edited();
        }
        break;
    default: break;
    }
}

bool ScorecardModel::nextRow()
{
    if (!m_ready || page != ScorecardPage::Batting || selectedRow >= nbat) {
        return false;
    }
    ++selectedRow;
    loadRow();
    return true;
}

EditorField ScorecardModel::firstEditorField() const
{
    return oppositionInnings ? EditorField::HowOut : EditorField::Batsman;
}

void ScorecardModel::pageShown(ScorecardPage shown)
{
    if (!m_ready) {
        return;
    }
    page = shown;
    if (shown == ScorecardPage::Batting) {
        selectedRow = 1;
        loadRow();
    } else if (shown == ScorecardPage::FallOfWicket) {
        // The batsmen may have changed since the lists were filled.
        for (int w = 1; w <= kFallOfWicketEntries; ++w) {
            fillFallOfWicketList(w);
        }
    }
}

} // namespace wickly::matches
