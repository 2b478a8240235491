#include "scorecard_view.h"

#include "qt_text.h"
#include "scorecard_import_model.h"
#include "scorecard_import_view.h"
#include "scorecard_model.h"
#include "widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace wickly::ui {

using matches::BowlingField;
using matches::EditorField;
using matches::ExtrasField;
using matches::ScorecardPage;

namespace {

constexpr int kNumberLength = 8;

// A list that asks for its entries to be built again each time it is opened.
class RebuiltComboBox : public QComboBox
{
public:
    RebuiltComboBox(std::function<void()> opening, QWidget* parent) : QComboBox(parent), m_opening(std::move(opening))
    {
    }

    void showPopup() override
    {
        m_opening();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_opening;
};

void setupCombo(QComboBox* c, const QString& name)
{
    c->setObjectName(name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(18);
}

QComboBox* makeCombo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    setupCombo(c, name);
    return c;
}

QLineEdit* makeNumber(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(kNumberLength);
    // Wide enough for a five-digit figure with its sign, inside the frame and margins.
    const int digits = QFontMetrics(e->font()).horizontalAdvance(QString(6, '0'));
    e->setMinimumWidth(digits + 16);
    e->setMaximumWidth(digits + 40);
    return e;
}

} // namespace

ScorecardView::ScorecardView(matches::ScorecardModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("scorecardView");
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("pages");
    m_battingPage = buildBattingPage();
    m_fallOfWicketPage = buildFallOfWicketPage();
    m_bowlingPage = buildBowlingPage();
    m_pages->addTab(m_battingPage, tr("&Batting"));
    m_pages->addTab(m_fallOfWicketPage, tr("&Fall of Wicket"));
    m_pages->addTab(m_bowlingPage, tr("B&owling"));
    QWidget* totals = buildTotals();

    m_ok = makeButton(tr("OK"), "okButton", this);
    m_cancel = makeButton(tr("Cancel"), "cancelButton", this);
    m_ok->setDefault(true); // Enter saves the innings
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(totals);
    layout->addLayout(buttons);

    connect(m_pages, &QTabWidget::currentChanged, this, &ScorecardView::pageChanged);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (!commitWickets()) {
            return;
        }
        m_model.okClicked();
        closeIfDone();
    });
    connect(m_cancel, &QPushButton::clicked, this, &ScorecardView::reject);

    // Keyboard order: the batting table and the row editor, then what is always shown, then the
    // page's other controls; the fall-of-wicket and bowling pages take the batting page's place.
    std::vector<QWidget*> order = {m_table, m_batsman, m_howOut, m_fieldsman, m_bowler};
    order.insert(order.end(), m_numbers.begin(), m_numbers.end());
    for (std::size_t w = 1; w < m_fallOfWickets.size(); ++w) {
        order.push_back(m_fallOfWickets[w].batsman);
        order.push_back(m_fallOfWickets[w].score);
    }
    for (std::size_t k = 1; k < m_bowling.size(); ++k) {
        order.push_back(m_bowling[k].bowler);
        order.insert(order.end(), m_bowling[k].fields.begin(), m_bowling[k].fields.end());
    }
    order.push_back(m_status);
    order.push_back(m_overs);
    order.insert(order.end(), m_extras.begin(), m_extras.end());
    order.push_back(m_ok);
    order.push_back(m_cancel);
    order.push_back(m_active);
    order.push_back(m_all);
    order.push_back(m_global);
    for (const char* name : {"newPlayerButton", "fieldingEventsButton", "battingImportButton", "bowlingImportButton"}) {
        order.push_back(findChild<QPushButton*>(name));
    }
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }

    render();
    if (m_model.closed) {
        // The window could not be filled (the user has been told); it closes as it opens.
        QTimer::singleShot(0, this, &QDialog::reject);
    }
    focusEditor();
}

ScorecardView::~ScorecardView() = default;

