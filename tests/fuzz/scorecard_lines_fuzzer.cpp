// libFuzzer target: the scorecard text import reads any text, line by line, as batting lines and
// as bowling figures without crashing, and a line it takes always names its player.

#include "scorecard_import_model.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (const auto batting = wickly::exchange::parseBattingLine(line); batting && batting->batsman.empty()) {
            std::abort();
        }
        if (const auto bowling = wickly::exchange::parseBowlingLine(line); bowling && bowling->bowler.empty()) {
            std::abort();
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return 0;
}
