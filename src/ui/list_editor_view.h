#pragma once
// The views of the list editor for clubs, grades, grounds and teams, and of its name and team
// dialogs. They draw their models and forward every action to them.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace wickly::masterdata {
class ListEditorModel;
class NameDialogModel;
class TeamDialogModel;
} // namespace wickly::masterdata

namespace wickly::ui {

class ListEditorDialog : public QDialog
{
    Q_OBJECT
public:
    ListEditorDialog(masterdata::ListEditorModel& model, QWidget* parent = nullptr);

    // The close box and Escape: the model decides whether unsaved lines may be dropped.
    void reject() override;

private:
    void render();

    masterdata::ListEditorModel& m_model;
    QLabel* m_heading;
    QListWidget* m_lines;
    QPushButton* m_edit;
    QPushButton* m_delete;
};

class NameDialog : public QDialog
{
    Q_OBJECT
public:
    NameDialog(masterdata::NameDialogModel& model, QWidget* parent = nullptr);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pullFields();
    void focusRequested();

    masterdata::NameDialogModel& m_model;
    QLineEdit* m_name;
    QLineEdit* m_abbreviation;
    QLineEdit* m_logoUrl;
    QLineEdit* m_clubUrl;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

class TeamDialog : public QDialog
{
    Q_OBJECT
public:
    TeamDialog(masterdata::TeamDialogModel& model, QWidget* parent = nullptr);

    void reject() override;

private:
    masterdata::TeamDialogModel& m_model;
    QLineEdit* m_name;
    QListWidget* m_clubs;
};

} // namespace wickly::ui
