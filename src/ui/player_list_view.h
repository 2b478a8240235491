#pragma once
// The player list window: the club/player tree with the active check boxes, and NEW, Edit,
// Delete and Close.

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace wickly::masterdata {
class PlayerListModel;
}

namespace wickly::ui {

class PlayerListView : public QDialog
{
    Q_OBJECT
public:
    PlayerListView(masterdata::PlayerListModel& model, QWidget* parent = nullptr);

    void render();
    void reject() override;

private:
    void act(void (masterdata::PlayerListModel::*action)());
    static QString keyOf(const QTreeWidgetItem* item);

    masterdata::PlayerListModel& m_model;
    QTreeWidget* m_tree;
};

} // namespace wickly::ui
