#include "statistics_window_model.h"

#include "app_state.h"
#include "chart_window_model.h"
#include "complete_statistics.h"
#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "record_reader.h"
#include "report_window_model.h"
#include "stats_engine.h"
#include "web_context.h"
#include "working_set.h"

#include <algorithm>
#include <limits>

namespace wickly::stats {

std::int32_t EntryChoice::selectedRecord() const
{
    if (selected < 0 || selected >= static_cast<int>(entries.size())) {
        return 0;
    }
    return entries[static_cast<std::size_t>(selected)].record;
}

int EntryChoice::indexOf(std::int32_t record) const
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].record == record) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string SubjectPlayerText(const PlayerRecord& p)
{
    const std::string last = rtrimBlanks(p.lastName.raw());
    std::string text = last.empty() ? p.reportName.raw() : last + ", " + p.firstName.raw();
    std::replace(text.begin(), text.end(), '\0', ' ');
    return rtrimBlanks(FitText(text, 50));
}

namespace {

bool in(int r, std::initializer_list<int> set)
{
    return std::find(set.begin(), set.end(), r) != set.end();
}

// A "dd/mm/yyyy" box text that the date check accepts.
bool validDate(const std::string& t)
{
    if (t.size() != 10) {
        return false;
    }
    const double day = ValText(t.substr(0, 2));
    const double month = ValText(t.substr(3, 2));
    const double year = ValText(t.substr(6, 4));
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1800;
}

// The value rule of the qualification boxes, kept within the 16-bit option it is stored in.
std::int16_t storedValue(const std::string& text)
{
    const double v = FormNumber(text);
    return static_cast<std::int16_t>(
        std::clamp<double>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

} // namespace

StatisticsWindowModel::StatisticsWindowModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
    for (int r = 0; r < kReportKindCount; ++r) {
        reports.emplace_back(catalogueEntry(r).caption);
    }
    matchTypes.assign(std::begin(kMatchTypeTexts), std::end(kMatchTypeTexts));
    ratings.emplace_back("All");
    for (int k = 1; k <= 5; ++k) {
        ratings.push_back("Rating" + NumText(k));
    }
    loadLists();
    loadRemembered();
    fillSubjects();
    applyVisibility();
}

void StatisticsWindowModel::loadLists()
{
    const WorkingSet ws(m_app);
    subjectClubs.entries = {{".all clubs.", 0}};
    for (std::int32_t c = 1; c <= ws.count(RecordKind::Club); ++c) {
        const ClubRecord club = ws.read<ClubRecord>(c);
        if (!isDeletedName(club.name.raw())) {
            subjectClubs.entries.push_back({club.name.str(), c});
        }
    }
    vsClubs.entries = subjectClubs.entries;
    vsClubs.selected = 0;
    const int allowed = subjectClubs.indexOf(m_app.header.options.allowPlayersClub);
    subjectClubs.selected = m_app.header.options.allowPlayersClub >= 1 && allowed > 0 ? allowed : 0;

    grounds.entries = {{".all grounds.", 0}};
    for (std::int32_t g = 1; g <= ws.count(RecordKind::Ground); ++g) {
        const GroundRecord ground = ws.read<GroundRecord>(g);
        if (!isDeletedName(ground.name.raw()) && !ground.name.blank()) {
            grounds.entries.push_back({ground.name.str(), g});
        }
    }
    grades.entries = {{".all grades.", 0}};
    for (std::int32_t g = 1; g <= ws.count(RecordKind::Grade); ++g) {
        const GradeRecord grade = ws.read<GradeRecord>(g);
        if (!isDeletedName(grade.name.raw())) {
            grades.entries.push_back({grade.name.str(), g});
        }
    }
    grades.selected = grades.entries.size() == 2 ? 1 : 0;

    matchList.clear();
    RecordReader matches(ws, RecordKind::Match); // one pass, not one open per match
    for (std::int32_t m = 1; m <= ws.count(RecordKind::Match); ++m) {
        const MatchRecord match = matches.read<MatchRecord>(m);
        if (ValText(match.datePlayed.raw().substr(6, 4)) > 0) {
            matchList.emplace_back("M" + std::to_string(m), DateKey(match.datePlayed.raw()));
        }
    }
    std::stable_sort(matchList.begin(), matchList.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
}

void StatisticsWindowModel::loadRemembered()
{
    const DatabaseOptions& o = m_app.header.options;
    includeHistory = o.includeHistory != 0;
    firstInningsOnly = o.firstInningsOnly != 0;
    box(StatsBox::DateFrom) = o.statsDateFrom.str();
    box(StatsBox::DateTo) = o.statsDateTo.str();
    box(StatsBox::BowlingMinOvers) = std::to_string(o.bowlingQualifyOvers);
    box(StatsBox::ReportLength) = std::to_string(o.reportLength);
    box(StatsBox::BattingMinInnings) = std::to_string(o.battingQualifyInnings);
    box(StatsBox::BattingMinRuns) = std::to_string(o.battingQualifyRuns);
    box(StatsBox::BowlingMinWickets) = std::to_string(o.bowlingQualifyWickets);
    box(StatsBox::ChartLength) = std::to_string(o.chartLength);
    box(StatsBox::AllRoundMinWickets) = std::to_string(o.allRoundQualifyWickets);
    box(StatsBox::AllRoundMinRuns) = std::to_string(o.allRoundQualifyRuns);
    battingByInnings = o.battingQualifyByInnings == 255;
    for (int i = 0; i < 16; ++i) {
        const std::uint8_t flags = i < 8 ? o.webPageFlags1 : o.webPageFlags2;
        webPages[static_cast<std::size_t>(i)] = (flags & (1U << (i % 8))) == 0; // a set bit is a cleared box
    }
    updateWebPageEnabled();
}

void StatisticsWindowModel::fillSubjects()
{
    const WorkingSet ws(m_app);
    const std::int32_t club = subjectClubs.selectedRecord();
    subjects.entries.clear();
    subjects.selected = 0;
    if (selectedReport == CompleteStats || selectedReport == GenerateWebPages) {
        subjectCaption = "Player";
        RecordReader players(ws, RecordKind::Player);
        for (std::int32_t p = 1; p <= ws.count(RecordKind::Player); ++p) {
            const PlayerRecord player = players.read<PlayerRecord>(p);
            if (startsWithDeletedMark(player.reportName.raw()) || (club != 0 && player.club != club) ||
                (listActive && player.active == 0)) {
                continue;
            }
            subjects.entries.push_back({SubjectPlayerText(player), p});
        }
        subjects.selected = -1; // the user picks the player
        subjectEnabled = selectedReport != GenerateWebPages;
        return;
    }
    subjectCaption = "Team";
    subjects.entries.push_back({".all teams.", 0});
    for (std::int32_t t = 1; t <= ws.count(RecordKind::Team); ++t) {
        const TeamRecord team = ws.read<TeamRecord>(t);
        if (!isDeletedName(team.name.raw()) && (club == 0 || team.club == club)) {
            subjects.entries.push_back({team.name.str(), t});
        }
    }
    subjectEnabled = club != 0;
}

void StatisticsWindowModel::applyVisibility()
{
    const int r = selectedReport;
    const bool playerReport = r == CompleteStats || r == GenerateWebPages;
    listOptionsVisible = playerReport || r == CompleteSummary;
    strikeRatesAndDucksVisible = playerReport;
    vsVisible = r != CompetitionPoints;
    chartFrameVisible = r == CompleteStats;
    ratingVisible = r != CompleteStats;
    chartLengthVisible = playerReport;
    reportLengthVisible = !in(r, {CompleteStats, PartnershipsByWicket, MatchResults, HonoursSummary});
    // History has no season, so the seasonal reports leave it out too.
    includeHistoryVisible = !in(r, {7, 8, 11, 12, 15, 16, 17, 18, 20, 22, 25, 31, 32, 35, 36, 37, 38, 39, 41});
    battingQualifyVisible = in(r, {9, 10, 40, 42});
    bowlingQualifyVisible = in(r, {21, 23, 24, 40, 42});
    allRoundQualifyVisible = in(r, {28, 42});
    byInningsVisible = r != HonoursSummary;
    bowlingOversVisible = r != HonoursSummary;
    firstInningsVisible = !in(r, {3, 16, 39, 41});
    webPagesVisible = r == GenerateWebPages;
    for (std::size_t i = 0; i < webPageVisible.size(); ++i) {
        webPageVisible[i] = i == WebShowDucks || i == WebStrikeRates ? strikeRatesAndDucksVisible : webPagesVisible;
    }
    webFrameVisible = webPagesVisible || strikeRatesAndDucksVisible;
}

void StatisticsWindowModel::updateWebPageEnabled()
{
    webPageEnabled.fill(true);
    webPageEnabled[WebBCharts] = webPages[WebPlayers];
    webPageEnabled[WebPCharts] = webPages[WebPlayers];
    webPageEnabled[WebLadder] = grades.selectedRecord() != 0;
    webPageEnabled[WebEachGrade] = grades.selectedRecord() == 0;
}

void StatisticsWindowModel::changed()
{
    m_app.databaseChanged = true;
}

int StatisticsWindowModel::boxValue(StatsBox b) const
{
    return storedValue(box(b));
}

void StatisticsWindowModel::reportChosen(int index)
{
    if (index < 0 || index >= kReportKindCount) {
        return;
    }
    selectedReport = index;
    applyVisibility();
    fillSubjects();
}

void StatisticsWindowModel::subjectClubChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(subjectClubs.entries.size())) {
        subjectClubs.selected = index;
        fillSubjects();
    }
}

