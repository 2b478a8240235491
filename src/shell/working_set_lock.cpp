#include "working_set_lock.h"

#include "file_io.h"
#include "records.h"
#include "working_set.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wickly {

WorkingSetLock::WorkingSetLock(const std::string& folder)
{
    const std::string path = folder + "/" + kWorkingSetLockName;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0 && errno == EACCES) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); // another user's lock file still locks
    }
    if (m_fd < 0) {
        return; // Unavailable: the program works as it would without locks
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_state = errno == EWOULDBLOCK ? WorkingSetLockState::InUse : WorkingSetLockState::Unavailable;
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_state = WorkingSetLockState::Held;

    // Leftovers of an interrupted Open and of interrupted saves.
    const std::string staged = StagedWorkingFiles::baseFor(folder);
    for (int k = 0; k < kRecordKindCount; ++k) {
        ::unlink((staged + kindInfo(static_cast<RecordKind>(k)).extension).c_str());
    }
    removeStraySaveFiles(folder);
    removeStraySaveFiles(folder + "/web");
}

WorkingSetLock::~WorkingSetLock()
{
    // The lock file stays: removing it would let a third program lock a new file while a second
    // one still waits on the old.
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::string workingSetInUseMessage(const std::string& folder)
{
    return "Another copy of Wickly is already running in the folder \"" + folder +
           "\" and is using its working files.  This copy cannot open, create or change a database; "
           "close it and use the other copy, or start Wickly from another folder.";
}

} // namespace wickly
