#include "statistics_view.h"

#include "qt_text.h"
#include "statistics_window_model.h"
#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace wickly::ui {

using stats::StatsBox;

namespace {

void showChoice(QComboBox* combo, const stats::EntryChoice& choice)
{
    QStringList texts;
    for (const stats::ListEntry& e : choice.entries) {
        texts << toQ(e.text);
    }
    showEntries(combo, texts, choice.selected);
}

void showStrings(QComboBox* combo, const std::vector<std::string>& entries, int selected)
{
    QStringList texts;
    for (const std::string& t : entries) {
        texts << toQ(t);
    }
    showEntries(combo, texts, selected);
}

std::size_t at(StatsBox b)
{
    return static_cast<std::size_t>(b);
}

} // namespace

StatisticsView::StatisticsView(stats::StatisticsWindowModel& model, QWidget* parent)
    : QDialog(parent), m_model(model),
      m_leaveCheck(
          this,
          [this](StatsBox box) {
              const bool accepted = m_model.boxLeft(box);
              render();
              return accepted;
          },
          [this](StatsBox box) { return m_boxes[at(box)]; }),
      m_reports(new QListWidget(this)), m_subjectClub(makeCombo("subjectClubCombo")),
      m_subjectLabel(new QLabel(this)), m_subject(makeCombo("subjectCombo")),
      m_active(new QRadioButton(tr("Acti&ve"), this)), m_all(new QRadioButton(tr("A&ll"), this)), m_vsLabel(nullptr),
      m_vs(makeCombo("vsCombo")), m_matchType(makeCombo("matchTypeCombo")), m_ground(makeCombo("groundCombo")),
      m_grade(makeCombo("gradeCombo")), m_ratingLabel(nullptr), m_rating(makeCombo("ratingCombo")),
      m_reportLengthLabel(nullptr), m_chartLengthLabel(nullptr),
      m_battingGroup(new QGroupBox(tr("Batting Qualify"), this)), m_byInnings(new QRadioButton(tr("Innings"), this)),
      m_byDismissals(new QRadioButton(tr("Dismissals"), this)),
      m_bowlingGroup(new QGroupBox(tr("Bowling Qualify"), this)), m_oversLabel(nullptr),
      m_allRoundGroup(new QGroupBox(tr("All-Round Qualify"), this)),
      m_history(new QCheckBox(tr("Include &History"), this)),
      m_firstInnings(new QCheckBox(tr("1st &Inn's Only"), this)),
      m_webGroup(new QGroupBox(tr("Include Web Pages"), this)), m_chartGroup(new QGroupBox(tr("Charts"), this)),
      m_chartBatting(new QRadioButton(tr("Batting"), m_chartGroup)),
      m_chartBowling(new QRadioButton(tr("Bowling"), m_chartGroup)), m_progress(new QProgressBar(this))
{
    setObjectName("statisticsView");
    setSizeGripEnabled(true);
    m_reports->setObjectName("reportList");
    for (const std::string& caption : m_model.reports) {
        m_reports->addItem(toQ(caption));
    }
    m_active->setObjectName("activeOption");
    m_all->setObjectName("allOption");
    m_history->setObjectName("includeHistoryBox");
    m_firstInnings->setObjectName("firstInningsBox");
    m_progress->setObjectName("progressBar");
    m_progress->setRange(0, 100);

    QLineEdit* dateFrom = makeBox(StatsBox::DateFrom, "dateFromBox", 10);
    QLineEdit* dateTo = makeBox(StatsBox::DateTo, "dateToBox", 10);
    QLineEdit* reportLength = makeBox(StatsBox::ReportLength, "reportLengthBox", 5);
    QLineEdit* chartLength = makeBox(StatsBox::ChartLength, "chartLengthBox", 5);
    QLineEdit* batInnings = makeBox(StatsBox::BattingMinInnings, "battingInningsBox", 6);
    QLineEdit* batRuns = makeBox(StatsBox::BattingMinRuns, "battingRunsBox", 6);
    QLineEdit* bowlWickets = makeBox(StatsBox::BowlingMinWickets, "bowlingWicketsBox", 6);
    QLineEdit* bowlOvers = makeBox(StatsBox::BowlingMinOvers, "bowlingOversBox", 6);
    QLineEdit* arRuns = makeBox(StatsBox::AllRoundMinRuns, "allRoundRunsBox", 6);
    QLineEdit* arWickets = makeBox(StatsBox::AllRoundMinWickets, "allRoundWicketsBox", 6);

    // The filters.
    auto* filters = new QFormLayout;
    filters->addRow(makeLabel(tr("Clu&b"), m_subjectClub, this), m_subjectClub);
    m_subjectLabel->setBuddy(m_subject);
    filters->addRow(m_subjectLabel, m_subject);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_active);
    listRow->addWidget(m_all);
    listRow->addStretch();
    m_listLabel = new QLabel(tr("List"), this);
    filters->addRow(m_listLabel, listRow);
    m_vsLabel = makeLabel(tr("V&s"), m_vs, this);
    filters->addRow(m_vsLabel, m_vs);
    filters->addRow(makeLabel(tr("Match &Type"), m_matchType, this), m_matchType);
    filters->addRow(makeLabel(tr("&Played at"), m_ground, this), m_ground);
    filters->addRow(makeLabel(tr("G&rade"), m_grade, this), m_grade);
    m_ratingLabel = makeLabel(tr("Player R&ating"), m_rating, this);
    filters->addRow(m_ratingLabel, m_rating);
    auto* dates = new QHBoxLayout;
    dates->addWidget(dateFrom);
    dates->addWidget(new QLabel(tr("to"), this));
    dates->addWidget(dateTo);
    filters->addRow(makeLabel(tr("&Date Range"), dateFrom, this), dates);
    auto* lengths = new QHBoxLayout;
    m_reportLengthLabel = makeLabel(tr("R&eport"), reportLength, this);
    m_chartLengthLabel = makeLabel(tr("C&hart"), chartLength, this);
    lengths->addWidget(m_reportLengthLabel);
    lengths->addWidget(reportLength);
    lengths->addWidget(m_chartLengthLabel);
    lengths->addWidget(chartLength);
    lengths->addStretch();
    filters->addRow(tr("Length"), lengths);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(m_history);
    ticks->addWidget(m_firstInnings);
    ticks->addStretch();
    filters->addRow(ticks);

    // The minimums.
    auto* batting = new QGridLayout(m_battingGroup);
    batting->addWidget(m_byInnings, 0, 0);
    batting->addWidget(m_byDismissals, 0, 1);
    batting->addWidget(makeLabel(tr("Mi&nimum"), batInnings, this), 1, 0);
    batting->addWidget(batInnings, 1, 1);
    batting->addWidget(makeLabel(tr("R&uns"), batRuns, this), 2, 0);
    batting->addWidget(batRuns, 2, 1);
    auto* bowling = new QGridLayout(m_bowlingGroup);
    bowling->addWidget(makeLabel(tr("&Wickets"), bowlWickets, this), 0, 0);
    bowling->addWidget(bowlWickets, 0, 1);
    m_oversLabel = makeLabel(tr("&Ov's"), bowlOvers, this);
    bowling->addWidget(m_oversLabel, 1, 0);
    bowling->addWidget(bowlOvers, 1, 1);
    auto* allRound = new QGridLayout(m_allRoundGroup);
    allRound->addWidget(makeLabel(tr("Runs"), arRuns, this), 0, 0);
    allRound->addWidget(arRuns, 0, 1);
    allRound->addWidget(makeLabel(tr("Wickets"), arWickets, this), 1, 0);
    allRound->addWidget(arWickets, 1, 1);
    auto* minimums = new QHBoxLayout;
    minimums->addWidget(m_battingGroup);
    minimums->addWidget(m_bowlingGroup);
    minimums->addWidget(m_allRoundGroup);

    // The web pages.
    auto* web = new QGridLayout(m_webGroup);
    for (std::size_t i = 0; i < m_webPages.size(); ++i) {
        m_webPages[i] = new QCheckBox(toQ(stats::kWebPageCaptions[i]), m_webGroup);
        m_webPages[i]->setObjectName(QString("webPageBox%1").arg(i));
        web->addWidget(m_webPages[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
        connect(m_webPages[i], &QCheckBox::toggled, this, [this, i](bool on) {
            m_model.webPageTicked(static_cast<int>(i), on);
            render();
        });
    }

    // The charts of the chosen player.
    m_chartGroup->setObjectName("chartFrame");
    m_chartBatting->setObjectName("chartBattingOption");
    m_chartBowling->setObjectName("chartBowlingOption");
    auto* runChart = makeButton(tr("Run Chart"), "runChartButton", m_chartGroup);
    auto* dismissalChart = makeButton(tr("Dis&missal Chart"), "dismissalChartButton", m_chartGroup);
    auto* charts = new QHBoxLayout(m_chartGroup);
    charts->addWidget(m_chartBatting);
    charts->addWidget(m_chartBowling);
    charts->addStretch();
    charts->addWidget(runChart);
    charts->addWidget(dismissalChart);
    connect(m_chartBatting, &QRadioButton::clicked, this, [this] { m_model.chartSideChosen(false); });
    connect(m_chartBowling, &QRadioButton::clicked, this, [this] { m_model.chartSideChosen(true); });
    connect(runChart, &QPushButton::clicked, this, [this] { act(&stats::StatisticsWindowModel::runChartClicked); });
    connect(dismissalChart, &QPushButton::clicked, this,
            [this] { act(&stats::StatisticsWindowModel::dismissalChartClicked); });

    auto* generate = makeButton(tr("&Generate!"), "generateButton", this);
    auto* help = makeButton(tr("Help"), "helpButton", this);
    auto* close = makeButton(tr("&Close"), "closeButton", this);
    generate->setDefault(true);
    help->setShortcut(QKeySequence::HelpContents); // F1: the letters are taken by the fields

    auto* right = new QVBoxLayout;
    right->addLayout(filters);
    right->addLayout(minimums);
    right->addWidget(m_chartGroup);
    right->addWidget(m_webGroup);
    right->addStretch();
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(tr("Re&ports"), m_reports, this));
    left->addWidget(m_reports, 1);
    top->addLayout(left, 1);
    top->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(generate);
    buttons->addWidget(help);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_reports, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_model.reportChosen(row);
            render();
        }
    });
    connect(m_reports, &QListWidget::itemDoubleClicked, this,
            [this] { act(&stats::StatisticsWindowModel::generateClicked); });
    auto comboAction = [this](QComboBox* combo, void (stats::StatisticsWindowModel::*action)(int)) {
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, action](int index) {
            (m_model.*action)(index);
            render();
        });
    };
    using M = stats::StatisticsWindowModel;
    comboAction(m_subjectClub, &M::subjectClubChosen);
    comboAction(m_subject, &M::subjectChosen);
    comboAction(m_vs, &M::vsClubChosen);
    comboAction(m_matchType, &M::matchTypeChosen);
    comboAction(m_ground, &M::groundChosen);
    comboAction(m_grade, &M::gradeChosen);
    comboAction(m_rating, &M::ratingChosen);
    connect(m_active, &QRadioButton::clicked, this, [this] {
        m_model.listOptionChosen(true);
        render();
    });
    connect(m_all, &QRadioButton::clicked, this, [this] {
        m_model.listOptionChosen(false);
        render();
    });
    connect(m_byInnings, &QRadioButton::clicked, this, [this] { m_model.byInningsChosen(true); });
    connect(m_byDismissals, &QRadioButton::clicked, this, [this] { m_model.byInningsChosen(false); });
    connect(m_history, &QCheckBox::toggled, this, [this](bool on) { m_model.includeHistoryTicked(on); });
    connect(m_firstInnings, &QCheckBox::toggled, this, [this](bool on) { m_model.firstInningsTicked(on); });
    connect(generate, &QPushButton::clicked, this, [this] { act(&stats::StatisticsWindowModel::generateClicked); });
    connect(help, &QPushButton::clicked, this, [this] { m_model.helpClicked(); });
    connect(close, &QPushButton::clicked, this, [this] { act(&stats::StatisticsWindowModel::closeClicked); });

    // The progress bar follows the report as it is produced.
    m_model.onProgress = [this](int percent) {
        m_progress->setValue(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    QWidget* order[] = {m_reports,    m_subjectClub, m_subject,   m_active,       m_all,       m_vs,
                        m_matchType,  m_ground,      m_grade,     m_rating,       dateFrom,    dateTo,
                        reportLength, chartLength,   m_history,   m_firstInnings, m_byInnings, m_byDismissals,
                        batInnings,   batRuns,       bowlWickets, bowlOvers,      arRuns,      arWickets};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    QWidget* previous = order[std::size(order) - 1];
    for (QCheckBox* box : m_webPages) {
        setTabOrder(previous, box);
        previous = box;
    }
    for (QWidget* w : {static_cast<QWidget*>(m_chartBatting), static_cast<QWidget*>(m_chartBowling),
                       static_cast<QWidget*>(runChart), static_cast<QWidget*>(dismissalChart)}) {
        setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, generate);
    setTabOrder(generate, help);
    setTabOrder(help, close);

    resize(900, 640);
    render();
    m_reports->setFocus();
}

StatisticsView::~StatisticsView()
{
    m_model.onProgress = nullptr;
}

QComboBox* StatisticsView::makeCombo(const char* name)
{
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    return c;
}

QLineEdit* StatisticsView::makeBox(StatsBox box, const char* name, int maxLength)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->installEventFilter(this);
    m_boxes[at(box)] = e;
    connect(e, &QLineEdit::textEdited, this, [this, box](const QString& text) { m_model.boxEdited(box, fromQ(text)); });
    return e;
}

