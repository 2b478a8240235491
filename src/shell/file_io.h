#pragma once
// Whole-file reads and safe whole-file writes, shared by the container, the command-line tool and
// the writers of generated files.

#include "result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wickly {

// The whole file; the error message is the system's reason ("No such file or directory").
Result<std::vector<std::uint8_t>> readFileBytes(const std::string& path);

// Writes all bytes to `path` so that it is either the old file or the complete new one:
// - a symbolic link is followed and its target is written; the link stays;
// - the bytes go to a new temporary file beside the target ("~wkdXXXXXX.tmp": short and of fixed
//   length, so it fits any folder whatever the target's name), which is flushed to disk and
//   renamed over the target, taking the old file's mode, owner and group where the system
//   permits;
// - a file with other hard links is updated in place once the temporary file is complete (space
//   is reserved first), so that its other names see the new bytes;
// - an existing file without any write permission bit is refused for every user, root included.
// The error message is the system's reason or names the refusal.
struct WriteOptions
{
    // Temporary files that an interrupted write left in the target's folder are removed first.
    bool removeStrays = false;
    // The write returns once the bytes and the rename are on disk. Files that are made again
    // from the database (web pages) leave that to the system: a few thousand of them would
    // otherwise wait for the disk a few thousand times. They are still replaced whole.
    bool flush = true;
};
Status writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, WriteOptions options = {});

// Removes the temporary files of interrupted writes ("~wkdXXXXXX.tmp") from `folder`, passing by
// any that a write in progress still holds.
void removeStraySaveFiles(const std::string& folder);

// The full path of `program` in the folders of a PATH-style text ("/usr/bin:/bin"), or empty.
std::string findOnPath(const std::string& program, const std::string& pathVariable);

} // namespace wickly
