// The scorecard window: opening (the populate question, the innings record of an empty slot),
// filling the window from a stored innings, the player lists and the buttons that open other
// windows. The batting row editor, the bowling and fall-of-wicket pages and "OK" are in
// scorecard_batting.cpp, scorecard_bowling.cpp and scorecard_save.cpp.

#include "scorecard_model.h"

#include "formats.h"
#include "lines_per_team.h"
#include "lookups.h"
#include "player_editor_model.h"
#include "special_events_model.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace wickly::matches {

const std::array<const char*, 18> kHowOutEntries = {"dnb",        "Not Out",     "Bowled",     "Caught",   "C&B",
                                                    "Hit Wicket", "LBW",         "Ret'd Hurt", "Run Out",  "Stumped",
                                                    "Obstr'Fld",  "Hand'Ball",   "Ret'd Out",  "Ret'd NO", "Timed Out",
                                                    "Hit Twice",  "Absent Hurt", "Absent Ill"};

const std::array<const char*, 5> kStatusEntries = {"", "All Out", "Closed", "Declared", "Abandoned"};

std::int16_t howOutCode(int position)
{
    if (position == kAbsentHurtPosition) {
        return AbsentHurt;
    }
    if (position == kAbsentIllPosition) {
        return AbsentIll;
    }
    return static_cast<std::int16_t>(position >= 0 && position <= HitTwice ? position : 0);
}

int howOutPosition(int code)
{
    if (code == AbsentHurt) {
        return kAbsentHurtPosition;
    }
    if (code == AbsentIll) {
        return kAbsentIllPosition;
    }
    return code >= 0 && code <= HitTwice ? code : 0;
}

namespace {

constexpr const char* kPopulateQuestion = "Do you wish to populate scorecard with players from the 1st innings?";
constexpr const char* kSubstituteText = "sub";

// A stored number as the window shows it; `hideZero` leaves a 0 out.
std::string figure(long long value, bool hideZero = false)
{
    return hideZero && value == 0 ? std::string() : std::to_string(value);
}

} // namespace

std::string oversText(float overs)
{
    std::string text = SingleText(overs);
    if (text.starts_with('.')) {
        text.insert(0, "0");
    } else if (text.starts_with("-.")) {
        text.insert(1, "0");
    }
    return text;
}

// ---- Opening ------------------------------------------------------------------------------------

ScorecardModel::ScorecardModel(AppState& app, Platform& platform, const ScorecardHandOver& values)
    : handOver(values), m_app(app), m_platform(platform), m_ws(app)
{
    open();
}

std::int32_t ScorecardModel::inningsRecord() const
{
    return handOver.slot >= 1 && handOver.slot <= 4 ? handOver.innings[static_cast<std::size_t>(handOver.slot)] : 0;
}

