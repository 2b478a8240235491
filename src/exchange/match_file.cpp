#include "match_file.h"

#include "formats.h"
#include "lookups.h"
#include "working_set.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace wickly::exchange {

bool FileName::names() const
{
    // "" names nothing, "#" a deleted record and "####" one the exporting database did not hold.
    return number > 0 && !name.empty() && name != "#" && name != "####";
}

int slotOfLabel(int label)
{
    switch (label) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 2;
    case 4: return 4;
    default: return 0;
    }
}

int labelOfSlot(int slot)
{
    return slotOfLabel(slot); // the mapping is its own inverse
}

// ---- Writing -----------------------------------------------------------------------------------

namespace {

// A number as a text file gets it: a blank (or the minus sign), the digits and one blank.
std::string num(long long v)
{
    return NumText(v) + " ";
}

std::string single(float v)
{
    return SingleNumText(v) + " ";
}

class FileWriter
{
public:
    explicit FileWriter(const WorkingSet& ws) : m_ws(ws) {}

    void line(std::string_view text)
    {
        m_text.append(text);
        m_text.append("\r\n");
    }
    void line(std::string_view key, const std::string& value)
    {
        m_text.append(key);
        m_text.push_back('=');
        m_text.append(value);
        m_text.append("\r\n");
    }
    // I ";" N(kind)
    std::string named(int number, int kind) const { return num(number) + ";" + RecordName(m_ws, kind, number); }

    std::string take() { return std::move(m_text); }

private:
    const WorkingSet& m_ws;
    std::string m_text;
};

struct StoredSpecial
{
    std::int32_t innings = 0;
    std::string playerColumn; // columns 6-10 with trailing blanks removed
    std::int32_t player = 0;
    std::string event; // columns 11-21
};

std::vector<StoredSpecial> readSpecials(const WorkingSet& ws)
{
    std::vector<StoredSpecial> out;
    const std::int32_t count = ws.count(RecordKind::SpecialEvent);
    for (std::int32_t i = 1; i <= count; ++i) {
        const SpecialEvent e = ws.read<SpecialEvent>(i);
        // Deleted events are blank; anything shorter than the two number columns is skipped too.
        if (isBlankSpecialEvent(e) || ltrimBlanks(rtrimBlanks(e.text.raw())).size() < 6) {
            continue;
        }
        const std::string raw = e.text.raw();
        out.push_back({specialEventInnings(e), rtrimBlanks(raw.substr(5, 5)), specialEventPlayer(e), raw.substr(10, 11)});
    }
    return out;
}

void writeInnings(FileWriter& w, const WorkingSet& ws, int slot, std::int32_t record,
                  const std::vector<StoredSpecial>& specials)
{
    const InningsRecord inn = ws.read<InningsRecord>(record);
    w.line("Innings", num(labelOfSlot(slot)));
    for (int k = 1; k <= 14; ++k) {
        const BattingLine& b = inn.batting[static_cast<std::size_t>(k)];
        if (b.batsman >= 1 || b.howOut != 0) {
            w.line("Batsman" + std::to_string(k),
                   w.named(b.batsman, PlayerReportName) + ";" + num(b.howOut) + ";" +
                       w.named(b.fieldsman, PlayerReportName) + ";" + w.named(b.bowler, PlayerReportName) + ";" +
                       num(b.runs) + ";" + num(b.fowScore) + ";" + num(b.fowBatsman) + ";" + num(b.fours) + ";" +
                       num(b.sixes) + ";" + num(b.ballsFaced));
        }
    }
    for (int k = 1; k <= 14; ++k) {
        const BowlingLine& b = inn.bowling[static_cast<std::size_t>(k)];
        if (b.bowler >= 1) {
            w.line("Bowler" + std::to_string(k), w.named(b.bowler, PlayerReportName) + ";" + single(b.overs) + ";" +
                                                     num(b.maidens) + ";" + num(b.wickets) + ";" +
                                                     num(b.runsConceded) + ";" + num(0));
        }
    }
    w.line("LegByes", num(inn.legByes));
    w.line("Byes", num(inn.byes));
    w.line("Wides", num(inn.wides));
    w.line("NoBalls", num(inn.noBalls));
    if (inn.oversTimesTen >= 1) {
        w.line("Overs", num(inn.oversTimesTen));
    }
    for (const StoredSpecial& s : specials) {
        if (s.innings == record) {
            w.line("Special", s.playerColumn + ";" + RecordName(ws, PlayerReportName, s.player) + ";" + s.event);
        }
    }
    w.line("IResult", num(inn.status));
}

} // namespace

