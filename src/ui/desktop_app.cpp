#include "desktop_app.h"

#include "main_window_view.h"
#include "qt_text.h"
#include "startup.h"
#include "tip_of_day_model.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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
    const StartupResult startup = prepareStartup(m_app, QDir::currentPath().toStdString());
    m_model = std::make_unique<MainWindowModel>(m_app, m_platform);
    m_view = std::make_unique<MainWindowView>(*m_model);
    m_platform.setParentWindow(m_view.get());
    m_platform.registerView(*m_model, m_view.get());
    m_view->show();

    if (const std::string old = oldDatabasesMessage(startup); !old.empty()) {
        m_platform.message(old, Buttons::Ok, Icon::Information, 0, "Database Conversion");
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
        m_model->openFromCommandLine(fromQ(path));
        m_view->render();
    }
}

} // namespace wickly::ui
