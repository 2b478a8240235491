#include "scorecard_import_model.h"
#include "scorecard_model.h"

namespace wickly::exchange {

void applyImport(const ScorecardImportModel& import, matches::ScorecardModel& scorecard)
{
    if (!import.imported) {
        return;
    }
    scorecard.playersChanged();
    if (import.mode == ScorecardImportMode::Batting) {
        std::vector<matches::TypedBattingLine> lines;
        lines.reserve(import.batting.size());
        for (const ImportedBatting& b : import.batting) {
            matches::TypedBattingLine line;
            line.batsman = b.batsmanNumber;
            line.howOutPosition = matches::howOutPosition(b.howOut);
            line.fieldsman = b.fieldsmanNumber;
            line.bowler = b.bowlerNumber;
            line.runs = b.runs;
            line.balls = b.balls;
            line.fours = b.fours;
            line.sixes = b.sixes;
            lines.push_back(std::move(line));
        }
        scorecard.typeBattingLines(lines);
    } else {
        std::vector<matches::TypedBowlingLine> lines;
        lines.reserve(import.bowling.size());
        for (const ImportedBowling& b : import.bowling) {
            lines.push_back({b.bowlerNumber, b.overs, b.maidens, b.runs, b.wickets});
        }
        scorecard.typeBowlingLines(lines);
    }
}

} // namespace wickly::exchange
