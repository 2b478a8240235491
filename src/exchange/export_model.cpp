#include "export_model.h"

#include "app_state.h"
#include "file_io.h"
#include "lookups.h"
#include "match_file.h"
#include "name_kind.h"
#include "working_set.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace wickly::exchange {

ExportModel::ExportModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
    paint();
}

std::string ExportModel::entryText(const WorkingSet& ws, std::int32_t record, const MatchRecord& m)
{
    const std::string date = m.datePlayed.raw();
    char number[16];
    std::snprintf(number, sizeof number, "%04d", static_cast<int>(record));
    const int days = m.matchType == FourDayMatch ? 4 : m.matchType == FiveDayMatch ? 5 : m.matchType;
    const std::string text = date.substr(6, 4) + "-" + date.substr(3, 2) + "-" + date.substr(0, 2) + " " + number +
                             " " + std::to_string(days) + "d " + RecordName(ws, TeamName, m.team1) + " Vs " +
                             RecordName(ws, TeamName, m.team2);
    return rtrimBlanks(text);
}

void ExportModel::paint()
{
    entries.clear();
    selection.clear();
    try {
        const WorkingSet ws(m_app);
        for (std::int32_t i = 1; i <= ws.count(RecordKind::Match); ++i) {
            const MatchRecord m = ws.read<MatchRecord>(i);
            if (IsLiveMatch(m)) {
                entries.push_back({entryText(ws, i, m), i});
            }
        }
    } catch (const StorageError& e) {
        m_platform.message(std::string("The matches could not be read. ") + e.what(), Buttons::Ok, Icon::Error);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ExportEntry& a, const ExportEntry& b) { return a.text < b.text; });
}

void ExportModel::selectionChanged(std::vector<int> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::erase_if(indices, [&](int i) { return i < 0 || i >= static_cast<int>(entries.size()); });
    selection = std::move(indices);
}

std::vector<std::int32_t> ExportModel::chosenMatches()
{
    std::vector<std::int32_t> matches;
    for (const int i : selection) {
        matches.push_back(entries[static_cast<std::size_t>(i)].match);
    }
    if (matches.empty()) {
        m_platform.message("Select matches to export from the list", Buttons::Ok, Icon::Error);
    }
    return matches;
}

bool ExportModel::writeFile(const std::vector<std::int32_t>& matches, const std::string& path)
{
    std::string text;
    Status written = Ok{};
    {
        BusyPointer busy(m_platform);
        try {
            text = WriteMatchFile(WorkingSet(m_app), matches);
        } catch (const StorageError& e) {
            written = Error{std::string("The matches could not be read. ") + e.what()};
        }
        if (written) {
            written = writeFileAtomically(
                path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
            if (!written) {
                written = Error{"The file \"" + path + "\" could not be written: " + written.message()};
            }
        }
    }
    if (!written) {
        m_platform.message(written.message(), Buttons::Ok, Icon::Error);
    }
    return written.ok();
}

void ExportModel::exportClicked()
{
    const std::vector<std::int32_t> matches = chosenMatches();
    if (matches.empty()) {
        return;
    }
    FileDialogRequest request;
    request.title = "Export";
    request.filter = "Match Files (*.MXP)|*.mxp|All Files (*.*)|*.*";
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_platform.saveFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    std::string path = *chosen;
    // Only the file's own name decides whether it has an extension, not a dot in a folder name.
    if (std::filesystem::path(path).filename().string().find('.') == std::string::npos) {
        path += ".mxp";
        // The dialog asked about the name as typed; the name with ".mxp" may be another file.
        if (std::filesystem::exists(path) &&
            m_platform.message("The file \"" + path + "\" already exists. Replace it?", Buttons::YesNo,
                               Icon::Question, 1) != Button::Yes) {
            return;
        }
    }
    if (writeFile(matches, path)) {
        m_platform.message(std::to_string(matches.size()) + " matches exported successfully", Buttons::Ok,
                           Icon::Information);
    }
    paint();
}

void ExportModel::emailClicked()
{
    const std::vector<std::int32_t> matches = chosenMatches();
    if (matches.empty()) {
        return;
    }
    const std::string path = m_app.startupFolder + "/" + kMailAttachmentName;
    if (!writeFile(matches, path)) {
        paint();
        return;
    }
    std::optional<int> exitCode;
    {
        BusyPointer busy(m_platform);
        exitCode =
            m_platform.runProgram(kMailProgram, {"--subject", kMailSubject, "--body", kMailBody, "--attach", path});
    }
    if (!exitCode || *exitCode != 0) {
        // The mail program is missing or failed: the file stays, so it can be attached by hand.
        m_platform.message(kMailFailure, Buttons::Ok, Icon::Error);
    } else {
        m_platform.message(std::to_string(matches.size()) + " matches sent", Buttons::Ok, Icon::Information);
    }
    paint();
}

void ExportModel::helpClicked()
{
    m_platform.showHelp(kHelpMatchExport);
}

} // namespace wickly::exchange
