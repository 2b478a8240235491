// wickly: the desktop program.

#include "chart_farm.h"
#include "desktop_app.h"
#include "main_window_view.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

int main(int argc, char* argv[])
{
    // Started by the web site generator to draw some of its chart pictures.
    if (wickly::ui::isChartWorkerStart(argc, argv)) {
        return wickly::ui::chartWorkerMain(argc, argv);
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Wickly");
    QApplication::setApplicationName("Wickly");
    QApplication::setApplicationVersion("2.6d");
    Q_INIT_RESOURCE(wickly);

    // WICKLY_SCREENSHOT=file.png saves a picture of the main window shortly after start-up and
    // quits (scripts/screenshot); the tip of the day is left out then.
    const QString screenshot = qEnvironmentVariable("WICKLY_SCREENSHOT");

    wickly::ui::DesktopApp app;
    app.platform().setChartHelperProgram(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    app.start(arguments, screenshot.isEmpty());

    if (!screenshot.isEmpty()) {
        QTimer::singleShot(800, [&app, screenshot] {
            app.window().grab().save(screenshot);
            QApplication::exit(0);
        });
    }
    return QApplication::exec();
}
