#include "player_list_model.h"

#include "app_state.h"
#include "formats.h"
#include "lookups.h"
#include "player_deletion.h"
#include "player_editor_model.h"

#include <algorithm>
#include <utility>

namespace wickly::masterdata {

namespace {

constexpr const char* kNoClubKey = "C0";

// Players sort by their text without case; equal texts keep record-number order.
bool before(const PlayerTreeNode& a, const PlayerTreeNode& b)
{
    const std::string fa = foldCase(a.text);
    const std::string fb = foldCase(b.text);
    return fa != fb ? fa < fb : a.record < b.record;
}

PlayerTreeNode playerNode(const PlayerRecord& p, std::int32_t record)
{
    PlayerTreeNode node;
    node.key = "P" + std::to_string(record);
    node.text = PlayerListName(p);
    node.record = record;
    node.checked = p.active == 1;
    return node;
}

} // namespace

PlayerListModel::PlayerListModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform), m_ws(app)
{
    build();
}

void PlayerListModel::build()
{
    clubs.clear();
    selectedKey.clear();
    const std::int32_t allowed = m_app.header.options.allowPlayersClub;
    const std::int32_t clubCount = m_ws.count(RecordKind::Club);
    for (std::int32_t i = 1; i <= clubCount; ++i) {
        const ClubRecord c = m_ws.read<ClubRecord>(i);
        if (isDeletedName(c.name.raw())) {
            continue;
        }
        PlayerTreeNode node;
        node.key = "C" + std::to_string(i);
        node.text = c.name.str();
        node.record = i;
        node.expanded = i == allowed;
        clubs.push_back(std::move(node));
    }
    if (allowed == 0 && !clubs.empty()) {
        clubs.front().expanded = true;
    }

    const std::int32_t players = m_ws.count(RecordKind::Player);
    for (std::int32_t i = 1; i <= players; ++i) {
        const PlayerRecord p = m_ws.read<PlayerRecord>(i);
        if (startsWithDeletedMark(p.reportName.raw())) {
            continue;
        }
        PlayerTreeNode* club = clubNodeFor(p.club);
        club->children.push_back(playerNode(p, i));
    }
    for (PlayerTreeNode& club : clubs) {
        std::stable_sort(club.children.begin(), club.children.end(), before);
    }
}

const PlayerTreeNode* PlayerListModel::find(const std::string& key) const
{
    for (const PlayerTreeNode& club : clubs) {
        if (club.key == key) {
            return &club;
        }
        for (const PlayerTreeNode& player : club.children) {
            if (player.key == key) {
                return &player;
            }
        }
    }
    return nullptr;
}

PlayerTreeNode* PlayerListModel::findNode(const std::string& key)
{
    return const_cast<PlayerTreeNode*>(std::as_const(*this).find(key));
}

PlayerTreeNode* PlayerListModel::clubNodeFor(std::int16_t club)
{
    // A player whose club is not listed goes under "(No Club)", made when first needed.
    if (PlayerTreeNode* node = club == 0 ? nullptr : findNode("C" + std::to_string(club))) {
        return node;
    }
    if (PlayerTreeNode* none = findNode(kNoClubKey)) {
        return none;
    }
    PlayerTreeNode none;
    none.key = kNoClubKey;
    none.text = "(No Club)";
    clubs.push_back(std::move(none));
    return &clubs.back();
}

void PlayerListModel::addPlayerNode(std::int32_t record)
{
    const PlayerRecord p = m_ws.read<PlayerRecord>(record);
    if (startsWithDeletedMark(p.reportName.raw())) {
        return;
    }
    PlayerTreeNode* club = clubNodeFor(p.club);
    PlayerTreeNode node = playerNode(p, record);
    const auto at = std::upper_bound(club->children.begin(), club->children.end(), node, before);
    club->children.insert(at, std::move(node));
    // Show the player the user has just saved.
    club->expanded = true;
    selectedKey = "P" + std::to_string(record);
}

