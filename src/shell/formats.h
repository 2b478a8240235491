#pragma once
// Number and date texts shared by lists, scorecards, reports and pages.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {

// The numeric value of the leading number of a text, as a text-to-number conversion that stops
// at the first character that cannot belong to a number: blanks, tabs and line breaks are
// skipped anywhere, then an optional sign, digits, a decimal point, digits and an optional
// exponent ("E" or "D"). Empty or non-numeric text gives 0. "2.6d" gives 2.6.
double ValText(std::string_view text);

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double v);

// A number typed into a form: the leading number of the text rounded with halves to even.
// Range checks are the caller's ("12abc" -> 12, "" -> 0, "2.5" -> 2, "x" -> 0).
double FormNumber(std::string_view text);

// The lines of a text, whichever line ends it uses (CR LF, LF or CR): a last line without a line
// end counts, a final line end adds no empty line ("a\r\nb" and "a\nb\r\n" are "a", "b").
std::vector<std::string> SplitLines(std::string_view text);

// The decimal text of a whole number with one leading blank for values of 0 and above
// (12 -> " 12", -3 -> "-3").
std::string NumText(long long v);

// The shortest decimal text of a single-precision value, up to seven significant digits,
// without a leading blank and without a zero before the decimal point (3.5 -> "3.5",
// 0.5 -> ".5", 12.345 -> "12.345", 7 -> "7", -0.5 -> "-.5").
std::string SingleText(float v);

// The same with one leading blank for values of 0 and above (the form numbers take in lines).
std::string SingleNumText(float v);

// Fits a text into a column of exactly `width` characters: a text that is "0" after removing
// leading blanks becomes " -" and blanks; a shorter text is padded with blanks; a longer one
// is cut.
std::string FitText(std::string_view text, int width);

// An average or rate with two decimals, cut (never rounded): a blank and at most six
// characters ("12.50", "0.50", "123.45"); values above 999 give a blank and "######".
std::string FormatAverage(float value);

// Bowling figures: a blank and runs/wickets when runsFirst is true, else wickets/runs.
std::string FormatWicketsRuns(int wickets, int runs, bool runsFirst);

// A "dd/mm/yyyy" date as "dd-Mon-yy" (05/01/2002 -> "05-Jan-02"); a day or month past its range
// carries into the next month or year. A text that is not exactly 10 characters gives "######".
std::string MediumDate(std::string_view date);

} // namespace wickly
