#include "site_generator.h"

#include "app_state.h"
#include "complete_statistics.h"
#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "match_form.h"
#include "page_blocks.h"
#include "platform.h"
#include "player_charts.h"
#include "player_link.h"
#include "report_files.h"
#include "scorecard_text.h"
#include "statistics_window_model.h"
#include "stats_engine.h"
#include "text_file.h"
#include "web_context.h"
#include "working_set.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace wickly::site {

namespace {

using stats::StatisticsWindowModel;
using stats::StatsRequest;
using web::HtmlAttribute;
using web::HtmlText;
using web::TextFile;

// A page that could not be written: the run stops with this message.
struct WriteFailure
{
    std::string message;
};

// The platform's run of chart pictures, ended however the player pages end.
class ChartRun
{
public:
    explicit ChartRun(Platform& platform) : m_platform(platform) { m_platform.beginChartRun(); }
    ~ChartRun()
    {
        if (!m_ended) {
            (void)m_platform.endChartRun();
        }
    }
    ChartRun(const ChartRun&) = delete;
    ChartRun& operator=(const ChartRun&) = delete;

    // Waits for every picture; the paths of those that could not be written.
    std::vector<std::string> end()
    {
        m_ended = true;
        return m_platform.endChartRun();
    }

private:
    Platform& m_platform;
    bool m_ended = false;
};

// The file prefix as the web settings hold it: empty when blank or never assigned.
std::string filePrefix(const DatabaseOptions& o)
{
    return o.webFilePrefix.first() == '\0' ? std::string() : o.webFilePrefix.str();
}

// A prefix holding a folder separator or a control character would make file names that point
// outside the web folder, or that no web server serves.
bool usableInFileNames(std::string_view prefix)
{
    return std::none_of(prefix.begin(), prefix.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}

// The "Include Web Pages" boxes as the page blocks read them.
web::WebPageChoices choicesOf(const StatisticsWindowModel& window)
{
    std::uint8_t flags1 = 0, flags2 = 0;
    for (int i = 0; i < 16; ++i) {
        if (!window.webPages[static_cast<std::size_t>(i)]) {
            (i < 8 ? flags1 : flags2) |= static_cast<std::uint8_t>(1U << (i % 8));
        }
    }
    return web::WebPageChoices::fromFlags(flags1, flags2);
}

// A row of the list of matches, taken from the match details of the match's page.
struct MatchRow
{
    std::int32_t number = 0;
    std::int32_t grade = 0;
    std::string teams; // HTML: "TEAM1 Vs TEAM2", escaped
    std::string date, type, ground, gradeName;
};

// One page set: the grade entry it is restricted to (per-grade generation) or the run's grade.
struct PageSet
{
    int gradeIndex = -1;    // entry of the window's grade list to select; -1: leave it
    std::int32_t grade = 0; // the grade filter of the set's lists
    std::string part;       // G, the text after the prefix in the set's file names
    std::string name;       // the grade entry's first 40 characters, trailing blanks removed
};

constexpr const char* kCell = "<td><font size=2 face=Arial>";
constexpr const char* kRowCell = "     <td><font size=2 face=Arial>";
constexpr const char* kChartsBanner = "<table border=0 width=500 bgcolor=#ffcc00><tr><td><strong>";

class Site
{
public:
    Site(AppState& app, Platform& platform, StatisticsWindowModel& window, const SiteSettings& settings)
        : m_app(app), m_platform(platform), m_window(window), m_settings(settings), m_ws(app), m_web(app.header.options)
    {
    }

    SiteOutcome run();

private:
    void progressStep(int units = 1);
    void save(const std::string& name, const TextFile& file);
    bool matchPasses(const MatchRecord& match, std::int32_t grade) const;
    std::vector<stats::CompleteStatistics> playerStatistics(const StatsRequest& request);
    void writeMatchPages();
    void writeGradeList();
    void writePlayerPages(const std::vector<stats::CompleteStatistics>& statistics);
    void writeMatchList(const PageSet& set);
    void writePlayerList(const PageSet& set, const std::vector<stats::CompleteStatistics>& statistics);
    void writeReportPages(const PageSet& set);
    void writeFramePages(const PageSet& set);
    void listPageStart(TextFile& f, const std::string& word, const std::string& subtitle, const std::string& cells);
    void listPageEnd(TextFile& f);
    void rowStart(TextFile& f, int& row);
    std::string setSubtitle(const PageSet& set) const { return m_perGrade ? set.name : std::string(); }

    AppState& m_app;
    Platform& m_platform;
    StatisticsWindowModel& m_window;
    const SiteSettings& m_settings;
    WorkingSet m_ws;
    web::WebContext m_web;
    std::optional<PlayerLinker> m_linker;

    std::string m_prefix;
    StatsRequest m_run; // the window's filters when the run started
    web::SiteRun m_site;
    bool m_perGrade = false;
    std::vector<stats::ListEntry> m_players; // the window's player list
    std::vector<MatchRow> m_matchRows;
    SiteOutcome m_outcome;
    long long m_units = 1, m_done = 0;
    int m_percent = -1;
};

void Site::progressStep(int units)
{
    m_done += units;
    const int percent = static_cast<int>(std::min<long long>(100, m_done * 100 / std::max<long long>(m_units, 1)));
    if (percent != m_percent && m_settings.progress) {
        m_percent = percent;
        m_settings.progress(percent);
    }
}

void Site::save(const std::string& name, const TextFile& file)
{
    // Pages are made again from the database, so each is replaced whole but not waited for on
    // the disk.
    const Status saved = file.save(m_settings.webFolder + "/" + name, {.flush = false});
    if (!saved) {
        throw WriteFailure{"The web page \"" + name + "\" could not be written in " + m_settings.webFolder + ": " +
                           saved.message() +
                           "\nWeb generation has stopped; the pages written so far do not make a complete site."};
    }
    m_outcome.files.push_back(name);
}

// The generator's match selection: date range, subject and "Vs" clubs (the club of either team),
// match type, grade and ground, each filter of 0 left out.
bool Site::matchPasses(const MatchRecord& match, std::int32_t grade) const
{
    const std::string key = stats::DateKey(match.datePlayed.raw());
    if (key < m_run.dateFrom || key > m_run.dateTo) {
        return false;
    }
    const auto [club1, club2] = TeamClubs(m_ws, match.team1, match.team2);
    const auto clubPlays = [&](std::int32_t club) { return club <= 0 || club == club1 || club == club2; };
    return clubPlays(m_run.subjectClub) && clubPlays(m_run.vsClub) &&
           (m_run.matchType == 0 || match.matchType == m_run.matchType) && (grade <= 0 || match.grade == grade) &&
           (m_run.ground <= 0 || match.ground == m_run.ground);
}

// The complete statistics of every player of the window's list, under the window's filters.
std::vector<stats::CompleteStatistics> Site::playerStatistics(const StatsRequest& request)
{
    std::vector<std::int32_t> players;
    players.reserve(m_players.size());
    for (const stats::ListEntry& entry : m_players) {
        players.push_back(entry.record);
    }
    // One pass for every sheet; its progress stands for one unit per player.
    const long long units = static_cast<long long>(players.size());
    long long done = 0;
    const auto advance = [&](int percent) {
        const long long target = units * percent / 100;
        if (target > done) {
            progressStep(static_cast<int>(target - done));
            done = target;
        }
    };
    std::vector<stats::CompleteStatistics> all = stats::ProcessINN(m_ws, request, players, advance);
    advance(100);
    return all;
}

void Site::writeMatchPages()
{
    // Nothing changes the database during the run: every match page's form fills its lists from
    // one reading of the files.
    const matches::FormSource source = matches::FormSource::read(m_ws);
    for (const auto& [key, date] : m_window.matchList) {
        const std::int32_t number = static_cast<std::int32_t>(ValText(key.substr(1)));
        const MatchRecord match = m_ws.read<MatchRecord>(number);
        if (matchPasses(match, m_run.grade)) {
            m_linker->setCurrentMatch(number);
            const matches::MatchForm form(m_app, number, &source);
            const stats::ReportText card =
                matches::BuildScorecardText(form, m_ws, matches::ScorecardForm::Full, &m_web.pageImages);
            TextFile f;
            (void)stats::WriteReportFile(f, card, stats::ReportFileFormat::Html, m_web);
            web::WritePageFoot(f, m_web);
            f.line("</body>");
            f.line("</html>");
            save(m_prefix + "m" + std::to_string(number) + ".htm", f);
            m_linker->setCurrentMatch(0);

            MatchRow row;
            row.number = number;
            row.grade = match.grade;
            row.teams = HtmlText(form.teamName(0)) + " Vs " + HtmlText(form.teamName(1));
            row.date = MediumDate(form.datePlayed);
            if (form.matchType >= 0 && form.matchType < static_cast<int>(matches::MatchForm::kMatchTypes.size())) {
                row.type =
                    std::string(matches::MatchForm::kMatchTypes[static_cast<std::size_t>(form.matchType)]).substr(0, 5);
            }
            if (form.grounds.selected >= 0) {
                row.ground = rtrimBlanks(
                    form.grounds.entries[static_cast<std::size_t>(form.grounds.selected)].text.substr(0, 40));
            }
            row.gradeName = RecordName(m_ws, GradeAbbreviation, match.grade);
            m_matchRows.push_back(std::move(row));
        }
        progressStep();
    }
}

void Site::listPageStart(TextFile& f, const std::string& word, const std::string& subtitle, const std::string& cells)
{
    // A list page shows no banner pictures, whatever the page before it left.
    m_web.pageImages.clear();
    const std::string title = m_app.header.options.databaseTitle.str();
    web::WritePageHead(f, m_web, title + (title.empty() ? "" : " ") + word, subtitle);
    f.line("<font face=\"Arial, Helvetica, sans-serif\">");
    f.line("<table border=0 cellpadding=3>");
    f.line("<tr bgcolor=\"#FFCC00\">");
    f.line(cells);
}

void Site::listPageEnd(TextFile& f)
{
    f.line("</table></font>");
    web::WritePageFoot(f, m_web);
    f.line("</body>");
    f.line("</html>");
}

// Rows are numbered from 1 on every page: odd rows "#FFFFCC", even rows "#FFFF99".
void Site::rowStart(TextFile& f, int& row)
{
    ++row;
    f.line(row % 2 == 1 ? "   <tr bgcolor=\"#FFFFCC\">" : "   <tr bgcolor=\"#FFFF99\">");
}

void Site::writeGradeList()
{
    TextFile f;
    listPageStart(f, "Grades", "", "<td><font size=2 face=Arial><b>Grade</b></font></td>");
    int row = 0;
    for (std::size_t i = 1; i < m_window.grades.entries.size(); ++i) {
        const std::int32_t grade = m_window.grades.entries[i].record;
        if (grade <= 0) {
            continue;
        }
        rowStart(f, row);
        f.line(std::string(kRowCell) + "<a href=\"" + HtmlAttribute(m_prefix) + std::to_string(grade) +
               "home.htm\" target=\"_top\">" + HtmlText(RecordName(m_ws, GradeName, grade)) + "</a></font></td>");
        f.line("   </tr>");
    }
    listPageEnd(f);
    save(m_prefix + "grade.htm", f);
}

void Site::writePlayerPages(const std::vector<stats::CompleteStatistics>& statistics)
{
    const web::WebPageChoices& pages = m_site.pages;
    const bool charts = pages.bCharts || pages.pCharts;
    std::vector<std::int32_t> withPage;
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        if (statistics[i].matches >= 1) {
            withPage.push_back(m_players[i].record);
        }
    }
    std::vector<stats::PlayerChartData> chartData;
    if (charts && !withPage.empty()) {
        chartData = stats::CollectChartData(m_ws, m_run, withPage);
    }
    const bool large = m_app.header.options.chartSizeLarge != 0;
    const int width = large ? 500 : 350;
    const int height = large ? 300 : 200;

    // Pictures may be drawn by helper processes while the pages are written: the run ends with
    // every picture written, or with the first that could not be, as for a page.
    ChartRun chartRun(m_platform);
    std::size_t withPageIndex = 0;
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        const stats::CompleteStatistics& s = statistics[i];
        if (s.matches < 1) {
            progressStep();
            continue;
        }
        const std::int32_t player = m_players[i].record;
        const std::string file = m_prefix + std::to_string(player);
        const std::string fileHtml = HtmlAttribute(file);

        // The pictures are drawn first, so the page names only those that were written.
        std::vector<std::string> batting, bowling;
        if (charts) {
            const stats::PlayerChartData& data = chartData[withPageIndex];
            std::string name = m_ws.read<PlayerRecord>(player).reportName.raw();
            std::replace(name.begin(), name.end(), '\0', ' ');
            name = rtrimBlanks(name);
            const auto draw = [&](const ChartDocument& chart, const char* ending, std::vector<std::string>& shown) {
                const std::string picture = file + ending;
                if (m_platform.exportChartJpeg(chart, m_settings.webFolder + "/" + picture, width, height, 80)) {
                    m_outcome.files.push_back(picture);
                    shown.push_back(fileHtml + ending);
                } else {
                    ++m_outcome.chartsLeftOut;
                }
            };
            const bool bowled = s.wickets > 0;
            if (pages.bCharts) {
                draw(stats::RunChart(data, m_run, name, false), "t.jpg", batting);
                if (bowled) {
                    draw(stats::RunChart(data, m_run, name, true), "w.jpg", bowling);
                }
            }
            if (pages.pCharts) {
                draw(stats::DismissalChart(data, m_run, name, false), "p.jpg", batting);
            }
            if (bowled && pages.pCharts) {
                draw(stats::DismissalChart(data, m_run, name, true), "q.jpg", bowling);
            }
        }
        ++withPageIndex;

        m_web.pageImages = s.pageImages;
        m_linker->setCurrentMatch(0);
        TextFile f;
        (void)stats::WriteReportFile(f, s.text, stats::ReportFileFormat::Html, m_web);
        if (!batting.empty()) {
            f.line(std::string(kChartsBanner) + "Charts - Batting</strong></td></tr></table>");
            for (const std::string& picture : batting) {
                f.line("<p><img src=\"" + picture + "\"></p>");
            }
        }
        if (!bowling.empty()) {
            f.line(std::string(kChartsBanner) + "Charts - Bowling</strong></td></tr></table>");
            for (const std::string& picture : bowling) {
                f.line("<p><img src=\"" + picture + "\"></p>");
            }
        }
        web::WritePageFoot(f, m_web);
        f.line("</body>");
        f.line("</html>");
        save(file + ".htm", f);
        progressStep();
    }
    const std::vector<std::string> failed = chartRun.end();
    if (!failed.empty()) {
        const std::string folder = m_settings.webFolder + "/";
        const std::string& path = failed.front();
        const std::string name = path.starts_with(folder) ? path.substr(folder.size()) : path;
        throw WriteFailure{"The chart picture \"" + name + "\" could not be written in " + m_settings.webFolder +
                           (failed.size() > 1 ? " (nor " + std::to_string(failed.size() - 1) + " more)" : "") +
                           ".\nWeb generation has stopped; the pages written so far do not make a complete site."};
    }
}