void ScorecardModel::open()
{
    m_ready = false;
    const DatabaseOptions& o = m_app.header.options;
    nbat = BatsmenPerTeam(o);
    nbow = BowlersPerTeam(o);
    const std::int16_t allow = o.allowPlayersClub;
    const std::int16_t batClub = handOver.battingClub;
    const std::int16_t bowlClub = handOver.bowlingClub;
    battingRecorded = batClub == bowlClub || allow == batClub || allow == 0;
    fieldingRecorded = batClub == bowlClub || allow == bowlClub || allow == 0;
    oppositionInnings = allow == bowlClub && allow != batClub;
    bowlingPageVisible = !(allow == batClub && allow != bowlClub);
    fallOfWicketPageVisible = !oppositionInnings;
    caption = rtrimBlanks(std::string_view(handOver.battingTeam).substr(0, 40)) + " Innings";

    const int slot = handOver.slot;
    if (slot < 1 || slot > 4) {
        closed = true;
        return;
    }
    try {
        const std::int32_t count = m_ws.count(RecordKind::Innings);
        const auto exists = [count](std::int32_t n) { return n >= 1 && n <= count; };
        std::int32_t& number = handOver.innings[static_cast<std::size_t>(slot)];
        const std::int32_t firstInnings = handOver.innings[static_cast<std::size_t>(slot - 1)];

        // A second innings may start with the batting order and bowlers of the same team's first.
        const bool populate = !exists(number) && (slot == 2 || slot == 4) && exists(firstInnings) &&
                              m_platform.message(kPopulateQuestion, Buttons::YesNo, Icon::Question) == Button::Yes;

        BusyPointer busy(m_platform);
        loadPlayers();
        if (exists(number)) {
            fillFromRecord(m_ws.read<InningsRecord>(number));
        } else {
            InningsRecord fresh;
            if (populate) {
                const InningsRecord first = m_ws.read<InningsRecord>(firstInnings);
                for (std::size_t k = 1; k <= static_cast<std::size_t>(nbat); ++k) {
                    fresh.batting[k].batsman = first.batting[k].batsman;
                }
                for (std::size_t k = 1; k <= static_cast<std::size_t>(nbow); ++k) {
                    fresh.bowling[k].bowler = first.bowling[k].bowler;
                }
            }
            // The innings exists from now on, whether or not "OK" is pressed; a number taken for a
            // record that could not be written is given back.
            const std::int32_t before = m_ws.count(RecordKind::Innings);
            std::int32_t created = 0;
            try {
                created = m_ws.AllocateInnings();
                m_ws.write(created, fresh);
            } catch (const StorageError&) {
                if (m_ws.count(RecordKind::Innings) > before) {
                    m_ws.setCount(RecordKind::Innings, before);
                }
                throw;
            }
            number = created;
            if (populate) {
                fillFromRecord(fresh);
            }
        }
    } catch (const StorageError& e) {
        storageFailed("The scorecard could not be opened.", e);
        closed = true;
        return;
    }

    m_changed = false;
    m_ready = true;
    fillEditorLists();
    for (int k = 1; k <= kScorecardLines; ++k) {
        fillBowlerList(k);
    }
    for (int w = 1; w <= kFallOfWicketEntries; ++w) {
        fillFallOfWicketList(w);
    }
    recomputeBowlersOvers();
    selectedRow = 1;
    loadRow();
}

void ScorecardModel::loadPlayers()
{
    m_players.clear();
    const std::int32_t count = m_ws.count(RecordKind::Player);
    m_players.reserve(static_cast<std::size_t>(count));
    for (std::int32_t n = 1; n <= count; ++n) {
        const PlayerRecord p = m_ws.read<PlayerRecord>(n);
        PlayerInfo info;
        info.number = n;
        info.club = p.club;
        info.active = p.active > 0;
        info.deleted = isDeletedName(p.reportName.raw());
        info.entryText = FitText(PlayerListName(p), 50);
        m_players.push_back(std::move(info));
    }
}

const ScorecardModel::PlayerInfo* ScorecardModel::player(std::int32_t number) const
{
    if (number < 1 || number > static_cast<std::int32_t>(m_players.size())) {
        return nullptr;
    }
    return &m_players[static_cast<std::size_t>(number - 1)];
}

std::string ScorecardModel::playerName(std::int32_t number) const
{
    const PlayerInfo* p = player(number);
    return p != nullptr ? rtrimBlanks(p->entryText) : std::string();
}