std::string WriteMatchFile(const WorkingSet& ws, std::span<const std::int32_t> matches)
{
    FileWriter w(ws);
    const std::vector<StoredSpecial> specials = readSpecials(ws);
    w.line(kBeginMarker);
    for (const std::int32_t n : matches) {
        const MatchRecord m = ws.read<MatchRecord>(n);
        w.line("Record", "Match");
        w.line("Type", num(m.matchType));
        w.line("Date", m.datePlayed.raw());
        w.line("Ground", w.named(m.ground, GroundName));
        w.line("Grade", w.named(m.grade, GradeName));
        w.line("Club1", w.named(TeamClub(ws, m.team1), ClubName));
        w.line("Club2", w.named(TeamClub(ws, m.team2), ClubName));
        w.line("Team1", w.named(m.team1, TeamName));
        w.line("Team2", w.named(m.team2, TeamName));
        w.line("Captain1", w.named(m.captain1, PlayerReportName));
        w.line("Captain2", w.named(m.captain2, PlayerReportName));
        w.line("Keeper1", w.named(m.keeper1, PlayerReportName));
        w.line("Keeper2", w.named(m.keeper2, PlayerReportName));
        w.line("Config", num(m.ballsPerOver) + ";" + num(m.runsPerNoBall) + ";" + num(m.runsPerWide) + ";" +
                             num(m.extrasAgainstBowlers) + ";" + num(m.followOnEnforced));
        w.line("Umpires", m.umpires.raw());
        w.line("Comment", m.comment.raw());
        w.line("Round", m.roundLabel.raw());
        w.line("Toss", num(m.team2WonToss));
        w.line("MOM", w.named(m.manOfMatch, PlayerReportName));
        w.line("Result", num(m.result));
        for (int slot = 1; slot <= 4; ++slot) {
            const std::int32_t inn = m.innings[static_cast<std::size_t>(slot)];
            if (inn >= 1) {
                writeInnings(w, ws, slot, inn, specials);
            }
        }
        w.line("Endmatch=True");
    }
    w.line(kEndMarker);
    return w.take();
}

// ---- Reading -----------------------------------------------------------------------------------

namespace {

struct ParseError
{
    std::string message;
};

std::string trimBoth(std::string_view s)
{
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) {
        ++a;
    }
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) {
        --b;
    }
    return std::string(s.substr(a, b - a));
}

std::vector<std::string_view> splitParts(std::string_view value)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = value.find(';', start);
        parts.push_back(value.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
        if (semi == std::string_view::npos) {
            return parts;
        }
        start = semi + 1;
    }
}

// Shows a piece of the file in a message: quoted, and cut when long.
std::string quoted(std::string_view text)
{
    if (text.size() > 40) {
        return "\"" + std::string(text.substr(0, 40)) + "...\"";
    }
    return "\"" + std::string(text) + "\"";
}

// The reader of one file: a cursor over its lines that knows the line it is on.
class FileReader
{
public:
    explicit FileReader(std::string_view text) : m_text(text) {}

