#include "scorecard_text.h"

#include "formats.h"
#include "lines_per_team.h"
#include "lookups.h"
#include "match_form.h"
#include "web_context.h"
#include "working_set.h"

namespace wickly::matches {

namespace {

// Blanks in front of the number's text (a blank before values of 0 and above) up to `width`.
std::string rightAligned(const std::string& numberText, std::size_t width)
{
    return numberText.size() >= width ? numberText : std::string(width - numberText.size(), ' ') + numberText;
}

std::string rightAligned(long long v, std::size_t width)
{
    return rightAligned(NumText(v), width);
}

// Blanks after the text up to `width`, or its first `width` characters.
std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text.substr(0, width) : text + std::string(width - text.size(), ' ');
}

std::string first(std::string_view text, std::size_t n)
{
    return std::string(text.substr(0, n));
}

std::string entryText(const EntryList& list)
{
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) {
        return {};
    }
    return list.entries[static_cast<std::size_t>(list.selected)].text;
}

// The first 40 characters of a list's chosen entry, without trailing blanks.
std::string entry40(const EntryList& list)
{
    return rtrimBlanks(first(entryText(list), 40));
}

class ScorecardWriter
{
public:
    ScorecardWriter(const MatchForm& form, const WorkingSet& ws, ScorecardForm which, stats::ReportText& out)
        : m_form(form), m_ws(ws), m_full(which == ScorecardForm::Full), m_out(out),
          m_options(ws.header().options), m_players(ws.count(RecordKind::Player))
    {
        m_rw = ValText(form.runsPerWide);
        m_rn = ValText(form.runsPerNoBall);
        const std::array<std::int16_t, 2> clubs = form.teamClubs();
        m_clubs = clubs;
    }

    void innings(int slot, const std::string& introduction);

private:
    void line(std::string text) { m_out.lines.push_back(std::move(text)); }
    // The 30-character report name as stored, or "?" for a player the innings does not name.
    std::string storedName(int player) const
    {
        if (player < 1 || player > m_players) {
            return "?";
        }
        return m_ws.read<PlayerRecord>(player).reportName.raw();
    }
    bool recorded(std::int16_t club, std::int16_t otherClub) const
    {
        const std::int16_t allow = m_options.allowPlayersClub;
        return allow == 0 || (allow > 0 && allow == club) || club == otherClub;
    }
    void battingLine(const BattingLine& b, std::int32_t captain, std::int32_t keeper, bool detailed);

    const MatchForm& m_form;
    const WorkingSet& m_ws;
    bool m_full;
    stats::ReportText& m_out;
    const DatabaseOptions& m_options;
    std::int32_t m_players;
    double m_rw = 0;
    double m_rn = 0;
    std::array<std::int16_t, 2> m_clubs{};
};

void ScorecardWriter::battingLine(const BattingLine& b, std::int32_t captain, std::int32_t keeper, bool detailed)
{
    std::string marker = "  ";
    if (b.batsman == captain && b.batsman == keeper) {
        marker = "*+";
    } else if (b.batsman == captain) {
        marker = "* ";
    } else if (b.batsman == keeper) {
        marker = "+ ";
    }
    const std::string name = rtrimBlanks(first(storedName(b.batsman), 18));
    const std::string fieldsman = b.fieldsman == kSubstitute ? "sub" : storedName(b.fieldsman);
    std::string text = "    " + FitText(marker + name, 20) + " " +
                       FitText(DismissalText(b.howOut, fieldsman, storedName(b.bowler), detailed), 40);
    if (b.howOut >= 1) {
        text += rightAligned(b.runs, 4);
        if (m_options.scorecardBallsFaced != 0) {
            text += rightAligned(b.ballsFaced, 4);
        }
        if (m_options.scorecardFoursSixes != 0) {
            text += rightAligned(b.fours, 3) + rightAligned(b.sixes, 3);
        }
    }
    line(text);
}