void Site::writeMatchList(const PageSet& set)
{
    TextFile f;
    const std::string heading = std::string(kCell) + "<b>Teams</b></font></td>" + kCell + "<b>Date</b></font></td>" +
                                kCell + "<b>Type</b></font></td>" + kCell + "<b>Played At</b></font></td>" + kCell +
                                "<b>Grade</b></font></td></tr>";
    listPageStart(f, "Matches", setSubtitle(set), heading);
    int row = 0;
    for (const MatchRow& m : m_matchRows) {
        if (set.grade > 0 && m.grade != set.grade) {
            continue;
        }
        rowStart(f, row);
        f.line(std::string(kCell) + "<a href=\"" + HtmlAttribute(m_prefix) + "m" + std::to_string(m.number) +
               ".htm\">" + m.teams + "</a></font></td>" + kCell + HtmlText(m.date) + "</font></td>" + kCell +
               HtmlText(m.type) + "</font></td>" + kCell + HtmlText(m.ground) + "</font></td>" + kCell +
               HtmlText(m.gradeName) + "</font></td></tr>");
    }
    listPageEnd(f);
    save(m_prefix + set.part + "ma.htm", f);
    progressStep();
}

void Site::writePlayerList(const PageSet& set, const std::vector<stats::CompleteStatistics>& statistics)
{
    TextFile f;
    listPageStart(f, "Players", setSubtitle(set),
                  std::string(kCell) + "<b>Player</b></font></td>" + kCell + "<b>Mts</b></font></td>" + kCell +
                      "<b>Club</b></font></td>");
    int row = 0;
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        const stats::CompleteStatistics& s = statistics[i];
        if (s.matches < 1) {
            continue;
        }
        // The list entry's name as the window's list holds it: fitted to 50 characters.
        std::string name = m_players[i].text.substr(0, 50);
        name.resize(50, ' ');
        rowStart(f, row);
        f.line(std::string(kRowCell) + "<a href=\"" + HtmlAttribute(m_prefix) + std::to_string(m_players[i].record) +
               ".htm\">" + HtmlText(name.substr(std::min(name.find_first_not_of(' '), name.size()))) +
               "</a></font></td>");
        f.line(std::string(kRowCell) + NumText(s.matches) + "</font></td>");
        f.line(std::string(kRowCell) + HtmlText(s.clubName) + "</font></td>");
        f.line("   </tr>");
    }
    listPageEnd(f);
    save(m_prefix + set.part + "play.htm", f);
}

