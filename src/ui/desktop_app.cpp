#include "desktop_app.h"

#include "convert.h"
#include "main_window_view.h"
#include "startup.h"
#include "tip_of_day_model.h"
#include "working_set_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWindow>

#include <random>

namespace wickly::ui {

DesktopApp::DesktopApp() = default;
DesktopApp::~DesktopApp() = default;

QString DesktopApp::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

void DesktopApp::start(const QStringList& arguments, bool showTips)
{
    // One program at a time works on the working files of a folder. A second one started in the
    // same folder is told so and offers nothing that writes.
    const std::string folder = QDir::currentPath().toStdString();
    m_lock = std::make_unique<WorkingSetLock>(folder);
    const StartupResult startup = prepareStartup(m_app, folder);
    if (!m_lock->inUse()) {
        // Old databases are converted before the main window appears; two programs would move
        // the same files, so only the one that owns the folder does it.
        convertAtStartup(m_app, m_platform, startup);
    }
    m_model = std::make_unique<MainWindowModel>(m_app, m_platform);
    m_view = std::make_unique<MainWindowView>(*m_model);
    m_platform.setParentWindow(m_view.get());
    m_platform.registerView(*m_model, m_view.get());
    m_view->show();
    // The boxes that follow open centred over the main window, so it must have its place on the
    // screen first: a window manager places a new window a moment after it is shown.
    QElapsedTimer placing;
    placing.start();
    while (m_view->windowHandle() != nullptr && !m_view->windowHandle()->isExposed() && placing.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (m_lock->inUse()) {
        m_model->workingSetInUse(m_app.startupFolder);
        m_view->render();
    }

    if (showTips && showTipsAtStartup(m_platform)) {
        QString tips = programFolder() + "/tipofday.txt";
        if (!QFile::exists(tips)) {
            tips = programFolder() + "/../share/wickly/tipofday.txt";
        }
        TipOfDayModel tip(m_platform, tips.toStdString(), std::random_device{}());
        m_platform.showModal(tip);
    }

    const QString path = arguments.join(' ');
    if (!path.isEmpty()) {
        // A file-system name, not record text: no Windows-1252 conversion.
        m_model->openFromCommandLine(QFile::encodeName(path).toStdString());
        m_view->render();
    }
}

} // namespace wickly::ui
