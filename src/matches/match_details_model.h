#pragma once
// The match details window ("Match Form"): the form of one match with its buttons. "OK" checks
// the form and writes the match record; the innings buttons open the scorecard window of a slot;
// the date, bonus-points and scoring fields are checked when the user leaves them; closing with
// unsaved edits asks first.

#include "match_form.h"
#include "scorecard_text.h"
#include "platform.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wickly::matches {

struct ScorecardHandOver;

// Help topic of the match details window.
inline constexpr int kMatchDetailsHelp = 500;

class MatchDetailsModel : public WindowModel, public MatchForm
{
public:
    // Opens the window for match `match`, 0 for a new match. Throws StorageError when the
    // working files cannot be read.
    MatchDetailsModel(AppState& app, Platform& platform, std::int32_t match);

    // ---- State besides the form
    std::string caption = kCaption;
    bool closed = false; // the window has closed; the view closes when it sees it
    bool saved = false;  // "OK" wrote the match record
    // While the web site generator drives a hidden window, closing it asks nothing.
    bool siteGenerationActive = false;

    // ---- Field checks, made when the user leaves a field: false keeps the focus in the field.
    bool fieldLeft(FormField field);
    bool dateLeft();
    bool bonusLeft(int group);
    bool ballsPerOverLeft();
    bool runsPerWideLeft();
    bool runsPerNoBallLeft();

    // ---- Buttons
    // "Innings 1" and "Innings 2" of either team: slots 1 and 2 (first team), 3 and 4 (second).
    void inningsClicked(int slot);
    void okClicked();
    void cancelClicked();
    // Any way of closing the window: true when it may close.
    bool closeRequested();
    void helpClicked();
    void summaryClicked();
    void reportClicked();

    // The values the scorecard window of `slot` is opened with.
    ScorecardHandOver scorecardHandOver(int slot) const;

private:
    void showScorecard(ScorecardForm which);
    bool refuse(const std::string& text);
    // The checks "OK" makes besides those of its description: values the record cannot hold,
    // and a date the leaving check would refuse. Returns false after telling the user.
    bool storableValues();

    Platform& m_platform;
};

// The check made when "Date Played" is left: 10 characters, day 1..31, month 1..12 and year
// 1800..2100 at their positions (the separators are not looked at).
bool DateFormatValid(const std::string& date);

} // namespace wickly::matches
