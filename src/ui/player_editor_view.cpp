#include "player_editor_view.h"

#include "qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace wickly::ui {

using masterdata::PlayerField;

namespace {

struct FieldView
{
    PlayerField field;
    const char* objectName;
    const char* caption; // the label with its accelerator
    bool numeric;
};

constexpr std::array<FieldView, masterdata::kPlayerFieldCount> kFieldViews{{
    {PlayerField::FirstName, "firstNameEdit", "&First Name", false},
    {PlayerField::LastName, "lastNameEdit", "&Last Name", false},
    {PlayerField::ReportName, "reportNameEdit", "&Report Name", false},
    {PlayerField::DateOfBirth, "dateOfBirthEdit", "Date of &Birth", false},
    {PlayerField::Rating, "ratingEdit", "Ra&ting (1-5)", true},
    {PlayerField::PictureUrl, "pictureUrlEdit", "&Picture URL", false},
    {PlayerField::Matches, "matchesEdit", "&Matches", true},
    {PlayerField::Innings, "inningsEdit", "&Innings", true},
    {PlayerField::NotOuts, "notOutsEdit", "Not Outs", true},
    {PlayerField::Runs, "runsEdit", "Runs", true},
    {PlayerField::HighScore, "highScoreEdit", "High Score", true},
    {PlayerField::Balls, "ballsEdit", "Balls", true},
    {PlayerField::Fifties, "fiftiesEdit", "Fifties", true},
    {PlayerField::Hundreds, "hundredsEdit", "Hundreds", true},
    {PlayerField::Wickets, "wicketsEdit", "&Wickets", true},
    {PlayerField::RunsAgainst, "runsAgainstEdit", "Runs Agst", true},
    {PlayerField::Overs, "oversEdit", "Overs", true},
    {PlayerField::Maidens, "maidensEdit", "Maidens", true},
    {PlayerField::BestBowling, "bestBowlingEdit", "Best Bowling", false},
    {PlayerField::FiveWickets, "fiveWicketsEdit", "5WI", true},
    {PlayerField::TenWickets, "tenWicketsEdit", "10WM", true},
    {PlayerField::Catches, "catchesEdit", "C&atches", true},
    {PlayerField::RunOuts, "runOutsEdit", "Runouts", true},
    {PlayerField::Stumpings, "stumpingsEdit", "Stumpings", true},
    {PlayerField::FirstMatchYear, "firstMatchYearEdit", "&Year of 1st Match", true},
    {PlayerField::LastMatchYear, "lastMatchYearEdit", "Year of La&st Match", true},
}};

// The fields whose content is checked when the focus leaves them.
bool checkedOnLeaving(PlayerField f)
{
    return f == PlayerField::DateOfBirth || f == PlayerField::LastName || f == PlayerField::FirstMatchYear ||
           f == PlayerField::PictureUrl;
}

} // namespace