void StatisticsWindowModel::subjectChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(subjects.entries.size())) {
        subjects.selected = index;
    }
}

void StatisticsWindowModel::listOptionChosen(bool active)
{
    listActive = active;
    fillSubjects();
}

void StatisticsWindowModel::vsClubChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(vsClubs.entries.size())) {
        vsClubs.selected = index;
    }
}

void StatisticsWindowModel::matchTypeChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(matchTypes.size())) {
        selectedMatchType = index;
    }
}

void StatisticsWindowModel::groundChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(grounds.entries.size())) {
        grounds.selected = index;
    }
}

void StatisticsWindowModel::gradeChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(grades.entries.size())) {
        grades.selected = index;
        updateWebPageEnabled();
    }
}

void StatisticsWindowModel::ratingChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(ratings.size())) {
        selectedRating = index;
    }
}

void StatisticsWindowModel::boxEdited(StatsBox b, const std::string& text)
{
    if (box(b) != text) {
        box(b) = text;
        changed();
    }
}

bool StatisticsWindowModel::boxLeft(StatsBox b)
{
    const char* message = nullptr;
    std::string reset;
    switch (b) {
    case StatsBox::DateFrom:
    case StatsBox::DateTo:
        if (!validDate(box(b))) {
            message = kIncorrectDateMessage;
        }
        break;
    case StatsBox::ReportLength:
        if (boxValue(b) < 5 || boxValue(b) > 3000 || FormNumber(box(b)) > 3000) {
            message = kReportLengthMessage;
            reset = "100";
        }
        break;
    case StatsBox::ChartLength:
        if (boxValue(b) < 5 || boxValue(b) > 999 || FormNumber(box(b)) > 999) {
            message = kChartLengthMessage;
            reset = "50";
        }
        break;
    default: return true;
    }
    if (message == nullptr) {
        return true;
    }
    if (m_platform.message(message, Buttons::OkCancel, Icon::Error, 0, "Error") == Button::Ok) {
        return false;
    }
    boxEdited(b, reset); // Cancel: an emptied date box, or the length's default
    return true;
}

