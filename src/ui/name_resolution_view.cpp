#include "name_resolution_view.h"

#include "name_resolution_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wickly::ui {

using exchange::NameResolutionModel;

NameResolutionView::NameResolutionView(NameResolutionModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_entries(new QListWidget(this))
{
    setObjectName("nameResolutionView");
    setSizeGripEnabled(true);
    m_entries->setObjectName("entryList");
    m_entries->setFont(fixedFont());
    m_entries->setUniformItemSizes(true);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* label = new QLabel(toQ(m_model.label), this);
    label->setObjectName("soughtNameLabel");
    label->setWordWrap(true);
    label->setBuddy(m_entries);
    auto* select = makeButton(tr("&Select"), "selectButton", this);
    auto* remember = makeButton(tr("&Remember"), "rememberButton", this);
    auto* newEntry = makeButton(tr("&New Entry"), "newEntryButton", this);
    auto* newForAll = makeButton(tr("New Entry for A&ll"), "newEntryForAllButton", this);
    auto* abort = makeButton(tr("&Abort"), "abortButton", this);
    auto* help = makeButton(tr("&Help"), "helpButton", this);
    select->setDefault(true);

    connect(m_entries, &QListWidget::itemSelectionChanged, this,
            [this] { m_model.entryChosen(selectedRow(m_entries)); });
    connect(m_entries, &QListWidget::itemDoubleClicked, this, [this] { act(&NameResolutionModel::selectClicked); });
    connect(select, &QPushButton::clicked, this, [this] { act(&NameResolutionModel::selectClicked); });
    connect(remember, &QPushButton::clicked, this, [this] { act(&NameResolutionModel::rememberClicked); });
    connect(newEntry, &QPushButton::clicked, this, [this] { act(&NameResolutionModel::newEntryClicked); });
    connect(newForAll, &QPushButton::clicked, this, [this] { act(&NameResolutionModel::newEntryForAllClicked); });
    connect(abort, &QPushButton::clicked, this, [this] { act(&NameResolutionModel::abortClicked); });
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {select, remember, newEntry, newForAll, abort}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_entries, 1);
    layout->addLayout(buttons);

    setTabOrder(m_entries, select);
    setTabOrder(select, remember);
    setTabOrder(remember, newEntry);
    setTabOrder(newEntry, newForAll);
    setTabOrder(newForAll, abort);
    setTabOrder(abort, help);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(70, 'M')) + 60, 420);
    render();
    m_entries->setFocus();
}

void NameResolutionView::act(void (NameResolutionModel::*action)())
{
    (m_model.*action)();
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void NameResolutionView::render()
{
    setWindowTitle(toQ(m_model.caption));
    const QSignalBlocker block(m_entries);
    m_entries->clear();
    for (const exchange::ResolutionEntry& entry : m_model.entries) {
        m_entries->addItem(toQ(entry.text));
    }
    if (m_model.chosen >= 0) {
        m_entries->setCurrentRow(m_model.chosen);
        m_entries->scrollToItem(m_entries->currentItem());
    }
}

void NameResolutionView::reject()
{
    m_model.closeBoxClicked();
    QDialog::reject();
}

} // namespace wickly::ui
