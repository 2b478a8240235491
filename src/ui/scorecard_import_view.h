#pragma once
// The scorecard import window: the lines of a loaded text file, several of them selected, with
// Load, Import, Cancel and Help. It stays open beside the scorecard window; after "Import" it
// hides and emits imported(), and the scorecard window takes the model's rows.

#include <QDialog>

class QLabel;
class QListWidget;

namespace wickly::exchange {
class ScorecardImportModel;
}

namespace wickly::ui {

class ScorecardImportView : public QDialog
{
    Q_OBJECT
public:
    ScorecardImportView(exchange::ScorecardImportModel& model, QWidget* parent = nullptr);

    // Shows the model's state, and shows or hides the window as the model says.
    void render();
    // Escape and the close box hide the window like Cancel; its lines stay.
    void reject() override;

signals:
    // "Import" read the selected lines into the model's rows.
    void imported();

private:
    exchange::ScorecardImportModel& m_model;
    QLabel* m_label;
    QListWidget* m_lines;
};

} // namespace wickly::ui