void StatisticsWindowModel::byInningsChosen(bool byInnings)
{
    if (battingByInnings != byInnings) {
        battingByInnings = byInnings;
        changed();
    }
}

void StatisticsWindowModel::includeHistoryTicked(bool on)
{
    includeHistory = on;
    changed();
}

void StatisticsWindowModel::firstInningsTicked(bool on)
{
    firstInningsOnly = on;
    changed();
}

void StatisticsWindowModel::webPageTicked(int index, bool on)
{
    if (index >= 0 && index < 16) {
        webPages[static_cast<std::size_t>(index)] = on;
        updateWebPageEnabled();
        changed();
    }
}

StatsRequest StatisticsWindowModel::request() const
{
    StatsRequest r;
    r.reportKind = selectedReport;
    r.reportLength = boxValue(StatsBox::ReportLength);
    if (r.reportKind == HonoursSummary) {
        r.reportLength = 100;
    }
    r.matchType = selectedMatchType;
    r.vsClub = vsVisible ? vsClubs.selectedRecord() : 0;
    r.ground = grounds.selectedRecord();
    r.grade = grades.selectedRecord();
    r.subjectClub = subjectClubs.selectedRecord();
    r.subject = subjects.selectedRecord();
    r.rating = ratingVisible ? selectedRating : 0;
    r.listActive = listActive;
    r.firstInningsOnly = firstInningsVisible && firstInningsOnly;
    r.includeHistory = includeHistoryVisible && includeHistory;
    r.dateFrom = DateKey(box(StatsBox::DateFrom));
    r.dateTo = DateKey(box(StatsBox::DateTo));
    r.battingMinInnings = boxValue(StatsBox::BattingMinInnings);
    r.battingMinRuns = boxValue(StatsBox::BattingMinRuns);
    r.battingByInnings = battingByInnings;
    r.bowlingMinWickets = boxValue(StatsBox::BowlingMinWickets);
    r.bowlingMinOvers = boxValue(StatsBox::BowlingMinOvers);
    r.allRoundMinRuns = boxValue(StatsBox::AllRoundMinRuns);
    r.allRoundMinWickets = boxValue(StatsBox::AllRoundMinWickets);
    r.chartLength = boxValue(StatsBox::ChartLength);
    r.showStrikeRates = webPages[WebStrikeRates];
    r.showDucks = webPages[WebShowDucks];
    auto chosenName = [](const EntryChoice& c) {
        return c.selectedRecord() != 0 ? c.entries[static_cast<std::size_t>(c.selected)].text : std::string();
    };
    r.gradeName = chosenName(grades);
    r.teamName = r.reportKind != CompleteStats ? chosenName(subjects) : std::string();
    r.subjectClubName = chosenName(subjectClubs);
    r.vsClubName = r.vsClub != 0 ? chosenName(vsClubs) : std::string();
    r.groundName = chosenName(grounds);
    if (r.reportKind == CompleteStats) {
        r.subject = 0; // the player is read by the complete statistics themselves
        r.player = subjects.selectedRecord();
    }
    return r;
}

