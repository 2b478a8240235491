#pragma once
// The player list ("Player List"): every live player under the node of the player's club, with a
// check box that shows and sets the player's active flag; the entry to adding, editing and
// deleting players.

#include "platform.h"
#include "working_set.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::masterdata {

// A node of the tree. Club nodes have the key "C" and the club's record number ("C3"), player
// nodes "P" and the player's record number ("P12").
struct PlayerTreeNode
{
    std::string key;
    std::string text;
    std::int32_t record = 0;
    bool checked = false;  // players: the active flag
    bool expanded = false; // clubs
    std::vector<PlayerTreeNode> children;
};

class PlayerListModel : public WindowModel
{
public:
    PlayerListModel(AppState& app, Platform& platform);

    // ---- State shown by the view
    std::string caption = "Player List";
    std::string treeHint = "Checkbox shows 'Active' status";
    // One node per live club in record-number order, each with its players sorted by their text.
    // Live players whose club is not a live club are listed under a last node "(No Club)", key
    // "C0", so that they can still be edited and deleted.
    std::vector<PlayerTreeNode> clubs;
    std::string selectedKey; // empty when nothing is selected
    bool done = false;

    const PlayerTreeNode* find(const std::string& key) const;

    // ---- Actions
    void nodeSelected(const std::string& key);
    void nodeExpanded(const std::string& key, bool expanded);
    // The user set or cleared a node's check mark; a player's active flag is written at once.
    void nodeChecked(const std::string& key, bool checked);
    void newClicked();
    // Also a double click on a node.
    void editClicked();
    // Also the Delete key on the tree.
    void deleteClicked();
    void closeClicked();

private:
    void build();
    PlayerTreeNode* findNode(const std::string& key);
    // The node of a club, or "(No Club)" for a club that is not listed.
    PlayerTreeNode* clubNodeFor(std::int16_t club);
    // Adds the node of player `record` under its club, unless the player is deleted; selects it.
    void addPlayerNode(std::int32_t record);
    void removeNode(const std::string& key);
    // The record number of the selected player node, or 0 when no player node is selected.
    std::int32_t selectedPlayer() const;
    void trimPlayerCount();
    void storageFailed(const char* what, const StorageError& e);

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
};

} // namespace wickly::masterdata
