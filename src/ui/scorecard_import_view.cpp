#include "scorecard_import_view.h"

#include "qt_text.h"
#include "scorecard_import_model.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wickly::ui {

using exchange::ScorecardImportModel;

ScorecardImportView::ScorecardImportView(ScorecardImportModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_label(new QLabel(this)), m_lines(new QListWidget(this))
{
    setObjectName("scorecardImportView");
    setSizeGripEnabled(true);
    setModal(false);
    m_label->setObjectName("modeLabel");
    m_label->setBuddy(m_lines);
    m_lines->setObjectName("lineList");
    m_lines->setFont(fixedFont());
    m_lines->setUniformItemSizes(true);
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* load = makeButton(tr("&Load"), "loadButton", this);
    auto* import = makeButton(tr("&Import"), "importButton", this);
    auto* cancel = makeButton(tr("&Cancel"), "cancelButton", this);
    auto* help = makeButton(tr("&Help"), "helpButton", this);
    import->setDefault(true);

    connect(m_lines, &QListWidget::itemSelectionChanged, this, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : m_lines->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        m_model.selectionChanged(std::move(rows));
    });
    connect(load, &QPushButton::clicked, this, [this] {
        m_model.loadClicked();
        render();
    });
    connect(import, &QPushButton::clicked, this, [this] {
        m_model.importClicked();
        render();
        if (m_model.imported) {
            emit imported();
        }
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_model.cancelClicked();
        render();
    });
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {load, import, cancel}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_lines, 1);
    layout->addLayout(buttons);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(80, 'M')) + 60, 480);
    render();
}

void ScorecardImportView::render()
{
    setWindowTitle(toQ(m_model.caption));
    m_label->setText(toQ(m_model.label));
    {
        const QSignalBlocker block(m_lines);
        m_lines->clear();
        for (const std::string& line : m_model.lines) {
            m_lines->addItem(toQ(line));
        }
        for (const int row : m_model.selection) {
            if (QListWidgetItem* item = m_lines->item(row)) {
                item->setSelected(true);
            }
        }
    }
    if (m_model.visible && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!m_model.visible && isVisible()) {
        hide();
    }
}

void ScorecardImportView::reject()
{
    m_model.cancelClicked();
    hide();
}

} // namespace wickly::ui