void PlayerListModel::removeNode(const std::string& key)
{
    for (PlayerTreeNode& club : clubs) {
        std::erase_if(club.children, [&](const PlayerTreeNode& n) { return n.key == key; });
    }
    if (selectedKey == key) {
        selectedKey.clear();
    }
}

std::int32_t PlayerListModel::selectedPlayer() const
{
    if (selectedKey.size() < 2 || selectedKey[0] != 'P') {
        return 0;
    }
    return static_cast<std::int32_t>(ValText(std::string_view(selectedKey).substr(1)));
}

void PlayerListModel::nodeSelected(const std::string& key)
{
    selectedKey = find(key) != nullptr ? key : std::string();
}

void PlayerListModel::nodeExpanded(const std::string& key, bool expanded)
{
    if (PlayerTreeNode* node = findNode(key)) {
        node->expanded = expanded;
    }
}

void PlayerListModel::nodeChecked(const std::string& key, bool checked)
{
    PlayerTreeNode* node = findNode(key);
    if (node == nullptr) {
        return;
    }
    if (key[0] != 'P') {
        node->checked = checked; // a club's check box means nothing
        return;
    }
    const std::int32_t n = node->record;
    if (n < 1 || n > m_ws.count(RecordKind::Player)) {
        return;
    }
    try {
        PlayerRecord p = m_ws.read<PlayerRecord>(n);
        p.active = checked ? 1 : 0;
        m_ws.write(n, p);
    } catch (const StorageError& e) {
        storageFailed("The player's active status could not be changed.", e);
        return; // the check mark keeps showing what is stored
    }
    node->checked = checked;
    m_app.databaseChanged = true;
}

void PlayerListModel::newClicked()
{
    PlayerEditorModel editor(m_app, m_platform, 0);
    m_platform.showModal(editor);
    if (editor.saved() && editor.currentPlayer() > 0) {
        addPlayerNode(editor.currentPlayer());
    }
}

void PlayerListModel::editClicked()
{
    if (!selectedKey.empty() && selectedKey[0] == 'C') {
        return; // a club node: nothing to edit
    }
    const std::int32_t n = selectedPlayer();
    if (n <= 0) {
        m_platform.message("You need to select a player to edit");
        return;
    }
    const std::string key = selectedKey;
    PlayerEditorModel editor(m_app, m_platform, n);
    m_platform.showModal(editor);
    if (editor.saved()) {
        // The name or the club may have changed: the node moves to its new place.
        removeNode(key);
        addPlayerNode(n);
    }
}

void PlayerListModel::deleteClicked()
{
    const std::int32_t n = selectedPlayer();
    if (n <= 0) {
        m_platform.message("You need to select a player to delete");
        trimPlayerCount();
        return;
    }
    if (m_platform.message("Do you really want to delete this player?", Buttons::YesNo, Icon::Question, 1) !=
        Button::Yes) {
        return;
    }
    m_app.databaseChanged = true;
    try {
        BusyPointer busy(m_platform);
        // Every reference goes, so that the next player added in this slot inherits nothing.
        DeletePlayerEverywhere(m_ws, n);
    } catch (const StorageError& e) {
        storageFailed("The player could not be deleted.", e);
        build(); // show what the files now hold
        return;
    }
    m_platform.message("That player has been deleted", Buttons::Ok, Icon::Information);
    removeNode("P" + std::to_string(n));
    trimPlayerCount();
}

void PlayerListModel::trimPlayerCount()
{
    try {
        std::int32_t players = m_ws.count(RecordKind::Player);
        const std::int32_t before = players;
        while (players > 0 && startsWithDeletedMark(m_ws.read<PlayerRecord>(players).reportName.raw())) {
            --players;
        }
        if (players != before) {
            m_ws.setCount(RecordKind::Player, players);
            m_app.databaseChanged = true;
        }
    } catch (const StorageError& e) {
        storageFailed("The players could not be read.", e);
    }
}

void PlayerListModel::closeClicked()
{
    done = true;
}

void PlayerListModel::storageFailed(const char* what, const StorageError& e)
{
    m_platform.message(std::string(what) + "\n\n" + e.what(), Buttons::Ok, Icon::Error);
}

} // namespace wickly::masterdata
