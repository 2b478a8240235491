#pragma once
// The statistics fixture database ready for the web site generator: prefix "abc", known colours
// and title, every "Include Web Pages" box ticked, and a fixed date for "Last updated".

#include "../stats/stats_fixture.h"

#include "scripted_platform.h"
#include "site_generator.h"
#include "statistics_window_model.h"

#include <memory>

namespace wickly::test {

class SiteFixture : public StatsFixture
{
public:
    SiteFixture()
    {
        DatabaseOptions& o = db.app.header.options;
        o.databaseTitle.assign("Club");
        o.webFilePrefix.assign("abc");
        o.webForeColour = 0x0000FF; // red
        o.webBackColour = 0xFFFFFF;
        o.webLinkColour = 0xFF0000; // blue
        o.webSelectedLinkColour = 0x00FF00;
        o.webPageFlags1 = 0;
        o.webPageFlags2 = 0;
        o.chartSizeLarge = 0;
        o.statsDateFrom.assign("01/01/1800");
        o.statsDateTo.assign("01/01/2100");
        o.reportLength = 20;
        o.chartLength = 50;
    }

    // A statistics window showing "Generate Web Pages" over the database as it now stands.
    stats::StatisticsWindowModel& window()
    {
        m_window = std::make_unique<stats::StatisticsWindowModel>(db.app, platform);
        m_window->reportChosen(stats::GenerateWebPages);
        return *m_window;
    }

    std::string webFolder() const { return db.folder.path() + "/web"; }

    Result<site::SiteOutcome> generate(stats::StatisticsWindowModel& w)
    {
        site::SiteSettings settings;
        settings.webFolder = webFolder();
        settings.today = [] { return std::string("01/06/2020"); };
        settings.progress = [this](int percent) { progress.push_back(percent); };
        return site::GenerateSite(db.app, platform, w, settings);
    }

    ScriptedPlatform platform;
    std::vector<int> progress;

private:
    std::unique_ptr<stats::StatisticsWindowModel> m_window;
};

} // namespace wickly::test
