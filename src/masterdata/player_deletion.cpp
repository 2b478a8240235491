#include "player_deletion.h"

#include "records.h"
#include "working_set.h"

namespace wickly::masterdata {

void DeletePlayerEverywhere(WorkingSet& ws, std::int32_t player)
{
    // The report name and the scorecards first: this refuses a player that is not counted
    // before anything else is touched.
    ws.deletePlayer(player);

    const std::int32_t events = ws.count(RecordKind::SpecialEvent);
    for (std::int32_t i = 1; i <= events; ++i) {
        const SpecialEvent e = ws.read<SpecialEvent>(i);
        if (!isBlankSpecialEvent(e) && specialEventPlayer(e) == player) {
            ws.deleteSpecialEvent(i);
        }
    }

    const std::int32_t matches = ws.count(RecordKind::Match);
    for (std::int32_t i = 1; i <= matches; ++i) {
        MatchRecord m = ws.read<MatchRecord>(i);
        bool changed = false;
        for (std::int16_t* ref : {&m.captain1, &m.captain2, &m.keeper1, &m.keeper2, &m.manOfMatch}) {
            if (*ref == player) {
                *ref = 0;
                changed = true;
            }
        }
        if (changed) {
            ws.write(i, m);
        }
    }
}

} // namespace wickly::masterdata
