#pragma once
// The special fielding events window: the player list and the two option buttons of the
// "Add New Event" frame, Add, the innings' events with Delete, and Close.

#include <QDialog>

class QButtonGroup;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace wickly::masterdata {
class SpecialEventsModel;
}

namespace wickly::ui {

class SpecialEventsView : public QDialog
{
    Q_OBJECT
public:
    SpecialEventsView(masterdata::SpecialEventsModel& model, QWidget* parent = nullptr);

    void render();
    // The close box and Escape close the window like Close.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void act(void (masterdata::SpecialEventsModel::*action)());

    masterdata::SpecialEventsModel& m_model;
    QListWidget* m_players;
    QRadioButton* m_droppedCatch;
    QRadioButton* m_hatTrick;
    QButtonGroup* m_kinds;
    QListWidget* m_events;
    QPushButton* m_delete;
};

} // namespace wickly::ui
