#include "json_io.h"

#include "app_state.h"
#include "container.h"
#include "text_encoding.h"
#include "working_set.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

namespace wickly {

namespace {

using Json = nlohmann::ordered_json;

// The record kinds in the order of the JSON's arrays and of header.counts.
constexpr RecordKind kJsonOrder[] = {RecordKind::Club,         RecordKind::Grade,  RecordKind::Ground,
                                     RecordKind::Team,         RecordKind::Player, RecordKind::Alias,
                                     RecordKind::SpecialEvent, RecordKind::Match,  RecordKind::Innings};

constexpr std::int32_t kLargestEventNumber = 9999; // a special event keeps four digits per number

// ---- Field lists ---------------------------------------------------------------------------------
// One list per record layout, shared by the writer and the reader below, so that both always
// agree on the names and the order. Reserved fields are left out on purpose.

template <class V> void visitFields(V& v, DatabaseOptions& o)
{
    v.text("databaseTitle", o.databaseTitle);
    v.number("ballsPerOver", o.ballsPerOver);
    v.number("runsPerWide", o.runsPerWide);
    v.number("runsPerNoBall", o.runsPerNoBall);
    v.number("batsmenPerTeam", o.batsmenPerTeam);
    v.number("bowlersPerTeam", o.bowlersPerTeam);
    v.number("allowPlayersClub", o.allowPlayersClub);
    v.number("seasonTwoYears", o.seasonTwoYears);
    v.number("bowlingRunsFirst", o.bowlingRunsFirst);
    v.number("scorecardFoursSixes", o.scorecardFoursSixes);
    v.number("scorecardBallsFaced", o.scorecardBallsFaced);
    v.numbers("competitionPoints", o.competitionPoints);
    v.numbers("individualPoints", o.individualPoints);
    v.text("webFilePrefix", o.webFilePrefix);
    v.text("webAuthorName", o.webAuthorName);
    v.text("webAuthorEmail", o.webAuthorEmail);
    v.text("webHomeUrl", o.webHomeUrl);
    v.text("webBackgroundUrl", o.webBackgroundUrl);
    v.text("webCopyrightText", o.webCopyrightText);
    v.text("webHeaderFile", o.webHeaderFile);
    v.number("webForeColour", o.webForeColour);
    v.number("webBackColour", o.webBackColour);
    v.number("webLinkColour", o.webLinkColour);
    v.number("webSelectedLinkColour", o.webSelectedLinkColour);
    v.number("chartSizeLarge", o.chartSizeLarge);
    v.text("statsDateFrom", o.statsDateFrom);
    v.text("statsDateTo", o.statsDateTo);
    v.number("includeHistory", o.includeHistory);
    v.number("firstInningsOnly", o.firstInningsOnly);
    v.number("battingQualifyByInnings", o.battingQualifyByInnings);
    v.number("battingQualifyInnings", o.battingQualifyInnings);
    v.number("battingQualifyRuns", o.battingQualifyRuns);
    v.number("bowlingQualifyWickets", o.bowlingQualifyWickets);
    v.number("bowlingQualifyOvers", o.bowlingQualifyOvers);
    v.number("allRoundQualifyRuns", o.allRoundQualifyRuns);
    v.number("allRoundQualifyWickets", o.allRoundQualifyWickets);
    v.number("reportLength", o.reportLength);
    v.number("chartLength", o.chartLength);
    v.number("webPageFlags1", o.webPageFlags1);
    v.number("webPageFlags2", o.webPageFlags2);
}

template <class V> void visitFields(V& v, ClubRecord& r)
{
    v.text("name", r.name);
    v.text("abbreviation", r.abbreviation);
    v.text("clubUrl", r.clubUrl);
    v.text("logoUrl", r.logoUrl);
}

template <class V> void visitFields(V& v, NameAbbreviationRecord& r)
{
    v.text("name", r.name);
    v.text("abbreviation", r.abbreviation);
}

template <class V> void visitFields(V& v, TeamRecord& r)
{
    v.text("name", r.name);
    v.number("club", r.club);
}

template <class V> void visitFields(V& v, PlayerHistory& h)
{
    v.number("matches", h.matches);
    v.number("innings", h.innings);
    v.number("notOuts", h.notOuts);
    v.number("runs", h.runs);
    v.number("highScore", h.highScore);
    v.number("highScoreNotOut", h.highScoreNotOut);
    v.number("wickets", h.wickets);
    v.number("runsAgainst", h.runsAgainst);
    v.number("overs", h.overs);
    v.number("catches", h.catches);
    v.number("runOuts", h.runOuts);
    v.number("bestBowlingWickets", h.bestBowlingWickets);
    v.number("bestBowlingRuns", h.bestBowlingRuns);
    v.number("stumpings", h.stumpings);
    v.number("maidens", h.maidens);
    v.number("ballsFaced", h.ballsFaced);
    v.number("fifties", h.fifties);
    v.number("hundreds", h.hundreds);
    v.number("fiveWicketInnings", h.fiveWicketInnings);
    v.number("tenWicketMatches", h.tenWicketMatches);
}

template <class V> void visitFields(V& v, PlayerRecord& r)
{
    v.text("reportName", r.reportName);
    v.text("dateOfBirth", r.dateOfBirth);
    v.number("club", r.club);
    v.number("active", r.active);
    v.number("rating", r.rating);
    v.text("lastName", r.lastName);
    v.text("firstName", r.firstName);
    v.text("pictureUrl", r.pictureUrl);
    v.number("firstMatchYear", r.firstMatchYear);
    v.number("lastMatchYear", r.lastMatchYear);
    v.object("history", r.history);
}

template <class V> void visitFields(V& v, AliasRecord& r)
{
    v.text("kind", r.kindCode);
    v.text("alias", r.alias);
    v.text("name", r.name);
}

template <class V> void visitFields(V& v, MatchRecord& r)
{
    v.number("matchType", r.matchType);
    v.number("team1", r.team1);
    v.number("team2", r.team2);
    v.number("grade", r.grade);
    v.text("datePlayed", r.datePlayed);
    v.number("ground", r.ground);
    v.numbers("innings", r.innings);
    v.number("result", r.result);
    v.number("captain1", r.captain1);
    v.number("captain2", r.captain2);
    v.number("bonusPoints1", r.bonusPoints1);
    v.number("bonusPoints2", r.bonusPoints2);
    v.number("followOnEnforced", r.followOnEnforced);
    v.number("team2WonToss", r.team2WonToss);
    v.text("roundLabel", r.roundLabel);
    v.text("umpires", r.umpires);
    v.number("manOfMatch", r.manOfMatch);
    v.number("keeper1", r.keeper1);
    v.number("keeper2", r.keeper2);
    v.text("comment", r.comment);
    v.number("runsPerNoBall", r.runsPerNoBall);
    v.number("runsPerWide", r.runsPerWide);
    v.number("ballsPerOver", r.ballsPerOver);
    v.number("extrasAgainstBowlers", r.extrasAgainstBowlers);
}

template <class V> void visitFields(V& v, BattingLine& l)
{
    v.number("batsman", l.batsman);
    v.number("howOut", l.howOut);
    v.number("fieldsman", l.fieldsman);
    v.number("bowler", l.bowler);
    v.number("runs", l.runs);
    v.number("fowScore", l.fowScore);
    v.number("fowBatsman", l.fowBatsman);
    v.number("ballsFaced", l.ballsFaced);
    v.number("fours", l.fours);
    v.number("sixes", l.sixes);
}

template <class V> void visitFields(V& v, BowlingLine& l)
{
    v.number("bowler", l.bowler);
    v.number("wickets", l.wickets);
    v.number("runsConceded", l.runsConceded);
    v.number("maidens", l.maidens);
    v.number("overs", l.overs);
}

template <class V> void visitFields(V& v, InningsRecord& r)
{
    v.number("oversTimesTen", r.oversTimesTen);
    v.objects("batting", r.batting);
    v.objects("bowling", r.bowling);
    v.number("status", r.status);
    v.number("wides", r.wides);
    v.number("noBalls", r.noBalls);
    v.number("byes", r.byes);
    v.number("legByes", r.legByes);
}

// ---- Writing -------------------------------------------------------------------------------------

// The shortest decimal that reads back as the same single-precision value, as a JSON number
// (0.1f becomes 0.1, not 0.100000001). A value that is not finite has no JSON form: null.
Json floatJson(float f)
{
    if (!std::isfinite(f)) {
        return nullptr;
    }
    char buf[64];
    const auto printed = std::to_chars(buf, buf + sizeof buf, f);
    double d = 0.0;
    std::from_chars(buf, printed.ptr, d);
    return d;
}

class JsonWriter
{
public:
    template <std::size_t N> void text(const char* name, const FixedText<N>& t) { m_out[name] = cp1252ToUtf8(t.str()); }

