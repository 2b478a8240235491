#include "list_editor_view.h"

#include "list_editor_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace wickly::ui {

namespace {

// The lines are columns of fixed-width text under a heading line.
QLineEdit* makeEdit(const std::string& text, int maxLength, const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(toQ(text), parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

} // namespace

// ---- The editor ---------------------------------------------------------------------------------

ListEditorDialog::ListEditorDialog(masterdata::ListEditorModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_heading(new QLabel(this)), m_lines(new QListWidget(this))
{
    setObjectName("listEditorDialog");
    setWindowTitle(toQ(m_model.caption));

    m_heading->setObjectName("headingLabel");
    m_heading->setFont(fixedFont());
    // The heading lines up with the list's text.
    m_heading->setIndent(m_lines->frameWidth() + 2);
    m_lines->setObjectName("linesList");
    chooseFromNothingByArrow(m_lines);
    m_lines->setFont(fixedFont());
    m_lines->setUniformItemSizes(true);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* add = makeButton(tr("&Add New"), "addButton", this);
    m_edit = makeButton(tr("&Edit Name"), "editButton", this);
    m_delete = makeButton(tr("&Delete"), "deleteButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    auto* help = makeButton(tr("&Help"), "helpButton", this);
    // Enter on a line edits it.
    m_edit->setDefault(true);

    // The selected line, not merely the current one (the list makes its first line current when
    // it gets the focus, without selecting it).
    connect(m_lines, &QListWidget::itemSelectionChanged, this, [this] {
        m_model.lineSelected(selectedRow(m_lines));
        render();
    });
    connect(m_lines, &QListWidget::itemDoubleClicked, this, [this] {
        m_model.editClicked();
        render();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        m_model.addClicked();
        render();
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        m_model.editClicked();
        render();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.deleteClicked();
        render();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.closeClicked();
        if (m_model.done) {
            accept();
        } else {
            render();
        }
    });
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, m_edit, m_delete, close, help}) {
        buttons->addWidget(b);
    }
    buttons->insertStretch(4);
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    listColumn->addWidget(m_heading);
    listColumn->addWidget(m_lines, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);

    setTabOrder(m_lines, add);
    setTabOrder(add, m_edit);
    setTabOrder(m_edit, m_delete);
    setTabOrder(m_delete, close);
    setTabOrder(close, help);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(60, 'M')) + 160, 420);
    render();
    m_lines->setFocus();
}

void ListEditorDialog::render()
{
    m_heading->setText(toQ(m_model.heading));
    {
        const QSignalBlocker block(m_lines);
        const int rows = static_cast<int>(m_model.lines.size());
        while (m_lines->count() > rows) {
            delete m_lines->takeItem(m_lines->count() - 1);
        }
        for (int i = 0; i < rows; ++i) {
            const QString text = toQ(m_model.lines[static_cast<std::size_t>(i)].text);
            if (i < m_lines->count()) {
                if (m_lines->item(i)->text() != text) {
                    m_lines->item(i)->setText(text);
                }
            } else {
                m_lines->addItem(text);
            }
        }
        m_lines->setCurrentRow(m_model.selected);
        if (m_model.selected >= 0) {
            m_lines->scrollToItem(m_lines->item(m_model.selected));
        }
    }
    m_edit->setEnabled(m_model.editEnabled());
    m_delete->setEnabled(m_model.deleteEnabled());
}

void ListEditorDialog::reject()
{
    if (m_model.closeRequested()) {
        QDialog::reject();
    } else {
        render();
    }
}

// ---- The name dialog ----------------------------------------------------------------------------