void ScorecardView::openImport(exchange::ScorecardImportMode mode)
{
    // One import window beside the scorecard, kept (with its lines) while the scorecard is open.
    if (!m_importModel) {
        m_importModel = std::make_unique<exchange::ScorecardImportModel>(m_model.app(), m_model.platform());
        m_importView = new ScorecardImportView(*m_importModel, this);
        connect(m_importView, &ScorecardImportView::imported, this, [this] {
            exchange::applyImport(*m_importModel, m_model);
            render();
        });
    }
    m_importModel->open(mode, m_model.handOver.battingClub, m_model.handOver.bowlingClub);
    m_importView->render();
}

QWidget* ScorecardView::buildBattingPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("battingPage");

    m_table = new QTableWidget(0, 9, page);
    m_table->setObjectName("battingTable");
    m_table->setHorizontalHeaderLabels({"#", "Batsman", "How Out", "Fieldsman", "Bowler", "R", "B", "4's", "6's"});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int c : {1, 3, 4}) {
        header->setSectionResizeMode(c, QHeaderView::Stretch);
    }
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (m_rendering || row < 0) {
            return;
        }
        m_model.rowSelected(row + 1);
        render();
    });

    // The row editor.
    m_batsman = makeCombo("batsmanCombo", page);
    m_howOut = makeCombo("howOutCombo", page);
    for (const char* entry : matches::kHowOutEntries) {
        m_howOut->addItem(toQ(entry));
    }
    m_howOut->setMinimumContentsLength(11);
    m_fieldsman = makeCombo("fieldsmanCombo", page);
    m_bowler = makeCombo("bowlerCombo", page);
    m_fieldsmanLabel = makeLabel(tr("Fiel&dsman"), m_fieldsman, page);
    m_bowlerLabel = makeLabel(tr("Bo&wler"), m_bowler, page);
    m_bowlerLabel->setObjectName("bowlerLabel");
    const std::array<const char*, 4> numberNames = {"runsEdit", "ballsEdit", "foursEdit", "sixesEdit"};
    const std::array<QString, 4> numberCaptions = {tr("&R"), tr("B"), tr("&4's"), tr("&6's")};
    const std::array<EditorField, 4> numberFields = {EditorField::Runs, EditorField::Balls, EditorField::Fours,
                                                     EditorField::Sixes};

    auto* editor = new QGridLayout;
    editor->addWidget(makeLabel(tr("Ba&tsman"), m_batsman, page), 0, 0);
    editor->addWidget(makeLabel(tr("&How Out"), m_howOut, page), 0, 1);
    editor->addWidget(m_fieldsmanLabel, 0, 2);
    editor->addWidget(m_bowlerLabel, 0, 3);
    editor->addWidget(m_batsman, 1, 0);
    editor->addWidget(m_howOut, 1, 1);
    editor->addWidget(m_fieldsman, 1, 2);
    editor->addWidget(m_bowler, 1, 3);
    for (std::size_t i = 0; i < 4; ++i) {
        m_numbers[i] = makeNumber(numberNames[i], page);
        editor->addWidget(makeLabel(numberCaptions[i], m_numbers[i], page), 0, static_cast<int>(4 + i));
        editor->addWidget(m_numbers[i], 1, static_cast<int>(4 + i));
        const EditorField field = numberFields[i];
        connect(m_numbers[i], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            m_model.numberEdited(field, fromQ(text));
            render();
        });
    }
    for (int c = 0; c < 4; ++c) {
        editor->setColumnStretch(c, 1);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_batsman), static_cast<QWidget*>(m_howOut),
                       static_cast<QWidget*>(m_fieldsman), static_cast<QWidget*>(m_bowler)}) {
        w->installEventFilter(this);
    }
    for (QLineEdit* e : m_numbers) {
        e->installEventFilter(this);
    }

    connect(m_batsman, &QComboBox::activated, this, [this](int i) {
        m_model.batsmanChosen(i);
        render();
    });
    connect(m_howOut, &QComboBox::activated, this, [this](int i) {
        m_model.howOutChosen(i);
        render();
    });
    connect(m_fieldsman, &QComboBox::activated, this, [this](int i) {
        m_model.fieldsmanChosen(i);
        render();
    });
    connect(m_bowler, &QComboBox::activated, this, [this](int i) {
        m_model.bowlerChosen(i);
        render();
    });

    // "List Players" and the buttons.
    auto* listGroup = new QGroupBox(tr("List Players"), page);
    listGroup->setObjectName("listPlayersGroup");
    m_active = new QRadioButton(tr("Acti&ve"), listGroup);
    m_active->setObjectName("activeOption");
    m_all = new QRadioButton(tr("&All"), listGroup);
    m_all->setObjectName("allOption");
    m_global = new QRadioButton(tr("&Global"), listGroup);
    m_global->setObjectName("globalOption");
    auto* options = new QHBoxLayout(listGroup);
    const std::array<std::pair<QRadioButton*, matches::ListPlayers>, 3> choices = {
        std::pair{m_active, matches::ListPlayers::Active}, std::pair{m_all, matches::ListPlayers::All},
        std::pair{m_global, matches::ListPlayers::Global}};
    for (const auto& [button, which] : choices) {
        options->addWidget(button);
        const matches::ListPlayers chosen = which;
        connect(button, &QRadioButton::clicked, this, [this, chosen] {
            m_model.listPlayersChosen(chosen);
            render();
        });
    }
    auto* newPlayer = makeButton(tr("&New Player"), "newPlayerButton", page);
    auto* fieldingEvents = makeButton(tr("Fielding &Events"), "fieldingEventsButton", page);
    auto* import = makeButton(tr("&Import"), "battingImportButton", page);
    connect(newPlayer, &QPushButton::clicked, this, [this] {
        m_model.newPlayerClicked();
        render();
    });
    connect(fieldingEvents, &QPushButton::clicked, this, [this] {
        m_model.fieldingEventsClicked();
        render();
    });
    connect(import, &QPushButton::clicked, this, [this] { openImport(exchange::ScorecardImportMode::Batting); });

    auto* below = new QHBoxLayout;
    below->addWidget(listGroup);
    below->addStretch();
    below->addWidget(newPlayer);
    below->addWidget(fieldingEvents);
    below->addWidget(import);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_table, 1);
    layout->addLayout(editor);
    layout->addLayout(below);
    return page;
}