void StatisticsWindowModel::setProgress(int percent)
{
    progress = percent;
    if (onProgress) {
        onProgress(percent);
    }
}

void StatisticsWindowModel::generateClicked()
{
    if (!reportAvailable(selectedReport)) {
        m_platform.message(kNotAvailableMessage, Buttons::Ok, Icon::Information);
        return;
    }
    // The boxes are checked as on leaving them, so a value typed without leaving its box is
    // never used unchecked; an emptied date box is allowed (it was emptied on purpose).
    for (const StatsBox b : {StatsBox::DateFrom, StatsBox::DateTo}) {
        if (!box(b).empty() && !validDate(box(b))) {
            boxLeft(b);
            return;
        }
    }
    if (reportLengthVisible && !boxLeft(StatsBox::ReportLength)) {
        return;
    }
    const StatsRequest r = request();
    if (reportLengthVisible && (r.reportLength < 5 || r.reportLength > 3000)) {
        return;
    }
    if (r.reportKind == GenerateWebPages) {
        if (!generateSite) {
            m_platform.message(kNotAvailableMessage, Buttons::Ok, Icon::Information);
            return;
        }
        generateSite(*this);
        return;
    }
    if (r.reportKind == PointsScores) {
        // The first eight weights, the running total rounded after each addition: weights that
        // round away to nothing are no points system.
        double total = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            total = RoundHalfEven(total + m_app.header.options.individualPoints[i]);
        }
        if (total == 0) {
            m_platform.message(kNoSetupMessage, Buttons::Ok, Icon::Error);
            return;
        }
    }
    if (r.reportKind == CompleteStats && r.player <= 0) {
        m_platform.message(kSelectPlayerMessage, Buttons::Ok, Icon::Error);
        return;
    }
    if (r.reportKind == CompetitionPoints && r.grade == 0) {
        m_platform.message(kSelectGradeMessage, Buttons::Ok, Icon::Error);
        return;
    }
    ReportText text;
    // The pictures of the saved page's head: none, but a player's own on his sheet.
    web::PageImages images;
    {
        BusyPointer busy(m_platform);
        try {
            const WorkingSet ws(m_app);
            const ProgressFn onProgressed = [this](int percent) { setProgress(percent); };
            if (r.reportKind == CompleteStats) {
                CompleteStatistics sheet = ProcessINN(ws, r, onProgressed);
                text = std::move(sheet.text);
                images = std::move(sheet.pageImages);
            } else {
                text = ProduceReport(ws, r, onProgressed);
            }
        } catch (const StorageError& e) {
            setProgress(0);
            m_platform.message(e.what(), Buttons::Ok, Icon::Error);
            return;
        }
    }
    setProgress(0);
    web::WebContext web(m_app.header.options);
    web.pageImages = std::move(images);
    ReportWindowModel window(m_platform, web);
    window.report = std::move(text);
    m_platform.showModal(window);
}