NameDialog::NameDialog(masterdata::NameDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_name(makeEdit(model.name, 40, "nameEdit", this)),
      m_abbreviation(makeEdit(model.abbreviation, 7, "abbreviationEdit", this)),
      m_logoUrl(makeEdit(model.logoUrl, 100, "logoUrlEdit", this)),
      m_clubUrl(makeEdit(model.clubUrl, 100, "clubUrlEdit", this)), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName("nameDialog");
    setWindowTitle(toQ(m_model.caption));
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true); // Enter in any field
    m_cancel->setObjectName("cancelButton");
    m_cancel->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(tr("&Name"), m_name);
    form->addRow(tr("A&bbrev."), m_abbreviation);
    form->addRow(tr("&Logo URL"), m_logoUrl);
    form->addRow(tr("Club &URL"), m_clubUrl);
    form->setRowVisible(m_logoUrl, m_model.urlsVisible);
    form->setRowVisible(m_clubUrl, m_model.urlsVisible);
    m_abbreviation->setMaximumWidth(QFontMetrics(m_abbreviation->font()).horizontalAdvance(QString(10, 'W')));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    m_logoUrl->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        pullFields();
        m_model.okClicked();
        if (m_model.done) {
            accept();
        } else {
            focusRequested();
        }
    });
    connect(m_cancel, &QPushButton::clicked, this, &NameDialog::reject);

    resize(m_model.urlsVisible ? 560 : 380, sizeHint().height());
    m_name->setFocus();
}

void NameDialog::pullFields()
{
    m_model.name = fromQ(m_name->text());
    m_model.abbreviation = fromQ(m_abbreviation->text());
    m_model.logoUrl = fromQ(m_logoUrl->text());
    m_model.clubUrl = fromQ(m_clubUrl->text());
}

void NameDialog::focusRequested()
{
    QLineEdit* target = m_name;
    switch (m_model.focus) {
    case masterdata::NameDialogModel::Field::Name: target = m_name; break;
    case masterdata::NameDialogModel::Field::Abbreviation: target = m_abbreviation; break;
    case masterdata::NameDialogModel::Field::LogoUrl: target = m_logoUrl; break;
    case masterdata::NameDialogModel::Field::ClubUrl: target = m_clubUrl; break;
    }
    // After the message box has gone, so that its closing does not move the focus again.
    QTimer::singleShot(0, target, [target] {
        target->setFocus();
        target->selectAll();
    });
}

bool NameDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_logoUrl && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        // Leaving for another field of this dialog. OK checks the address itself, Cancel needs no
        // check, and a message box or menu taking the focus is not leaving the field.
        const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && next != m_ok &&
                             next != m_cancel && next != nullptr && isAncestorOf(next);
        if (leaving) {
            // Checked once the focus has moved, outside the focus change itself.
            QTimer::singleShot(0, this, [this] {
                pullFields();
                if (!m_model.logoUrlLeft()) {
                    focusRequested();
                }
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void NameDialog::reject()
{
    m_model.cancelClicked();
    QDialog::reject();
}

// ---- The team dialog ----------------------------------------------------------------------------

TeamDialog::TeamDialog(masterdata::TeamDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_name(makeEdit(model.name, 30, "nameEdit", this)),
      m_clubs(new QListWidget(this))
{
    setObjectName("teamDialog");
    setWindowTitle(toQ(m_model.caption));
    m_clubs->setObjectName("clubList");
    chooseFromNothingByArrow(m_clubs);
    m_clubs->setFont(fixedFont());
    m_clubs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_clubs->setTextElideMode(Qt::ElideNone); // the record number past the name stays out of sight
    for (const masterdata::ListLine& club : m_model.clubs) {
        m_clubs->addItem(toQ(club.text));
    }
    m_clubs->setCurrentRow(m_model.selectedClub);
    if (m_model.selectedClub >= 0) {
        m_clubs->scrollToItem(m_clubs->item(m_model.selectedClub));
    }

    auto* nameLabel = new QLabel(tr("Enter &Name"), this);
    nameLabel->setBuddy(m_name);
    auto* clubLabel = new QLabel(tr("Enter &Club"), this);
    clubLabel->setBuddy(m_clubs);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true); // Enter in either field
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);

    connect(m_clubs, &QListWidget::itemSelectionChanged, this, [this] { m_model.clubChosen(selectedRow(m_clubs)); });
    connect(ok, &QPushButton::clicked, this, [this] {
        m_model.name = fromQ(m_name->text());
        m_model.okClicked();
        if (m_model.done) {
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &TeamDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);
    layout->addWidget(clubLabel);
    layout->addWidget(m_clubs, 1);
    layout->addLayout(buttons);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(42, 'M')) + 40, 340);
    m_name->setFocus();
}

void TeamDialog::reject()
{
    m_model.cancelClicked();
    QDialog::reject();
}

} // namespace wickly::ui
