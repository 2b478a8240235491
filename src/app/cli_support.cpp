#include "cli_support.h"

#include "container.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
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

ChartDrawer*& installedDrawer()
{
    static ChartDrawer* drawer = nullptr;
    return drawer;
}

} // namespace

void setChartDrawer(ChartDrawer* drawer)
{
    installedDrawer() = drawer;
}

ChartDrawer* chartDrawer()
{
    return installedDrawer();
}

LoadedDatabase::LoadedDatabase(const std::string& path)
    : app(freshState(folder)), status(loadContainerFile(app, path))
{
}

Button HeadlessPlatform::defaultAnswer(const MessageBoxRequest& request)
{
    const auto pick = [&](std::initializer_list<Button> buttons) {
        const int i = request.defaultButton >= 0 && request.defaultButton < static_cast<int>(buttons.size())
                          ? request.defaultButton
                          : 0;
        return *(buttons.begin() + i);
    };
    switch (request.buttons) {
    case Buttons::Ok: return Button::Ok;
    case Buttons::OkCancel: return pick({Button::Ok, Button::Cancel});
    case Buttons::YesNo: return pick({Button::Yes, Button::No});
    case Buttons::YesNoCancel: return pick({Button::Yes, Button::No, Button::Cancel});
    }
    return Button::Ok;
}

Button HeadlessPlatform::messageBox(const MessageBoxRequest& request)
{
    if (!message) {
        message = request.text;
    }
    return defaultAnswer(request);
}

bool HeadlessPlatform::printDocument(const PrintDocument&, std::string& why)
{
    why = "there is no printer without a display";
    return false;
}

bool HeadlessPlatform::exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                                       int quality)
{
    ChartDrawer* drawer = chartDrawer();
    return drawer != nullptr && drawer->save(chart, path, width, height, quality);
}

void HeadlessPlatform::beginChartRun()
{
    if (ChartDrawer* drawer = chartDrawer()) {
        drawer->beginRun();
    }
}

std::vector<std::string> HeadlessPlatform::endChartRun()
{
    ChartDrawer* drawer = chartDrawer();
    return drawer != nullptr ? drawer->endRun() : std::vector<std::string>{};
}

} // namespace wickly::cli
