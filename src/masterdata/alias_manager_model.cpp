#include "alias_manager_model.h"

#include "app_state.h"
#include "working_set.h"

namespace wickly::masterdata {

namespace {
constexpr int kHelpAliasManager = 1000;
}

AliasManagerModel::AliasManagerModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
    paint();
}

const char* AliasManagerModel::kindCaption(AliasKind k)
{
    switch (k) {
    case AliasKind::Players: return "Players";
    case AliasKind::Teams: return "Teams";
    case AliasKind::Grounds: return "Grounds";
    case AliasKind::Grades: return "Grades";
    case AliasKind::Clubs: return "Clubs";
    }
    return "";
}

const char* AliasManagerModel::kindCode(AliasKind k)
{
    switch (k) {
    case AliasKind::Players: return "Pla";
    case AliasKind::Teams: return "Tea";
    case AliasKind::Grounds: return "Gro";
    case AliasKind::Grades: return "Gra";
    case AliasKind::Clubs: return "Clu";
    }
    return "";
}

void AliasManagerModel::paint()
{
    lines.clear();
    selectedLine = -1;
    try {
        const WorkingSet ws(m_app);
        for (std::int32_t i = 1; i <= ws.count(RecordKind::Alias); ++i) {
            const AliasRecord a = ws.read<AliasRecord>(i);
            // Free slots have a blank kind and match no option.
            if (!a.isFree() && a.kindCode.str() == kindCode(kind)) {
                lines.push_back({a.name.str(), a.alias.str(), std::to_string(i), i});
            }
        }
    } catch (const StorageError& e) {
        m_platform.message(std::string("The aliases could not be read. ") + e.what(), Buttons::Ok, Icon::Error);
    }
}

void AliasManagerModel::kindChosen(AliasKind k)
{
    kind = k;
    paint();
}

void AliasManagerModel::lineClicked(int index)
{
    selectedLine = index >= 0 && index < static_cast<int>(lines.size()) ? index : -1;
    if (selectedLine >= 0) {
        deleteEnabled = true;
    }
}

void AliasManagerModel::deleteClicked()
{
    if (selectedLine < 0) {
        m_platform.message("Select an item from the list to delete first", Buttons::Ok, Icon::Error);
        return;
    }
    const std::int32_t n = lines[static_cast<std::size_t>(selectedLine)].number;
    if (n <= 0) {
        return;
    }
    try {
        WorkingSet ws(m_app);
        // The last alias only leaves the count; any other has its slot blanked for the next import.
        ws.deleteAlias(n);
        m_app.databaseChanged = true;
    } catch (const StorageError& e) {
        m_platform.message(std::string("The alias could not be deleted. ") + e.what(), Buttons::Ok, Icon::Error);
    }
    paint();
}

void AliasManagerModel::helpClicked()
{
    m_platform.showHelp(kHelpAliasManager);
}

} // namespace wickly::masterdata
