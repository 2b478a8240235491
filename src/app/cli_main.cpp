// wickly-cli: the command-line tool. The commands are in cli_commands.cpp.

#include "cli_commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return wickly::cli::run(args, std::cout, std::cerr);
}