    std::vector<FileMatch> read();

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw ParseError{"Line " + std::to_string(m_lineNumber) + ": " + what};
    }

    bool nextLine(std::string_view& line);
    long long integer(std::string_view part, long long low, long long high, const char* what);
    std::int16_t i16(std::string_view part, const char* what) { return static_cast<std::int16_t>(integer(part, -32768, 32767, what)); }
    std::uint8_t byte(std::string_view part, const char* what) { return static_cast<std::uint8_t>(integer(part, 0, 255, what)); }
    float single(std::string_view part, const char* what);
    std::string name(std::string_view part, std::size_t width, const char* what);
    std::vector<std::string_view> parts(std::string_view value, std::size_t expected);
    FileName reference(std::string_view value, std::size_t width, const char* what);
    template <std::size_t N> void text(std::string_view value, FixedText<N>& field, const char* what);

    void matchLine(FileMatch& m, std::set<std::string>& seen, const std::string& key, std::string_view value);
    void inningsLine(FileInnings& inn, std::set<std::string>& seen, const std::string& key, std::string_view value);

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
    std::string m_key; // the key of the line being read, for messages
};

bool FileReader::nextLine(std::string_view& line)
{
    if (m_pos >= m_text.size()) {
        return false;
    }
    const std::size_t end = m_text.find('\n', m_pos);
    line = m_text.substr(m_pos, end == std::string_view::npos ? std::string_view::npos : end - m_pos);
    m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++m_lineNumber;
    return true;
}

long long FileReader::integer(std::string_view part, long long low, long long high, const char* what)
{
    const std::string t = trimBoth(part);
    long long v = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    const auto [end, ec] = std::from_chars(first, last, v);
    if (t.empty() || ec == std::errc::invalid_argument || end != last) {
        fail(std::string("\"") + m_key + "=\" needs a whole number for " + what + " where " + quoted(part) +
             " stands.");
    }
    if (ec == std::errc::result_out_of_range || v < low || v > high) {
        fail(std::string("the ") + what + " " + t + " of \"" + m_key + "=\" is outside " + std::to_string(low) +
             ".." + std::to_string(high) + ".");
    }
    return v;
}

float FileReader::single(std::string_view part, const char* what)
{
    const std::string t = trimBoth(part);
    float v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) {
        fail(std::string("\"") + m_key + "=\" needs a number for " + what + " where " + quoted(part) + " stands.");
    }
    return v;
}

std::string FileReader::name(std::string_view part, std::size_t width, const char* what)
{
    // Names are written with their trailing blanks removed; a part in the form of a number
    // (blank, digits, blank) means the parts of the line are out of step.
    const std::string t = trimBoth(part);
    if (!part.empty() && part.back() == ' ' && !t.empty()) {
        long long v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec == std::errc() && end == t.data() + t.size()) {
            fail(std::string("\"") + m_key + "=\" needs the " + what + "'s name where the number " + t + " stands.");
        }
    }
    if (part.size() > width) {
        fail(std::string("the ") + what + " name " + quoted(part) + " of \"" + m_key + "=\" is longer than " +
             std::to_string(width) + " characters.");
    }
    return std::string(part);
}

std::vector<std::string_view> FileReader::parts(std::string_view value, std::size_t expected)
{
    std::vector<std::string_view> p = splitParts(value);
    if (p.size() != expected) {
        fail(std::string("\"") + m_key + "=\" needs " + std::to_string(expected) + " parts separated by \";\", not " +
             std::to_string(p.size()) + ".");
    }
    return p;
}

FileName FileReader::reference(std::string_view value, std::size_t width, const char* what)
{
    // A number and a name; the name is the rest of the line, so it may hold ";" itself.
    const std::size_t semi = value.find(';');
    if (semi == std::string_view::npos) {
        fail(std::string("\"") + m_key + "=\" needs a number, \";\" and the " + what + "'s name.");
    }
    FileName r;
    r.number = i16(value.substr(0, semi), "the record number");
    r.name = name(value.substr(semi + 1), width, what);
    return r;
}