void ScorecardModel::fillFromRecord(const InningsRecord& r)
{
    const DatabaseOptions& o = m_app.header.options;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(nbat); ++k) {
        const BattingLine& line = r.batting[k];
        const PlayerInfo* named = player(line.batsman);
        const bool shown = (named != nullptr && !named->deleted) || (line.batsman == 0 && oppositionInnings);
        if (!shown) {
            continue;
        }
        BattingRow& row = batting[k];
        row.storedBalls = line.ballsFaced;
        row.storedFours = line.fours;
        row.storedSixes = line.sixes;
        row.storedBatsman = line.batsman;
        const int position = howOutPosition(line.howOut);
        row.howOutPosition = position;
        row.howOut = kHowOutEntries[static_cast<std::size_t>(position)];
        if (named != nullptr) {
            // A batsman who did not bat shows no figures; a stored 0 reads back as 0 either way.
            const bool hideZero = position == DidNotBat;
            row.batsman = playerName(line.batsman);
            row.batsmanNumber = line.batsman;
            row.runs = figure(line.runs, hideZero);
            if (o.scorecardBallsFaced != 0) {
                row.balls = figure(line.ballsFaced, hideZero);
            }
            if (o.scorecardFoursSixes != 0) {
                row.fours = figure(line.fours, hideZero);
                row.sixes = figure(line.sixes, hideZero);
            }
        }
        // The fieldsman and bowler of a dismissal; the numbers are kept behind the row so that an
        // innings opened and saved again keeps them.
        if (position > NotOut && position <= HitTwice && position != RetiredHurt && position != RetiredNotOut) {
            if (line.fieldsman == kSubstitute) {
                row.fieldsman = kSubstituteText;
                row.fieldsmanNumber = kSubstitute;
            } else if (player(line.fieldsman) != nullptr) {
                row.fieldsman = playerName(line.fieldsman);
                row.fieldsmanNumber = line.fieldsman;
            }
            if (player(line.bowler) != nullptr) {
                row.bowler = playerName(line.bowler);
                row.bowlerNumber = line.bowler;
            }
        }
    }

    byes = figure(r.byes);
    legByes = figure(r.legByes);
    wides = figure(r.wides);
    noBalls = figure(r.noBalls);
    const int tenths = r.oversTimesTen;
    overs = (tenths < 0 ? "-" : "") + std::to_string(std::abs(tenths) / 10);
    if (tenths % 10 != 0) {
        overs += "." + std::to_string(std::abs(tenths) % 10);
    }

    for (std::size_t w = 1; w <= static_cast<std::size_t>(fallOfWicketsShown()); ++w) {
        const BattingLine& line = r.batting[w];
        FallOfWicketEntry& entry = fallOfWickets[w];
        entry.batsman.selected = line.fowBatsman >= 1 && line.fowBatsman <= nbat ? line.fowBatsman : -1;
        entry.score = figure(line.fowScore, line.fowBatsman == 0);
    }

    for (std::size_t k = 1; k <= static_cast<std::size_t>(nbow); ++k) {
        const BowlingLine& line = r.bowling[k];
        if (player(line.bowler) == nullptr) {
            continue;
        }
        BowlingRow& row = bowling[k];
        row.bowler.entries = {Entry{}, playerEntry(line.bowler)};
        row.bowler.selected = 1;
        // A bowler who has not bowled yet (a second innings started from the first) shows no figures.
        const bool bowled = line.overs != 0.0F || line.maidens != 0 || line.runsConceded != 0 || line.wickets != 0;
        row.overs = bowled ? oversText(line.overs) : std::string();
        row.maidens = figure(line.maidens, !bowled);
        row.runs = figure(line.runsConceded, !bowled);
        row.wickets = figure(line.wickets, !bowled);
    }

    status = r.status >= 0 && r.status < static_cast<int>(kStatusEntries.size()) ? r.status : -1;
}

// ---- Player lists -------------------------------------------------------------------------------

Entry ScorecardModel::playerEntry(std::int32_t number) const
{
    if (number == kSubstitute) {
        return Entry{FitText(kSubstituteText, 50), kSubstitute};
    }
    const PlayerInfo* p = player(number);
    return Entry{p != nullptr ? p->entryText : FitText("", 50), number};
}

bool ScorecardModel::listsPlayer(const PlayerInfo& p, std::int16_t club) const
{
    if (p.deleted) {
        return false;
    }
    if (listPlayers == ListPlayers::Global) {
        return true;
    }
    return p.club == club && (p.active || listPlayers == ListPlayers::All);
}

void ScorecardModel::fillEditorList(EntryList& list, std::int16_t club, bool withSubstitute)
{
    const std::int32_t shown = list.selectedRecord();
    list.clear();
    list.entries.push_back(Entry{});
    list.selected = 0;
    if (shown > 0 || shown == kSubstitute) {
        list.entries.push_back(playerEntry(shown));
        list.selected = 1;
    }
    if (withSubstitute && shown != kSubstitute) {
        list.entries.push_back(playerEntry(kSubstitute));
    }
    for (const PlayerInfo& p : m_players) {
        if (p.number != shown && listsPlayer(p, club)) {
            list.entries.push_back(Entry{p.entryText, p.number});
        }
    }
}

