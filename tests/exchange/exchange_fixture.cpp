#include "exchange_fixture.h"

#include <gtest/gtest.h>

namespace wickly::test {

std::vector<std::string> crlfSplit(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end in CR LF";
            lines.push_back(text.substr(start));
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::string withoutRecordNumbers(const std::string& text)
{
    std::string out;
    for (const std::string& line : crlfSplit(text)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            out += line + "\r\n";
            continue;
        }
        const std::string key = line.substr(0, eq);
        std::vector<int> numbered;
        if (key.starts_with("Batsman")) {
            numbered = {0, 3, 5};
        } else if (key.starts_with("Bowler") || key == "Ground" || key == "Grade" || key == "Club1" ||
                   key == "Club2" || key == "Team1" || key == "Team2" || key.starts_with("Captain") ||
                   key.starts_with("Keeper") || key == "MOM" || key == "Special") {
            numbered = {0};
        }
        std::vector<std::string> parts;
        std::size_t start = eq + 1;
        for (;;) {
            const std::size_t semi = line.find(';', start);
            parts.push_back(line.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
            if (semi == std::string::npos) {
                break;
            }
            start = semi + 1;
        }
        for (const int i : numbered) {
            const std::string p = parts[static_cast<std::size_t>(i)];
            if (p != " 0 " && p != "-1 " && p != "-2 " && p != " 0") {
                parts[static_cast<std::size_t>(i)] = "N";
            }
        }
        std::string joined = key + "=";
        for (std::size_t i = 0; i < parts.size(); ++i) {
            joined += (i > 0 ? ";" : "") + parts[i];
        }
        out += joined + "\r\n";
    }
    return out;
}

DatabaseState stateOf(const TestDatabase& db)
{
    DatabaseState s;
    for (int k = 0; k < kRecordKindCount; ++k) {
        const std::string path = db.ws.filePath(static_cast<RecordKind>(k));
        Result<std::vector<std::uint8_t>> bytes = readFileBytes(path);
        s.files[path] = bytes ? bytes.value() : std::vector<std::uint8_t>{};
        s.counts.push_back(db.ws.count(static_cast<RecordKind>(k)));
    }
    s.changed = db.app.databaseChanged;
    return s;
}

std::string readText(const std::string& path)
{
    const std::vector<std::uint8_t> b = readBytes(path);
    return std::string(b.begin(), b.end());
}

} // namespace wickly::test
