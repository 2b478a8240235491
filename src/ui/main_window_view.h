#pragma once
// The main window: menus and eight buttons that forward to the MainWindowModel.

#include "main_window_model.h"

#include <QMainWindow>

#include <array>

class QAction;
class QPushButton;

namespace wickly::ui {

class MainWindowView : public QMainWindow
{
    Q_OBJECT
public:
    MainWindowView(MainWindowModel& model, QWidget* parent = nullptr);

    // Shows the model's state: the caption and the enabled commands.
    void render();

    QPushButton* button(MainButton b) const { return m_buttons[static_cast<std::size_t>(b)]; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addAction(QMenu* menu, const QString& caption, const char* name, void (MainWindowModel::*action)());

    MainWindowModel& m_model;
    std::array<QPushButton*, kMainButtonCount> m_buttons{};
    QAction* m_new = nullptr;
    QAction* m_open = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_export = nullptr;
    QAction* m_import = nullptr;
    QAction* m_aliases = nullptr;
    QAction* m_config = nullptr;
};

} // namespace wickly::ui