QWidget* ScorecardView::buildFallOfWicketPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("fallOfWicketPage");
    auto* grid = new QGridLayout(page);
    for (int w = 1; w <= matches::kFallOfWicketEntries; ++w) {
        FallOfWicketWidgets& f = m_fallOfWickets[static_cast<std::size_t>(w)];
        auto* combo = new RebuiltComboBox(
            [this, w] {
                m_model.fallOfWicketListOpened(w);
                render();
            },
            page);
        setupCombo(combo, QString("fow%1Combo").arg(w));
        combo->installEventFilter(this);
        f.batsman = combo;
        f.score = makeNumber(QString("fowScore%1Edit").arg(w), page);
        f.label = makeLabel(QString("FOW %1").arg(w), f.batsman, page);
        // Two columns: entries 1 to 7, then 8 to 13.
        const int row = (w - 1) % 7;
        const int column = (w - 1) / 7 * 4;
        grid->addWidget(f.label, row, column);
        grid->addWidget(f.batsman, row, column + 1);
        f.scoreLabel = makeLabel(tr("Score"), f.score, page);
        grid->addWidget(f.scoreLabel, row, column + 2);
        grid->addWidget(f.score, row, column + 3);
        connect(f.batsman, &QComboBox::activated, this, [this, w](int i) {
            m_model.fallOfWicketChosen(w, i);
            render();
        });
        connect(f.score, &QLineEdit::textEdited, this, [this, w](const QString& text) {
            m_model.fallOfWicketScoreEdited(w, fromQ(text));
            render();
        });
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(7, 1);
    return page;
}

