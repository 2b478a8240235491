// wickly-cli: the command-line tool. The commands are in cli_commands.cpp.

#include "cli_commands.h"

#ifdef WICKLY_CLI_CHARTS
#include "chart_farm.h"
#include "cli_charts.h"
#endif

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
#ifdef WICKLY_CLI_CHARTS
    // Started by `web` to draw some of the site's chart pictures.
    if (wickly::ui::isChartWorkerStart(argc, argv)) {
        return wickly::ui::chartWorkerMain(argc, argv);
    }
    wickly::cli::QtChartDrawer drawer(wickly::cli::thisExecutable());
    wickly::cli::setChartDrawer(&drawer);
#endif
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = wickly::cli::run(args, std::cout, std::cerr);
#ifdef WICKLY_CLI_CHARTS
    wickly::cli::setChartDrawer(nullptr);
#endif
    return status;
}