void Site::writeReportPages(const PageSet& set)
{
    for (int n = 1; n < stats::GenerateWebPages; ++n) {
        if (n == stats::CompetitionPoints && !m_site.oneGradeChosen) {
            continue;
        }
        m_window.reportChosen(n);
        const stats::ReportText report = stats::ProduceReport(m_ws, m_window.request());
        m_web.pageImages.clear();
        m_linker->setCurrentMatch(0);
        TextFile f;
        (void)stats::WriteReportFile(f, report, stats::ReportFileFormat::Html, m_web);
        web::WritePageFoot(f, m_web);
        f.line("</body>");
        f.line("</html>");
        save(m_prefix + set.part + "r" + std::to_string(n) + ".htm", f);
        progressStep();
    }
}

void Site::writeFramePages(const PageSet& set)
{
    const std::string title = web::SiteTitle(m_app.header.options.databaseTitle.str(), set.name, m_perGrade);
    TextFile home;
    web::WriteHomePage(home, m_web, title, set.part);
    save(m_prefix + set.part + "home.htm", home);
    TextFile noFrames;
    web::WriteMenuPage(noFrames, m_web, title, set.part, "", m_site);
    save(m_prefix + set.part + "nf.htm", noFrames);
    TextFile menu;
    web::WriteMenuPage(menu, m_web, title, set.part, " target=\"intro\"", m_site);
    save(m_prefix + set.part + "fr.htm", menu);
}