QWidget* ScorecardView::buildBowlingPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("bowlingPage");
    auto* grid = new QGridLayout(page);
    const std::array<QString, 4> headings = {tr("Ov"), tr("Ma"), tr("Runs"), tr("Wkts")};
    const std::array<const char*, 4> names = {"overs%1Edit", "maidens%1Edit", "bowlingRuns%1Edit", "wickets%1Edit"};
    const std::array<BowlingField, 4> fields = {BowlingField::Overs, BowlingField::Maidens, BowlingField::Runs,
                                                BowlingField::Wickets};
    grid->addWidget(new QLabel(tr("Bowler"), page), 0, 0);
    for (std::size_t f = 0; f < 4; ++f) {
        grid->addWidget(new QLabel(headings[f], page), 0, static_cast<int>(f + 1));
    }
    for (int k = 1; k <= matches::kScorecardLines; ++k) {
        BowlingWidgets& b = m_bowling[static_cast<std::size_t>(k)];
        auto* combo = new RebuiltComboBox(
            [this, k] {
                m_model.bowlerListOpened(k);
                render();
            },
            page);
        setupCombo(combo, QString("bowler%1Combo").arg(k));
        combo->installEventFilter(this);
        b.bowler = combo;
        grid->addWidget(b.bowler, k, 0);
        connect(b.bowler, &QComboBox::activated, this, [this, k](int i) {
            m_model.bowlingBowlerChosen(k, i);
            render();
        });
        for (std::size_t f = 0; f < 4; ++f) {
            b.fields[f] = makeNumber(QString(names[f]).arg(k), page);
            b.fields[f]->installEventFilter(this);
            grid->addWidget(b.fields[f], k, static_cast<int>(f + 1));
            const BowlingField field = fields[f];
            connect(b.fields[f], &QLineEdit::textEdited, this, [this, k, field](const QString& text) {
                m_model.bowlingEdited(k, field, fromQ(text));
                if (field == BowlingField::Wickets) {
                    m_pendingWickets = k;
                }
                render();
            });
        }
    }
    m_bowlersOvers = new QLabel(page);
    m_bowlersOvers->setObjectName("bowlersOversLabel");
    auto* import = makeButton(tr("&Import"), "bowlingImportButton", page);
    connect(import, &QPushButton::clicked, this, [this] { openImport(exchange::ScorecardImportMode::Bowling); });
    const int last = matches::kScorecardLines + 1;
    grid->addWidget(new QLabel(tr("Total overs"), page), last, 0, Qt::AlignRight);
    grid->addWidget(m_bowlersOvers, last, 1);
    grid->addWidget(import, last, 4);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(last + 1, 1);
    return page;
}

QWidget* ScorecardView::buildTotals()
{
    auto* box = new QWidget(this);
    m_status = makeCombo("statusCombo", box);
    m_status->setMinimumContentsLength(10);
    m_status->installEventFilter(this);
    for (const char* entry : matches::kStatusEntries) {
        m_status->addItem(toQ(entry));
    }
    connect(m_status, &QComboBox::activated, this, [this](int i) {
        m_model.statusChosen(i);
        render();
    });
    m_overs = makeNumber("oversEdit", box);
    connect(m_overs, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.oversEdited(fromQ(text));
        render();
    });

    m_extrasGroup = new QGroupBox(box);
    m_extrasGroup->setObjectName("extrasGroup");
    auto* extras = new QHBoxLayout(m_extrasGroup);
    const std::array<const char*, 4> names = {"byesEdit", "legByesEdit", "widesEdit", "noBallsEdit"};
    const std::array<QString, 4> captions = {tr("B&yes"), tr("&LB"), tr("Wides"), tr("NB")};
    const std::array<ExtrasField, 4> fields = {ExtrasField::Byes, ExtrasField::LegByes, ExtrasField::Wides,
                                               ExtrasField::NoBalls};
    for (std::size_t i = 0; i < 4; ++i) {
        m_extras[i] = makeNumber(names[i], m_extrasGroup);
        extras->addWidget(makeLabel(captions[i], m_extras[i], m_extrasGroup));
        extras->addWidget(m_extras[i]);
        const ExtrasField field = fields[i];
        connect(m_extras[i], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            m_model.extrasEdited(field, fromQ(text));
            render();
        });
    }

    m_total = new QLabel(box);
    m_total->setObjectName("totalLabel");
    QFont bold = m_total->font();
    bold.setBold(true);
    m_total->setFont(bold);
    m_total->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QString(6, '0')));

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(makeLabel(tr("Stat&us"), m_status, box));
    row->addWidget(m_status);
    row->addWidget(makeLabel(tr("Over&s"), m_overs, box));
    row->addWidget(m_overs);
    row->addWidget(m_extrasGroup);
    row->addStretch();
    row->addWidget(new QLabel(tr("Total"), box));
    row->addWidget(m_total);
    return box;
}