void ScorecardModel::fillEditorLists()
{
    fillEditorList(batsmanList, handOver.battingClub, false);
    fillEditorList(fieldsmanList, handOver.bowlingClub, true);
    fillEditorList(bowlerList, handOver.bowlingClub, false);
}

void ScorecardModel::listPlayersChosen(ListPlayers which)
{
    listPlayers = which;
    fillEditorLists();
    for (int k = 1; k <= kScorecardLines; ++k) {
        fillBowlerList(k);
    }
}

// ---- Buttons that open other windows ------------------------------------------------------------

void ScorecardModel::newPlayerClicked()
{
    masterdata::PlayerEditorModel editor(m_app, m_platform, 0);
    m_platform.showModal(editor);
    if (editor.saved()) {
        playersChanged();
    }
}

void ScorecardModel::playersChanged()
{
    try {
        loadPlayers();
    } catch (const StorageError& e) {
        storageFailed("The players could not be read.", e);
        return;
    }
    fillEditorLists();
    for (int k = 1; k <= kScorecardLines; ++k) {
        fillBowlerList(k);
    }
    if (m_ready) {
        loadRow();
    }
}

void ScorecardModel::typeBattingLines(const std::vector<TypedBattingLine>& lines)
{
    if (!m_ready) {
        return;
    }
    const int n = std::min(static_cast<int>(lines.size()), nbat);
    // Each list is used only where the window offers it for the row's dismissal, as when typing.
    const auto choose = [this](EntryList& list, std::int32_t number, void (ScorecardModel::*chosen)(int)) {
        if (number == 0) {
            return;
        }
        selectInList(list, number);
        if (list.selected >= 0) {
            (this->*chosen)(list.selected);
        }
    };
    for (int k = 1; k <= n; ++k) {
        const TypedBattingLine& line = lines[static_cast<std::size_t>(k - 1)];
        rowSelected(k);
        choose(batsmanList, line.batsman, &ScorecardModel::batsmanChosen);
        howOutChosen(line.howOutPosition);
        if (fieldsmanVisible) {
            choose(fieldsmanList, line.fieldsman, &ScorecardModel::fieldsmanChosen);
        }
        if (bowlerVisible) {
            choose(bowlerList, line.bowler, &ScorecardModel::bowlerChosen);
        }
        numberEdited(EditorField::Runs, line.runs);
        numberEdited(EditorField::Balls, line.balls);
        numberEdited(EditorField::Fours, line.fours);
        numberEdited(EditorField::Sixes, line.sixes);
    }
    if (n > 0) {
        rowSelected(1);
    }
}

void ScorecardModel::typeBowlingLines(const std::vector<TypedBowlingLine>& lines)
{
    if (!m_ready) {
        return;
    }
    const int n = std::min(static_cast<int>(lines.size()), nbow);
    for (int k = 1; k <= n; ++k) {
        const TypedBowlingLine& line = lines[static_cast<std::size_t>(k - 1)];
        bowlerListOpened(k);
        EntryList& list = bowling[static_cast<std::size_t>(k)].bowler;
        if (line.bowler != 0) {
            selectInList(list, line.bowler);
            if (list.selected >= 0) {
                bowlingBowlerChosen(k, list.selected);
            }
        }
        bowlingEdited(k, BowlingField::Overs, line.overs);
        bowlingEdited(k, BowlingField::Maidens, line.maidens);
        bowlingEdited(k, BowlingField::Runs, line.runs);
        bowlingEdited(k, BowlingField::Wickets, line.wickets);
    }
}

void ScorecardModel::fieldingEventsClicked()
{
    const std::int32_t innings = inningsRecord();
    if (innings <= 0) {
        return;
    }
    masterdata::SpecialEventsModel events(m_app, m_platform, innings);
    m_platform.showModal(events);
}

void ScorecardModel::storageFailed(const char* what, const StorageError& e)
{
    m_platform.message(std::string(what) + "\n" + e.what(), Buttons::Ok, Icon::Error);
}

} // namespace wickly::matches
