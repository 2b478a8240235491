#pragma once
// The special fielding events window ("Special Fielding Events"): the dropped catches and hat
// tricks credited to players in one innings. The scorecard window opens it for the innings it
// shows; the window lists that innings' events and adds or deletes them, each change written to
// the events file at once.

#include "platform.h"
#include "working_set.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::masterdata {

// A line of one of the window's lists with the record number behind it: a player's number in
// the player list, the event's record number in the events list. The texts end in the number as
// well (the events list shows the position, record number - 1); the model acts on the number kept
// here, so that a number cut to its column's width never names another record.
struct SpecialEventsLine
{
    std::string text;
    std::int32_t record = 0;
};

// The two option buttons; neither is chosen when the window opens.
enum class FieldingEventKind
{
    None,
    DroppedCatch,
    HatTrick,
};

class SpecialEventsModel : public WindowModel
{
public:
    // `inningsRecord` is the record number of the innings whose events are shown and added.
    SpecialEventsModel(AppState& app, Platform& platform, std::int32_t inningsRecord);

    // ---- State shown by the view
    std::string caption = "Special Fielding Events";
    // Every player whose report name does not begin with "#", in record-number order:
    // FitText(name, 50) + the record number with a leading blank.
    std::vector<SpecialEventsLine> players;
    int selectedPlayer = -1;
    FieldingEventKind eventKind = FieldingEventKind::None;
    // The events of this innings in file order: FitText(report name, 30), 2 blanks, the event
    // (11 characters), 7 blanks and the position in the file (record number - 1) fitted to 5.
    std::vector<SpecialEventsLine> events;
    int selectedEvent = -1; // cleared whenever the events are drawn again
    bool done = false;      // the window has closed

    std::int32_t inningsRecord() const { return m_innings; }
    bool deleteEnabled() const { return selectedEvent >= 0 && selectedEvent < static_cast<int>(events.size()); }

    // ---- Actions
    void playerChosen(int index);
    void eventKindChosen(FieldingEventKind kind);
    // A click on an event line (-1: no line).
    void eventSelected(int index);
    void addClicked();
    // Also the Delete key on the events list.
    void deleteClicked();
    // The Close button, the close box and Escape.
    void closeClicked();

    // ---- Line texts
    static std::string playerLine(const PlayerRecord& p, std::int32_t record);
    std::string eventLine(const SpecialEvent& e, std::int32_t record) const;

private:
    void loadPlayers();
    // Reads the events file again and lists this innings' events; no line is selected afterwards.
    void showEvents();
    void refuse(const std::string& text, Icon icon);
    void storageFailed(const char* what, const StorageError& e);

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
    std::int32_t m_innings;
};

} // namespace wickly::masterdata
