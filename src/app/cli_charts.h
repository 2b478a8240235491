#pragma once
// The command-line tool's chart drawing, with the desktop program's Qt Charts drawing: an
// offscreen application made for the first picture, and during a run of pictures (the web
// site) helper processes that draw some of them on the other cores.

#include "cli_support.h"

#include <memory>
#include <string>
#include <vector>

class QApplication;

namespace wickly::ui {
class ChartFarm;
}

namespace wickly::cli {

class QtChartDrawer : public ChartDrawer
{
public:
    // `helperProgram` is started as the helpers (this executable, whose main() serves chart
    // helper starts); `helpers` is how many (a negative number: as many as this machine is worth).
    explicit QtChartDrawer(std::string helperProgram, int helpers = -1);
    // The helpers and the application object go before the program's static objects.
    ~QtChartDrawer() override;

    bool save(const ChartDocument& chart, const std::string& path, int width, int height, int quality) override;
    void beginRun() override;
    std::vector<std::string> endRun() override;

private:
    void makeApplication();

    std::string m_helperProgram;
    int m_helpers;
    std::unique_ptr<QApplication> m_application; // when this drawer made it
    std::unique_ptr<ui::ChartFarm> m_run;
};

// The path of the running executable; empty when it cannot be told.
std::string thisExecutable();

} // namespace wickly::cli
