#pragma once
// Test fixtures: a fresh temporary folder, removed afterwards, and helpers to read and write
// whole files.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wickly::test {

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool fileExists(const std::string& path);

// The lines joined as a generated text file has them: each ended with CR LF.
std::string crlfLines(std::initializer_list<std::string> lines);

// Bytes from a hex text; blanks and line breaks are ignored ("41 42" -> {0x41, 0x42}).
std::vector<std::uint8_t> hexBytes(const std::string& hex);

} // namespace wickly::test