void StatisticsView::render()
{
    setWindowTitle(toQ(m_model.caption));
    {
        const QSignalBlocker block(m_reports);
        m_reports->setCurrentRow(m_model.selectedReport);
    }
    showChoice(m_subjectClub, m_model.subjectClubs);
    m_subjectLabel->setText(toQ(m_model.subjectCaption));
    showChoice(m_subject, m_model.subjects);
    m_subject->setEnabled(m_model.subjectEnabled);
    m_subjectLabel->setEnabled(m_model.subjectEnabled);
    m_active->setChecked(m_model.listActive);
    m_all->setChecked(!m_model.listActive);
    m_active->setVisible(m_model.listOptionsVisible);
    m_all->setVisible(m_model.listOptionsVisible);
    m_listLabel->setVisible(m_model.listOptionsVisible);
    showChoice(m_vs, m_model.vsClubs);
    m_vs->setVisible(m_model.vsVisible);
    m_vsLabel->setVisible(m_model.vsVisible);
    showStrings(m_matchType, m_model.matchTypes, m_model.selectedMatchType);
    showChoice(m_ground, m_model.grounds);
    showChoice(m_grade, m_model.grades);
    showStrings(m_rating, m_model.ratings, m_model.selectedRating);
    m_rating->setVisible(m_model.ratingVisible);
    m_ratingLabel->setVisible(m_model.ratingVisible);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        showText(m_boxes[i], m_model.boxes[i]);
    }
    m_boxes[at(StatsBox::ReportLength)]->setVisible(m_model.reportLengthVisible);
    m_reportLengthLabel->setVisible(m_model.reportLengthVisible);
    m_boxes[at(StatsBox::ChartLength)]->setVisible(m_model.chartLengthVisible);
    m_chartLengthLabel->setVisible(m_model.chartLengthVisible);
    m_battingGroup->setVisible(m_model.battingQualifyVisible);
    m_byInnings->setChecked(m_model.battingByInnings);
    m_byDismissals->setChecked(!m_model.battingByInnings);
    m_byInnings->setVisible(m_model.byInningsVisible);
    m_byDismissals->setVisible(m_model.byInningsVisible);
    m_bowlingGroup->setVisible(m_model.bowlingQualifyVisible);
    m_boxes[at(StatsBox::BowlingMinOvers)]->setVisible(m_model.bowlingOversVisible);
    m_oversLabel->setVisible(m_model.bowlingOversVisible);
    m_allRoundGroup->setVisible(m_model.allRoundQualifyVisible);
    {
        const QSignalBlocker b1(m_history), b2(m_firstInnings);
        m_history->setChecked(m_model.includeHistory);
        m_firstInnings->setChecked(m_model.firstInningsOnly);
    }
    m_history->setVisible(m_model.includeHistoryVisible);
    m_firstInnings->setVisible(m_model.firstInningsVisible);
    m_webGroup->setVisible(m_model.webFrameVisible);
    m_chartGroup->setVisible(m_model.chartFrameVisible);
    m_chartBatting->setChecked(!m_model.chartBowling);
    m_chartBowling->setChecked(m_model.chartBowling);
    for (std::size_t i = 0; i < m_webPages.size(); ++i) {
        const QSignalBlocker block(m_webPages[i]);
        m_webPages[i]->setChecked(m_model.webPages[i]);
        m_webPages[i]->setEnabled(m_model.webPageEnabled[i]);
        m_webPages[i]->setVisible(m_model.webPageVisible[i]);
    }
    m_progress->setValue(m_model.progress);
}

bool StatisticsView::eventFilter(QObject* watched, QEvent* event)
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (watched == m_boxes[i]) {
            m_leaveCheck.focusEvent(static_cast<StatsBox>(i), event);
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StatisticsView::act(void (stats::StatisticsWindowModel::*action)())
{
    if (!m_leaveCheck.commit()) {
        return;
    }
    (m_model.*action)();
    if (m_model.closed) {
        accept();
    } else {
        render();
    }
}

void StatisticsView::reject()
{
    m_model.closeRequested();
    QDialog::reject();
}

} // namespace wickly::ui
