// "OK" in the scorecard window: the errors that stop the save, the numbers an innings record
// cannot hold, the warnings the user may accept, and the innings record built field by field.

#include "scorecard_model.h"

#include "formats.h"

#include <cmath>
#include <limits>

namespace wickly::matches {

namespace {

// The dismissals credited to a bowler. "Run Out" and the rarer dismissals are not.
bool isBowlingWicket(int position)
{
    switch (position) {
    case Bowled:
    case Caught:
    case CaughtAndBowled:
    case HitWicket:
    case Lbw:
    case Stumped: return true;
    default: return false;
    }
}

// The two rows a "listed twice" message names, after its own words: " (rows 3 and 7)".
std::string rowsText(int first, int second)
{
    return " (rows " + std::to_string(first) + " and " + std::to_string(second) + ")";
}

bool isBlank(const std::string& text)
{
    return isBlankText(text);
}

bool fitsInteger(double v)
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

// A number typed into a form, stored in a 16-bit field (the caller has checked that it fits).
std::int16_t stored(const std::string& text)
{
    return static_cast<std::int16_t>(FormNumber(text));
}

std::int16_t storedOversTimesTen(const std::string& text)
{
    return static_cast<std::int16_t>(RoundHalfEven(ValText(text) * 10.0));
}

} // namespace

bool ScorecardModel::refuse(const std::string& text)
{
    m_platform.message(text, Buttons::Ok, Icon::Error);
    return false;
}

void ScorecardModel::okClicked()
{
    if (!m_ready || closed) {
        return;
    }
    if (errorsFound() || !storableNumbers() || !warningsAccepted()) {
        return;
    }
    const InningsRecord record = buildRecord();
    {
        BusyPointer busy(m_platform);
        try {
            m_ws.write(inningsRecord(), record);
        } catch (const StorageError& e) {
            storageFailed("The innings could not be saved.", e);
            return;
        }
    }
    m_changed = false;
    m_app.databaseChanged = true;
    saved = true;
    closed = true;
}

bool ScorecardModel::errorsFound()
{
    // The same player twice. Rows are compared by the player behind them, so that two players
    // who share a name can both play.
    for (int i = 1; i <= nbat; ++i) {
        const BattingRow& a = batting[static_cast<std::size_t>(i)];
        for (int j = i + 1; j <= nbat && !a.batsman.empty(); ++j) {
            const BattingRow& b = batting[static_cast<std::size_t>(j)];
            const bool same = a.batsmanNumber > 0 && b.batsmanNumber > 0 ? a.batsmanNumber == b.batsmanNumber
                                                                         : a.batsman == b.batsman;
            if (same) {
                return !refuse("The same batsman is listed twice - Data not saved" + rowsText(i, j));
            }
        }
    }
    for (int i = 1; i <= nbow; ++i) {
        const EntryList& a = bowling[static_cast<std::size_t>(i)].bowler;
        const std::int32_t first = a.selectedRecord();
        if (first == 0) {
            continue;
        }
        for (int j = i + 1; j <= nbow; ++j) {
            if (bowling[static_cast<std::size_t>(j)].bowler.selectedRecord() == first) {
                return !refuse("The same bowler is listed twice - Data not saved" + rowsText(i, j));
            }
        }
    }
    for (int k = 1; k <= nbat; ++k) {
        const BattingRow& r = batting[static_cast<std::size_t>(k)];
        if (!r.batsman.empty() && r.howOutPosition >= NotOut && r.howOutPosition <= HitTwice && isBlank(r.runs)) {
            return !refuse("Batsman" + NumText(k) + " has no score entered");
        }
    }
    for (int w = 1; w <= fallOfWicketsShown(); ++w) {
        const int p = fallOfWickets[static_cast<std::size_t>(w)].batsman.selected;
        if (p < 1 || p > nbat) {
            continue;
        }
        const int h = batting[static_cast<std::size_t>(p)].howOutPosition;
        if (h == DidNotBat || h == NotOut) {
            return !refuse("FOW" + NumText(w) + " - Batsman is not listed as dismissed (batting row " +
                           std::to_string(p) + ")");
        }
    }
    return false;
}

bool ScorecardModel::storableNumbers()
{
    const auto check = [this](const std::string& text, const std::string& place) {
        if (fitsInteger(FormNumber(text))) {
            return true;
        }
        return refuse(place + ": " + ltrimBlanks(text) + " is outside the range -32768 to 32767 - Data not saved");
    };
    static const std::array<const char*, 4> kBattingColumns = {"R", "B", "4's", "6's"};
    for (int k = 1; k <= nbat; ++k) {
        const BattingRow& r = batting[static_cast<std::size_t>(k)];
        const std::array<const std::string*, 4> texts = {&r.runs, &r.balls, &r.fours, &r.sixes};
        for (std::size_t c = 0; c < texts.size(); ++c) {
            if (!check(*texts[c], "Batting row " + std::to_string(k) + ", column " + kBattingColumns[c])) {
                return false;
            }
        }
    }
    for (int w = 1; w <= fallOfWicketsShown(); ++w) {
        if (!check(fallOfWickets[static_cast<std::size_t>(w)].score, "FOW " + std::to_string(w) + ", Score")) {
            return false;
        }
    }
    static const std::array<const char*, 3> kBowlingColumns = {"Ma", "Runs", "Wkts"};
    for (int k = 1; k <= nbow; ++k) {
        const BowlingRow& r = bowling[static_cast<std::size_t>(k)];
        const std::string place = "Bowling row " + std::to_string(k) + ", column ";
        const double ov = ValText(r.overs);
        if (!(std::fabs(ov) <= std::numeric_limits<float>::max())) {
            return refuse(place + "Ov: " + ltrimBlanks(r.overs) + " is not a number of overs - Data not saved");
        }
        const std::array<const std::string*, 3> texts = {&r.maidens, &r.runs, &r.wickets};
        for (std::size_t c = 0; c < texts.size(); ++c) {
            if (!check(*texts[c], place + kBowlingColumns[c])) {
                return false;
            }
        }
    }
    if (!check(byes, "Extras, Byes") || !check(legByes, "Extras, LB") || !check(wides, "Extras, Wides") ||
        !check(noBalls, "Extras, NB")) {
        return false;
    }
    // The innings overs are kept in tenths.
    if (!fitsInteger(RoundHalfEven(ValText(overs) * 10.0))) {
        return refuse("Overs: " + ltrimBlanks(overs) + " is outside the range -3276.8 to 3276.7 - Data not saved");
    }
    return true;
}

bool ScorecardModel::warningsAccepted()
{
    const auto accepted = [this](const std::string& text) {
        return m_platform.message(text, Buttons::YesNo, Icon::Warning) == Button::Yes;
    };
    const std::int16_t allow = m_app.header.options.allowPlayersClub;
    // The bowling and batting figures can only be compared when both sides are recorded in full.
    if (allow == 0 || (allow > 0 && handOver.battingClub == handOver.bowlingClub)) {
        for (int b = 1; b <= nbow; ++b) {
            const BowlingRow& row = bowling[static_cast<std::size_t>(b)];
            const std::int32_t bowler = row.bowler.selectedRecord();
            int count = 0;
            for (int k = 1; k <= nbat; ++k) {
                const BattingRow& r = batting[static_cast<std::size_t>(k)];
                if (isBowlingWicket(r.howOutPosition) && r.bowlerNumber == bowler) {
                    ++count;
                }
            }
            if (count != FormNumber(row.wickets) &&
                !accepted("WARNING: Bowler" + NumText(b) +
                          " bowling wickets does not match batting howouts.  Continue?")) {
                return false;
            }
        }

        int battingWickets = 0;
        for (int k = 1; k <= nbat; ++k) {
            if (isBowlingWicket(batting[static_cast<std::size_t>(k)].howOutPosition)) {
                ++battingWickets;
            }
        }
        double bowlingWickets = 0;
        double bowlerRuns = 0;
        for (int b = 1; b <= nbow; ++b) {
            bowlingWickets += FormNumber(bowling[static_cast<std::size_t>(b)].wickets);
            bowlerRuns += FormNumber(bowling[static_cast<std::size_t>(b)].runs);
        }
        if (battingWickets != bowlingWickets &&
            !accepted("WARNING: The total bowler wickets does not equal the batting outs by bowlers.  Continue?")) {
            return false;
        }

        // When wides and no balls are not part of the bowlers' runs they are added here.
        double x = bowlerRuns + FormNumber(byes) + FormNumber(legByes);
        if (!handOver.extrasAgainstBowlers) {
            x += FormNumber(noBalls) * handOver.runsPerNoBall + FormNumber(wides) * handOver.runsPerWide;
        }
        const double t = total();
        if (x > t &&
            !accepted("WARNING: The total bowler runs, byes and legbyes exceeds the innings total.  Continue?")) {
            return false;
        }
        if (x < t &&
            !accepted("WARNING: The innings total exceeds the total bowler runs, byes and legbyes.  Continue?")) {
            return false;
        }
    }
    if (status <= 0 && !accepted("WARNING: The innings result is not set.  Continue?")) {
        return false;
    }
    return true;
}

InningsRecord ScorecardModel::buildRecord() const
{
    const DatabaseOptions& options = m_app.header.options;
    InningsRecord r;
    r.byes = stored(byes);
    r.legByes = stored(legByes);
    r.wides = stored(wides);
    r.noBalls = stored(noBalls);
    r.oversTimesTen = storedOversTimesTen(overs);

    for (std::size_t k = 1; k <= static_cast<std::size_t>(nbat); ++k) {
        const BattingRow& row = batting[k];
        BattingLine& line = r.batting[k];
        line.batsman = static_cast<std::int16_t>(row.batsmanNumber);
        line.runs = stored(row.runs);
        // A column the options hide keeps the figures the innings was opened with, for the
        // batsman they were his; a player put in his place has none.
        const bool sameBatsman = row.batsmanNumber == row.storedBatsman;
        line.ballsFaced = options.scorecardBallsFaced != 0 ? stored(row.balls) : sameBatsman ? row.storedBalls : 0;
        line.fours = options.scorecardFoursSixes != 0 ? stored(row.fours) : sameBatsman ? row.storedFours : 0;
        line.sixes = options.scorecardFoursSixes != 0 ? stored(row.sixes) : sameBatsman ? row.storedSixes : 0;
        if (k <= static_cast<std::size_t>(kFallOfWicketEntries)) {
            const FallOfWicketEntry& fow = fallOfWickets[k];
            line.fowScore = stored(fow.score);
            line.fowBatsman = static_cast<std::uint8_t>(fow.batsman.selected > 0 ? fow.batsman.selected : 0);
        }
        line.howOut = howOutCode(row.howOutPosition);
        if (line.howOut >= Bowled && line.howOut <= HitTwice) {
            if (row.fieldsman.empty()) {
                line.fieldsman = kNoFieldsman;
            } else if (row.fieldsman == "sub") {
                line.fieldsman = kSubstitute;
            } else {
                line.fieldsman = static_cast<std::int16_t>(row.fieldsmanNumber);
            }
            line.bowler = static_cast<std::int16_t>(row.bowlerNumber);
        }
    }

    for (std::size_t k = 1; k <= static_cast<std::size_t>(nbow); ++k) {
        const BowlingRow& row = bowling[k];
        BowlingLine& line = r.bowling[k];
        line.bowler = static_cast<std::int16_t>(row.bowler.selectedRecord());
        line.overs = static_cast<float>(ValText(row.overs));
        line.maidens = stored(row.maidens);
        line.wickets = stored(row.wickets);
        line.runsConceded = stored(row.runs);
    }

    r.status = static_cast<std::int16_t>(status);
    return r;
}

bool ScorecardModel::closeRequested()
{
    if (m_changed && !closed &&
        m_platform.message("Changes will not be kept", Buttons::OkCancel, Icon::Warning, 1) == Button::Cancel) {
        return false;
    }
    closed = true;
    return true;
}

void ScorecardModel::cancelClicked()
{
    closeRequested();
}

} // namespace wickly::matches
