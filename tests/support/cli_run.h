#pragma once
// Runs wickly-cli in process, as the shell would, and keeps what it printed.

#include "cli_commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace wickly::test {

struct ToolOutcome
{
    int code = -1;
    std::string out;
    std::string err;
};

inline ToolOutcome runTool(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    ToolOutcome o;
    o.code = cli::run(args, out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

} // namespace wickly::test