// ---- Drawing ------------------------------------------------------------------------------------

void ScorecardView::showList(QComboBox* combo, const matches::EntryList& list)
{
    // Refilled only when the entries changed, so that an open list is not disturbed and typing
    // does not convert every player's name again.
    std::vector<matches::Entry>& shown = m_shownEntries[combo];
    const QSignalBlocker block(combo);
    if (shown != list.entries) {
        shown = list.entries;
        QStringList texts;
        for (const matches::Entry& e : list.entries) {
            texts << toQ(e.text).trimmed();
        }
        combo->clear();
        combo->addItems(texts);
    }
    combo->setCurrentIndex(list.selected);
}

void ScorecardView::render()
{
    m_rendering = true;
    setWindowTitle(toQ(m_model.caption));
    m_pages->setTabVisible(m_pages->indexOf(m_fallOfWicketPage), m_model.fallOfWicketPageVisible);
    m_pages->setTabVisible(m_pages->indexOf(m_bowlingPage), m_model.bowlingPageVisible);

    // The batting table.
    if (m_table->rowCount() != m_model.nbat) {
        m_table->setRowCount(m_model.nbat);
        // Every batting line of a team (up to 14) shows without scrolling.
        m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                                  m_model.nbat * m_table->verticalHeader()->defaultSectionSize() +
                                  2 * m_table->frameWidth() + 2);
    }
    for (int k = 1; k <= m_model.nbat; ++k) {
        const matches::BattingRow& r = m_model.batting[static_cast<std::size_t>(k)];
        const std::array<std::string, 9> cells = {std::to_string(k), r.batsman, r.howOut, r.fieldsman, r.bowler, r.runs,
                                                  r.balls,           r.fours,   r.sixes};
        for (int c = 0; c < 9; ++c) {
            const QString text = toQ(cells[static_cast<std::size_t>(c)]);
            QTableWidgetItem* item = m_table->item(k - 1, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                if (c == 0 || c >= 5) {
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                m_table->setItem(k - 1, c, item);
            }
            if (item->text() != text) {
                item->setText(text);
            }
        }
    }
    if (m_table->currentRow() != m_model.selectedRow - 1) {
        m_table->setCurrentCell(m_model.selectedRow - 1, 1);
    }

    // The row editor.
    showList(m_batsman, m_model.batsmanList);
    {
        const QSignalBlocker block(m_howOut);
        m_howOut->setCurrentIndex(m_model.howOut);
    }
    showList(m_fieldsman, m_model.fieldsmanList);
    showList(m_bowler, m_model.bowlerList);
    m_fieldsmanLabel->setVisible(m_model.fieldsmanVisible);
    m_fieldsman->setVisible(m_model.fieldsmanVisible);
    m_bowlerLabel->setText(m_model.bowlerCaption == "Assisted By" ? tr("Assisted By") : tr("Bo&wler"));
    m_bowlerLabel->setVisible(m_model.bowlerVisible);
    m_bowler->setVisible(m_model.bowlerVisible);
    const std::array<EditorField, 4> numberFields = {EditorField::Runs, EditorField::Balls, EditorField::Fours,
                                                     EditorField::Sixes};
    const std::array<bool, 4> enabled = {m_model.runsEnabled, m_model.ballsEnabled, m_model.boundariesEnabled,
                                         m_model.boundariesEnabled};
    for (std::size_t i = 0; i < 4; ++i) {
        showText(m_numbers[i], m_model.numberText(numberFields[i]));
        m_numbers[i]->setEnabled(enabled[i]);
    }
    m_active->setChecked(m_model.listPlayers == matches::ListPlayers::Active);
    m_all->setChecked(m_model.listPlayers == matches::ListPlayers::All);
    m_global->setChecked(m_model.listPlayers == matches::ListPlayers::Global);

    // Fall of wickets.
    for (int w = 1; w <= matches::kFallOfWicketEntries; ++w) {
        FallOfWicketWidgets& f = m_fallOfWickets[static_cast<std::size_t>(w)];
        const bool shown = w <= m_model.fallOfWicketsShown();
        for (QWidget* widget : {static_cast<QWidget*>(f.label), static_cast<QWidget*>(f.batsman),
                                static_cast<QWidget*>(f.scoreLabel), static_cast<QWidget*>(f.score)}) {
            widget->setVisible(shown);
        }
        showList(f.batsman, m_model.fallOfWickets[static_cast<std::size_t>(w)].batsman);
        showText(f.score, m_model.fallOfWickets[static_cast<std::size_t>(w)].score);
    }

    // Bowling.
    const std::array<BowlingField, 4> bowlingFields = {BowlingField::Overs, BowlingField::Maidens, BowlingField::Runs,
                                                       BowlingField::Wickets};
    for (int k = 1; k <= matches::kScorecardLines; ++k) {
        BowlingWidgets& b = m_bowling[static_cast<std::size_t>(k)];
        const bool shown = k <= m_model.nbow;
        b.bowler->setVisible(shown);
        showList(b.bowler, m_model.bowling[static_cast<std::size_t>(k)].bowler);
        for (std::size_t f = 0; f < 4; ++f) {
            b.fields[f]->setVisible(shown);
            showText(b.fields[f], m_model.bowlingText(k, bowlingFields[f]));
        }
    }
    m_bowlersOvers->setText(toQ(m_model.bowlersOvers));

    // Always shown.
    {
        const QSignalBlocker block(m_status);
        m_status->setCurrentIndex(m_model.status);
    }
    showText(m_overs, m_model.overs);
    const std::array<ExtrasField, 4> extrasFields = {ExtrasField::Byes, ExtrasField::LegByes, ExtrasField::Wides,
                                                     ExtrasField::NoBalls};
    for (std::size_t i = 0; i < 4; ++i) {
        showText(m_extras[i], m_model.extrasText(extrasFields[i]));
    }
    m_extrasGroup->setTitle(toQ(m_model.extrasCaption()));
    m_total->setText(toQ(m_model.totalText()));
    m_rendering = false;
}