SiteOutcome Site::run()
{
    m_prefix = filePrefix(m_app.header.options);
    m_run = m_window.request();
    m_site.pages = choicesOf(m_window);
    m_site.oneGradeChosen = m_run.grade != 0;
    m_perGrade = m_site.pages.pagePerGrade && m_window.grades.entries.size() > 2 && m_window.grades.selected == 0;
    m_site.perGrade = m_perGrade;
    if (m_settings.today) {
        m_web.today = m_settings.today;
    }
    m_web.siteGenerationActive = true;
    m_linker.emplace(m_ws, m_prefix, m_run.listActive, m_run.subjectClub);
    m_web.playerLink = [this](std::string_view name) { return (*m_linker)(name); };

    std::vector<PageSet> sets;
    if (m_perGrade) {
        for (std::size_t i = 1; i < m_window.grades.entries.size(); ++i) {
            const stats::ListEntry& g = m_window.grades.entries[i];
            sets.push_back(
                {static_cast<int>(i), g.record, std::to_string(g.record), rtrimBlanks(g.text.substr(0, 40))});
        }
    } else {
        sets.push_back({-1, m_run.grade, "", ""});
    }

    const web::WebPageChoices& pages = m_site.pages;
    if (pages.players) {
        m_window.reportChosen(stats::CompleteStats); // its player list, as the window makes it
        m_players = m_window.subjects.entries;
    }
    const long long players = static_cast<long long>(m_players.size());
    const long long reports = m_site.oneGradeChosen ? 41 : 40;
    m_units = (pages.matches ? static_cast<long long>(m_window.matchList.size()) : 0) + 2 * players +
              static_cast<long long>(sets.size()) * (reports + (pages.matches ? 1 : 0) + (m_perGrade ? players : 0));

    // Who gets a page is known before any page is written, so that no page links to a player
    // without one.
    std::vector<stats::CompleteStatistics> statistics;
    if (pages.players) {
        StatsRequest r = m_window.request();
        statistics = playerStatistics(r);
        for (std::size_t i = 0; i < m_players.size(); ++i) {
            m_linker->setHasPage(m_players[i].record, statistics[i].matches >= 1);
        }
    }
    if (pages.matches) {
        writeMatchPages();
    }
    if (m_perGrade) {
        writeGradeList();
    }
    if (pages.players) {
        writePlayerPages(statistics);
    }
    for (const PageSet& set : sets) {
        if (set.gradeIndex >= 0) {
            m_window.gradeChosen(set.gradeIndex);
        }
        if (pages.matches) {
            writeMatchList(set);
        }
        if (pages.players) {
            if (m_perGrade) {
                m_window.reportChosen(stats::CompleteStats);
                statistics = playerStatistics(m_window.request());
            }
            writePlayerList(set, statistics);
        }
        writeReportPages(set);
        writeFramePages(set);
    }

    std::string& message = m_outcome.message;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(m_settings.webFolder, ec);
    message = "Web Generation Complete. All files have been saved in the " +
              (ec ? m_settings.webFolder : folder.lexically_normal().string()) + " sub-directory as " + m_prefix +
              "*.htm and " + m_prefix + "*.jpg.  Please transfer these files to your web site in lower case.\n";
    if (m_perGrade) {
        for (const PageSet& set : sets) {
            message += "\nThe home page for " + set.name + " is " + m_prefix + set.part + "home.htm";
        }
    } else {
        message += "\nThe home page for this database is " + m_prefix + "home.htm";
    }
    if (m_outcome.chartsLeftOut > 0) {
        message += "\n\n" + std::to_string(m_outcome.chartsLeftOut) +
                   (m_outcome.chartsLeftOut == 1 ? " chart picture" : " chart pictures") +
                   " could not be drawn and were left out of the player pages.";
    }
    return std::move(m_outcome);
}