    template <class T> void number(const char* name, const T& v) { m_out[name] = scalar(v); }

    template <class T, std::size_t N> void numbers(const char* name, const std::array<T, N>& a)
    {
        Json list = Json::array();
        for (const T& v : a) {
            list.push_back(scalar(v));
        }
        m_out[name] = std::move(list);
    }

    template <class R> void object(const char* name, R& r) { m_out[name] = of(r); }

    template <class L, std::size_t N> void objects(const char* name, std::array<L, N>& lines)
    {
        Json list = Json::array();
        for (L& line : lines) {
            list.push_back(of(line));
        }
        m_out[name] = std::move(list);
    }

    template <class R> static Json of(R& r)
    {
        JsonWriter w;
        visitFields(w, r);
        return std::move(w.m_out);
    }

private:
    template <class T> static Json scalar(T v)
    {
        if constexpr (std::is_floating_point_v<T>) {
            return floatJson(v);
        } else if constexpr (std::is_signed_v<T>) {
            return static_cast<std::int64_t>(v);
        } else {
            return static_cast<std::uint64_t>(v);
        }
    }

    Json m_out = Json::object();
};

// ---- Reading -------------------------------------------------------------------------------------

// A problem found while reading the JSON: the path of the value and what is wrong with it.
struct Invalid
{
    std::string path;
    std::string problem;
};

[[noreturn]] void fail(const std::string& path, const std::string& problem)
{
    throw Invalid{path, problem};
}

std::string member(const std::string& path, const std::string& name)
{
    return path.empty() ? name : path + "." + name;
}

std::string element(const std::string& path, std::size_t i)
{
    return path + "[" + std::to_string(i) + "]";
}

// A JSON integer within [lo, hi]. Numbers with a fraction part or an exponent (2.5, 3.0, 1e2) are
// not integers, nor are booleans.
long long readInteger(const Json& j, const std::string& path, long long lo, long long hi)
{
    if (j.is_number_unsigned()) {
        const std::uint64_t u = j.get<std::uint64_t>();
        if (u <= static_cast<std::uint64_t>(hi) && static_cast<long long>(u) >= lo) {
            return static_cast<long long>(u);
        }
    } else if (j.is_number_integer()) {
        const std::int64_t s = j.get<std::int64_t>();
        if (s >= lo && s <= hi) {
            return s;
        }
    }
    fail(path, "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
}

// Any JSON number that a single-precision value can hold, rounded to the nearest such value.
float readFloat(const Json& j, const std::string& path)
{
    if (j.is_number()) {
        const double d = j.get<double>();
        if (std::isfinite(d) && std::fabs(d) <= static_cast<double>(FLT_MAX)) {
            return static_cast<float>(d);
        }
    }
    fail(path, "expected a number from -3.4028235e38 to 3.4028235e38");
}

// A JSON string as Windows-1252 bytes of at most `width` characters.
std::string readText(const Json& j, const std::string& path, std::size_t width)
{
    if (!j.is_string()) {
        fail(path, "expected a string");
    }
    // A stored text ends at its first zero byte when read back, so a NUL cannot survive.
    if (j.get_ref<const std::string&>().find('\0') != std::string::npos) {
        fail(path, "text holds a NUL character (\\u0000), which a database text cannot keep");
    }
    const std::optional<std::string> bytes = utf8ToCp1252(j.get_ref<const std::string&>());
    if (!bytes) {
        fail(path, "text holds a character that Windows-1252 cannot store");
    }
    if (bytes->size() > width) {
        fail(path, "text longer than " + std::to_string(width) + " characters");
    }
    return *bytes;
}

template <class T> T readNumber(const Json& j, const std::string& path)
{
    if constexpr (std::is_floating_point_v<T>) {
        return readFloat(j, path);
    } else {
        return static_cast<T>(readInteger(j, path, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }
}

const Json& readArray(const Json& j, const std::string& path, std::size_t largest, const char* what)
{
    if (!j.is_array() || j.size() > largest) {
        fail(path, "expected an array of at most " + std::to_string(largest) + " " + what);
    }
    return j;
}

// Reads the members of one JSON object into a record through its field list. A member the
// object lacks leaves the field as it is, except that a missing text is assigned blanks when
// `blankMissingTexts` is set (records: every named text is assigned, as the editors do).
// finish() rejects any member the field list did not ask for.
class JsonReader
{
public:
    JsonReader(const Json& object, std::string path, bool blankMissingTexts)
        : m_object(object), m_path(std::move(path)), m_blankMissingTexts(blankMissingTexts)
    {
        if (!m_object.is_object()) {
            fail(m_path, "expected an object");
        }
    }

    template <std::size_t N> void text(const char* name, FixedText<N>& t)
    {
        if (const Json* j = find(name)) {
            const std::string value = readText(*j, member(m_path, name), N);
            // An option that reads the same already keeps its bytes, so a new database's never
            // assigned (zero) web texts survive a dump and build unchanged.
            if (m_blankMissingTexts || value != t.str()) {
                t.assign(value);
            }
        } else if (m_blankMissingTexts) {
            t.assign("");
        }
    }

    // A text that is not stored in a fixed field (special events).
    void plainText(const char* name, std::string& s, std::size_t width)
    {
        if (const Json* j = find(name)) {
            s = readText(*j, member(m_path, name), width);
        }
    }

    template <class T> void number(const char* name, T& v)
    {
        if (const Json* j = find(name)) {
            v = readNumber<T>(*j, member(m_path, name));
        }
    }

    void integerIn(const char* name, std::int32_t& v, std::int32_t lo, std::int32_t hi)
    {
        if (const Json* j = find(name)) {
            v = static_cast<std::int32_t>(readInteger(*j, member(m_path, name), lo, hi));
        }
    }

    // A shorter array leaves the remaining elements 0.
    template <class T, std::size_t N> void numbers(const char* name, std::array<T, N>& a)
    {
        if (const Json* j = find(name)) {
            const std::string path = member(m_path, name);
            readArray(*j, path, N, "numbers");
            a.fill(T{});
            for (std::size_t i = 0; i < j->size(); ++i) {
                a[i] = readNumber<T>((*j)[i], element(path, i));
            }
        }
    }

    template <class R> void object(const char* name, R& r)
    {
        if (const Json* j = find(name)) {
            read(*j, member(m_path, name), m_blankMissingTexts, r);
        }
    }

    // A shorter array leaves the remaining lines empty.
    template <class L, std::size_t N> void objects(const char* name, std::array<L, N>& lines)
    {
        if (const Json* j = find(name)) {
            const std::string path = member(m_path, name);
            readArray(*j, path, N, "lines");
            lines.fill(L{});
            for (std::size_t i = 0; i < j->size(); ++i) {
                read((*j)[i], element(path, i), m_blankMissingTexts, lines[i]);
            }
        }
    }

    void finish() const
    {
        for (const auto& item : m_object.items()) {
            if (std::find(m_known.begin(), m_known.end(), item.key()) == m_known.end()) {
                fail(member(m_path, item.key()), "unknown field");
            }
        }
    }

    template <class R> static void read(const Json& j, const std::string& path, bool blankMissingTexts, R& r)
    {
        JsonReader reader(j, path, blankMissingTexts);
        visitFields(reader, r);
        reader.finish();
    }

private:
    const Json* find(const char* name)
    {
        m_known.emplace_back(name);
        const auto it = m_object.find(name);
        return it == m_object.end() ? nullptr : &*it;
    }

    const Json& m_object;
    std::string m_path;
    bool m_blankMissingTexts;
    std::vector<std::string> m_known;
};

// Everything the JSON describes, checked and ready to be written.
struct Database
{
    std::string version;
    DatabaseOptions options;
    std::vector<ClubRecord> clubs;
    std::vector<GradeRecord> grades;
    std::vector<GroundRecord> grounds;
    std::vector<TeamRecord> teams;
    std::vector<PlayerRecord> players;
    std::vector<AliasRecord> aliases;
    std::vector<SpecialEvent> specialEvents;
    std::vector<MatchRecord> matches;
    std::vector<InningsRecord> innings;
};

SpecialEvent readSpecialEvent(const Json& j, const std::string& path)
{
    JsonReader reader(j, path, true);
    std::int32_t innings = 0;
    std::int32_t player = 0;
    std::string event;
    reader.integerIn("innings", innings, 0, kLargestEventNumber);
    reader.integerIn("player", player, 0, kLargestEventNumber);
    reader.plainText("event", event, std::string::npos); // checked against the two names below
    reader.finish();
    event = rtrimBlanks(event);
    std::string_view column;
    if (event == rtrimBlanks(kDropCatch)) {
        column = kDropCatch;
    } else if (event == rtrimBlanks(kHatTrick)) {
        column = kHatTrick;
    } else if (!event.empty()) {
        fail(member(path, "event"), "expected \"Drop Catch\", \"Hat Trick\" or \"\"");
    }
    if (innings == 0 && player == 0 && event.empty()) {
        return SpecialEvent{FixedText<21>::of("")}; // a deleted event is blank
    }
    return makeSpecialEvent(innings, player, column);
}

template <class R> std::vector<R> readRecords(const Json& top, RecordKind kind)
{
    const std::string name = kindInfo(kind).name;
    std::vector<R> records;
    const auto it = top.find(name);
    if (it == top.end()) {
        return records;
    }
    readArray(*it, name, static_cast<std::size_t>(maxCount(kind)), "records");
    records.reserve(it->size());
    for (std::size_t i = 0; i < it->size(); ++i) {
        R r;
        if constexpr (std::is_same_v<R, SpecialEvent>) {
            r = readSpecialEvent((*it)[i], element(name, i));
        } else {
            JsonReader::read((*it)[i], element(name, i), true, r);
        }
        records.push_back(r);
    }
    return records;
}

// True for the name of a record kind's array ("clubs", "specialEvents", ...).
bool isKindName(const std::string& name)
{
    return std::any_of(std::begin(kJsonOrder), std::end(kJsonOrder),
                       [&](RecordKind k) { return name == kindInfo(k).name; });
}

// Checks made while the JSON is parsed, before its values are kept: a field given twice in one
// object (JSON parsers differ on which one wins, so neither is taken), an unknown field at the top
// level, nesting deeper than any record has, more lines than any record holds, and more records
// than a container can hold. Refusing these early keeps a huge input from filling the memory.
class ParseGuard
{
public:
    explicit ParseGuard(Json& result) : m_dom(result, true) {}

    // The events of nlohmann's SAX interface: each is checked, then handed on to the parser that
    // builds the document.
    bool null() { return scalar() && m_dom.null(); }
    bool boolean(bool v) { return scalar() && m_dom.boolean(v); }
    bool number_integer(Json::number_integer_t v) { return scalar() && m_dom.number_integer(v); }
    bool number_unsigned(Json::number_unsigned_t v) { return scalar() && m_dom.number_unsigned(v); }
    bool number_float(Json::number_float_t v, const std::string& text) { return scalar() && m_dom.number_float(v, text); }
    bool string(std::string& v) { return scalar() && m_dom.string(v); }
    bool binary(Json::binary_t& v) { return scalar() && m_dom.binary(v); }
    bool start_object(std::size_t n) { return opens(true) && m_dom.start_object(n); }
    bool start_array(std::size_t n) { return opens(false) && m_dom.start_array(n); }
    bool end_object() { return closes() && m_dom.end_object(); }
    bool end_array() { return closes() && m_dom.end_array(); }
    bool key(std::string& name)
    {
        Frame& top = m_frames.back();
        if (std::find(top.keys.begin(), top.keys.end(), name) != top.keys.end()) {
            fail(member(pathOf(m_frames.size() - 1), name), "field given twice");
        }
        if (m_frames.size() == 1 && name != "header" && !isKindName(name)) {
            fail(name, "unknown field");
        }
        top.keys.push_back(name);
        top.key = name;
        return m_dom.key(name);
    }
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::detail::exception& e)
    {
        return m_dom.parse_error(position, token, e); // throws the parser's exception
    }

private:
    // Containers nest at most five deep: top level, innings array, innings, batting array, line.
    static constexpr std::size_t kDeepest = 5;
    // No array inside a record or the header holds more elements than this.
    static constexpr std::size_t kLongestInnerArray = 64;

    struct Frame
    {
        bool object = true;
        std::vector<std::string> keys; // of an object, in order
        std::string key;               // the latest key of an object
        std::size_t elements = 0;      // of an array
        int kind = -1;                 // the record kind of a top-level array
    };

    static int kindNamed(const std::string& name)
    {
        for (RecordKind k : kJsonOrder) {
            if (name == kindInfo(k).name) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    // The path of the container at `depth` (0 is the top level), built only for a message.
    std::string pathOf(std::size_t depth) const
    {
        std::string path;
        for (std::size_t i = 1; i <= depth; ++i) {
            const Frame& parent = m_frames[i - 1];
            path = parent.object ? member(path, parent.key) : element(path, parent.elements - 1);
        }
        return path;
    }

    std::string currentPath() const
    {
        const Frame& top = m_frames.back();
        const std::string path = pathOf(m_frames.size() - 1);
        return top.object ? member(path, top.key) : element(path, top.elements - 1);
    }

    // A value begins inside the innermost container.
    void elementStarts()
    {
        Frame& top = m_frames.back();
        if (top.object) {
            return;
        }
        ++top.elements;
        if (top.kind >= 0) {
            m_counts[static_cast<std::size_t>(top.kind)] = static_cast<std::int64_t>(top.elements);
            if (const std::string problem = containerLimitProblem(m_counts); !problem.empty()) {
                fail(kindInfo(static_cast<RecordKind>(top.kind)).name, "too many records: " + problem);
            }
        } else if (top.elements > kLongestInnerArray) {
            fail(pathOf(m_frames.size() - 1), "too many elements");
        }
    }

    bool scalar()
    {
        if (m_frames.empty()) {
            fail("top level", "expected an object");
        }
        elementStarts();
        return true;
    }

    bool opens(bool object)
    {
        Frame frame;
        frame.object = object;
        if (m_frames.empty()) {
            if (!object) {
                fail("top level", "expected an object");
            }
        } else {
            elementStarts();
            if (m_frames.size() >= kDeepest) {
                fail(currentPath(), "nested too deeply");
            }
            if (!object && m_frames.size() == 1) {
                frame.kind = kindNamed(m_frames.back().key);
            }
        }
        m_frames.push_back(std::move(frame));
        return true;
    }

    bool closes()
    {
        m_frames.pop_back();
        return true;
    }

    // nlohmann's own document builder, the one Json::parse uses; its callback variant would
    // scan an array's elements at the end of every element, which is quadratic.
    nlohmann::detail::json_sax_dom_parser<Json> m_dom;
    std::vector<Frame> m_frames;
    KindCounts m_counts{};
};

// A path for a message: control characters (a NUL in a field name) are written as \u escapes.
std::string printable(const std::string& path)
{
    std::string out;
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20) {
            static const char* const hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

void readCounts(const Json& j, const std::string& path)
{
    if (!j.is_object()) {
        fail(path, "expected an object");
    }
    for (const auto& item : j.items()) {
        if (!isKindName(item.key())) {
            fail(member(path, item.key()), "unknown field");
        }
        readInteger(item.value(), member(path, item.key()), 0, std::numeric_limits<std::int32_t>::max());
    }
}

void readHeader(const Json& j, const AppState& app, Database& db)
{
    const std::string path = "header";
    if (!j.is_object()) {
        fail(path, "expected an object");
    }
    for (const auto& item : j.items()) {
        const std::string& key = item.key();
        const std::string at = member(path, key);
        if (key == "version") {
            db.version = readText(item.value(), at, FixedText<4>::width);
            if (!versionAccepted(app.programVersion, db.version)) {
                fail(at, "newer than this program's version " + app.programVersion);
            }
        } else if (key == "counts") {
            readCounts(item.value(), at); // the counts follow from the arrays
        } else if (key == "options") {
            JsonReader::read(item.value(), at, false, db.options);
        } else {
            fail(at, "unknown field");
        }
    }
}

Database readDatabase(const Json& top, const AppState& app)
{
    if (!top.is_object()) {
        fail("top level", "expected an object");
    }
    for (const auto& item : top.items()) {
        if (item.key() != "header" && !isKindName(item.key())) {
            fail(item.key(), "unknown field");
        }
    }
    Database db;
    db.version = app.programVersion;
    db.options = newDatabaseHeader(app.programVersion).options;
    if (const auto it = top.find("header"); it != top.end()) {
        readHeader(*it, app, db);
    }
    // A database is loaded while its title is not blank; a blank title gets the name Open gives it.
    if (isBlankText(db.options.databaseTitle.raw())) {
        db.options.databaseTitle.assign("no title");
    }
    db.clubs = readRecords<ClubRecord>(top, RecordKind::Club);
    db.grades = readRecords<GradeRecord>(top, RecordKind::Grade);
    db.grounds = readRecords<GroundRecord>(top, RecordKind::Ground);
    db.teams = readRecords<TeamRecord>(top, RecordKind::Team);
    db.players = readRecords<PlayerRecord>(top, RecordKind::Player);
    db.aliases = readRecords<AliasRecord>(top, RecordKind::Alias);
    db.specialEvents = readRecords<SpecialEvent>(top, RecordKind::SpecialEvent);
    db.matches = readRecords<MatchRecord>(top, RecordKind::Match);
    db.innings = readRecords<InningsRecord>(top, RecordKind::Innings);
    return db;
}

template <class R> void appendAll(WorkingSet& ws, const std::vector<R>& records)
{
    // Appending keeps element i at record i + 1, deleted players and free alias slots included.
    for (const R& r : records) {
        ws.append(r);
    }
}

} // namespace

std::string dumpDatabaseJson(const WorkingSet& ws)
{
    const DatabaseHeader& header = ws.header();
    Json root = Json::object();

    Json& h = root["header"];
    h["version"] = cp1252ToUtf8(header.version.str());
    Json& counts = h["counts"];
    counts = Json::object();
    for (RecordKind kind : kJsonOrder) {
        counts[kindInfo(kind).name] = ws.count(kind);
    }
    DatabaseOptions options = header.options;
    h["options"] = JsonWriter::of(options);

    const auto dumpKind = [&]<class R>(RecordKind kind, R*) {
        Json list = Json::array();
        const std::int32_t n = ws.count(kind);
        for (std::int32_t i = 1; i <= n; ++i) {
            R r = ws.read<R>(i);
            if constexpr (std::is_same_v<R, SpecialEvent>) {
                list.push_back(Json{{"innings", specialEventInnings(r)},
                                    {"player", specialEventPlayer(r)},
                                    {"event", cp1252ToUtf8(specialEventText(r))}});
            } else {
                list.push_back(JsonWriter::of(r));
            }
        }
        root[kindInfo(kind).name] = std::move(list);
    };
    dumpKind(RecordKind::Club, static_cast<ClubRecord*>(nullptr));
    dumpKind(RecordKind::Grade, static_cast<GradeRecord*>(nullptr));
    dumpKind(RecordKind::Ground, static_cast<GroundRecord*>(nullptr));
    dumpKind(RecordKind::Team, static_cast<TeamRecord*>(nullptr));
    dumpKind(RecordKind::Player, static_cast<PlayerRecord*>(nullptr));
    dumpKind(RecordKind::Alias, static_cast<AliasRecord*>(nullptr));
    dumpKind(RecordKind::SpecialEvent, static_cast<SpecialEvent*>(nullptr));
    dumpKind(RecordKind::Match, static_cast<MatchRecord*>(nullptr));
    dumpKind(RecordKind::Innings, static_cast<InningsRecord*>(nullptr));

    return root.dump(1) + "\n";
}

Status buildDatabaseFromJson(AppState& app, std::string_view json)
{
    Database db;
    try {
        Json top;
        try {
            ParseGuard guard(top);
            Json::sax_parse(json.begin(), json.end(), &guard);
        } catch (const Json::exception& e) {
            // A syntax error, or a number too large for a double (1e400).
            return Error{std::string("malformed JSON: ") + e.what()};
        }
        db = readDatabase(top, app);
    } catch (const Invalid& e) {
        return Error{printable(e.path) + ": " + e.problem};
    }

    // Everything is checked: replace the database. The records go to new working files beside
    // the old ones, under a copy of the state that becomes the program's only once they have
    // replaced the old files.
    AppState next = app;
    newDatabaseState(next);
    next.header.version.assign(db.version);
    next.header.options = db.options;
    try {
        StagedWorkingFiles staged(next);
        next.workingBase = staged.base();
        WorkingSet ws(next);
        appendAll(ws, db.clubs);
        appendAll(ws, db.grades);
        appendAll(ws, db.grounds);
        appendAll(ws, db.teams);
        appendAll(ws, db.players);
        appendAll(ws, db.aliases);
        appendAll(ws, db.specialEvents);
        appendAll(ws, db.matches);
        appendAll(ws, db.innings);
        const Status moved = staged.commit();
        if (!moved) {
            if (staged.replacedSome()) {
                // The working files hold a mixture: leave nothing loaded, so that no later Save
                // writes it over a container.
                app.header = DatabaseHeader{};
                app.workingBase.clear();
                app.databaseChanged = false;
            }
            return Error{"Error: The database could not be built: " + moved.message()};
        }
    } catch (const StorageError& e) {
        return Error{std::string("Error: The database could not be built: ") + e.what()};
    }
    next.workingBase = next.workingBaseFor();
    next.databaseChanged = true;
    app = next;
    return Ok{};
}

} // namespace wickly
