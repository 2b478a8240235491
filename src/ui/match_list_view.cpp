#include "match_list_view.h"

#include "match_list_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wickly::ui {

MatchListView::MatchListView(matches::MatchListModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_table(new QTreeWidget(this))
{
    setObjectName("matchListView");
    setSizeGripEnabled(true);
    m_table->setObjectName("matchTable");
    chooseFromNothingByArrow(m_table);
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setAllColumnsShowFocus(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headings;
    for (const char* h : matches::MatchListModel::kHeadings) {
        headings << toQ(h);
    }
    m_table->setHeaderLabels(headings);
    // The model keeps the rows sorted; the heading only shows by what.
    m_table->header()->setSectionsClickable(true);
    m_table->header()->setSortIndicatorShown(true);
    m_table->header()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 300);
    m_table->setColumnWidth(1, 100);
    m_table->setColumnWidth(2, 60);
    m_table->setColumnWidth(3, 50);

    auto* view = makeButton(tr("&View"), "viewButton", this);
    auto* add = makeButton(tr("&NEW"), "newButton", this);
    auto* remove = makeButton(tr("&Delete"), "deleteButton", this);
    auto* removeAll = makeButton(tr("Del &All"), "deleteAllButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    view->setDefault(true); // Enter views the selected match

    connect(m_table, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> items = m_table->selectedItems();
        if (!items.isEmpty()) {
            m_model.rowClicked(m_table->indexOfTopLevelItem(items.front()) + 1);
        }
    });
    connect(m_table, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_model.rowDoubleClicked(m_table->indexOfTopLevelItem(item) + 1);
        if (m_model.closed) {
            accept();
        } else {
            render();
        }
    });
    connect(m_table->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model.headingClicked(column);
        render();
    });
    connect(view, &QPushButton::clicked, this, [this] { act(&matches::MatchListModel::viewClicked); });
    connect(add, &QPushButton::clicked, this, [this] { act(&matches::MatchListModel::newClicked); });
    connect(remove, &QPushButton::clicked, this, [this] { act(&matches::MatchListModel::deleteClicked); });
    connect(removeAll, &QPushButton::clicked, this, [this] { act(&matches::MatchListModel::deleteAllClicked); });
    connect(close, &QPushButton::clicked, this, [this] { act(&matches::MatchListModel::closeClicked); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {view, add, remove, removeAll}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    setTabOrder(m_table, view);
    setTabOrder(view, add);
    setTabOrder(add, remove);
    setTabOrder(remove, removeAll);
    setTabOrder(removeAll, close);

    resize(720, 480);
    render();
    m_table->setFocus();
}

void MatchListView::act(void (matches::MatchListModel::*action)())
{
    (m_model.*action)();
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void MatchListView::render()
{
    setWindowTitle(toQ(m_model.caption));
    const QSignalBlocker block(m_table);
    m_table->clear();
    QList<QTreeWidgetItem*> items;
    for (const matches::MatchListRow& row : m_model.rows) {
        QStringList texts;
        for (const std::string& cell : row.cells) {
            texts << toQ(cell);
        }
        items << new QTreeWidgetItem(texts);
    }
    m_table->addTopLevelItems(items);
    m_table->header()->setSortIndicator(m_model.sortColumn,
                                        m_model.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (m_model.selectedRow > 0 && m_model.selectedRow <= m_table->topLevelItemCount()) {
        QTreeWidgetItem* item = m_table->topLevelItem(m_model.selectedRow - 1);
        m_table->setCurrentItem(item);
        m_table->scrollToItem(item);
    }
}

void MatchListView::reject()
{
    m_model.closeClicked();
    QDialog::reject();
}

} // namespace wickly::ui
