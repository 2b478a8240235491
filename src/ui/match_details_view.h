#pragma once
// The match details window ("Match Form"): the match's type, date, ground, grade, officials and
// scoring numbers, a group per batting team (team, captain, keeper, toss, bonus points and the
// innings buttons with their summaries), the follow-on, the result with its margin, and OK,
// Cancel, Help, Summary and Report.

#include "leave_check.h"
#include "match_form.h"

#include <QDialog>

#include <array>
#include <functional>
#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wickly::matches {
class MatchDetailsModel;
}

namespace wickly::ui {

class MatchDetailsView : public QDialog
{
    Q_OBJECT
public:
    MatchDetailsView(matches::MatchDetailsModel& model, QWidget* parent = nullptr);

    void render();

public slots:
    // Cancel, Escape and the close box: closes unless the user keeps unsaved changes.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TeamWidgets
    {
        QComboBox* team = nullptr;
        QLabel* captainLabel = nullptr;
        QComboBox* captain = nullptr;
        QLabel* keeperLabel = nullptr;
        QComboBox* keeper = nullptr;
        QRadioButton* wonToss = nullptr;
        QLineEdit* bonus = nullptr;
        std::array<QPushButton*, 2> innings{};
        std::array<QLabel*, 2> summary{};
    };

    QLineEdit* addField(matches::FormField field, int maxLength, const char* name);
    QWidget* buildTeamGroup(int group);
    // Runs a button's action after the pending field check, then closes or shows the new state.
    void act(const std::function<void()>& action);
    void closeIfDone();

    matches::MatchDetailsModel& m_model;
    std::map<matches::FormField, QLineEdit*> m_fields;
    // The checks of the fields that are checked when left; buttons commit it before they act.
    LeaveCheck<matches::FormField> m_leaveCheck;
    QComboBox* m_matchType;
    QComboBox* m_ground;
    QComboBox* m_grade;
    QComboBox* m_manOfMatch;
    QCheckBox* m_extras;
    std::array<TeamWidgets, 2> m_teams;
    QCheckBox* m_followOn;
    QComboBox* m_result;
    QLabel* m_margin;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_help;
};

} // namespace wickly::ui
