#pragma once
// The scorecard window ("Scorecard"): the pages "Batting" (the batting table and its row editor),
// "Fall of Wicket" and "Bowling", and below them the status, the innings overs, the extras, the
// total, OK and Cancel. Built for typing a whole innings from the keyboard: Tab past the last
// field of the row editor goes on to the next batting row, and Up and Down move between the
// bowling rows.

#include <QDialog>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace wickly::exchange {
class ScorecardImportModel;
enum class ScorecardImportMode;
} // namespace wickly::exchange

namespace wickly::matches {
class ScorecardModel;
struct Entry;
struct EntryList;
enum class EditorField;
enum class ScorecardPage;
} // namespace wickly::matches

namespace wickly::ui {

class ScorecardImportView;

class ScorecardView : public QDialog
{
    Q_OBJECT
public:
    ScorecardView(matches::ScorecardModel& model, QWidget* parent = nullptr);
    ~ScorecardView() override;

    void render();

public slots:
    // Cancel, Escape and the close box: closes unless the user keeps unsaved changes.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BowlingWidgets
    {
        QComboBox* bowler = nullptr;
        std::array<QLineEdit*, 4> fields{}; // Ov, Ma, Runs, Wkts
    };
    struct FallOfWicketWidgets
    {
        QLabel* label = nullptr;
        QComboBox* batsman = nullptr;
        QLabel* scoreLabel = nullptr;
        QLineEdit* score = nullptr;
    };

    QWidget* buildBattingPage();
    QWidget* buildFallOfWicketPage();
    QWidget* buildBowlingPage();
    QWidget* buildTotals();
    // Shows a list's entries and its chosen entry.
    void showList(QComboBox* combo, const matches::EntryList& list);
    QWidget* editorWidget(matches::EditorField field) const;
    // Tab in the last field of the row editor: the next row, when there is one.
    bool tabbedPastRowEditor(QObject* watched);
    // The Up and Down arrows in a bowling figure field.
    bool movedBetweenBowlingRows(QObject* watched, int key);
    // Runs the check of a "Wkts" field that was typed into and has been left; false when it
    // refused the number (the focus goes back to it).
    bool commitWickets();
    void focusEditor();
    // "Import" on the batting or the bowling page: the scorecard text import beside this window.
    void openImport(exchange::ScorecardImportMode mode);
    void pageChanged(int index);
    matches::ScorecardPage pageAt(int index) const;
    void closeIfDone();

    matches::ScorecardModel& m_model;
    std::unique_ptr<exchange::ScorecardImportModel> m_importModel; // made on the first "Import"
    ScorecardImportView* m_importView = nullptr;
    bool m_rendering = false;
    std::map<QComboBox*, std::vector<matches::Entry>> m_shownEntries; // what each list shows
    std::optional<int> m_pendingWickets;                              // the bowling row whose "Wkts" was typed into

    QTabWidget* m_pages = nullptr;
    QWidget* m_battingPage = nullptr;
    QWidget* m_fallOfWicketPage = nullptr;
    QWidget* m_bowlingPage = nullptr;

    QTableWidget* m_table = nullptr;
    QComboBox* m_batsman = nullptr;
    QComboBox* m_howOut = nullptr;
    QLabel* m_fieldsmanLabel = nullptr;
    QComboBox* m_fieldsman = nullptr;
    QLabel* m_bowlerLabel = nullptr;
    QComboBox* m_bowler = nullptr;
    std::array<QLineEdit*, 4> m_numbers{}; // R, B, 4's, 6's
    QRadioButton* m_active = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_global = nullptr;

    std::array<FallOfWicketWidgets, 14> m_fallOfWickets{}; // by entry 1..13
    std::array<BowlingWidgets, 15> m_bowling{};            // by row 1..14
    QLabel* m_bowlersOvers = nullptr;

    QComboBox* m_status = nullptr;
    QLineEdit* m_overs = nullptr;
    QGroupBox* m_extrasGroup = nullptr;
    std::array<QLineEdit*, 4> m_extras{}; // Byes, LB, Wides, NB
    QLabel* m_total = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace wickly::ui
