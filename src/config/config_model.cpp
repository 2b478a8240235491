#include "config_model.h"

#include "file_io.h"

#include "app_state.h"
#include "fixed_text.h"
#include "formats.h"
#include "records.h"
#include "text_encoding.h"
#include "working_set.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace wickly::config {

namespace {

// Colours of the preview's fixed backgrounds and of the banner text (0x00BBGGRR), as the
// generated pages use them.
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kTableHeadingBack = 0x0001CCFF;
constexpr std::uint32_t kLightRowBack = 0x00CCFFFF;
constexpr std::uint32_t kDarkRowBack = 0x0099FFFF;

constexpr const char* kEmailWarning = "The Author Email field should be in the form of name@ispname";

std::string trimBoth(const std::string& s)
{
    return rtrimBlanks(ltrimBlanks(s));
}

// The number typed in a whole-number field, or nothing when it lies outside [lo, hi] once rounded.
std::optional<long long> wholeNumber(const std::string& text, long long lo, long long hi)
{
    const double v = FormNumber(text);
    if (!(v >= static_cast<double>(lo) && v <= static_cast<double>(hi))) {
        return std::nullopt;
    }
    return static_cast<long long>(v);
}

// Replaces a stored text only when its control was edited, so that untouched fields keep their
// bytes (a never-assigned field keeps its zero bytes). Assignment cuts at the field width.
template <std::size_t N> void storeText(FixedText<N>& field, const std::string& shown, const std::string& now)
{
    if (now != shown) {
        field.assign(now);
    }
}

std::vector<std::string> words(const std::string& commandLine)
{
    std::istringstream in(commandLine);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

} // namespace

std::string storedCopyright(const std::string& shown)
{
    std::string out;
    for (char c : shown) {
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string shownCopyright(const std::string& stored)
{
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(stored[i]);
        }
    }
    return out;
}

ConfigModel::ConfigModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
    const DatabaseOptions& o = m_app.header.options;
    values.databaseTitle = o.databaseTitle.str();

    for (int n = kFewestPerTeam; n <= kMostPerTeam; ++n) {
        teamSizeEntries.push_back(std::to_string(n));
    }
    // A stored count outside the list (a damaged or converted file) leaves the list without a
    // choice; OK then keeps the stored count rather than writing a value nobody chose.
    const auto sizeIndex = [](std::int16_t v) {
        return v >= kFewestPerTeam && v <= kMostPerTeam ? v - kFewestPerTeam : -1;
    };
    values.batsmenIndex = sizeIndex(o.batsmenPerTeam);
    values.bowlersIndex = sizeIndex(o.bowlersPerTeam);

    values.runsPerNoBall = std::to_string(o.runsPerNoBall);
    values.runsPerWide = std::to_string(o.runsPerWide);
    values.ballsPerOver = std::to_string(o.ballsPerOver);
    values.seasonTwoYears = o.seasonTwoYears != 0;
    values.bowlingRunsFirst = o.bowlingRunsFirst != 0;
    values.includeBallsFaced = o.scorecardBallsFaced == 1;
    values.includeFoursSixes = o.scorecardFoursSixes == 1;

    for (int i = 0; i < kCompetitionPointCount; ++i) {
        values.competitionPoints[i] = SingleText(static_cast<float>(o.competitionPoints[i] / 10.0));
    }
    for (int i = 0; i < kIndividualPointCount; ++i) {
        values.individualPoints[i] = SingleText(o.individualPoints[i]);
    }

    values.filePrefix = o.webFilePrefix.str();
    values.authorName = o.webAuthorName.str();
    values.authorEmail = o.webAuthorEmail.str();
    values.homeUrl = o.webHomeUrl.str();
    values.copyrightText = shownCopyright(o.webCopyrightText.str());
    values.headerFile = o.webHeaderFile.str();
    values.backgroundUrl = o.webBackgroundUrl.str();
    values.colours = {o.webForeColour, o.webBackColour, o.webLinkColour, o.webSelectedLinkColour};
    values.chartSizeLarge = o.chartSizeLarge != 0;

    showTips = showTipsAtStartup(m_platform);
    for (const char* name : {"VISUAL", "EDITOR"}) {
        if (const char* v = std::getenv(name); v != nullptr && !isBlankText(v)) {
            fallbackEditors.emplace_back(v);
        }
    }

    fillClubs();
    m_shown = values;
}

