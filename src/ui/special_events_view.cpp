#include "special_events_view.h"

#include "qt_text.h"
#include "widgets.h"
#include "special_events_model.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace wickly::ui {

using masterdata::FieldingEventKind;
using masterdata::SpecialEventsModel;

namespace {

// Both lists are columns of fixed-width text.
QListWidget* makeList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    chooseFromNothingByArrow(list);
    list->setObjectName(name);
    list->setFont(fixedFont());
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

SpecialEventsView::SpecialEventsView(SpecialEventsModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_players(makeList("playerList", this)),
      m_droppedCatch(new QRadioButton(tr("&Dropped Catch"), this)),
      m_hatTrick(new QRadioButton(tr("&Hat Trick"), this)), m_kinds(new QButtonGroup(this)),
      m_events(makeList("eventsList", this))
{
    setObjectName("specialEvents");
    setWindowTitle(toQ(m_model.caption));

    m_droppedCatch->setObjectName("droppedCatchOption");
    m_hatTrick->setObjectName("hatTrickOption");
    m_kinds->addButton(m_droppedCatch);
    m_kinds->addButton(m_hatTrick);
    auto* add = new QPushButton(tr("&Add"), this);
    add->setObjectName("addButton");
    add->setDefault(true); // Enter adds the event chosen in the frame
    m_delete = new QPushButton(tr("De&lete"), this);
    m_delete->setObjectName("deleteButton");
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");

    // The player list never changes while the window is open.
    for (const masterdata::SpecialEventsLine& player : m_model.players) {
        m_players->addItem(toQ(player.text));
    }

    connect(m_players, &QListWidget::itemSelectionChanged, this,
            [this] { m_model.playerChosen(selectedRow(m_players)); });
    connect(m_droppedCatch, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            m_model.eventKindChosen(FieldingEventKind::DroppedCatch);
        }
    });
    connect(m_hatTrick, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            m_model.eventKindChosen(FieldingEventKind::HatTrick);
        }
    });
    connect(add, &QPushButton::clicked, this, [this] { act(&SpecialEventsModel::addClicked); });
    // A click on an event line enables Delete; the list itself is redrawn only after an action.
    connect(m_events, &QListWidget::itemSelectionChanged, this, [this] {
        m_model.eventSelected(selectedRow(m_events));
        m_delete->setEnabled(m_model.deleteEnabled());
    });
    // Enter on an event line must not reach the default button: it would add the chosen event again.
    m_events->installEventFilter(this);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_events, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        act(&SpecialEventsModel::deleteClicked);
        m_events->setFocus();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        act(&SpecialEventsModel::deleteClicked);
        m_events->setFocus(); // the button is disabled again until a line is clicked
    });
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.closeClicked();
        accept();
    });

    auto* playersLabel = new QLabel(tr("&Player"), this);
    playersLabel->setBuddy(m_players);
    auto* options = new QVBoxLayout;
    options->addWidget(m_droppedCatch);
    options->addWidget(m_hatTrick);
    options->addStretch();
    options->addWidget(add);
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(m_players, 1);
    frameRow->addLayout(options);
    auto* frameLayout = new QVBoxLayout;
    frameLayout->addWidget(playersLabel);
    frameLayout->addLayout(frameRow);
    auto* frame = new QGroupBox(tr("Add New Event"), this);
    frame->setObjectName("addNewEventFrame");
    frame->setLayout(frameLayout);

    auto* eventsLabel = new QLabel(tr("&Events of this innings"), this);
    eventsLabel->setBuddy(m_events);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addWidget(eventsLabel);
    layout->addWidget(m_events, 1);
    layout->addLayout(buttons);

    setTabOrder(m_players, m_droppedCatch);
    setTabOrder(m_droppedCatch, m_hatTrick);
    setTabOrder(m_hatTrick, add);
    setTabOrder(add, m_events);
    setTabOrder(m_events, m_delete);
    setTabOrder(m_delete, close);

    const QFontMetrics metrics(fixedFont());
    resize(metrics.horizontalAdvance(QString(58, 'M')) + 180, 520);
    render();
    m_players->setFocus();
}

void SpecialEventsView::act(void (SpecialEventsModel::*action)())
{
    (m_model.*action)();
    render();
}

void SpecialEventsView::render()
{
    {
        const QSignalBlocker block(m_players);
        m_players->setCurrentRow(m_model.selectedPlayer);
    }
    {
        // Neither option is chosen until the user picks one.
        const QSignalBlocker blockDropped(m_droppedCatch);
        const QSignalBlocker blockHat(m_hatTrick);
        m_kinds->setExclusive(false);
        m_droppedCatch->setChecked(m_model.eventKind == FieldingEventKind::DroppedCatch);
        m_hatTrick->setChecked(m_model.eventKind == FieldingEventKind::HatTrick);
        m_kinds->setExclusive(true);
    }
    {
        const QSignalBlocker block(m_events);
        m_events->clear();
        for (const masterdata::SpecialEventsLine& event : m_model.events) {
            m_events->addItem(toQ(event.text));
        }
        m_events->setCurrentRow(m_model.selectedEvent);
        if (m_model.selectedEvent < 0) {
            m_events->clearSelection();
        }
    }
    m_delete->setEnabled(m_model.deleteEnabled());
}

bool SpecialEventsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_events && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SpecialEventsView::reject()
{
    m_model.closeClicked();
    QDialog::reject();
}

} // namespace wickly::ui
