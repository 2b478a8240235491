// The partnerships, read from the fall of wickets of each innings: the best stand for each
// wicket, and the top stands of all.

#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "report_columns.h"
#include "stats_engine.h"

#include <algorithm>
#include <array>
#include <vector>

namespace wickly::stats {

namespace {

bool isNotOutCode(int howOut)
{
    return howOut == NotOut || howOut == RetiredHurt || howOut == RetiredNotOut;
}

// One stand: the batsman out (or the later not-out batsman of an unbroken stand), his partner,
// the runs, and whether it was unbroken.
struct Stand
{
    int wicket = 0;
    std::int32_t batsman = 0;
    std::int32_t partner = 0;
    std::int64_t runs = 0;
    bool unbroken = false;
    double key() const { return static_cast<double>(runs) + (unbroken ? 0.1 : 0.0); }
};

// The stands of an innings whose fall of wickets was entered. The score at the unbroken end is
// the innings total, and its pair are the batsmen still in: those "Not Out", or, when fewer
// than two are, every batsman not out (retired ones included), so that a batsman who retired
// hurt and never came back is not taken for one of the last pair.
std::vector<Stand> inningsStands(const InningsRecord& in, const MatchRecord& match, int lines)
{
    std::vector<Stand> stands;
    const std::int64_t total = InningsTotal(in, match, lines);
    if (total <= 0) {
        return stands;
    }
    const int wickets = InningsWickets(in, lines);
    std::array<std::int64_t, 16> score{};
    std::array<int, 16> outAt{}; // batting position out at wicket k
    std::int64_t highest = 0;
    for (int k = 1; k <= 13; ++k) {
        score[static_cast<std::size_t>(k)] = in.batting[static_cast<std::size_t>(k)].fowScore;
        outAt[static_cast<std::size_t>(k)] = in.batting[static_cast<std::size_t>(k)].fowBatsman;
        highest = std::max(highest, score[static_cast<std::size_t>(k)]);
    }
    if (highest <= 0 && wickets > 0) {
        return stands; // no fall of wickets entered
    }
    auto batted = [&](int pos) {
        return pos >= 1 && pos <= lines && in.batting[static_cast<std::size_t>(pos)].batsman > 0 &&
               in.batting[static_cast<std::size_t>(pos)].howOut > 0;
    };
    std::vector<int> stillIn;
    for (int pos = 1; pos <= lines; ++pos) {
        if (batted(pos) && in.batting[static_cast<std::size_t>(pos)].howOut == NotOut) {
            stillIn.push_back(pos);
        }
    }
    if (stillIn.size() < 2) {
        stillIn.clear();
        for (int pos = 1; pos <= lines; ++pos) {
            if (batted(pos) && isNotOutCode(in.batting[static_cast<std::size_t>(pos)].howOut)) {
                stillIn.push_back(pos);
            }
        }
    }
    const int last = std::min(wickets + 1, std::min(lines - 1, 13));
    if (!stillIn.empty() && wickets + 1 <= last) {
        score[static_cast<std::size_t>(wickets + 1)] = total;
        outAt[static_cast<std::size_t>(wickets + 1)] = stillIn.back();
    }
    for (int k = 1; k <= last; ++k) {
        const bool unbroken = k == wickets + 1;
        if (unbroken && stillIn.empty()) {
            break;
        }
        const int out = outAt[static_cast<std::size_t>(k)];
        if (!batted(k + 1) || !batted(out)) {
            continue; // the next batsman never came in, or the batsman out is not known
        }
        std::int64_t runs = score[static_cast<std::size_t>(k)] - score[static_cast<std::size_t>(k - 1)];
        if (runs < 0) {
            continue; // a fall of wicket left out
        }
        if (runs > 1000) {
            runs = 0;
        }
        // The partner: the lowest batting position whose wicket fell later or who was not out;
        // at the unbroken end, the other batsman still in.
        int partner = 0;
        for (int pos = 1; pos <= lines && partner == 0; ++pos) {
            if (pos == out || !batted(pos)) {
                continue;
            }
            bool later = unbroken ? std::find(stillIn.begin(), stillIn.end(), pos) != stillIn.end()
                                  : isNotOutCode(in.batting[static_cast<std::size_t>(pos)].howOut);
            for (int j = k + 1; j <= wickets && !later; ++j) {
                later = outAt[static_cast<std::size_t>(j)] == pos;
            }
            if (later) {
                partner = pos;
            }
        }
        if (partner == 0) {
            partner = k + 1; // nobody found: the batsman who came in at the next position
        }
        stands.push_back(Stand{k, in.batting[static_cast<std::size_t>(out)].batsman,
                               in.batting[static_cast<std::size_t>(partner)].batsman, runs, unbroken});
    }
    return stands;
}

std::string reportName(ReportPass& pass, std::int32_t player)
{
    return pass.validPlayer(player) ? pass.recordName(PlayerReportName, player) : std::string();
}

class PartnershipReport : public ReportProducer
{
public:
    explicit PartnershipReport(int kind) : m_kind(kind) {}

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.battingCounts) {
            return;
        }
        for (const Stand& s : inningsStands(v.innings, v.match->match, pass.batsmenPerTeam())) {
            if (!pass.validPlayer(s.batsman) || (m_kind == PartnershipsByWicket && !pass.playerListed(s.batsman))) {
                continue;
            }
            const std::string runs = NumText(s.runs) + (s.unbroken ? "*" : "");
            if (m_kind == TopPartnerships) {
                if (pass.wouldKeep(s.key())) {
                    std::string partner = reportName(pass, s.partner);
                    partner.resize(17, ' ');
                    pass.offer(s.key(), s.batsman,
                               partner + " " + pass.inningsColumns(v.match->match, v.battedByTeam1()), runs);
                }
                continue;
            }
            Best& best = m_best[static_cast<std::size_t>(s.wicket)];
            if (best.text.empty() || s.key() > best.key) {
                const MatchRecord& m = v.match->match;
                const std::string names = FitText(reportName(pass, s.batsman), 17) + " " + reportName(pass, s.partner);
                best.key = s.key();
                best.runs = runs;
                best.text = FitText(rtrimBlanks(names), 35) + " " + MediumDate(m.datePlayed.str()) + " " +
                            FitText(pass.recordName(ClubAbbreviation, v.battingClub), 7) + " " +
                            FitText(pass.recordName(TeamName, v.fieldingTeam), 11) + " " +
                            FitText(pass.recordName(GroundName, m.ground), 25);
            }
        }
    }

    void finishReport(ReportPass&, ReportText& text) override
    {
        if (m_kind != PartnershipsByWicket) {
            return;
        }
        text.heading = "Wkt  Runs Name              Name              Date      Club    Opposition  Ground";
        text.lines.clear();
        for (int k = 1; k <= 13; ++k) {
            const Best& best = m_best[static_cast<std::size_t>(k)];
            if (!best.text.empty()) {
                // The wicket and the runs fill the first 9 characters, so that every column
                // starts under its heading.
                text.lines.push_back(padText(NumText(k) + (k < 10 ? "  " : " ") + best.runs, 9) + " " + best.text);
            }
        }
    }

private:
    struct Best
    {
        double key = 0;
        std::string runs; // "123", "123*" for an unbroken stand
        std::string text;
    };
    int m_kind;
    std::array<Best, 15> m_best{};
};

} // namespace

std::unique_ptr<ReportProducer> makePartnershipReport(int kind)
{
    if (kind == PartnershipsByWicket || kind == TopPartnerships) {
        return std::make_unique<PartnershipReport>(kind);
    }
    return nullptr;
}

} // namespace wickly::stats
