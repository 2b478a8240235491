#pragma once
// The player editor window: the player's details on the left, the historical figures in the
// "Historical Data" frame on the right, OK, Cancel and Help below.

#include "player_editor_model.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace wickly::ui {

class PlayerEditorView : public QDialog
{
    Q_OBJECT
public:
    PlayerEditorView(masterdata::PlayerEditorModel& model, QWidget* parent = nullptr);

    void render();
    // Cancel, Escape and the close box all go through the editor's closing check.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit(masterdata::PlayerField f) const { return m_edits[static_cast<std::size_t>(f)]; }
    // Runs the check of a field being left; false when the user was stopped by a message.
    bool leave(masterdata::PlayerField f);
    void okClicked();
    void applyFocus();

    masterdata::PlayerEditorModel& m_model;
    std::array<QLineEdit*, masterdata::kPlayerFieldCount> m_edits{};
    QCheckBox* m_active;
    QCheckBox* m_notOut;
    QComboBox* m_club;
    bool m_checking = false;
};

} // namespace wickly::ui
