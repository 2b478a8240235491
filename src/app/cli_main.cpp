// wickly-cli: the command-line tool. The commands are in cli_commands.cpp.

#include "cli_commands.h"

#ifdef WICKLY_CLI_CHARTS
#include "chart_document.h"
#include "chart_rendering.h"
#include "cli_support.h"

#include <QApplication>
#include <QFile>

#include <cstdlib>
#include <memory>
#endif

#include <iostream>
#include <string>
#include <vector>

#ifdef WICKLY_CLI_CHARTS
namespace {

// Charts are drawn with Qt Charts, which needs an application object; it is made only when the
// first chart is drawn, on the offscreen platform when there is no display, so that every other
// command runs without Qt.
std::unique_ptr<QApplication>& chartApplication()
{
    static std::unique_ptr<QApplication> application;
    return application;
}

bool exportChart(const wickly::ChartDocument& chart, const std::string& path, int width, int height, int quality)
{
    static int argc = 1;
    static char name[] = "wickly-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication>& application = chartApplication();
    if (!application && QApplication::instance() == nullptr) {
        if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
            std::getenv("QT_QPA_PLATFORM") == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application = std::make_unique<QApplication>(argc, argv);
    }
    return wickly::ui::saveChartJpeg(chart, QFile::decodeName(path.c_str()), width, height, quality);
}

} // namespace
#endif

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
#ifdef WICKLY_CLI_CHARTS
    wickly::cli::setChartExporter(exportChart);
#endif
    const int status = wickly::cli::run(args, std::cout, std::cerr);
#ifdef WICKLY_CLI_CHARTS
    // Qt's application object goes before the program's static objects do.
    chartApplication().reset();
#endif
    return status;
}