// Puts the window's report, grade and subject choices back as they were when the run began,
// however it ends.
class WindowRestore
{
public:
    explicit WindowRestore(StatisticsWindowModel& window)
        : m_window(window), m_report(window.selectedReport), m_grade(window.grades.selected),
          m_subject(window.subjects.selected)
    {
    }
    ~WindowRestore()
    {
        try {
            m_window.gradeChosen(m_grade);
            m_window.reportChosen(m_report);
            m_window.subjects.selected = m_subject;
        } catch (const std::exception&) {
            // Refilling the lists reads the working files; a run that failed on them has already
            // said so, and the window keeps the lists it has.
        }
    }
    WindowRestore(const WindowRestore&) = delete;
    WindowRestore& operator=(const WindowRestore&) = delete;

private:
    StatisticsWindowModel& m_window;
    int m_report, m_grade, m_subject;
};

} // namespace

Result<SiteOutcome> GenerateSite(AppState& app, Platform& platform, stats::StatisticsWindowModel& window,
                                 const SiteSettings& settings)
{
    const std::string prefix = filePrefix(app.header.options);
    if (prefix.empty()) {
        return Error{kNoPrefixMessage};
    }
    if (!usableInFileNames(prefix)) {
        return Error{"The HTML file prefix \"" + prefix +
                     "\" cannot be part of a file name (it holds \"/\", \"\\\" or a control character).  "
                     "Please enter a 3 character prefix of letters and digits in the CONFIG menu."};
    }
    std::error_code ec;
    std::filesystem::create_directory(settings.webFolder, ec);
    if (!std::filesystem::is_directory(settings.webFolder)) {
        return Error{"The web folder " + settings.webFolder + " cannot be created" +
                     (ec ? ": " + ec.message() : std::string()) + ". No web page has been written."};
    }
    WindowRestore restore(window);
    try {
        // The run changes nothing in the database and reads player, team and ground records for
        // every page: they come from memory.
        const CachedReads cached(app);
        Site site(app, platform, window, settings);
        return site.run();
    } catch (const WriteFailure& e) {
        return Error{e.message};
    } catch (const std::exception& e) {
        // A working file that cannot be read, or no memory left.
        return Error{std::string(e.what()) + "\nWeb generation has stopped; the pages written so far do not make "
                                             "a complete site."};
    }
}

void genweb(AppState& app, Platform& platform, stats::StatisticsWindowModel& window)
{
    SiteSettings settings;
    settings.webFolder = app.startupFolder + "/web";
    settings.progress = [&window](int percent) { window.setProgress(percent); };
    std::optional<Result<SiteOutcome>> outcome;
    {
        BusyPointer busy(platform);
        outcome.emplace(GenerateSite(app, platform, window, settings));
    }
    window.setProgress(0);
    if (!*outcome) {
        platform.message(outcome->message(), Buttons::Ok, Icon::Error);
        return;
    }
    platform.message(outcome->value().message, Buttons::Ok, Icon::None);
}

} // namespace wickly::site
