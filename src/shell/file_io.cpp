#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wickly {

namespace {

Error systemError()
{
    return Error{std::strerror(errno)};
}

// Temporary files of a write: "~wkd" + six random characters + ".tmp".
constexpr const char* kTempPrefix = "~wkd";
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kTempNameLength = 14;

bool isTempName(const std::string& name)
{
    return name.size() == kTempNameLength && name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Closes a file descriptor when it goes out of scope.
struct Fd
{
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The file a path finally names: symbolic links are followed (relative ones from their own
// folder) up to the first name that is not a link, which may not exist yet.
Result<std::string> followLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st
        {
        };
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            return systemError();
        }
        if (!S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            return systemError();
        }
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    return Error{std::strerror(ELOOP)};
}

void syncFolder(const std::string& folder)
{
    Fd dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) {
        ::fsync(dir.fd); // the rename is durable once the folder is; nothing to undo if this fails
    }
}

// A new temporary file in `folder`, locked for as long as it is open so that the clean-up of
// stray files of another program passes it by.
int createTemp(const std::string& folder, std::string& name)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        name = folder + "/" + kTempPrefix + "XXXXXX" + kTempSuffix;
        const int fd = ::mkostemps(name.data(), static_cast<int>(std::strlen(kTempSuffix)), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        struct stat st
        {
        };
        // A clean-up may have removed it between its creation and the lock: take another.
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

} // namespace

std::string findOnPath(const std::string& program, const std::string& pathVariable)
{
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string::npos) {
            end = pathVariable.size();
        }
        const std::string folder = pathVariable.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + program;
            struct stat st
            {
            };
            if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return {};
}

Result<std::vector<std::uint8_t>> readFileBytes(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return systemError();
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buf, sizeof buf);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const Error e = systemError();
            ::close(fd);
            return e;
        }
        if (got == 0) {
            break;
        }
        bytes.insert(bytes.end(), buf, buf + got);
    }
    ::close(fd);
    return bytes;
}

void removeStraySaveFiles(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir)) {
        if (isTempName(e->d_name)) {
            names.emplace_back(e->d_name);
        }
    }
    ::closedir(dir);
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        Fd f{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
        struct stat held
        {
        };
        struct stat named
        {
        };
        // A write in progress holds its lock; an interrupted one holds nothing.
        if (f.fd < 0 || ::flock(f.fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(f.fd, &held) != 0 ||
            !S_ISREG(held.st_mode) || ::lstat(path.c_str(), &named) != 0 || named.st_ino != held.st_ino ||
            named.st_dev != held.st_dev) {
            continue;
        }
        ::unlink(path.c_str());
    }
}

Status writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, WriteOptions options)
{
    const Result<std::string> resolved = followLinks(path);
    if (!resolved) {
        return Error{resolved.message()};
    }
    const std::string& target = resolved.value();
    const std::string folder = folderOf(target);
    if (options.removeStrays) {
        removeStraySaveFiles(folder);
    }

    struct stat old
    {
    };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return systemError();
    }
    if (exists) {
        if (!S_ISREG(old.st_mode)) {
            return Error{"it is not a regular file"};
        }
        // The mode bits decide, not access(): root may write anything, yet a file that nobody may
        // write was made read-only on purpose.
        if ((old.st_mode & 0222) == 0) {
            return Error{"the file is read-only"};
        }
        if (::access(target.c_str(), W_OK) != 0) {
            return systemError();
        }
    }

    std::string temp;
    Fd tmp{createTemp(folder, temp)};
    if (tmp.fd < 0) {
        return systemError();
    }
    const auto fail = [&](const Error& e) {
        ::unlink(temp.c_str());
        return e;
    };
    mode_t mode = 0;
    if (exists) {
        // Owner and group first: changing them may clear the set-id bits that the mode restores.
        if (::fchown(tmp.fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int groupOnly = ::fchown(tmp.fd, static_cast<uid_t>(-1), old.st_gid);
        }
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (!writeAll(tmp.fd, bytes) || (options.flush && ::fsync(tmp.fd) != 0)) {
        return fail(systemError());
    }
    ::fchmod(tmp.fd, mode); // where permitted; the bytes are what matters

    if (exists && old.st_nlink > 1) {
        // Other names share this file: replacing it would leave them the old bytes. The complete
        // copy is safely on disk, so now update the file itself. Reserving the space first means
        // that a full disk is found before any old byte changes.
        // Read and write: the C library's emulation of posix_fallocate reads the file.
        Fd out{::open(target.c_str(), O_RDWR | O_CLOEXEC)};
        if (out.fd < 0) {
            return fail(systemError());
        }
        const off_t size = static_cast<off_t>(bytes.size());
        if (size > 0) {
            if (const int err = ::posix_fallocate(out.fd, 0, size); err != 0) {
                [[maybe_unused]] const int restored = ::ftruncate(out.fd, old.st_size);
                return fail(Error{std::strerror(err)});
            }
        }
        if (writeAll(out.fd, bytes) && ::ftruncate(out.fd, size) == 0 && (!options.flush || ::fsync(out.fd) == 0)) {
            ::unlink(temp.c_str());
            return Ok{};
        }
        // The copy failed part way: this name gets the complete new file at least.
        const Error e = systemError();
        if (::rename(temp.c_str(), target.c_str()) == 0) {
            syncFolder(folder);
            return Error{e.message + "; this name now holds the new file, but its other names (hard links) may "
                                     "hold a damaged copy"};
        }
        return fail(e);
    }

    if (::rename(temp.c_str(), target.c_str()) != 0) {
        return fail(systemError());
    }
    if (options.flush) {
        syncFolder(folder);
    }
    return Ok{};
}

} // namespace wickly
