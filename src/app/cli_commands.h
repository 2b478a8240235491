#pragma once
// wickly-cli: the commands that need no windows, taking their arguments and streams so that the
// tests run them in process.

#include <iosfwd>
#include <string>
#include <vector>

namespace wickly::cli {

// Runs the tool with `args` (without the program name). Returns the exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace wickly::cli
