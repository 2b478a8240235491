#include "formats.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace wickly {

namespace {

constexpr const char* kNoFit = "######";

bool isValBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the leading number of a text that has no blanks left in it. Builds a plain
// "digits.digitsEexponent" text and converts it with from_chars, which ignores the locale
// (the desktop shell runs under the user's locale, where the decimal point may be a comma).
double parseCompact(const std::string& s)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    std::string intDigits;
    while (i < s.size() && isDigit(s[i])) {
        intDigits.push_back(s[i++]);
    }
    std::string fracDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            fracDigits.push_back(s[i++]);
        }
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return 0.0;
    }

    // The exponent only counts when at least one digit follows the letter (and its sign), so
    // "2.6d" is 2.6. The exponent saturates far beyond any double's range.
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            constexpr long long kExponentCap = 1'000'000'000;
            while (j < s.size() && isDigit(s[j])) {
                exponent = std::min(kExponentCap, exponent * 10 + (s[j] - '0'));
                ++j;
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
        }
    }

    std::string plain = intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty()) {
        plain += '.';
        plain += fracDigits;
    }
    if (exponent != 0) {
        plain += 'e';
        plain += std::to_string(exponent);
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: tell which from the position of the first
        // significant digit.
        const std::size_t firstInt = intDigits.find_first_not_of('0');
        long long magnitude = 0;
        if (firstInt != std::string::npos) {
            magnitude = static_cast<long long>(intDigits.size() - firstInt) - 1;
        } else {
            const std::size_t firstFrac = fracDigits.find_first_not_of('0');
            magnitude = firstFrac == std::string::npos ? std::numeric_limits<long long>::min() / 2
                                                       : -static_cast<long long>(firstFrac) - 1;
        }
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string trimLeadingSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string twoDigits(unsigned v)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02u", v % 100);
    return buffer;
}

} // namespace

double ValText(std::string_view text)
{
    // Years, dates and record numbers are plain digits, read for every match of a report:
    // those are read here without building texts. Up to 15 digits the value is a whole number
    // a double holds exactly, which is what the full conversion gives.
    if (!text.empty() && text.size() <= 15 && std::all_of(text.begin(), text.end(), isDigit)) {
        std::int64_t value = 0;
        for (const char c : text) {
            value = value * 10 + (c - '0');
        }
        return static_cast<double>(value);
    }
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isValBlank(c)) {
            compact.push_back(c);
        }
    }
    return parseCompact(compact);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.push_back(current);
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) {
        lines.push_back(current);
    }
    return lines;
}

double RoundHalfEven(double v)
{
    if (!std::isfinite(v)) {
        return v;
    }
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

double FormNumber(std::string_view text)
{
    return RoundHalfEven(ValText(text));
}

std::string NumText(long long v)
{
    return (v >= 0 ? " " : "") + std::to_string(v);
}

std::string SingleText(float v)
{
    if (std::isnan(v)) {
        return "NaN";
    }
    if (std::isinf(v)) {
        return v > 0 ? "Inf" : "-Inf";
    }
    if (v == 0.0f) {
        return "0"; // also for -0
    }
    // "%.7g" on the exact value: seven significant digits, trailing zeros and a bare point
    // dropped, exponent form for very large and very small magnitudes.
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v),
                                         std::chars_format::general, 7);
    (void)ec;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    } else if (text.starts_with("-0.")) {
        text.erase(1, 1);
    }
    return text;
}

std::string SingleNumText(float v)
{
    const std::string text = SingleText(v);
    return (v >= 0.0f ? " " : "") + text;
}

std::string FitText(std::string_view text, int width)
{
    if (width <= 0) {
        return {};
    }
    std::string result = trimLeadingSpaces(text) == "0" ? std::string(" -") : std::string(text);
    result.resize(static_cast<std::size_t>(width), ' '); // pads or cuts
    return result;
}

std::string FormatAverage(float value)
{
    std::string text;
    if (!std::isfinite(value) || value > 999.0f) {
        text = kNoFit;
    } else {
        // The tests are made on the exact float value; in double the products by 10 and 100 are
        // exact, so a value just under a hundredth is not mistaken for a whole one.
        const double exact = value;
        text = SingleText(value);
        if (std::floor(exact * 100.0) == 100.0 * std::floor(exact)) {
            text += ".00";
        } else if (RoundHalfEven(exact * 10.0) * 10.0 == RoundHalfEven(exact * 100.0)) {
            text += "0";
        }
        if (value < 1.0f && value != 0.0f) {
            text.insert(0, "0");
        }
        if (value < 10.0f) {
            text.insert(0, "  ");
        } else if (value < 100.0f) {
            text.insert(0, " ");
        }
    }
    // Lining the number up in six characters first is what cuts the decimals beyond the second.
    text.resize(std::min<std::size_t>(text.size(), 6));
    return " " + trimLeadingSpaces(text);
}

std::string FormatWicketsRuns(int wickets, int runs, bool runsFirst)
{
    const std::string w = std::to_string(wickets);
    const std::string r = std::to_string(runs);
    return " " + (runsFirst ? r + "/" + w : w + "/" + r);
}

std::string MediumDate(std::string_view date)
{
    if (date.size() != 10) {
        return kNoFit;
    }
    const double dayValue = RoundHalfEven(ValText(date.substr(0, 2)));
    const double monthValue = RoundHalfEven(ValText(date.substr(3, 2)));
    const double yearValue = RoundHalfEven(ValText(date.substr(6, 4)));
    // Four characters can still hold a huge number ("9e99"); keep everything in a range where the
    // calendar arithmetic below cannot overflow. Anything this far out is no valid date anyway.
    constexpr double kLimit = 20000.0;
    if (!(std::fabs(dayValue) <= kLimit && std::fabs(monthValue) <= kLimit && std::fabs(yearValue) <= kLimit)) {
        return kNoFit;
    }
    long long year = static_cast<long long>(yearValue);
    const long long month = static_cast<long long>(monthValue);
    const long long day = static_cast<long long>(dayValue);

    if (year >= 0 && year <= 29) {
        year += 2000;
    } else if (year >= 30 && year <= 99) {
        year += 1900;
    }

    // Months past 1..12 carry into years, days past the month's length into months (day 0 is the
    // last day of the previous month), as in counting days from the first of the month.
    const long long monthIndex = month - 1;
    const long long yearCarry = monthIndex >= 0 ? monthIndex / 12 : -((-monthIndex + 11) / 12);
    year += yearCarry;
    const auto monthOfYear = static_cast<unsigned>(monthIndex - yearCarry * 12 + 1);

    using namespace std::chrono;
    const sys_days first{std::chrono::year{static_cast<int>(year)} / std::chrono::month{monthOfYear} / 1};
    const year_month_day result{first + days{day - 1}};
    const int resultYear = static_cast<int>(result.year());
    if (resultYear < 100 || resultYear > 9999) {
        return kNoFit;
    }

    static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return twoDigits(static_cast<unsigned>(result.day())) + "-" + kMonths[static_cast<unsigned>(result.month()) - 1] +
           "-" + twoDigits(static_cast<unsigned>(resultYear));
}

} // namespace wickly
