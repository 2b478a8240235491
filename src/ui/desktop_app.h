#pragma once
// The desktop program put together: the state, the Qt platform, the main window's model and
// view, and the start-up sequence.

#include "app_state.h"
#include "main_window_model.h"
#include "qt_platform.h"

#include <QStringList>

#include <memory>

namespace wickly {
class WorkingSetLock;
}

namespace wickly::ui {

class MainWindowView;

class DesktopApp
{
public:
    DesktopApp();
    ~DesktopApp();

    // The start-up sequence: folders and legacy settings, the main window, the tip of the day
    // (unless switched off, or `showTips` is false), then the container named by the arguments,
    // joined with single spaces into one path.
    void start(const QStringList& arguments, bool showTips = true);

    AppState& state() { return m_app; }
    QtPlatform& platform() { return m_platform; }
    MainWindowModel& model() { return *m_model; }
    MainWindowView& window() { return *m_view; }

    // The folder of the program, where "tipofday.txt" is.
    static QString programFolder();

private:
    std::unique_ptr<WorkingSetLock> m_lock; // before the state: released last
    AppState m_app;
    QtPlatform m_platform;
    std::unique_ptr<MainWindowModel> m_model;
    std::unique_ptr<MainWindowView> m_view;
};

} // namespace wickly::ui