PlayerEditorView::PlayerEditorView(masterdata::PlayerEditorModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_active(new QCheckBox(tr("A&ctive"), this)),
      m_notOut(new QCheckBox(tr("N&ot Out"), this)), m_club(new QComboBox(this))
{
    setObjectName("playerEditor");
    setWindowTitle(toQ(m_model.caption));

    std::array<QLabel*, masterdata::kPlayerFieldCount> labels{};
    for (const FieldView& v : kFieldViews) {
        const auto i = static_cast<std::size_t>(v.field);
        auto* e = new QLineEdit(this);
        e->setObjectName(v.objectName);
        e->setMaxLength(m_model.limit(v.field));
        if (v.numeric || v.field == PlayerField::BestBowling) {
            // One width for every figure, so that the columns line up.
            e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
            e->setAlignment(Qt::AlignRight);
        }
        auto* label = new QLabel(tr(v.caption), this);
        label->setBuddy(e);
        labels[i] = label;
        m_edits[i] = e;
        const PlayerField f = v.field;
        connect(e, &QLineEdit::textEdited, this, [this, f](const QString& text) { m_model.setText(f, fromQ(text)); });
        if (checkedOnLeaving(f)) {
            e->installEventFilter(this);
        }
    }
    edit(PlayerField::DateOfBirth)->setPlaceholderText("dd/mm/yyyy");
    edit(PlayerField::DateOfBirth)->setToolTip("dd/mm/yyyy");
    edit(PlayerField::BestBowling)->setToolTip(tr("Wkts/Runs"));
    m_active->setObjectName("activeCheckBox");
    m_notOut->setObjectName("notOutCheckBox");
    m_club->setObjectName("clubCombo");
    for (const masterdata::PlayerClubEntry& c : m_model.clubs) {
        m_club->addItem(toQ(c.name));
    }
    connect(m_active, &QCheckBox::clicked, this, [this](bool on) { m_model.activeToggled(on); });
    connect(m_notOut, &QCheckBox::clicked, this, [this](bool on) { m_model.highScoreNotOutToggled(on); });
    connect(m_club, &QComboBox::activated, this, [this](int index) { m_model.clubChosen(index); });

    // The player's details.
    auto* details = new QFormLayout;
    const auto row = [&](PlayerField f, QWidget* w) { details->addRow(labels[static_cast<std::size_t>(f)], w); };
    row(PlayerField::FirstName, edit(PlayerField::FirstName));
    row(PlayerField::LastName, edit(PlayerField::LastName));
    row(PlayerField::ReportName, edit(PlayerField::ReportName));
    row(PlayerField::DateOfBirth, edit(PlayerField::DateOfBirth));
    details->addRow(QString(), m_active);
    row(PlayerField::Rating, edit(PlayerField::Rating));
    auto* clubLabel = new QLabel(tr("Cl&ub"), this);
    clubLabel->setBuddy(m_club);
    details->addRow(clubLabel, m_club);
    row(PlayerField::PictureUrl, edit(PlayerField::PictureUrl));
    edit(PlayerField::FirstName)->setMinimumWidth(220);

    // The historical figures: batting, bowling, then fielding and the years.
    auto* history = new QGroupBox(tr("Historical Data"), this);
    auto* grid = new QGridLayout(history);
    // Grid columns: label and field of each group; "Not Out" sits beside the high score, and the
    // empty columns 3 and 6 separate the groups.
    const auto column = [&](int col, std::initializer_list<PlayerField> fields) {
        int r = 0;
        for (const PlayerField f : fields) {
            grid->addWidget(labels[static_cast<std::size_t>(f)], r, col);
            grid->addWidget(edit(f), r, col + 1);
            if (f == PlayerField::HighScore) {
                grid->addWidget(m_notOut, r, col + 2);
            }
            ++r;
        }
    };
    column(0, {PlayerField::Matches, PlayerField::Innings, PlayerField::NotOuts, PlayerField::Runs,
               PlayerField::HighScore, PlayerField::Balls, PlayerField::Fifties, PlayerField::Hundreds});
    column(4, {PlayerField::Wickets, PlayerField::RunsAgainst, PlayerField::Overs, PlayerField::Maidens,
               PlayerField::BestBowling, PlayerField::FiveWickets, PlayerField::TenWickets});
    column(7, {PlayerField::Catches, PlayerField::RunOuts, PlayerField::Stumpings, PlayerField::FirstMatchYear,
               PlayerField::LastMatchYear});
    labels[static_cast<std::size_t>(PlayerField::BestBowling)]->setText(tr("Best Bowling\n(Wkts/Runs)"));
    grid->setColumnMinimumWidth(3, 14);
    grid->setColumnMinimumWidth(6, 14);
    grid->setRowStretch(8, 1);
    grid->setHorizontalSpacing(8);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancelButton");
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("helpButton");
    // A click on a button does not take the focus from the field being typed in: OK runs that
    // field's check itself, and Cancel and Help need none.
    for (QPushButton* b : {ok, cancel, help}) {
        b->setFocusPolicy(Qt::TabFocus);
    }
    connect(ok, &QPushButton::clicked, this, &PlayerEditorView::okClicked);
    connect(cancel, &QPushButton::clicked, this, &PlayerEditorView::reject);
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { m_model.helpClicked(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QHBoxLayout;
    top->addLayout(details);
    top->addSpacing(8);
    top->addWidget(history, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    // Tab order: the details, then the figures column by column, then the buttons.
    std::vector<QWidget*> order;
    for (const FieldView& v : kFieldViews) {
        order.push_back(edit(v.field));
        if (v.field == PlayerField::DateOfBirth) {
            order.push_back(m_active);
        } else if (v.field == PlayerField::Rating) {
            order.push_back(m_club);
        } else if (v.field == PlayerField::HighScore) {
            order.push_back(m_notOut);
        }
    }
    order.insert(order.end(), {ok, cancel, help});
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    render();
    edit(PlayerField::FirstName)->setFocus();
}

void PlayerEditorView::render()
{
    for (const FieldView& v : kFieldViews) {
        QLineEdit* e = edit(v.field);
        const QString text = toQ(m_model.text(v.field));
        if (e->text() != text) {
            e->setText(text);
        }
    }
    m_active->setChecked(m_model.active);
    m_notOut->setChecked(m_model.highScoreNotOut);
    m_club->setCurrentIndex(m_model.clubIndex);
}

void PlayerEditorView::applyFocus()
{
    if (m_model.focus) {
        QLineEdit* e = edit(*m_model.focus);
        e->setFocus();
        e->selectAll();
    }
}

bool PlayerEditorView::leave(PlayerField f)
{
    m_checking = true;
    const bool passed = m_model.fieldLeft(f);
    m_checking = false;
    render();
    applyFocus();
    return passed;
}

bool PlayerEditorView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_checking && !m_model.done) {
        // Leaving for another window (a message box, another program) is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (const FieldView& v : kFieldViews) {
                if (edit(v.field) == watched) {
                    // Checked once the focus has settled, so that a message box never opens in the
                    // middle of the focus change.
                    const PlayerField f = v.field;
                    QTimer::singleShot(0, this, [this, f] {
                        if (!m_checking && !m_model.done) {
                            leave(f);
                        }
                    });
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PlayerEditorView::okClicked()
{
    // Pressing OK leaves the field being typed in: its check comes first, and a message stops OK.
    for (const FieldView& v : kFieldViews) {
        if (edit(v.field)->hasFocus() && checkedOnLeaving(v.field) && !leave(v.field)) {
            return;
        }
    }
    m_model.okClicked();
    render();
    if (m_model.done) {
        accept();
        return;
    }
    applyFocus();
}

void PlayerEditorView::reject()
{
    if (m_model.closeRequested()) {
        QDialog::reject();
    } else {
        render();
    }
}

} // namespace wickly::ui
