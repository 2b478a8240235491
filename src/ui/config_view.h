#pragma once
// The configuration dialog ("Setup"): three tabbed pages that show a ConfigModel and forward the
// user's edits and clicks to it.

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

namespace wickly::config {
class ConfigModel;
}

namespace wickly::ui {

class ConfigDialog : public QDialog
{
    Q_OBJECT
public:
    ConfigDialog(config::ConfigModel& model, QWidget* parent = nullptr);

    // Shows the model's state; also redraws the colour swatches and the preview.
    void render();

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildUserPage();
    QWidget* buildPointsPage();
    QWidget* buildHtmlPage();
    QLineEdit* lineEdit(const char* name, int maxLength, std::string* value);
    void okClicked();
    void focusRefusedField();

    config::ConfigModel& m_model;
    QTabWidget* m_tabs = nullptr;
    // Page "User and Database"
    QLineEdit* m_title = nullptr;
    QComboBox* m_allowPlayers = nullptr;
    QComboBox* m_batsmen = nullptr;
    QComboBox* m_bowlers = nullptr;
    QLineEdit* m_noBall = nullptr;
    QLineEdit* m_wide = nullptr;
    QLineEdit* m_ballsPerOver = nullptr;
    QRadioButton* m_seasonOneYear = nullptr;
    QRadioButton* m_seasonTwoYears = nullptr;
    QRadioButton* m_runsFirst = nullptr;
    QRadioButton* m_wicketsFirst = nullptr;
    QCheckBox* m_ballsFaced = nullptr;
    QCheckBox* m_foursSixes = nullptr;
    QCheckBox* m_showTips = nullptr;
    // Page "Points"
    std::array<QLineEdit*, 12> m_competition{};
    std::array<QLineEdit*, 7> m_individual{};
    // Page "HTML"
    QLineEdit* m_filePrefix = nullptr;
    QLineEdit* m_authorName = nullptr;
    QLineEdit* m_authorEmail = nullptr;
    QLineEdit* m_homeUrl = nullptr;
    QPlainTextEdit* m_copyright = nullptr;
    QLineEdit* m_headerFile = nullptr;
    QPushButton* m_editHeader = nullptr;
    QLineEdit* m_backgroundUrl = nullptr;
    std::array<QLabel*, 4> m_swatches{};
    QRadioButton* m_chartLarge = nullptr;
    QRadioButton* m_chartSmall = nullptr;
    QFrame* m_preview = nullptr;
    std::vector<QLabel*> m_previewLabels;
    // Buttons
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace wickly::ui