void ConfigModel::fillClubs()
{
    allowPlayersEntries = {{".all clubs.", 0}};
    try {
        const WorkingSet ws(m_app);
        const std::int32_t count = ws.count(RecordKind::Club);
        for (std::int32_t n = 1; n <= count; ++n) {
            const ClubRecord club = ws.read<ClubRecord>(n);
            if (club.name.str() == DELETED_MARK) {
                continue;
            }
            allowPlayersEntries.push_back({club.name.str() + " only", static_cast<std::int16_t>(n)});
        }
    } catch (const StorageError& e) {
        allowPlayersEntries.resize(1);
        allowPlayersEnabled = false;
        m_platform.message(std::string("The list of clubs could not be read, so \"Allow Players for\" cannot be "
                                       "changed now.\n\n") +
                               e.what(),
                           Buttons::Ok, Icon::Error);
    }
    // The stored club is chosen wherever it stands in the list: its record number is not its
    // position once clubs before it have been deleted. A club that is no longer listed (deleted)
    // shows ".all clubs.", which OK then stores.
    values.allowPlayersIndex = 0;
    const std::int16_t stored = m_app.header.options.allowPlayersClub;
    for (std::size_t i = 1; i < allowPlayersEntries.size(); ++i) {
        if (stored > 0 && allowPlayersEntries[i].club == stored) {
            values.allowPlayersIndex = static_cast<int>(i);
        }
    }
}

bool ConfigModel::editHeaderFileEnabled() const
{
    return !isBlankText(values.headerFile);
}

std::uint32_t ConfigModel::previewBackground() const
{
    return values.colours[BackColour];
}

std::vector<PreviewSample> ConfigModel::previewSamples() const
{
    const std::uint32_t fore = values.colours[ForeColour];
    return {
        {" Heading", kWhite, fore, true, false},
        {" Table Heading", fore, kTableHeadingBack, true, false},
        {" Table Text", fore, kLightRowBack, false, false},
        {" Table Text", fore, kDarkRowBack, false, false},
        {" Linked Table Text ", values.colours[LinkColour], kLightRowBack, false, true},
        {" Selected Link Table Text ", values.colours[SelectedLinkColour], kDarkRowBack, false, true},
        {" Footer text", fore, values.colours[BackColour], false, false},
    };
}

void ConfigModel::tabChosen(int page)
{
    if (page >= 0 && page < kConfigPageCount) {
        currentPage = page;
    }
}

void ConfigModel::showTipsClicked(bool checked)
{
    showTips = checked;
    setShowTipsAtStartup(m_platform, checked);
}

bool ConfigModel::copyrightEdited(const std::string& text)
{
    // Each line break is stored as CR LF, two of the field's characters; a break is never split.
    std::string kept;
    std::size_t storedLength = 0;
    for (char c : text) {
        if (c == '\r') {
            continue;
        }
        const std::size_t width = c == '\n' ? 2 : 1;
        if (storedLength + width > static_cast<std::size_t>(kCopyrightWidth)) {
            break;
        }
        storedLength += width;
        kept.push_back(c);
    }
    values.copyrightText = kept;
    return kept != text;
}

void ConfigModel::authorEmailLeft()
{
    if (values.authorEmail.find('@') == std::string::npos) {
        m_platform.message(kEmailWarning, Buttons::Ok, Icon::Warning);
    }
}

void ConfigModel::browseHeaderFileClicked()
{
    FileDialogRequest request;
    request.title = "Header File";
    request.filter = "HTML Files (*.htm *.html)|*.htm *.html|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    // The stored name is record text (Windows-1252); the dialog deals in file-system names.
    request.initialName = cp1252ToUtf8(rtrimBlanks(values.headerFile));
    const std::optional<std::string> chosenPath = m_platform.openFileDialog(request);
    if (!chosenPath || chosenPath->empty()) {
        return;
    }
    const std::optional<std::string> chosen = utf8ToCp1252(*chosenPath);
    if (!chosen) {
        m_platform.message("The path of the file cannot be stored as the Header File: it holds letters the database "
                           "cannot keep. Move the file to a folder whose name has none and choose it again.",
                           Buttons::Ok, Icon::Error);
        return;
    }
    // A longer path would be cut when stored and then name a file that does not exist.
    if (chosen->size() > static_cast<std::size_t>(kHeaderFileWidth)) {
        m_platform.message("The path of the file \"" + *chosen + "\" is longer than " +
                               std::to_string(kHeaderFileWidth) +
                               " characters and cannot be stored as the Header File. Move the file to a folder "
                               "with a shorter path and choose it again.",
                           Buttons::Ok, Icon::Error);
        return;
    }
    values.headerFile = *chosen;
}

