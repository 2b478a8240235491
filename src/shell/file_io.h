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

// Writes all bytes to a new temporary file beside `path`, flushes it to disk and renames it over
// `path`, so that `path` is either the old file or the complete new one. An existing file that is
// read-only is not replaced. The error message is the system's reason.
Status writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The full path of `program` in the folders of a PATH-style text ("/usr/bin:/bin"), or empty.
std::string findOnPath(const std::string& program, const std::string& pathVariable);

} // namespace wickly
