#include "fixed_text.h"

namespace wickly {

namespace {
bool isBlankByte(char c)
{
    return c == ' ' || c == '\0';
}
} // namespace

std::string rtrimBlanks(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && isBlankByte(s[n - 1])) {
        --n;
    }
    return std::string(s.substr(0, n));
}

std::string ltrimBlanks(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && isBlankByte(s[i])) {
        ++i;
    }
    return std::string(s.substr(i));
}

bool isBlankText(std::string_view s)
{
    for (char c : s) {
        if (!isBlankByte(c)) {
            return false;
        }
    }
    return true;
}

} // namespace wickly
