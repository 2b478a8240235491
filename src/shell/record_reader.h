#pragma once
// Reads the records of one working file through a handle kept open for a whole pass (a report,
// the lists of a form), with a window of slots read ahead, so that a pass reads the file
// sequentially instead of opening it once per record. Slots past the end of the file read as
// zero bytes, as the working set's own reads do.

#include "records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wickly {

class WorkingSet;

class RecordReader
{
public:
    RecordReader(const WorkingSet& ws, RecordKind kind);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    template <class R> R read(std::int32_t n)
    {
        R r;
        decode(bytes(n), r);
        return r;
    }
    // The same into an existing record (no copy of a large record).
    template <class R> void readInto(std::int32_t n, R& r) { decode(bytes(n), r); }

    // The used bytes of record n (a view into the window, valid until the next call), for
    // decoders that read part of a record.
    std::span<const std::uint8_t> bytes(std::int32_t n);
    // True when record n is in the window already, so that bytes(n) reads nothing from the file.
    bool holds(std::int32_t n) const { return m_first != 0 && n >= m_first && n < m_first + m_slots; }

private:
    std::string m_path;
    int m_fd = -1;
    std::size_t m_slot;
    std::size_t m_used;
    std::int64_t m_first = 0; // record number of the window's first slot; 0 when empty
    std::int64_t m_slots = 0; // slots held in the window
    std::vector<std::uint8_t> m_window;
    std::vector<std::uint8_t> m_zero;
};

} // namespace wickly
