#include "export_view.h"

#include "export_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wickly::ui {

using exchange::ExportModel;

ExportView::ExportView(ExportModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_matches(new QListWidget(this))
{
    setObjectName("exportView");
    setSizeGripEnabled(true);
    m_matches->setObjectName("matchList");
    m_matches->setFont(fixedFont());
    m_matches->setUniformItemSizes(true);
    // Ctrl adds or removes entries, Shift selects a range.
    m_matches->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* listLabel = makeLabel(tr("&Matches"), m_matches, this);
    auto* hint = new QLabel(toQ(m_model.hint), this);
    hint->setObjectName("hintLabel");
    auto* exportButton = makeButton(tr("&Export"), "exportButton", this);
    auto* email = makeButton(tr("E&mail"), "emailButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    auto* help = makeButton(tr("&Help"), "helpButton", this);
    exportButton->setDefault(true);

    connect(m_matches, &QListWidget::itemSelectionChanged, this, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : m_matches->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        m_model.selectionChanged(std::move(rows));
    });
    connect(exportButton, &QPushButton::clicked, this, [this] { act(&ExportModel::exportClicked); });
    connect(email, &QPushButton::clicked, this, [this] { act(&ExportModel::emailClicked); });
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    connect(close, &QPushButton::clicked, this, [this] { act(&ExportModel::closeClicked); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {exportButton, email}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(m_matches, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);

    setTabOrder(m_matches, exportButton);
    setTabOrder(exportButton, email);
    setTabOrder(email, close);
    setTabOrder(close, help);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(80, 'M')) + 60, 480);
    render();
    m_matches->setFocus();
}

void ExportView::act(void (ExportModel::*action)())
{
    (m_model.*action)();
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void ExportView::render()
{
    setWindowTitle(toQ(m_model.caption));
    const QSignalBlocker block(m_matches);
    m_matches->clear();
    for (const exchange::ExportEntry& entry : m_model.entries) {
        m_matches->addItem(toQ(entry.text));
    }
    for (const int row : m_model.selection) {
        if (QListWidgetItem* item = m_matches->item(row)) {
            item->setSelected(true);
        }
    }
}

void ExportView::reject()
{
    m_model.closeClicked();
    QDialog::reject();
}

} // namespace wickly::ui