bool ConfigModel::startEditor(const std::string& path)
{
    // A text editor of the desktop first: xdg-open would show an HTML header file in the browser.
    const char* pathVariable = std::getenv("PATH");
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma",
                               "featherpad", "leafpad", "geany"}) {
        const std::string found = findOnPath(editor, pathVariable != nullptr ? pathVariable : "");
        if (!found.empty() && m_platform.startProgram(found, {path})) {
            return true;
        }
    }
    if (m_platform.startProgram("xdg-open", {path})) {
        return true;
    }
    for (const std::string& commandLine : fallbackEditors) {
        std::vector<std::string> command = words(commandLine);
        if (command.empty()) {
            continue;
        }
        const std::string program = command.front();
        command.erase(command.begin());
        command.push_back(path);
        if (m_platform.startProgram(program, command)) {
            return true;
        }
    }
    return false;
}

void ConfigModel::editHeaderFileClicked()
{
    if (!editHeaderFileEnabled()) {
        return;
    }
    const std::string path = rtrimBlanks(values.headerFile);
    std::error_code ec;
    const std::filesystem::path file(cp1252ToUtf8(path));
    if (std::filesystem::is_directory(file, ec)) {
        m_platform.message("\"" + path + "\" is a folder. Choose a file as the Header File.", Buttons::Ok, Icon::Error);
        return;
    }
    if (!std::filesystem::exists(file, ec) && !ec) {
        // The desktop's opener cannot open a file that is not there; offer to start a new one.
        if (m_platform.message("The Header File \"" + path + "\" does not exist. Do you want to create it?",
                               Buttons::YesNo, Icon::None) != Button::Yes) {
            return;
        }
        std::ofstream created(file, std::ios::binary);
        if (!created) {
            m_platform.message("The Header File \"" + path + "\" could not be created.", Buttons::Ok, Icon::Error);
            return;
        }
    }
    if (!startEditor(file.string())) {
        m_platform.message("No text editor could be started to edit \"" + path +
                               "\".\n\nWickly opens the file with the desktop's default program (xdg-open), or "
                               "with the editor named in the VISUAL or EDITOR environment variable.",
                           Buttons::Ok, Icon::Error);
    }
}

void ConfigModel::changeColourClicked(int colour)
{
    if (colour < 0 || colour >= kWebColourCount) {
        return;
    }
    std::uint32_t& swatch = values.colours[static_cast<std::size_t>(colour)];
    if (const std::optional<std::uint32_t> chosen = m_platform.chooseColour(swatch)) {
        swatch = *chosen & 0x00FFFFFFu;
    }
}

void ConfigModel::helpClicked()
{
    m_platform.showHelp(kConfigHelpContext);
}

bool ConfigModel::refuse(ConfigField field, int index, int page, const std::string& message)
{
    m_platform.message(message, Buttons::Ok, Icon::Error);
    focusField = field;
    focusIndex = index;
    currentPage = page;
    return false;
}