template <std::size_t N> void FileReader::text(std::string_view value, FixedText<N>& field, const char* what)
{
    if (value.size() > N) {
        fail(std::string("the ") + what + " " + quoted(value) + " is longer than " + std::to_string(N) +
             " characters.");
    }
    field.assign(value);
}

constexpr const char* kMatchKeys[] = {"Type",     "Date",     "Ground",  "Grade",   "Club1",   "Club2",  "Team1",
                                      "Team2",    "Captain1", "Captain2", "Keeper1", "Keeper2", "Config", "Umpires",
                                      "Comment",  "Round",    "Toss",    "MOM",     "Result"};

constexpr std::size_t kClubWidth = 40;
constexpr std::size_t kTeamWidth = 30;
constexpr std::size_t kPlayerWidth = 30;

void FileReader::matchLine(FileMatch& m, std::set<std::string>& seen, const std::string& key, std::string_view value)
{
    bool known = false;
    for (const char* k : kMatchKeys) {
        known = known || key == k;
    }
    if (!known) {
        fail(quoted(key + "=") + " is not a line of a match file.");
    }
    if (!seen.insert(key).second) {
        fail(quoted(key + "=") + " appears twice in the match that begins on line " + std::to_string(m.line) + ".");
    }
    MatchRecord& r = m.record;
    if (key == "Type") {
        r.matchType = static_cast<std::int16_t>(integer(value, 1, 4, "match type"));
    } else if (key == "Date") {
        text(value, r.datePlayed, "date");
        if (!IsLiveMatch(r)) {
            fail(quoted(value) + " is not the date of a match (dd/mm/yyyy).");
        }
    } else if (key == "Ground") {
        m.ground = reference(value, kClubWidth, "ground");
        r.ground = m.ground.number;
    } else if (key == "Grade") {
        m.grade = reference(value, kClubWidth, "grade");
        r.grade = m.grade.number;
    } else if (key == "Club1") {
        m.club1 = reference(value, kClubWidth, "club");
    } else if (key == "Club2") {
        m.club2 = reference(value, kClubWidth, "club");
    } else if (key == "Team1") {
        m.team1 = reference(value, kTeamWidth, "team");
        r.team1 = m.team1.number;
    } else if (key == "Team2") {
        m.team2 = reference(value, kTeamWidth, "team");
        r.team2 = m.team2.number;
    } else if (key == "Captain1") {
        m.captain1 = reference(value, kPlayerWidth, "player");
        r.captain1 = m.captain1.number;
    } else if (key == "Captain2") {
        m.captain2 = reference(value, kPlayerWidth, "player");
        r.captain2 = m.captain2.number;
    } else if (key == "Keeper1") {
        m.keeper1 = reference(value, kPlayerWidth, "player");
        r.keeper1 = m.keeper1.number;
    } else if (key == "Keeper2") {
        m.keeper2 = reference(value, kPlayerWidth, "player");
        r.keeper2 = m.keeper2.number;
    } else if (key == "MOM") {
        m.manOfMatch = reference(value, kPlayerWidth, "player");
        r.manOfMatch = m.manOfMatch.number;
    } else if (key == "Config") {
        const std::vector<std::string_view> p = parts(value, 5);
        r.ballsPerOver = byte(p[0], "balls per over");
        r.runsPerNoBall = byte(p[1], "runs per no ball");
        r.runsPerWide = byte(p[2], "runs per wide");
        r.extrasAgainstBowlers = byte(p[3], "extras against bowlers");
        r.followOnEnforced = i16(p[4], "follow-on");
    } else if (key == "Umpires") {
        text(value, r.umpires, "umpires' text");
    } else if (key == "Comment") {
        text(value, r.comment, "comment");
    } else if (key == "Round") {
        text(value, r.roundLabel, "round");
    } else if (key == "Toss") {
        r.team2WonToss = i16(value, "toss");
    } else if (key == "Result") {
        r.result = i16(value, "result");
    }
}

