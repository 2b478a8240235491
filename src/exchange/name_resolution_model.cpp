#include "name_resolution_model.h"

#include "app_state.h"
#include "formats.h"
#include "lookups.h"
#include "working_set.h"

#include <algorithm>
#include <map>

namespace wickly::exchange {

namespace {

// The name of every live record of a kind, in record order.
template <class R> void addNames(const WorkingSet& ws, std::vector<ResolutionEntry>& entries)
{
    for (std::int32_t i = 1; i <= ws.count(R::kind); ++i) {
        const R r = ws.read<R>(i);
        if (!isDeletedName(r.name.raw())) {
            entries.push_back({r.name.str(), i});
        }
    }
}

} // namespace

NameResolutionModel::NameResolutionModel(AppState& app, Platform& platform, const NameQuestion& question)
    : m_platform(platform), m_question(question)
{
    m_question.name = rtrimBlanks(m_question.name);
    caption = std::string(kindWord(m_question.kind)) + " Selection";
    label = "\"" + m_question.name + "\" could not be found, select from list or 'New Entry'";
    fill(app);
}

std::string NameResolutionModel::playerEntry(const std::string& displayName, const std::string& clubName,
                                             std::int32_t record)
{
    return FitText(displayName, 35) + " " + clubName + std::string(10, ' ') + NumText(record);
}

void NameResolutionModel::fill(AppState& app)
{
    const WorkingSet ws(app);
    entries.clear();
    // Deleted records are left out: choosing one would tie the name to a record that is gone.
    switch (m_question.kind) {
    case NameKind::Team: {
        std::vector<std::pair<TeamRecord, std::int32_t>> teams;
        std::map<std::string, int> uses;
        for (std::int32_t i = 1; i <= ws.count(RecordKind::Team); ++i) {
            const TeamRecord t = ws.read<TeamRecord>(i);
            if (!isDeletedName(t.name.raw())) {
                teams.emplace_back(t, i);
                ++uses[t.name.str()];
            }
        }
        // Teams that share a name (every club's "1st XI") show their club, so that each can be told
        // apart and chosen.
        for (const auto& [t, i] : teams) {
            std::string text = t.name.str();
            if (uses[text] > 1) {
                text += "  (" + RecordName(ws, ClubName, t.club) + ")";
            }
            entries.push_back({text, i});
        }
        break;
    }
    case NameKind::Player:
        for (std::int32_t i = 1; i <= ws.count(RecordKind::Player); ++i) {
            const PlayerRecord p = ws.read<PlayerRecord>(i);
            if (isDeletedName(p.reportName.raw())) {
                continue;
            }
            if (p.club != m_question.club1 && p.club != m_question.club2) {
                continue;
            }
            const std::string display =
                p.lastName.blank() ? p.reportName.raw() : p.lastName.str() + ", " + p.firstName.raw();
            entries.push_back({playerEntry(display, RecordName(ws, ClubName, p.club), i), i});
        }
        break;
    case NameKind::Grade: addNames<GradeRecord>(ws, entries); break;
    case NameKind::Ground: addNames<GroundRecord>(ws, entries); break;
    case NameKind::Club: addNames<ClubRecord>(ws, entries); break;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ResolutionEntry& a, const ResolutionEntry& b) { return a.text < b.text; });
    const int nameKind = m_question.kind == NameKind::Team     ? TeamName
                         : m_question.kind == NameKind::Player ? PlayerReportName
                         : m_question.kind == NameKind::Grade  ? GradeName
                         : m_question.kind == NameKind::Ground ? GroundName
                                                               : ClubName;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (RecordName(ws, nameKind, entries[i].record) == m_question.name) {
            chosen = static_cast<int>(i);
            break;
        }
    }
}

void NameResolutionModel::entryChosen(int index)
{
    chosen = index >= 0 && index < static_cast<int>(entries.size()) ? index : -1;
}

void NameResolutionModel::choose(bool keep)
{
    if (chosen < 0) {
        m_platform.message("Make a selection from the list first", Buttons::Ok, Icon::Information);
        return;
    }
    result = entries[static_cast<std::size_t>(chosen)].record;
    remember = keep;
    closed = true;
}

void NameResolutionModel::selectClicked()
{
    choose(false);
}

void NameResolutionModel::rememberClicked()
{
    choose(true);
}

void NameResolutionModel::newEntryClicked()
{
    result = 0;
    closed = true;
}

void NameResolutionModel::newEntryForAllClicked()
{
    result = 0;
    newEntryForAll = true;
    closed = true;
}

void NameResolutionModel::abortClicked()
{
    result = kAbort;
    closed = true;
}

void NameResolutionModel::helpClicked()
{
    m_platform.showHelp(kHelpNameResolution);
}

NameAnswer NameResolutionModel::answer() const
{
    NameAnswer a;
    if (result == kOpen || result == kAbort) {
        a.action = NameAnswer::Action::Abort;
    } else if (result == 0) {
        a.action = newEntryForAll ? NameAnswer::Action::NewEntryForAll : NameAnswer::Action::NewEntry;
    } else {
        a.action = NameAnswer::Action::Use;
        a.record = result;
        a.remember = remember;
    }
    return a;
}

} // namespace wickly::exchange