void ScorecardWriter::innings(int slot, const std::string& introduction)
{
    // A number above the innings count names no innings (the summaries skip it too): its slot
    // may hold nothing yet, or an unrelated innings left behind by an earlier database.
    const std::int32_t number = m_form.innings[static_cast<std::size_t>(slot)];
    if (number < 1 || number > m_ws.count(RecordKind::Innings)) {
        return;
    }
    line(introduction);
    const InningsRecord r = m_ws.read<InningsRecord>(number);
    const int group = slot >= 3 ? 1 : 0;
    const TeamGroup& batting = m_form.teams[static_cast<std::size_t>(group)];
    const std::int32_t captain = batting.captain.selectedRecord();
    const std::int32_t keeper = batting.keeper.selectedRecord();

    // Both clubs are 0 when either team is not chosen, which makes both sides recorded.
    const std::int16_t battingClub = m_clubs[static_cast<std::size_t>(group)];
    const std::int16_t bowlingClub = m_clubs[static_cast<std::size_t>(1 - group)];
    const bool battingRecorded = recorded(battingClub, bowlingClub);
    const bool fieldingRecorded = recorded(bowlingClub, battingClub);

    const int nbat = BatsmenPerTeam(m_options);
    const int nbow = BowlersPerTeam(m_options);

    if (m_full && battingRecorded) {
        std::string heading = std::string(68, ' ') + "R";
        if (m_options.scorecardBallsFaced != 0) {
            heading += "   B";
        }
        if (m_options.scorecardFoursSixes != 0) {
            heading += "  4  6";
        }
        line(heading);
    }

    bool summaryStarted = false;
    const auto summaryLine = [&](std::string text) {
        if (!summaryStarted) {
            line("");
            summaryStarted = true;
        }
        line(std::move(text));
    };

    long long runs = 0;
    int wickets = 0;
    for (int k = 1; k <= nbat; ++k) {
        const BattingLine& b = r.batting[static_cast<std::size_t>(k)];
        const int lineRuns = b.howOut < 1 ? 0 : b.runs;
        runs += lineRuns;
        if (isWicket(b.howOut)) {
            ++wickets;
        }
        if (b.batsman < 1 || b.batsman > m_players) {
            continue;
        }
        if (m_full) {
            battingLine(b, captain, keeper, fieldingRecorded);
        } else if (b.howOut >= 1 && lineRuns >= 40) {
            summaryLine("    " + first(storedName(b.batsman), 18) + NumText(lineRuns) + (b.howOut == NotOut ? "*" : ""));
        }
    }

    const double extras = r.byes + r.legByes + r.wides * m_rw + r.noBalls * m_rn;
    const long long total = static_cast<long long>(RoundHalfEven(static_cast<double>(runs) + extras));

    if (m_full && battingRecorded) {
        const std::string breakdown = "(b" + std::to_string(r.byes) + ", lb" + std::to_string(r.legByes) + ", w" +
                                      std::to_string(r.wides) + ", nb" + std::to_string(r.noBalls) + ")";
        line("      extras            " + FitText(breakdown, 41) +
             rightAligned(static_cast<long long>(RoundHalfEven(extras)), 4));
        line("    TOTAL" + std::string(56, ' ') + rightAligned(total, 4));
        line("");
        std::string current = "    FOW";
        for (int i = 1; i <= wickets && i < InningsRecord::kLines; ++i) {
            const BattingLine& f = r.batting[static_cast<std::size_t>(i)];
            if (f.fowScore >= 999) {
                continue;
            }
            std::string entry = NumText(i) + "-" + std::to_string(f.fowScore);
            if (f.fowBatsman >= 1 && f.fowBatsman <= 14) {
                entry += "(" + RecordName(m_ws, PlayerReportName, r.batting[f.fowBatsman].batsman) + ")";
            }
            if (current.size() + entry.size() > 75) {
                line(current);
                current = std::string(7, ' ');
            }
            current += entry;
        }
        line(current);
    }

    if (m_full && fieldingRecorded) {
        line("");
        line(std::string(23, ' ') + "O    M    R    W");
    }
    for (int k = 1; k <= nbow; ++k) {
        const BowlingLine& w = r.bowling[static_cast<std::size_t>(k)];
        if (w.bowler < 1 || w.bowler > m_players) {
            continue;
        }
        const std::string name = first(storedName(w.bowler), 18);
        if (m_full) {
            if (fieldingRecorded) {
                line("    " + name + padded(SingleNumText(w.overs), 5) + padded(NumText(w.maidens), 5) +
                     padded(NumText(w.runsConceded), 5) + padded(NumText(w.wickets), 5));
            }
        } else if (w.wickets >= 3) {
            summaryLine("    " + name + NumText(w.wickets) + "/" + std::to_string(w.runsConceded));
        }
    }

    // The slot's two-line summary from the match details window, on one line.
    std::string summary = m_form.summaryLines[static_cast<std::size_t>(slot)];
    std::string joined;
    for (std::size_t i = 0; i < summary.size(); ++i) {
        if (summary[i] == '\r' || summary[i] == '\n') {
            joined += " (";
            if (summary[i] == '\r' && i + 1 < summary.size() && summary[i + 1] == '\n') {
                ++i;
            }
        } else {
            joined += summary[i];
        }
    }
    line("");
    line("  Innings total: " + joined + ")");
    line("");
}