void FileReader::inningsLine(FileInnings& inn, std::set<std::string>& seen, const std::string& key,
                             std::string_view value)
{
    InningsRecord& r = inn.record;
    const auto indexOf = [&](std::size_t prefix) {
        const std::string digits = key.substr(prefix);
        int k = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), k);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
            fail(quoted(key + "=") + " is not a line of a match file.");
        }
        if (k < 1 || k > 14) {
            fail(quoted(key + "=") + " names line " + digits + "; an innings has lines 1 to 14.");
        }
        return static_cast<std::size_t>(k);
    };
    if (key != "Special" && !seen.insert(key).second) {
        fail(quoted(key + "=") + " appears twice in the innings block that begins on line " +
             std::to_string(inn.line) + ".");
    }
    if (key.starts_with("Batsman")) {
        const std::size_t k = indexOf(7);
        const std::vector<std::string_view> p = parts(value, 13);
        BattingLine& b = r.batting[k];
        b.batsman = i16(p[0], "the batsman's number");
        inn.batsmanName[k] = name(p[1], kPlayerWidth, "batsman");
        b.howOut = i16(p[2], "the how-out code");
        b.fieldsman = i16(p[3], "the fieldsman's number");
        inn.fieldsmanName[k] = name(p[4], kPlayerWidth, "fieldsman");
        b.bowler = i16(p[5], "the bowler's number");
        inn.bowlerName[k] = name(p[6], kPlayerWidth, "bowler");
        b.runs = i16(p[7], "runs");
        b.fowScore = i16(p[8], "the fall-of-wicket score");
        b.fowBatsman = byte(p[9], "the fall-of-wicket batsman");
        b.fours = i16(p[10], "fours");
        b.sixes = i16(p[11], "sixes");
        b.ballsFaced = i16(p[12], "balls faced");
    } else if (key.starts_with("Bowler")) {
        const std::size_t k = indexOf(6);
        const std::vector<std::string_view> p = parts(value, 7);
        BowlingLine& b = r.bowling[k];
        b.bowler = i16(p[0], "the bowler's number");
        inn.bowlingName[k] = name(p[1], kPlayerWidth, "bowler");
        b.overs = single(p[2], "overs");
        b.maidens = i16(p[3], "maidens");
        b.wickets = i16(p[4], "wickets");
        b.runsConceded = i16(p[5], "runs conceded");
        (void)i16(p[6], "the closing constant");
    } else if (key == "LegByes") {
        r.legByes = i16(value, "leg byes");
    } else if (key == "Byes") {
        r.byes = i16(value, "byes");
    } else if (key == "Wides") {
        r.wides = i16(value, "wides");
    } else if (key == "NoBalls") {
        r.noBalls = i16(value, "no balls");
    } else if (key == "Overs") {
        r.oversTimesTen = i16(value, "overs times ten");
    } else if (key == "IResult") {
        r.status = i16(value, "innings status");
    } else if (key == "Special") {
        // The player column, his name and the 11-character event; the name may hold ";".
        const std::size_t first = value.find(';');
        const std::size_t last = value.rfind(';');
        if (first == std::string_view::npos || first == last) {
            fail("\"Special=\" needs a number, the player's name and the event, separated by \";\".");
        }
        FileSpecial s;
        s.line = m_lineNumber;
        // The column is copied from the stored event, where player 0 reads " -" (or is blank).
        const std::string column = trimBoth(value.substr(0, first));
        s.player.number = column.empty() || column == "-" ? 0 : i16(value.substr(0, first), "the player's number");
        s.player.name = name(value.substr(first + 1, last - first - 1), kPlayerWidth, "player");
        // The event column may have lost its trailing blanks in the mail, or all of them when no
        // kind was chosen for the event.
        const std::string event = rtrimBlanks(value.substr(last + 1));
        if (event == rtrimBlanks(kDropCatch)) {
            s.event = std::string(kDropCatch);
        } else if (event == rtrimBlanks(kHatTrick)) {
            s.event = std::string(kHatTrick);
        } else if (event.empty()) {
            s.event = std::string(kDropCatch.size(), ' ');
        } else {
            fail(quoted(value.substr(last + 1)) + " is neither \"Drop Catch\" nor \"Hat Trick\".");
        }
        inn.specials.push_back(std::move(s));
    } else {
        fail(quoted(key + "=") + " is not a line of an innings block.");
    }
}