std::optional<ChartDocument> StatisticsWindowModel::buildChart(ChartKind kind)
{
    const std::int32_t player = subjects.selectedRecord();
    if (selectedReport != CompleteStats || player <= 0) {
        m_platform.message(kSelectPlayerMessage, Buttons::Ok, Icon::Error);
        return std::nullopt;
    }
    // The boxes the chart reads are checked as on leaving them, as "Generate!" does.
    for (const StatsBox b : {StatsBox::DateFrom, StatsBox::DateTo}) {
        if (!box(b).empty() && !validDate(box(b))) {
            boxLeft(b);
            return std::nullopt;
        }
    }
    if (!boxLeft(StatsBox::ChartLength)) {
        return std::nullopt;
    }
    std::optional<ChartDocument> chart;
    std::string error;
    {
        BusyPointer busy(m_platform);
        try {
            const WorkingSet ws(m_app);
            chart = BuildPlayerChart(ws, request(), player, kind, chartBowling);
        } catch (const StorageError& e) {
            error = e.what();
        }
    }
    if (!error.empty()) {
        m_platform.message(error, Buttons::Ok, Icon::Error);
    }
    return chart;
}

void StatisticsWindowModel::showChart(ChartKind kind)
{
    std::optional<ChartDocument> chart = buildChart(kind);
    if (chart) {
        ChartWindowModel window(m_platform, std::move(*chart));
        m_platform.showModal(window);
    }
}

void StatisticsWindowModel::helpClicked()
{
    m_platform.showHelp(kStatisticsHelp);
}

void StatisticsWindowModel::closeClicked()
{
    DatabaseOptions& o = m_app.header.options;
    const DatabaseOptions before = o;
    o.includeHistory = includeHistory ? 1 : 0;
    o.firstInningsOnly = firstInningsOnly ? 1 : 0;
    o.statsDateFrom.assign(box(StatsBox::DateFrom));
    o.statsDateTo.assign(box(StatsBox::DateTo));
    o.bowlingQualifyOvers = storedValue(box(StatsBox::BowlingMinOvers));
    o.reportLength = storedValue(box(StatsBox::ReportLength));
    o.battingQualifyInnings = storedValue(box(StatsBox::BattingMinInnings));
    o.battingQualifyRuns = storedValue(box(StatsBox::BattingMinRuns));
    o.bowlingQualifyWickets = storedValue(box(StatsBox::BowlingMinWickets));
    o.chartLength = storedValue(box(StatsBox::ChartLength));
    o.allRoundQualifyWickets = storedValue(box(StatsBox::AllRoundMinWickets));
    o.allRoundQualifyRuns = storedValue(box(StatsBox::AllRoundMinRuns));
    o.battingQualifyByInnings = battingByInnings ? 255 : 0;
    std::uint8_t flags1 = 0, flags2 = 0;
    for (int i = 0; i < 16; ++i) {
        if (!webPages[static_cast<std::size_t>(i)]) {
            (i < 8 ? flags1 : flags2) |= static_cast<std::uint8_t>(1U << (i % 8));
        }
    }
    o.webPageFlags1 = flags1;
    o.webPageFlags2 = flags2;
    if (!(o == before)) {
        changed();
    }
    closed = true;
}

} // namespace wickly::stats