// ---- Keyboard -----------------------------------------------------------------------------------

QWidget* ScorecardView::editorWidget(EditorField field) const
{
    switch (field) {
    case EditorField::Batsman: return m_batsman;
    case EditorField::HowOut: return m_howOut;
    case EditorField::Fieldsman: return m_fieldsman;
    case EditorField::Bowler: return m_bowler;
    case EditorField::Runs: return m_numbers[0];
    case EditorField::Balls: return m_numbers[1];
    case EditorField::Fours: return m_numbers[2];
    case EditorField::Sixes: return m_numbers[3];
    }
    return m_batsman;
}

void ScorecardView::focusEditor()
{
    editorWidget(m_model.firstEditorField())->setFocus(Qt::TabFocusReason);
}

bool ScorecardView::tabbedPastRowEditor(QObject* watched)
{
    if (m_pages->currentWidget() != m_battingPage) {
        return false;
    }
    QWidget* last = nullptr;
    for (EditorField f : {EditorField::Batsman, EditorField::HowOut, EditorField::Fieldsman, EditorField::Bowler,
                          EditorField::Runs, EditorField::Balls, EditorField::Fours, EditorField::Sixes}) {
        QWidget* w = editorWidget(f);
        if (w->isVisible() && w->isEnabled()) {
            last = w;
        }
    }
    if (watched != last || !m_model.nextRow()) {
        return false;
    }
    render();
    focusEditor();
    return true;
}

