#include "formats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace wickly {
namespace {

struct TextToNumber
{
    std::string_view text;
    double expected;
};

TEST(ValText, ReadsTheLeadingNumberAndStopsAtTheFirstStranger)
{
    const TextToNumber cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {"12", 12.0},
        {" 12abc", 12.0},
        {"-3.5", -3.5},
        {"+7", 7.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"1.2.3", 1.2},
        {"12-3", 12.0},
        {"007", 7.0},
        {"1e3", 1000.0},
        {"1E-2", 0.01},
        {"1D2", 100.0},
        {"2.5d+1", 25.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(ValText(c.text), c.expected);
    }
}

TEST(ValText, TakesAnExponentLetterOnlyWhenDigitsFollow)
{
    const TextToNumber cases[] = {
        {"2.6d", 2.6}, {"2.6D", 2.6}, {"1e", 1.0}, {"1e+", 1.0}, {"1e-x", 1.0}, {"4Ex", 4.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(ValText(c.text), c.expected);
    }
}

TEST(ValText, SkipsBlanksTabsAndLineBreaksAnywhere)
{
    const TextToNumber cases[] = {
        {"1 2", 12.0}, {"- 3", -3.0}, {"\t4\r\n", 4.0}, {"1 . 5", 1.5}, {"1 e 2", 100.0}, {"1e - 2", 0.01},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(ValText(c.text), c.expected);
    }
}

TEST(ValText, GivesInfinityOrZeroOutsideTheRangeOfADouble)
{
    EXPECT_EQ(ValText("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ValText("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ValText("1e-999"), 0.0);
    EXPECT_EQ(ValText("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(ValText, ReadsOnlyTheCharactersOfTheView)
{
    // The view ends inside a longer buffer; reading on would give 123456.
    const char buffer[] = "123456";
    EXPECT_EQ(ValText(std::string_view(buffer, 2)), 12.0);
    EXPECT_EQ(ValText(std::string_view(buffer, 0)), 0.0);
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour)
{
    const struct
    {
        double value;
        double expected;
    } cases[] = {
        {0.5, 0.0},   {1.5, 2.0},   {2.5, 2.0},   {3.5, 4.0},   {-0.5, 0.0}, {-1.5, -2.0},
        {-2.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0}, {-2.6, -3.0}, {7.0, 7.0},  {1e300, 1e300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfEven(c.value), c.expected);
    }
}

TEST(FormNumber, RoundsTheLeadingNumberOfTheText)
{
    const TextToNumber cases[] = {
        {"12abc", 12.0}, {"", 0.0}, {"x", 0.0}, {"2.5", 2.0}, {"3.5", 4.0}, {"-2.5", -2.0}, {"7.6 overs", 8.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(FormNumber(c.text), c.expected);
    }
}

TEST(NumText, PutsABlankBeforeNumbersFromZeroUp)
{
    EXPECT_EQ(NumText(12), " 12");
    EXPECT_EQ(NumText(0), " 0");
    EXPECT_EQ(NumText(-3), "-3");
    EXPECT_EQ(NumText(-9223372036854775807LL - 1), "-9223372036854775808");
}

TEST(SingleText, GivesUpToSevenSignificantDigitsWithoutPaddingZeros)
{
    const struct
    {
        float value;
        std::string_view expected;
    } cases[] = {
        {3.5f, "3.5"},
        {0.5f, ".5"},
        {-0.5f, "-.5"},
        {12.345f, "12.345"}, // stored as 12.3449997...
        {0.1f, ".1"},
        {1.0f / 3.0f, ".3333333"},
        {2.0f / 3.0f, ".6666667"},
        {7.0f, "7"},
        {100.0f, "100"},
        {120.5f, "120.5"},
        {1234567.0f, "1234567"},
        {0.0001f, ".0001"},
        {0.0f, "0"},
        {-0.0f, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SingleText(c.value), c.expected);
    }
}

TEST(SingleText, UsesExponentFormForVeryLargeAndVerySmallMagnitudes)
{
    const struct
    {
        float value;
        std::string_view expected;
    } cases[] = {
        {1e7f, "1E+07"},
        {12345678.0f, "1.234568E+07"},
        {1e-5f, "1E-05"},
        {-2.5e-10f, "-2.5E-10"},
        {3e38f, "3E+38"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SingleText(c.value), c.expected);
    }
}

TEST(SingleNumText, PutsABlankBeforeValuesFromZeroUp)
{
    EXPECT_EQ(SingleNumText(3.5f), " 3.5");
    EXPECT_EQ(SingleNumText(0.0f), " 0");
    EXPECT_EQ(SingleNumText(-0.0f), " 0");
    EXPECT_EQ(SingleNumText(-0.5f), "-.5");
}

TEST(FitText, PadsCutsAndShowsZeroAsADash)
{
    const struct
    {
        std::string_view text;
        int width;
        std::string_view expected;
    } cases[] = {
        {"10", 5, "10   "},
        {"Northern Districts", 10, "Northern D"},
        {"abcde", 5, "abcde"},
        {"", 3, "   "},
        {"0", 5, " -   "},
        {" 0", 5, " -   "},
        {"   0", 2, " -"},
        {"0", 1, " "},
        {"0", 0, ""},
        {"abc", -1, ""},
        {"00", 4, "00  "},
        {"0 ", 4, "0   "},
        {" 10", 4, " 10 "},
        {"-0", 4, "-0  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.width));
        EXPECT_EQ(FitText(c.text, c.width), c.expected);
    }
}

TEST(FitText, ShowsLinedUpNumbersAndZeroAsADash)
{
    EXPECT_EQ(FitText(NumText(12), 5), " 12  ");
    EXPECT_EQ(FitText(NumText(0), 5), " -   ");
    EXPECT_EQ(FitText(SingleNumText(0.0f), 4), " -  ");
}

TEST(FormatAverage, ShowsTwoDecimalsCutNotRounded)
{
    const struct
    {
        float value;
        std::string_view expected;
    } cases[] = {
        {12.5f, " 12.50"},
        {12.0f, " 12.00"},
        {0.5f, " 0.50"},
        {0.3f, " 0.30"},
        {0.05f, " 0.05"},
        {0.0f, " 0.00"},
        {3.14159f, " 3.14"},
        {2.0f / 3.0f, " 0.66"},
        {9.99f, " 9.99"},
        {10.0f, " 10.00"},
        {12.345f, " 12.34"},
        {99.999f, " 99.99"},
        {100.0f, " 100.00"},
        {123.456f, " 123.45"},
        {123.4f, " 123.40"},
        {999.0f, " 999.00"},
        {998.5f, " 998.50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatAverage(c.value), c.expected);
    }
}

TEST(FormatAverage, FillsTheColumnWithHashesAbove999)
{
    EXPECT_EQ(FormatAverage(999.01f), " ######");
    EXPECT_EQ(FormatAverage(999.5f), " ######");
    EXPECT_EQ(FormatAverage(1000.0f), " ######");
    EXPECT_EQ(FormatAverage(std::numeric_limits<float>::infinity()), " ######");
    EXPECT_EQ(FormatAverage(std::numeric_limits<float>::quiet_NaN()), " ######");
}

TEST(FormatWicketsRuns, PutsRunsOrWicketsFirst)
{
    EXPECT_EQ(FormatWicketsRuns(4, 156, true), " 156/4");
    EXPECT_EQ(FormatWicketsRuns(4, 156, false), " 4/156");
    EXPECT_EQ(FormatWicketsRuns(0, 0, true), " 0/0");
}

TEST(MediumDate, WritesDayMonthNameAndTwoDigitYear)
{
    const struct
    {
        std::string_view date;
        std::string_view expected;
    } cases[] = {
        {"05/01/2002", "05-Jan-02"},
        {"31/12/1999", "31-Dec-99"},
        {"15/06/2100", "15-Jun-00"},
        {"05-01-2002", "05-Jan-02"}, // the separators are not read
        {" 5/ 1/2002", "05-Jan-02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date));
        EXPECT_EQ(MediumDate(c.date), c.expected);
    }
}

TEST(MediumDate, CarriesDaysAndMonthsPastTheirRange)
{
    const struct
    {
        std::string_view date;
        std::string_view expected;
    } cases[] = {
        {"31/02/2019", "03-Mar-19"},
        {"29/02/2019", "01-Mar-19"},
        {"29/02/2024", "29-Feb-24"},
        {"29/02/2000", "29-Feb-00"}, // every 400 years a leap year
        {"29/02/1900", "01-Mar-00"}, // a century year otherwise not
        {"32/12/2019", "01-Jan-20"},
        {"01/13/2019", "01-Jan-20"},
        {"01/25/2019", "01-Jan-21"},
        {"01/00/2002", "01-Dec-01"},
        {"01/-1/2002", "01-Nov-01"},
        {"00/01/2002", "31-Dec-01"},
        {"00/03/2024", "29-Feb-24"},
        {"99/02/2019", "10-May-19"},
        {"ab/cd/efgh", "30-Nov-99"}, // all zero: day 0 of month 0 of 2000
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date));
        EXPECT_EQ(MediumDate(c.date), c.expected);
    }
}

TEST(MediumDate, ReadsYearsBelow100ThroughTheTwoDigitWindow)
{
    const struct
    {
        std::string_view date;
        std::string_view expected;
    } cases[] = {
        {"29/02/0000", "29-Feb-00"}, // 2000 is a leap year, 1900 would not be
        {"29/02/0029", "01-Mar-29"},
        {"01/01/0030", "01-Jan-30"},
        {"29/02/0096", "29-Feb-96"}, // 1996, not the year 96
        {"01/01/0099", "01-Jan-99"},
        {"01/01/0100", "01-Jan-00"}, // the year 100 itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date));
        EXPECT_EQ(MediumDate(c.date), c.expected);
    }
}

TEST(MediumDate, GivesHashesForWrongLengthsAndYearsOutOfRange)
{
    const std::string_view cases[] = {
        "5/01/2002",  "05/01/20022", "", "00/01/0100", // the last day of the year 99
        "01/13/9999", "01/01/-001",  "01/01/9e99",
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c));
        EXPECT_EQ(MediumDate(c), "######");
    }
}

} // namespace
} // namespace wickly
