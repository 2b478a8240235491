#include "cli_charts.h"

#include "chart_farm.h"
#include "chart_rendering.h"

#include <QApplication>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace wickly::cli {

QtChartDrawer::QtChartDrawer(std::string helperProgram, int helpers)
    : m_helperProgram(std::move(helperProgram)), m_helpers(helpers < 0 ? ui::chartHelpersForThisMachine() : helpers)
{
}

QtChartDrawer::~QtChartDrawer()
{
    m_run.reset();
    m_application.reset();
}

// Qt Charts needs an application object; it is made only when the first chart is drawn, on the
// offscreen platform when there is no display, so that every other command runs without Qt.
void QtChartDrawer::makeApplication()
{
    static int argc = 1;
    static char name[] = "wickly-cli";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        ui::drawOffscreenWithoutDisplay();
        m_application = std::make_unique<QApplication>(argc, argv);
    }
}

bool QtChartDrawer::save(const ChartDocument& chart, const std::string& path, int width, int height, int quality)
{
    makeApplication();
    if (m_run) {
        return m_run->save(chart, path, width, height, quality);
    }
    return ui::saveChartJpeg(chart, QFile::decodeName(path.c_str()), width, height, quality);
}

void QtChartDrawer::beginRun()
{
    m_run = std::make_unique<ui::ChartFarm>(m_helperProgram, m_helpers);
}

std::vector<std::string> QtChartDrawer::endRun()
{
    std::vector<std::string> failed;
    if (m_run) {
        failed = m_run->finish();
        m_run.reset();
    }
    return failed;
}

std::string thisExecutable()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

} // namespace wickly::cli
