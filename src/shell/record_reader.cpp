#include "record_reader.h"

#include "working_set.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace wickly {

namespace {
constexpr std::size_t kWindowBytes = 256 * 1024;
}

RecordReader::RecordReader(const WorkingSet& ws, RecordKind kind)
    : m_path(ws.filePath(kind)), m_slot(kindInfo(kind).slotSize), m_used(kindInfo(kind).usedSize),
      m_zero(kindInfo(kind).usedSize, 0)
{
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0 && errno != ENOENT) {
        throw StorageError("Cannot read the working file \"" + m_path + "\": " + std::strerror(errno));
    }
    m_window.resize(std::max(kWindowBytes / m_slot, std::size_t{1}) * m_slot);
}

RecordReader::~RecordReader()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::span<const std::uint8_t> RecordReader::bytes(std::int32_t n)
{
    if (n < 1 || m_fd < 0) {
        return m_zero; // no file yet: nothing was ever written there
    }
    if (m_first == 0 || n < m_first || n >= m_first + m_slots) {
        // Fill the window from record n on.
        const off_t offset = static_cast<off_t>(n - 1) * static_cast<off_t>(m_slot);
        std::size_t done = 0;
        while (done < m_window.size()) {
            const ssize_t got =
                ::pread(m_fd, m_window.data() + done, m_window.size() - done, offset + static_cast<off_t>(done));
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw StorageError("Cannot read the working file \"" + m_path + "\": " + std::strerror(errno));
            }
            if (got == 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        std::fill(m_window.begin() + static_cast<std::ptrdiff_t>(done), m_window.end(), std::uint8_t{0});
        m_first = n;
        m_slots = static_cast<std::int64_t>(m_window.size() / m_slot);
    }
    const std::size_t at = static_cast<std::size_t>(n - m_first) * m_slot;
    return std::span<const std::uint8_t>(m_window.data() + at, m_used);
}

} // namespace wickly