std::vector<FileMatch> FileReader::read()
{
    std::string_view line;
    bool begun = false;
    while (nextLine(line)) {
        if (rtrimBlanks(line) == kBeginMarker) {
            begun = true;
            break;
        }
    }
    if (!begun) {
        throw ParseError{"This is not a Wickly match file: the line \"" + std::string(kBeginMarker) +
                         "\" is missing."};
    }

    std::vector<FileMatch> matches;
    std::optional<FileMatch> match;
    std::set<std::string> matchSeen;
    std::set<std::string> inningsSeen;
    const auto headerComplete = [&] {
        for (const char* k : kMatchKeys) {
            if (matchSeen.count(k) == 0) {
                fail("the match that begins on line " + std::to_string(match->line) + " has no \"" + k +
                     "=\" line.");
            }
        }
    };

    while (nextLine(line)) {
        if (rtrimBlanks(line) == kEndMarker) {
            if (match) {
                fail("the match that begins on line " + std::to_string(match->line) +
                     " ends without \"Endmatch=True\".");
            }
            return matches;
        }
        if (trimBoth(line).empty()) {
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            fail(quoted(line) + " is not a line of the form Key=value.");
        }
        m_key = std::string(line.substr(0, eq));
        const std::string_view value = line.substr(eq + 1);
        if (m_key == "Record") {
            if (match) {
                fail("a new match begins before the match of line " + std::to_string(match->line) +
                     " ends with \"Endmatch=True\".");
            }
            if (rtrimBlanks(value) != "Match") {
                fail("\"Record=Match\" was expected, not " + quoted(line) + ".");
            }
            match.emplace();
            match->line = m_lineNumber;
            matchSeen.clear();
            continue;
        }
        if (!match) {
            fail("\"Record=Match\" was expected, not " + quoted(line) + ".");
        }
        if (m_key == "Endmatch") {
            if (rtrimBlanks(value) != "True") {
                fail("\"Endmatch=True\" was expected, not " + quoted(line) + ".");
            }
            headerComplete();
            matches.push_back(std::move(*match));
            match.reset();
            continue;
        }
        if (m_key == "Innings") {
            headerComplete();
            const int label = static_cast<int>(integer(value, 1, 4, "innings"));
            for (const FileInnings& other : match->innings) {
                if (other.label == label) {
                    fail("the match that begins on line " + std::to_string(match->line) + " has two innings " +
                         std::to_string(label) + ".");
                }
            }
            FileInnings inn;
            inn.label = label;
            inn.line = m_lineNumber;
            match->innings.push_back(std::move(inn));
            inningsSeen.clear();
            continue;
        }
        if (match->innings.empty()) {
            matchLine(*match, matchSeen, m_key, value);
        } else {
            bool matchKey = false;
            for (const char* k : kMatchKeys) {
                matchKey = matchKey || m_key == k;
            }
            if (matchKey) {
                fail(quoted(m_key + "=") + " belongs before the first \"Innings=\" line of its match.");
            }
            inningsLine(match->innings.back(), inningsSeen, m_key, value);
        }
    }
    ++m_lineNumber;
    fail("the file ends without \"" + std::string(kEndMarker) + "\": it may have been cut short.");
}

} // namespace

Result<std::vector<FileMatch>> ReadMatchFile(std::string_view text)
{
    try {
        FileReader reader(text);
        return reader.read();
    } catch (const ParseError& e) {
        return Error{e.message};
    }
}

} // namespace wickly::exchange