void setBannerLogos(const MatchForm& form, const WorkingSet& ws, web::PageImages& images)
{
    const std::int32_t clubs = ws.count(RecordKind::Club);
    const auto logo = [&](int group, std::string& picture, std::string& link) {
        const std::int16_t club = TeamClub(ws, form.teams[static_cast<std::size_t>(group)].team.selectedRecord());
        if (club < 1 || club > clubs) {
            picture.clear();
            link.clear();
            return;
        }
        const ClubRecord c = ws.read<ClubRecord>(club);
        picture = c.logoUrl.str();
        link = c.clubUrl.str();
    };
    logo(0, images.logo1, images.link1);
    logo(1, images.logo2, images.link2);
}

} // namespace

std::string DismissalText(int howOut, const std::string& fieldsman, const std::string& bowler, bool detailed)
{
    const std::string& f = fieldsman;
    const std::string& b = bowler;
    switch (howOut) {
    case NotOut: return "not out";
    case Bowled: return detailed ? std::string(20, ' ') + "b " + b : "bowled";
    case Caught: return detailed ? "c " + first(f, 17) + " b " + b : "caught";
    case CaughtAndBowled: return detailed ? std::string(18, ' ') + "c&b " + b : "caught & bowled";
    case HitWicket: return detailed ? FitText("hit wicket", 20) + "b " + b : "hit wicket";
    case Lbw: return detailed ? FitText("lbw", 20) + "b " + b : "lbw";
    case RetiredHurt: return "retired hurt";
    case RunOut:
        if (!detailed) {
            return "run out";
        }
        if (f.empty() || f.front() == '?' || f.front() == '.') {
            return "run out";
        }
        // The bowler of a run out is the fielder who assisted.
        return "run out (" + rtrimBlanks(first(f, 16)) + (b == "?" ? "" : "/" + rtrimBlanks(b)) + ")";
    case Stumped: return detailed ? "st " + first(f, 16) + " b " + b : "stumped";
    case ObstructingField: return "Obstructed Field";
    case HandledBall: return "Handled Ball";
    case RetiredOut: return "Retired Out";
    case RetiredNotOut: return "Retired Not Out";
    case TimedOut: return "Timed Out";
    case HitTwice: return "Hit Ball Twice";
    case AbsentHurt: return "Absent Hurt";
    case AbsentIll: return "Absent Ill";
    default: return "dnb";
    }
}

stats::ReportText BuildScorecardText(const MatchForm& form, const WorkingSet& ws, ScorecardForm which,
                                     web::PageImages* images)
{
    stats::ReportText out;
    if (images != nullptr) {
        setBannerLogos(form, ws, *images);
    }
    const std::string team1 = form.teamName(0);
    const std::string team2 = form.teamName(1);
    const std::string matchType =
        form.matchType >= 0 && form.matchType < static_cast<int>(MatchForm::kMatchTypes.size())
            ? MatchForm::kMatchTypes[static_cast<std::size_t>(form.matchType)]
            : "";
    out.title = team1 + " Vs " + team2;
    out.subtitle = matchType + " Played At " + entry40(form.grounds) + ", " + MediumDate(form.datePlayed) + "\r" +
                   "Grade : " + entry40(form.grades);
    out.heading = "Match Result: " + form.resultText() + " " + form.margin;

    const bool full = which == ScorecardForm::Full;
    if (full) {
        const auto optional = [&](const std::string& label, const std::string& value) {
            if (!rtrimBlanks(value).empty()) {
                out.lines.push_back(label + value);
            }
        };
        optional("Round ", form.roundLabel);
        std::string toss;
        if (form.teams[0].wonToss) {
            toss = team1;
        } else if (form.teams[1].wonToss) {
            toss = team2;
        }
        optional("Toss won by ", toss);
        optional("Umpires: ", form.umpires);
        optional("Man of the Match: ", ltrimBlanks(rtrimBlanks(first(entryText(form.manOfMatch), 50))));
        optional("Comment: ", form.comment);
        out.lines.emplace_back();
        out.lines.emplace_back();
    }

    ScorecardWriter writer(form, ws, which, out);
    writer.innings(1, team1 + " 1st Innings");
    writer.innings(3, team2 + " 1st Innings");
    if (form.matchType > 0) {
        if (form.followOnEnforced) {
            writer.innings(4, team2 + " 2nd Innings (Follow-on Enforced)");
            writer.innings(2, team1 + " 2nd Innings");
        } else {
            writer.innings(2, team1 + " 2nd Innings");
            writer.innings(4, team2 + " 2nd Innings");
        }
    }
    return out;
}

} // namespace wickly::matches
