#pragma once
// The name resolution window of the match import: the name that was not found, the records of
// its kind, and Select, Remember, New Entry, New Entry for All, Abort and Help.

#include <QDialog>

class QListWidget;

namespace wickly::exchange {
class NameResolutionModel;
}

namespace wickly::ui {

class NameResolutionView : public QDialog
{
    Q_OBJECT
public:
    NameResolutionView(exchange::NameResolutionModel& model, QWidget* parent = nullptr);

    void render();
    // Escape and the close box leave the result open (-1), which stops the import.
    void reject() override;

private:
    void act(void (exchange::NameResolutionModel::*action)());

    exchange::NameResolutionModel& m_model;
    QListWidget* m_entries;
};

} // namespace wickly::ui
