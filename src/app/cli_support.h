#pragma once
// What every wickly-cli command shares: a private folder for its working files, a fresh program
// state in it, and the one-line error report.

#include "app_state.h"

#include <iosfwd>
#include <string>

namespace wickly::cli {

inline constexpr const char* kToolName = "wickly-cli";

// A folder of its own for the working files of one command, so that the tool never touches the
// working files of a desktop session in the current directory. Removed when the command ends.
class PrivateFolder
{
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Messages go out as one line each.
std::string oneLine(std::string text);

// Writes "wickly-cli: message" to `err` and returns the failure exit code, 1.
int failure(std::ostream& err, const std::string& message);

// Each command gets a fresh state whose working files live in `folder`.
AppState freshState(const PrivateFolder& folder);

} // namespace wickly::cli
