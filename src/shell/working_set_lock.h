#pragma once
// One program at a time on the working files of a start-up folder: an exclusive lock on the file
// "~tmp.lck" there, held for as long as the program runs and released by the system when it ends
// (also when it crashes).

#include <string>

namespace wickly {

enum class WorkingSetLockState
{
    Held,        // this program owns the working files
    InUse,       // another program holds the lock: it owns the working files
    Unavailable, // the folder does not support locks or the lock file cannot be opened
};

inline constexpr const char* kWorkingSetLockName = "~tmp.lck";

class WorkingSetLock
{
public:
    // Tries to take the lock of the working files in `folder` without waiting. Once held, it
    // removes what an interrupted Open ("~tmp-new.*") or Save ("~wkdXXXXXX.tmp") left in the
    // folder and in its "web" folder, which no other program can be writing now.
    explicit WorkingSetLock(const std::string& folder);
    ~WorkingSetLock();
    WorkingSetLock(const WorkingSetLock&) = delete;
    WorkingSetLock& operator=(const WorkingSetLock&) = delete;

    WorkingSetLockState state() const { return m_state; }
    bool inUse() const { return m_state == WorkingSetLockState::InUse; }

private:
    int m_fd = -1;
    WorkingSetLockState m_state = WorkingSetLockState::Unavailable;
};

// What a second program in the same start-up folder tells the user.
std::string workingSetInUseMessage(const std::string& folder);

} // namespace wickly
