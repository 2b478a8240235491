#pragma once
// The match export window: the live matches in a list where several can be selected, with
// Export, Email, Close and Help.

#include <QDialog>

class QListWidget;

namespace wickly::exchange {
class ExportModel;
}

namespace wickly::ui {

class ExportView : public QDialog
{
    Q_OBJECT
public:
    ExportView(exchange::ExportModel& model, QWidget* parent = nullptr);

    void render();
    // Escape and the close box close the window like Close.
    void reject() override;

private:
    void act(void (exchange::ExportModel::*action)());

    exchange::ExportModel& m_model;
    QListWidget* m_matches;
};

} // namespace wickly::ui
