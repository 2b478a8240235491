#include "match_details_view.h"

#include "match_details_model.h"
#include "qt_text.h"
#include "widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace wickly::ui {

using matches::FormField;

namespace {

QComboBox* makeCombo(const char* name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(16);
    return c;
}

void showList(QComboBox* combo, const matches::EntryList& list)
{
    QStringList texts;
    for (const matches::Entry& e : list.entries) {
        texts << toQ(e.text).trimmed();
    }
    showEntries(combo, texts, list.selected);
}

void showTexts(QComboBox* combo, const std::vector<std::string>& entries, int selected)
{
    QStringList texts;
    for (const std::string& e : entries) {
        texts << toQ(e).trimmed();
    }
    showEntries(combo, texts, selected);
}

} // namespace

MatchDetailsView::MatchDetailsView(matches::MatchDetailsModel& model, QWidget* parent)
    : QDialog(parent), m_model(model),
      m_leaveCheck(
          this,
          [this](FormField field) {
              const bool accepted = m_model.fieldLeft(field);
              render();
              return accepted;
          },
          [this](FormField field) { return m_fields[field]; }),
      m_matchType(makeCombo("matchTypeCombo", this)),
      m_ground(makeCombo("groundCombo", this)), m_grade(makeCombo("gradeCombo", this)),
      m_manOfMatch(makeCombo("manOfMatchCombo", this)),
      m_extras(new QCheckBox(tr("E&xtras count against bowlers"), this)),
      m_followOn(new QCheckBox(tr("&Follow-On Enforced"), this)), m_result(makeCombo("resultCombo", this)),
      m_margin(new QLabel(this)), m_ok(makeButton(tr("OK"), "okButton", this)),
      m_cancel(makeButton(tr("Cancel"), "cancelButton", this)), m_help(makeButton(tr("&Help"), "helpButton", this))
{
    setObjectName("matchDetailsView");
    m_extras->setObjectName("extrasCheck");
    m_followOn->setObjectName("followOnCheck");
    m_margin->setObjectName("marginLabel");
    m_margin->setTextFormat(Qt::PlainText);
    m_ok->setDefault(true); // Enter confirms the match

    for (const char* type : matches::MatchForm::kMatchTypes) {
        m_matchType->addItem(toQ(type));
    }
    QLineEdit* date = addField(FormField::Date, static_cast<int>(matches::MatchForm::kDateLength), "dateEdit");
    date->setPlaceholderText("dd/mm/yyyy");
    QLineEdit* round = addField(FormField::Round, static_cast<int>(matches::MatchForm::kRoundLength), "roundEdit");
    QLineEdit* umpires =
        addField(FormField::Umpires, static_cast<int>(matches::MatchForm::kUmpiresLength), "umpiresEdit");
    QLineEdit* comment =
        addField(FormField::Comment, static_cast<int>(matches::MatchForm::kCommentLength), "commentEdit");
    QLineEdit* ballsPerOver = addField(FormField::BallsPerOver, 5, "ballsPerOverEdit");
    QLineEdit* runsPerWide = addField(FormField::RunsPerWide, 5, "runsPerWideEdit");
    QLineEdit* runsPerNoBall = addField(FormField::RunsPerNoBall, 5, "runsPerNoBallEdit");

    // ---- The match
    auto* details = new QGridLayout;
    details->addWidget(makeLabel(tr("Match T&ype"), m_matchType, this), 0, 0);
    details->addWidget(m_matchType, 0, 1);
    details->addWidget(makeLabel(tr("&Date Played"), date, this), 0, 2);
    details->addWidget(date, 0, 3);
    details->addWidget(makeLabel(tr("Played &at"), m_ground, this), 1, 0);
    details->addWidget(m_ground, 1, 1);
    details->addWidget(makeLabel(tr("&Grade"), m_grade, this), 1, 2);
    details->addWidget(m_grade, 1, 3);
    details->addWidget(makeLabel(tr("&Round"), round, this), 2, 0);
    details->addWidget(round, 2, 1);
    details->addWidget(makeLabel(tr("&Umpires"), umpires, this), 2, 2);
    details->addWidget(umpires, 2, 3);
    details->addWidget(makeLabel(tr("&Man/Match"), m_manOfMatch, this), 3, 0);
    details->addWidget(m_manOfMatch, 3, 1);
    details->addWidget(makeLabel(tr("C&omment"), comment, this), 3, 2);
    details->addWidget(comment, 3, 3);
    details->setColumnStretch(1, 1);
    details->setColumnStretch(3, 1);

    auto* scoring = new QHBoxLayout;
    scoring->addWidget(makeLabel(tr("&Balls Per Over"), ballsPerOver, this));
    scoring->addWidget(ballsPerOver);
    scoring->addWidget(makeLabel(tr("Runs per &Wide"), runsPerWide, this));
    scoring->addWidget(runsPerWide);
    scoring->addWidget(makeLabel(tr("Runs per &No Ball"), runsPerNoBall, this));
    scoring->addWidget(runsPerNoBall);
    scoring->addWidget(m_extras);
    scoring->addStretch();
    for (QLineEdit* e : {ballsPerOver, runsPerWide, runsPerNoBall}) {
        e->setMaximumWidth(QFontMetrics(e->font()).horizontalAdvance(QString(6, '0')));
    }

    // ---- The two batting teams; "Won Toss" is marked for one of them at most.
    auto* teams = new QHBoxLayout;
    teams->addWidget(buildTeamGroup(0));
    teams->addWidget(buildTeamGroup(1));

    auto* result = new QHBoxLayout;
    result->addWidget(makeLabel(tr("Match Resu&lt"), m_result, this));
    result->addWidget(m_result, 1);
    result->addWidget(m_margin, 1);

    auto* summary = makeButton(tr("&Summary"), "summaryButton", this);
    auto* report = makeButton(tr("Re&port"), "reportButton", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary);
    buttons->addWidget(report);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(details);
    layout->addLayout(scoring);
    layout->addLayout(teams);
    layout->addLayout(result);
    layout->addLayout(buttons);

    // ---- Actions
    connect(m_matchType, &QComboBox::activated, this, [this](int i) {
        m_model.matchTypeChosen(i);
        render();
    });
    connect(m_ground, &QComboBox::activated, this, [this](int i) { m_model.groundChosen(i); });
    connect(m_grade, &QComboBox::activated, this, [this](int i) { m_model.gradeChosen(i); });
    connect(m_manOfMatch, &QComboBox::activated, this, [this](int i) { m_model.manOfMatchChosen(i); });
    connect(m_result, &QComboBox::activated, this, [this](int i) {
        m_model.resultChosen(i);
        render();
    });
    connect(m_extras, &QCheckBox::clicked, this, [this](bool on) {
        m_model.extrasAgainstBowlersToggled(on);
        render();
    });
    connect(m_followOn, &QCheckBox::clicked, this, [this](bool on) {
        m_model.followOnToggled(on);
        render();
    });
    connect(m_ok, &QPushButton::clicked, this, [this] { act([this] { m_model.okClicked(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &MatchDetailsView::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    connect(summary, &QPushButton::clicked, this, [this] { act([this] { m_model.summaryClicked(); }); });
    connect(report, &QPushButton::clicked, this, [this] { act([this] { m_model.reportClicked(); }); });

    // Keyboard order: the match, the scoring, each team's group, the result, the buttons.
    // clang-format off
    const std::vector<QWidget*> order = {
        m_matchType, date, m_ground, m_grade, round, umpires, m_manOfMatch, comment, ballsPerOver, runsPerWide,
        runsPerNoBall, m_extras, m_teams[0].team, m_teams[0].captain, m_teams[0].keeper, m_teams[0].wonToss,
        m_fields[FormField::Bonus1], m_teams[0].innings[0], m_teams[0].innings[1], m_teams[1].team,
        m_teams[1].captain, m_teams[1].keeper, m_teams[1].wonToss, m_fields[FormField::Bonus2], m_followOn,
        m_teams[1].innings[0], m_teams[1].innings[1], m_result, m_ok, m_cancel, m_help, summary, report};
    // clang-format on
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }

    render();
    m_matchType->setFocus();
}

QLineEdit* MatchDetailsView::addField(FormField field, int maxLength, const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    m_fields[field] = edit;
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_model.fieldEdited(field, fromQ(text));
        switch (field) {
        case FormField::Date:
        case FormField::BallsPerOver:
        case FormField::RunsPerWide:
        case FormField::RunsPerNoBall:
        case FormField::Bonus1:
        case FormField::Bonus2: m_leaveCheck.edited(field); break;
        default: break;
        }
    });
    edit->installEventFilter(this);
    return edit;
}

QWidget* MatchDetailsView::buildTeamGroup(int group)
{
    const bool first = group == 0;
    auto* box = new QGroupBox(first ? tr("1st Batting Team") : tr("2nd Batting Team"), this);
    box->setObjectName(first ? "team1Group" : "team2Group");
    TeamWidgets& w = m_teams[static_cast<std::size_t>(group)];
    w.team = makeCombo(first ? "team1Combo" : "team2Combo", box);
    w.captain = makeCombo(first ? "captain1Combo" : "captain2Combo", box);
    w.keeper = makeCombo(first ? "keeper1Combo" : "keeper2Combo", box);
    w.captainLabel = makeLabel(first ? tr("&Captain") : tr("Capta&in"), w.captain, box);
    // Every letter of the second "Keeper" already opens another control: it is reached with Tab.
    w.keeperLabel = makeLabel(first ? tr("&Keeper") : tr("Keeper"), w.keeper, box);
    w.wonToss = new QRadioButton(tr("Won Toss"), box);
    w.wonToss->setObjectName(first ? "wonToss1Option" : "wonToss2Option");
    // The two options sit in different groups; the model keeps at most one marked.
    w.wonToss->setAutoExclusive(false);
    w.bonus = addField(first ? FormField::Bonus1 : FormField::Bonus2, 10, first ? "bonus1Edit" : "bonus2Edit");
    const int slot = first ? 1 : 3;
    for (int i = 0; i < 2; ++i) {
        const int s = slot + i;
        w.innings[static_cast<std::size_t>(i)] = makeButton(i == 0 ? tr("Innings 1") : tr("Innings 2"), "", box);
        w.innings[static_cast<std::size_t>(i)]->setObjectName(QString("innings%1Button").arg(s));
        w.summary[static_cast<std::size_t>(i)] = new QLabel(box);
        w.summary[static_cast<std::size_t>(i)]->setObjectName(QString("summary%1Label").arg(s));
        w.summary[static_cast<std::size_t>(i)]->setTextFormat(Qt::PlainText);
        w.summary[static_cast<std::size_t>(i)]->setMinimumWidth(120);
        connect(w.innings[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, s] { act([this, s] { m_model.inningsClicked(s); }); });
    }

    connect(w.team, &QComboBox::activated, this, [this, group](int i) {
        m_model.teamChosen(group, i);
        render();
    });
    connect(w.captain, &QComboBox::activated, this, [this, group](int i) { m_model.captainChosen(group, i); });
    connect(w.keeper, &QComboBox::activated, this, [this, group](int i) { m_model.keeperChosen(group, i); });
    connect(w.wonToss, &QRadioButton::clicked, this, [this, group] {
        m_model.tossChosen(group);
        render();
    });

    auto* grid = new QGridLayout(box);
    grid->addWidget(makeLabel(first ? tr("T&eam") : tr("&Team"), w.team, box), 0, 0);
    grid->addWidget(w.team, 0, 1, 1, 2);
    grid->addWidget(w.captainLabel, 1, 0);
    grid->addWidget(w.captain, 1, 1, 1, 2);
    grid->addWidget(w.keeperLabel, 2, 0);
    grid->addWidget(w.keeper, 2, 1, 1, 2);
    grid->addWidget(w.wonToss, 3, 1);
    grid->addWidget(makeLabel(tr("Bonus Comp. Points"), w.bonus, box), 4, 0);
    grid->addWidget(w.bonus, 4, 1);
    // Both groups have the same rows, so that their controls line up side by side: the first
    // keeps the follow-on row empty, at the height of the check box the second shows there.
    const int followOnRow = 5;
    if (first) {
        // An empty row would get no spacing in the grid: an empty widget holds its place.
        auto* placeholder = new QWidget(box);
        placeholder->setFixedHeight(m_followOn->sizeHint().height());
        grid->addWidget(placeholder, followOnRow, 1, 1, 2);
    } else {
        m_followOn->setParent(box);
        grid->addWidget(m_followOn, followOnRow, 1, 1, 2);
    }
    int row = followOnRow + 1;
    for (int i = 0; i < 2; ++i) {
        QLabel* summary = w.summary[static_cast<std::size_t>(i)];
        grid->addWidget(w.innings[static_cast<std::size_t>(i)], row, 0);
        grid->addWidget(summary, row, 1, 1, 2);
        // Room for the two lines of a summary (score, overs) on every row, so the rows keep one height.
        summary->setMinimumHeight(2 * summary->fontMetrics().lineSpacing());
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    // The labels' column has one width in both groups.
    grid->setColumnMinimumWidth(0, QFontMetrics(box->font()).horizontalAdvance(tr("Bonus Comp. Points")) + 12);
    return box;
}

void MatchDetailsView::render()
{
    setWindowTitle(toQ(m_model.caption));
    {
        const QSignalBlocker block(m_matchType);
        m_matchType->setCurrentIndex(m_model.matchType);
    }
    showList(m_ground, m_model.grounds);
    showList(m_grade, m_model.grades);
    showList(m_manOfMatch, m_model.manOfMatch);
    for (const auto& [field, edit] : m_fields) {
        showText(edit, m_model.fieldText(field));
    }
    m_extras->setChecked(m_model.extrasAgainstBowlers);
    for (std::size_t g = 0; g < 2; ++g) {
        const matches::TeamGroup& group = m_model.teams[g];
        TeamWidgets& w = m_teams[g];
        showList(w.team, group.team);
        showList(w.captain, group.captain);
        showList(w.keeper, group.keeper);
        for (QWidget* widget : {static_cast<QWidget*>(w.captainLabel), static_cast<QWidget*>(w.captain),
                                static_cast<QWidget*>(w.keeperLabel), static_cast<QWidget*>(w.keeper)}) {
            widget->setVisible(group.playersVisible);
        }
        w.wonToss->setChecked(group.wonToss);
        w.innings[1]->setEnabled(m_model.innings2Enabled);
        for (std::size_t i = 0; i < 2; ++i) {
            w.summary[i]->setText(toQ(m_model.summaryLines[g * 2 + i + 1]));
        }
    }
    m_followOn->setChecked(m_model.followOnEnforced);
    m_followOn->setEnabled(m_model.followOnEnabled);
    showTexts(m_result, m_model.results, m_model.result);
    m_result->setEnabled(m_model.resultsEnabled);
    m_margin->setText(toQ(m_model.margin));
}

// ---- Field checks -------------------------------------------------------------------------------

bool MatchDetailsView::eventFilter(QObject* watched, QEvent* event)
{
    for (const auto& [field, edit] : m_fields) {
        if (watched == edit) {
            if (field != FormField::Round && field != FormField::Umpires && field != FormField::Comment) {
                m_leaveCheck.focusEvent(field, event);
            }
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Buttons and closing ------------------------------------------------------------------------

void MatchDetailsView::act(const std::function<void()>& action)
{
    if (!m_leaveCheck.commit()) {
        return;
    }
    action();
    closeIfDone();
}

void MatchDetailsView::closeIfDone()
{
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void MatchDetailsView::reject()
{
    if (m_model.closeRequested()) {
        QDialog::reject();
    } else {
        render();
    }
}

} // namespace wickly::ui
