#pragma once
// The statistics window: the report catalogue, the filters, minimums and lengths, the
// "Include Web Pages" boxes, the "Charts" frame, a progress bar, and Generate!, Help and Close.

#include "leave_check.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace wickly::stats {
class StatisticsWindowModel;
struct EntryChoice;
enum class StatsBox;
} // namespace wickly::stats

namespace wickly::ui {

class StatisticsView : public QDialog
{
    Q_OBJECT
public:
    StatisticsView(stats::StatisticsWindowModel& model, QWidget* parent = nullptr);
    ~StatisticsView() override;

    void render();

public slots:
    // Escape and the close box close the window without storing the options (only Close does).
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* makeCombo(const char* name);
    QLineEdit* makeBox(stats::StatsBox box, const char* name, int maxLength);
    void act(void (stats::StatisticsWindowModel::*action)());

    stats::StatisticsWindowModel& m_model;
    // The checks of the boxes that are checked when left; buttons commit it before they act.
    LeaveCheck<stats::StatsBox> m_leaveCheck;
    QListWidget* m_reports;
    QComboBox* m_subjectClub;
    QLabel* m_subjectLabel;
    QComboBox* m_subject;
    QRadioButton* m_active;
    QRadioButton* m_all;
    QLabel* m_listLabel = nullptr;
    QLabel* m_vsLabel;
    QComboBox* m_vs;
    QComboBox* m_matchType;
    QComboBox* m_ground;
    QComboBox* m_grade;
    QLabel* m_ratingLabel;
    QComboBox* m_rating;
    std::array<QLineEdit*, 10> m_boxes{};
    QLabel* m_reportLengthLabel;
    QLabel* m_chartLengthLabel;
    QGroupBox* m_battingGroup;
    QRadioButton* m_byInnings;
    QRadioButton* m_byDismissals;
    QGroupBox* m_bowlingGroup;
    QLabel* m_oversLabel;
    QGroupBox* m_allRoundGroup;
    QCheckBox* m_history;
    QCheckBox* m_firstInnings;
    QGroupBox* m_webGroup;
    QGroupBox* m_chartGroup;
    QRadioButton* m_chartBatting;
    QRadioButton* m_chartBowling;
    std::array<QCheckBox*, 16> m_webPages{};
    QProgressBar* m_progress;
};

} // namespace wickly::ui
