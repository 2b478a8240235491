#include "text_file.h"

#include "file_io.h"

#include <cstdint>
#include <span>

namespace wickly::web {

void TextFile::line(std::string_view text)
{
    m_text.append(text);
    m_text.append("\r\n");
}

void TextFile::write(std::string_view text)
{
    m_text.append(text);
}

Status TextFile::save(const std::string& path, WriteOptions options) const
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(m_text.data());
    return writeFileAtomically(path, std::span<const std::uint8_t>(data, m_text.size()), options);
}

} // namespace wickly::web
