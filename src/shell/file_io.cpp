#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wickly {

namespace {

Error systemError()
{
    return Error{std::strerror(errno)};
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

Status writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return systemError();
    }
    // A new file of its own beside the target, so that the rename stays on one file system and
    // never touches another file; it takes the old file's permissions.
    std::string temp = path + ".saving-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return systemError();
    }
    struct stat old
    {
    };
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    const auto fail = [&](bool open) {
        const Error e = systemError();
        if (open) {
            ::close(fd);
        }
        ::unlink(temp.c_str());
        return e;
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(true);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) {
        return fail(true);
    }
    if (::close(fd) != 0) {
        return fail(false);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail(false);
    }
    return Ok{};
}

} // namespace wickly