bool ConfigModel::okClicked()
{
    focusField = ConfigField::None;
    DatabaseOptions o = m_app.header.options;

    // ---- User and Database
    if (values.databaseTitle != m_shown.databaseTitle) {
        const std::string title = trimBoth(values.databaseTitle);
        // A blank title is how the program recognises that no database is loaded: a database
        // saved with one would not open as a database again.
        if (title.empty()) {
            return refuse(ConfigField::DatabaseTitle, 0, PageUserAndDatabase, "The Database Title cannot be blank.");
        }
        o.databaseTitle.assign(title);
    }
    if (allowPlayersEnabled && values.allowPlayersIndex >= 0 &&
        static_cast<std::size_t>(values.allowPlayersIndex) < allowPlayersEntries.size()) {
        o.allowPlayersClub = allowPlayersEntries[static_cast<std::size_t>(values.allowPlayersIndex)].club;
    }
    const auto storeTeamSize = [](std::int16_t& field, int index, int shownIndex) {
        if (index != shownIndex && index >= 0 && index <= kMostPerTeam - kFewestPerTeam) {
            field = static_cast<std::int16_t>(kFewestPerTeam + index);
        }
    };
    storeTeamSize(o.batsmenPerTeam, values.batsmenIndex, m_shown.batsmenIndex);
    storeTeamSize(o.bowlersPerTeam, values.bowlersIndex, m_shown.bowlersIndex);

    if (values.runsPerNoBall != m_shown.runsPerNoBall) {
        const auto v = wholeNumber(values.runsPerNoBall, INT16_MIN, INT16_MAX);
        if (!v) {
            return refuse(ConfigField::RunsPerNoBall, 0, PageUserAndDatabase,
                          "Runs per No Ball must be between -32768 and 32767.");
        }
        o.runsPerNoBall = static_cast<std::int16_t>(*v);
    }
    if (values.runsPerWide != m_shown.runsPerWide) {
        const auto v = wholeNumber(values.runsPerWide, 0, 255);
        if (!v) {
            return refuse(ConfigField::RunsPerWide, 0, PageUserAndDatabase, "Runs per Wide must be between 0 and 255.");
        }
        o.runsPerWide = static_cast<std::uint8_t>(*v);
    }
    if (values.ballsPerOver != m_shown.ballsPerOver) {
        // An over of no balls would break all overs arithmetic, so 0 is refused with the rest.
        const auto v = wholeNumber(values.ballsPerOver, 1, 255);
        if (!v) {
            return refuse(ConfigField::BallsPerOver, 0, PageUserAndDatabase,
                          "Balls Per Over must be between 1 and 255.");
        }
        o.ballsPerOver = static_cast<std::uint8_t>(*v);
    }
    // Option buttons write -1 for true; a stored flag whose sense did not change keeps its value.
    if (values.seasonTwoYears != m_shown.seasonTwoYears) {
        o.seasonTwoYears = values.seasonTwoYears ? -1 : 0;
    }
    if (values.bowlingRunsFirst != m_shown.bowlingRunsFirst) {
        o.bowlingRunsFirst = values.bowlingRunsFirst ? -1 : 0;
    }
    if (values.includeBallsFaced != m_shown.includeBallsFaced) {
        o.scorecardBallsFaced = values.includeBallsFaced ? 1 : 0;
    }
    if (values.includeFoursSixes != m_shown.includeFoursSixes) {
        o.scorecardFoursSixes = values.includeFoursSixes ? 1 : 0;
    }

    // ---- Points
    for (int i = 0; i < kCompetitionPointCount; ++i) {
        const std::string& text = values.competitionPoints[i];
        if (text == m_shown.competitionPoints[i]) {
            continue;
        }
        // Stored in tenths of a point, rounded with halves to even (2.25 -> 22).
        const double tenths = RoundHalfEven(ValText(text) * 10.0);
        if (!(tenths >= INT16_MIN && tenths <= INT16_MAX)) {
            return refuse(ConfigField::CompetitionPoint, i, PagePoints,
                          std::string("The Competition Points for \"") + kCompetitionPointLabels[i] +
                              "\" must be between -3276.8 and 3276.7.");
        }
        o.competitionPoints[i] = static_cast<std::int16_t>(tenths);
    }
    for (int i = 0; i < kIndividualPointCount; ++i) {
        const std::string& text = values.individualPoints[i];
        if (text == m_shown.individualPoints[i]) {
            continue; // keeps the stored value exactly, whatever digits the box showed
        }
        const double v = ValText(text);
        if (!(std::fabs(v) <= static_cast<double>(FLT_MAX))) {
            return refuse(ConfigField::IndividualPoint, i, PagePoints,
                          std::string("The Individual Points for \"") + kIndividualPointLabels[i] +
                              "\" are too large to be stored.");
        }
        o.individualPoints[i] = static_cast<float>(v);
    }

    // ---- HTML
    storeText(o.webFilePrefix, m_shown.filePrefix, values.filePrefix);
    storeText(o.webAuthorName, m_shown.authorName, values.authorName);
    storeText(o.webAuthorEmail, m_shown.authorEmail, values.authorEmail);
    storeText(o.webHomeUrl, m_shown.homeUrl, values.homeUrl);
    if (values.copyrightText != m_shown.copyrightText) {
        o.webCopyrightText.assign(storedCopyright(values.copyrightText));
    }
    storeText(o.webHeaderFile, m_shown.headerFile, values.headerFile);
    storeText(o.webBackgroundUrl, m_shown.backgroundUrl, values.backgroundUrl);
    o.webForeColour = values.colours[ForeColour];
    o.webBackColour = values.colours[BackColour];
    o.webLinkColour = values.colours[LinkColour];
    o.webSelectedLinkColour = values.colours[SelectedLinkColour];
    if (values.chartSizeLarge != m_shown.chartSizeLarge) {
        o.chartSizeLarge = values.chartSizeLarge ? 255 : 0;
    }

    if (!(o == m_app.header.options)) {
        m_app.header.options = o;
        m_app.databaseChanged = true;
    }
    closed = true;
    accepted = true;
    return true;
}

void ConfigModel::cancelClicked()
{
    closed = true;
    accepted = false;
}

} // namespace wickly::config
