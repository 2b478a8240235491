#include "alias_manager_view.h"

#include "alias_manager_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wickly::ui {

using masterdata::AliasKind;
using masterdata::AliasManagerModel;

AliasManagerView::AliasManagerView(AliasManagerModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_table(new QTreeWidget(this))
{
    setObjectName("aliasManagerView");
    setSizeGripEnabled(true);
    m_table->setObjectName("aliasTable");
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setAllColumnsShowFocus(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headings;
    for (const char* h : AliasManagerModel::kHeadings) {
        headings << toQ(h);
    }
    m_table->setHeaderLabels(headings);
    m_table->setColumnWidth(0, 240);
    m_table->setColumnWidth(1, 240);

    auto* frame = new QGroupBox(tr("Display"), this);
    frame->setObjectName("displayFrame");
    auto* options = new QHBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    const char* accelerated[] = {"&Players", "&Teams", "G&rounds", "&Grades", "Cl&ubs"};
    for (int k = 0; k < 5; ++k) {
        const auto kind = static_cast<AliasKind>(k);
        auto* option = new QRadioButton(tr(accelerated[k]), frame);
        option->setObjectName(QString("option") + AliasManagerModel::kindCaption(kind));
        option->setChecked(kind == m_model.kind);
        group->addButton(option, k);
        options->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on) {
                m_model.kindChosen(kind);
                render();
            }
        });
    }

    m_delete = makeButton(tr("&Delete Alias"), "deleteButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    auto* help = makeButton(tr("&Help"), "helpButton", this);

    connect(m_table, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> items = m_table->selectedItems();
        if (!items.isEmpty()) {
            m_model.lineClicked(m_table->indexOfTopLevelItem(items.front()));
            m_delete->setEnabled(m_model.deleteEnabled);
        }
    });
    const auto remove = [this] {
        m_model.deleteClicked();
        render();
        m_table->setFocus();
    };
    connect(m_delete, &QPushButton::clicked, this, remove);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, remove);
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.closeClicked();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    resize(640, 420);
    render();
    m_table->setFocus();
}

void AliasManagerView::render()
{
    setWindowTitle(toQ(m_model.caption));
    const QSignalBlocker block(m_table);
    m_table->clear();
    QList<QTreeWidgetItem*> items;
    for (const masterdata::AliasLine& line : m_model.lines) {
        items << new QTreeWidgetItem(QStringList{toQ(line.record), toQ(line.alias), toQ(line.aliasId)});
    }
    m_table->addTopLevelItems(items);
    m_delete->setEnabled(m_model.deleteEnabled);
}

void AliasManagerView::reject()
{
    m_model.closeClicked();
    QDialog::reject();
}

} // namespace wickly::ui
