#include "cli_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace wickly::cli {

PrivateFolder::PrivateFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wickly-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error(std::string("cannot create a temporary folder: ") + std::strerror(errno));
    }
    m_path = pattern;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

int failure(std::ostream& err, const std::string& message)
{
    err << kToolName << ": " << oneLine(message) << '\n';
    return 1;
}

AppState freshState(const PrivateFolder& folder)
{
    AppState app;
    app.startupFolder = folder.path();
    return app;
}

namespace {

ChartExporter& installedExporter()
{
    static ChartExporter exporter;
    return exporter;
}

} // namespace

void setChartExporter(ChartExporter exporter)
{
    installedExporter() = std::move(exporter);
}

const ChartExporter& chartExporter()
{
    return installedExporter();
}

} // namespace wickly::cli
