#pragma once
// The match list: a five-column table of the live matches, sorted by the column whose heading
// was clicked last, with View, NEW, Delete, Del All and Close.

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace wickly::matches {
class MatchListModel;
}

namespace wickly::ui {

class MatchListView : public QDialog
{
    Q_OBJECT
public:
    MatchListView(matches::MatchListModel& model, QWidget* parent = nullptr);

    void render();

public slots:
    // Escape and the close box close the list like "Close".
    void reject() override;

private:
    // Runs an action, then closes the window when the model has closed or shows its new state.
    void act(void (matches::MatchListModel::*action)());

    matches::MatchListModel& m_model;
    QTreeWidget* m_table;
};

} // namespace wickly::ui