bool ScorecardView::movedBetweenBowlingRows(QObject* watched, int key)
{
    for (int k = 1; k <= matches::kScorecardLines; ++k) {
        const BowlingWidgets& b = m_bowling[static_cast<std::size_t>(k)];
        for (std::size_t f = 0; f < 4; ++f) {
            if (b.fields[f] != watched) {
                continue;
            }
            const int target = m_model.bowlingRowAfter(k, key == Qt::Key_Down);
            QLineEdit* next = m_bowling[static_cast<std::size_t>(target)].fields[f];
            next->setFocus(Qt::OtherFocusReason);
            next->selectAll();
            return true;
        }
    }
    return false;
}

bool ScorecardView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // Typing into a list picks the entry that starts with what was typed since the list got
        // the focus, not what was typed into it for the row before.
        if (auto* combo = qobject_cast<QComboBox*>(watched)) {
            combo->view()->keyboardSearch(QString());
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Tab && mods == Qt::NoModifier && tabbedPastRowEditor(watched)) {
            return true;
        }
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && mods == Qt::NoModifier &&
            qobject_cast<QLineEdit*>(watched) != nullptr && movedBetweenBowlingRows(watched, key->key())) {
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && m_pendingWickets) {
        const int row = *m_pendingWickets;
        if (watched == m_bowling[static_cast<std::size_t>(row)].fields[3]) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            QWidget* next = QApplication::focusWidget();
            // A message box or list taking the focus is not leaving the field; OK checks the field
            // itself before it acts, and Cancel needs no check.
            const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                                 next != nullptr && isAncestorOf(next) && qobject_cast<QPushButton*>(next) == nullptr;
            if (leaving) {
                // Checked once the focus has moved, outside the focus change itself.
                QTimer::singleShot(0, this, [this] { commitWickets(); });
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ScorecardView::commitWickets()
{
    if (!m_pendingWickets) {
        return true;
    }
    const int row = *m_pendingWickets;
    m_pendingWickets.reset();
    if (m_model.wicketsLeft(row)) {
        render();
        return true;
    }
    render();
    QLineEdit* edit = m_bowling[static_cast<std::size_t>(row)].fields[3];
    // After the message box has gone, so that its closing does not move the focus again.
    QTimer::singleShot(0, edit, [this, edit, row] {
        m_pendingWickets = row;
        edit->setFocus();
        edit->selectAll();
    });
    return false;
}

// ---- Pages and closing --------------------------------------------------------------------------

ScorecardPage ScorecardView::pageAt(int index) const
{
    QWidget* page = m_pages->widget(index);
    if (page == m_bowlingPage) {
        return ScorecardPage::Bowling;
    }
    if (page == m_fallOfWicketPage) {
        return ScorecardPage::FallOfWicket;
    }
    return ScorecardPage::Batting;
}

void ScorecardView::pageChanged(int index)
{
    if (m_rendering) {
        return;
    }
    const ScorecardPage page = pageAt(index);
    m_model.pageShown(page);
    render();
    // The keyboard goes on where typing on the page starts.
    if (page == ScorecardPage::Batting) {
        focusEditor();
    } else if (page == ScorecardPage::FallOfWicket) {
        m_fallOfWickets[1].batsman->setFocus(Qt::TabFocusReason);
    } else {
        m_bowling[1].bowler->setFocus(Qt::TabFocusReason);
    }
}

void ScorecardView::closeIfDone()
{
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void ScorecardView::reject()
{
    if (m_model.closeRequested()) {
        QDialog::reject();
    } else {
        render();
    }
}

} // namespace wickly::ui
