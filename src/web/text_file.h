#pragma once
// A generated text file (report, CSV, HTML page) collected in memory and then saved in one piece,
// so a failed save never leaves half a file behind and tests compare whole texts.

#include "file_io.h"
#include "result.h"

#include <string>
#include <string_view>

namespace wickly::web {

class TextFile
{
public:
    // Appends the text and a CR LF line end.
    void line(std::string_view text = {});
    // Appends the text without a line end; the next piece continues the same line.
    void write(std::string_view text);

    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

    // Replaces the file at `path` with the collected text (temporary file, flush unless the
    // options say otherwise, rename).
    Status save(const std::string& path, WriteOptions options = {}) const;

private:
    std::string m_text;
};

} // namespace wickly::web
