#include "special_events_model.h"

#include "app_state.h"
#include "formats.h"
#include "lookups.h"

namespace wickly::masterdata {

SpecialEventsModel::SpecialEventsModel(AppState& app, Platform& platform, std::int32_t inningsRecord)
    : m_app(app), m_platform(platform), m_ws(app), m_innings(inningsRecord)
{
    loadPlayers();
    showEvents();
}

std::string SpecialEventsModel::playerLine(const PlayerRecord& p, std::int32_t record)
{
    return FitText(PlayerListName(p), 50) + NumText(record);
}

std::string SpecialEventsModel::eventLine(const SpecialEvent& e, std::int32_t record) const
{
    return FitText(RecordName(m_ws, PlayerReportName, specialEventPlayer(e)), 30) + std::string(2, ' ') +
           e.text.raw().substr(10, 11) + std::string(7, ' ') + FitText(NumText(record - 1), 5);
}

void SpecialEventsModel::loadPlayers()
{
    players.clear();
    selectedPlayer = -1;
    try {
        const std::int32_t count = m_ws.count(RecordKind::Player);
        for (std::int32_t i = 1; i <= count; ++i) {
            const PlayerRecord p = m_ws.read<PlayerRecord>(i);
            if (!startsWithDeletedMark(p.reportName.raw())) {
                players.push_back({playerLine(p, i), i});
            }
        }
    } catch (const StorageError& e) {
        storageFailed("The players could not be read.", e);
    }
}

void SpecialEventsModel::showEvents()
{
    events.clear();
    selectedEvent = -1;
    // Deleted events are blank and read as innings 0, as do events stored by older versions for an
    // innings that had no record yet: an innings without a record number has no events of its own.
    if (m_innings <= 0) {
        return;
    }
    try {
        BusyPointer busy(m_platform);
        const std::int32_t count = m_ws.count(RecordKind::SpecialEvent);
        for (std::int32_t i = 1; i <= count; ++i) {
            const SpecialEvent e = m_ws.read<SpecialEvent>(i);
            if (!isBlankSpecialEvent(e) && specialEventInnings(e) == m_innings) {
                events.push_back({eventLine(e, i), i});
            }
        }
    } catch (const StorageError& e) {
        storageFailed("The fielding events could not be read.", e);
    }
}

void SpecialEventsModel::playerChosen(int index)
{
    selectedPlayer = index >= 0 && index < static_cast<int>(players.size()) ? index : -1;
}

void SpecialEventsModel::eventKindChosen(FieldingEventKind kind)
{
    eventKind = kind;
}

void SpecialEventsModel::eventSelected(int index)
{
    selectedEvent = index >= 0 && index < static_cast<int>(events.size()) ? index : -1;
}

void SpecialEventsModel::addClicked()
{
    // The columns of an event hold a blank and four digits; a larger number would be cut and would
    // then name another innings or player. An innings without a record number cannot own an event.
    if (m_innings <= 0) {
        refuse("Fielding events can only be recorded for an innings that has been given its record number.",
               Icon::Error);
        return;
    }
    if (m_innings > kLargestSpecialEventNumber) {
        refuse("Fielding events can only be recorded for innings numbered up to " +
                   std::to_string(kLargestSpecialEventNumber) + ". This innings is number " +
                   std::to_string(m_innings) + ".",
               Icon::Error);
        return;
    }
    const std::int32_t player = selectedPlayer >= 0 && selectedPlayer < static_cast<int>(players.size())
                                    ? players[static_cast<std::size_t>(selectedPlayer)].record
                                    : 0;
    if (player <= 0) {
        refuse("Please select a player first", Icon::None);
        return;
    }
    if (player > kLargestSpecialEventNumber) {
        refuse("Fielding events can only be recorded for players numbered up to " +
                   std::to_string(kLargestSpecialEventNumber) + ". This player is number " + std::to_string(player) +
                   ".",
               Icon::Error);
        return;
    }
    // An event of neither kind would be listed but counted by no statistic.
    if (eventKind == FieldingEventKind::None) {
        refuse("Please choose Dropped Catch or Hat Trick first", Icon::None);
        return;
    }
    const std::string_view text = eventKind == FieldingEventKind::DroppedCatch ? kDropCatch : kHatTrick;
    try {
        m_ws.append(makeSpecialEvent(m_innings, player, text));
        m_app.databaseChanged = true;
    } catch (const StorageError& e) {
        storageFailed("The fielding event could not be added.", e);
    }
    showEvents();
}

void SpecialEventsModel::deleteClicked()
{
    if (!deleteEnabled()) {
        return; // no line has been clicked since the events were last drawn
    }
    try {
        m_ws.deleteSpecialEvent(events[static_cast<std::size_t>(selectedEvent)].record);
        m_app.databaseChanged = true;
    } catch (const StorageError& e) {
        storageFailed("The fielding event could not be deleted.", e);
    }
    showEvents();
}

void SpecialEventsModel::closeClicked()
{
    done = true;
}

void SpecialEventsModel::refuse(const std::string& text, Icon icon)
{
    m_platform.message(text, Buttons::Ok, icon);
}

void SpecialEventsModel::storageFailed(const char* what, const StorageError& e)
{
    m_platform.message(std::string(what) + "\n\n" + e.what(), Buttons::Ok, Icon::Error);
}

} // namespace wickly::masterdata
