#include "player_list_view.h"

#include "player_list_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wickly::ui {

using masterdata::PlayerListModel;
using masterdata::PlayerTreeNode;

PlayerListView::PlayerListView(PlayerListModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_tree(new QTreeWidget(this))
{
    setObjectName("playerList");
    setWindowTitle(toQ(m_model.caption));

    m_tree->setObjectName("playerTree");
    chooseFromNothingByArrow(m_tree);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setToolTip(toQ(m_model.treeHint));
    m_tree->setMinimumSize(340, 380);
    m_tree->setUniformRowHeights(true);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { m_model.nodeSelected(fromQ(keyOf(current))); });
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { m_model.nodeExpanded(fromQ(keyOf(item)), true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { m_model.nodeExpanded(fromQ(keyOf(item)), false); });
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        const std::string key = fromQ(keyOf(item));
        const masterdata::PlayerTreeNode* node = m_model.find(key);
        const bool checked = item->checkState(0) == Qt::Checked;
        if (node == nullptr || node->checked == checked) {
            return;
        }
        m_model.nodeChecked(key, checked);
        // Show what was stored; the item stays in place, so the tree is not rebuilt here.
        const QSignalBlocker block(m_tree);
        item->setCheckState(0, m_model.find(key)->checked ? Qt::Checked : Qt::Unchecked);
    });
    // A double click edits the player; run after the click's own handling, as it rebuilds the tree.
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const std::string key = fromQ(keyOf(item));
        if (key.empty() || key[0] != 'P') {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, key] {
                m_model.nodeSelected(key);
                act(&PlayerListModel::editClicked);
            },
            Qt::QueuedConnection);
    });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_tree, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { act(&PlayerListModel::deleteClicked); });

    auto* add = new QPushButton(tr("&NEW"), this);
    add->setObjectName("newButton");
    auto* edit = new QPushButton(tr("&Edit"), this);
    edit->setObjectName("editButton");
    edit->setDefault(true); // Enter edits the selected player
    auto* del = new QPushButton(tr("&Delete"), this);
    del->setObjectName("deleteButton");
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");
    connect(add, &QPushButton::clicked, this, [this] { act(&PlayerListModel::newClicked); });
    connect(edit, &QPushButton::clicked, this, [this] { act(&PlayerListModel::editClicked); });
    connect(del, &QPushButton::clicked, this, [this] { act(&PlayerListModel::deleteClicked); });
    connect(close, &QPushButton::clicked, this, &PlayerListView::reject);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, edit, del}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    render();
    m_tree->setFocus();
}

QString PlayerListView::keyOf(const QTreeWidgetItem* item)
{
    return item == nullptr ? QString() : item->data(0, Qt::UserRole).toString();
}

void PlayerListView::act(void (PlayerListModel::*action)())
{
    (m_model.*action)();
    render();
}

void PlayerListView::render()
{
    const QSignalBlocker block(m_tree);
    const int scroll = m_tree->verticalScrollBar()->value();
    m_tree->clear();
    QTreeWidgetItem* selected = nullptr;
    const auto makeItem = [&](const PlayerTreeNode& node) {
        auto* item = new QTreeWidgetItem(QStringList{toQ(node.text)});
        item->setData(0, Qt::UserRole, toQ(node.key));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, node.checked ? Qt::Checked : Qt::Unchecked);
        if (node.key == m_model.selectedKey) {
            selected = item;
        }
        return item;
    };
    for (const PlayerTreeNode& club : m_model.clubs) {
        QTreeWidgetItem* clubItem = makeItem(club);
        m_tree->addTopLevelItem(clubItem);
        for (const PlayerTreeNode& player : club.children) {
            clubItem->addChild(makeItem(player));
        }
        clubItem->setExpanded(club.expanded);
    }
    m_tree->verticalScrollBar()->setValue(scroll);
    if (selected != nullptr) {
        m_tree->setCurrentItem(selected);
        m_tree->scrollToItem(selected);
    }
}

void PlayerListView::reject()
{
    m_model.closeClicked();
    QDialog::reject();
}

} // namespace wickly::ui
