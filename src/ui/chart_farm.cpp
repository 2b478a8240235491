#include "chart_farm.h"

#include "chart_rendering.h"

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace wickly::ui {

namespace {

// Jobs a helper may hold at once: enough that it never waits for this process, few enough that
// the pictures drawn here and there stay in step.
constexpr std::size_t kJobsAhead = 4;
// No job is anywhere near this; longer lengths are taken for a broken stream.
constexpr std::uint32_t kLongestJob = 16U * 1024U * 1024U;
// The descriptor of the helper's socket in the helper.
constexpr int kWorkerSocket = 3;

// ---- The job format: little-endian numbers, strings as a 32-bit length and their bytes.

class Writer
{
public:
    void number(std::int64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i) {
            m_out.push_back(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
        }
    }
    void text(const std::string& value)
    {
        number(static_cast<std::int64_t>(value.size()), 4);
        m_out += value;
    }
    void real(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        number(static_cast<std::int64_t>(bits), 8);
    }
    std::string& bytes() { return m_out; }

private:
    std::string m_out;
};

class Reader
{
public:
    explicit Reader(std::string_view in) : m_in(in) {}

    bool number(std::uint64_t& value, int bytes)
    {
        if (m_in.size() - m_at < static_cast<std::size_t>(bytes)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(m_in[m_at++])) << (8 * i);
        }
        return true;
    }
    bool integer(int& value)
    {
        std::uint64_t v = 0;
        if (!number(v, 4)) {
            return false;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        return true;
    }
    bool count(std::size_t& value)
    {
        std::uint64_t v = 0;
        if (!number(v, 4) || v > m_in.size() - m_at) { // every entry takes at least a byte
            return false;
        }
        value = static_cast<std::size_t>(v);
        return true;
    }
    bool text(std::string& value)
    {
        std::size_t n = 0;
        if (!count(n)) {
            return false;
        }
        value.assign(m_in.substr(m_at, n));
        m_at += n;
        return true;
    }
    bool real(double& value)
    {
        std::uint64_t bits = 0;
        if (!number(bits, 8)) {
            return false;
        }
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    bool done() const { return m_at == m_in.size(); }

private:
    std::string_view m_in;
    std::size_t m_at = 0;
};

void writePoints(Writer& w, const std::vector<ChartPoint>& points)
{
    w.number(static_cast<std::int64_t>(points.size()), 4);
    for (const ChartPoint& p : points) {
        w.real(p.value);
        w.text(p.label);
        w.number(p.colour, 4);
    }
}

bool readPoints(Reader& r, std::vector<ChartPoint>& points)
{
    std::size_t n = 0;
    if (!r.count(n)) {
        return false;
    }
    points.assign(n, ChartPoint{});
    for (ChartPoint& p : points) {
        if (!r.real(p.value) || !r.text(p.label) || !r.integer(p.colour)) {
            return false;
        }
    }
    return true;
}

// ---- Whole messages over a socket, without SIGPIPE when the other side has gone.

bool sendAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

// Reads exactly `size` bytes; false at the end of the stream or on an error.
bool receiveAll(int fd, char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::recv(fd, data, size, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool sendJob(int fd, const ChartJob& job)
{
    const std::string payload = encodeChartJob(job);
    Writer length;
    length.number(static_cast<std::int64_t>(payload.size()), 4);
    const std::string message = length.bytes() + payload;
    return sendAll(fd, message.data(), message.size());
}

bool drawHere(const ChartJob& job)
{
    return saveChartJpeg(job.chart, QFile::decodeName(job.path.c_str()), job.width, job.height, job.quality);
}

} // namespace

std::string encodeChartJob(const ChartJob& job)
{
    Writer w;
    w.text(job.path);
    w.number(job.width, 4);
    w.number(job.height, 4);
    w.number(job.quality, 4);
    const ChartDocument& c = job.chart;
    w.number(static_cast<int>(c.surface), 4);
    w.text(c.caption);
    w.number(static_cast<std::int64_t>(c.titleLines.size()), 4);
    for (const std::string& line : c.titleLines) {
        w.text(line);
    }
    w.text(c.leftAxisTitle);
    w.text(c.bottomAxisTitle);
    writePoints(w, c.bars);
    writePoints(w, c.line);
    writePoints(w, c.slices);
    return std::move(w.bytes());
}

bool decodeChartJob(std::string_view bytes, ChartJob& job)
{
    Reader r(bytes);
    ChartDocument& c = job.chart;
    int surface = 0;
    std::size_t lines = 0;
    if (!r.text(job.path) || !r.integer(job.width) || !r.integer(job.height) || !r.integer(job.quality) ||
        !r.integer(surface) || (surface != static_cast<int>(ChartSurface::Bar) &&
                                surface != static_cast<int>(ChartSurface::Pie)) ||
        !r.text(c.caption) || !r.count(lines)) {
        return false;
    }
    c.surface = static_cast<ChartSurface>(surface);
    c.titleLines.assign(lines, std::string());
    for (std::string& line : c.titleLines) {
        if (!r.text(line)) {
            return false;
        }
    }
    return r.text(c.leftAxisTitle) && r.text(c.bottomAxisTitle) && readPoints(r, c.bars) && readPoints(r, c.line) &&
           readPoints(r, c.slices) && r.done();
}

// ---- The helper's side

void drawOffscreenWithoutDisplay()
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

bool isChartWorkerStart(int argc, char** argv)
{
    return argc == 3 && std::strcmp(argv[1], kChartWorkerArgument) == 0;
}

int chartWorkerMain(int argc, char** argv)
{
    const int fd = argc == 3 ? std::atoi(argv[2]) : -1;
    if (fd < 0) {
        return 2;
    }
    drawOffscreenWithoutDisplay();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    for (;;) {
        unsigned char prefix[4];
        if (!receiveAll(fd, reinterpret_cast<char*>(prefix), sizeof prefix)) {
            return 0; // the farm closed the socket: every job is done
        }
        const std::uint32_t length = prefix[0] | (prefix[1] << 8) | (prefix[2] << 16) |
                                     (static_cast<std::uint32_t>(prefix[3]) << 24);
        if (length > kLongestJob) {
            return 2;
        }
        std::string payload(length, '\0');
        ChartJob job;
        if (!receiveAll(fd, payload.data(), payload.size()) || !decodeChartJob(payload, job)) {
            return 2;
        }
        const char answer = drawHere(job) ? 1 : 0;
        if (!sendAll(fd, &answer, 1)) {
            return 2;
        }
    }
}

int chartHelpersForThisMachine()
{
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 0, 3);
}

// ---- The farm

struct ChartFarm::Helper
{
    int fd = -1;
    pid_t pid = -1;
    std::deque<ChartJob> pending; // handed over, not answered yet, in order
};

ChartFarm::ChartFarm(const std::string& program, int helpers)
{
    for (int i = 0; i < helpers && !program.empty(); ++i) {
        int sockets[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
            break;
        }
        // The helper's end goes to descriptor kWorkerSocket in the helper; from a higher number,
        // so that the copy is a real one and loses close-on-exec.
        const int childEnd = ::fcntl(sockets[1], F_DUPFD_CLOEXEC, 10);
        ::close(sockets[1]);
        if (childEnd < 0) {
            ::close(sockets[0]);
            break;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, childEnd, kWorkerSocket);
        posix_spawn_file_actions_addclosefrom_np(&actions, kWorkerSocket + 1);
        const std::string socketNumber = std::to_string(kWorkerSocket);
        std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(kChartWorkerArgument),
                                const_cast<char*>(socketNumber.c_str()), nullptr};
        pid_t pid = -1;
        const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(childEnd);
        if (spawned != 0) {
            ::close(sockets[0]);
            break;
        }
        auto helper = std::make_unique<Helper>();
        helper->fd = sockets[0];
        helper->pid = pid;
        m_helpers.push_back(std::move(helper));
    }
}

ChartFarm::~ChartFarm()
{
    finish();
}

int ChartFarm::helpers() const
{
    return static_cast<int>(m_helpers.size());
}

// Reads the answers that have come (or, with `wait`, every answer still owed). A helper that has
// stopped gives its jobs back.
void ChartFarm::collectAnswers(Helper& helper, bool wait)
{
    while (!helper.pending.empty()) {
        char answers[64];
        const std::size_t want = std::min(helper.pending.size(), sizeof answers);
        const ssize_t got = ::recv(helper.fd, answers, want, wait ? 0 : MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        if (got <= 0) {
            takeBack(helper);
            return;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (answers[i] != 1) {
                m_failed.push_back(helper.pending.front().path);
            }
            helper.pending.pop_front();
        }
    }
}

// The helper has stopped: its unanswered pictures are drawn here, and it gets no more.
void ChartFarm::takeBack(Helper& helper)
{
    ::close(helper.fd);
    helper.fd = -1;
    std::deque<ChartJob> jobs;
    jobs.swap(helper.pending);
    for (const ChartJob& job : jobs) {
        if (!drawHere(job)) {
            m_failed.push_back(job.path);
        }
    }
}

bool ChartFarm::save(const ChartDocument& chart, const std::string& path, int width, int height, int quality)
{
    ChartJob job{chart, path, width, height, quality};
    for (const std::unique_ptr<Helper>& helper : m_helpers) {
        if (helper->fd < 0) {
            continue;
        }
        collectAnswers(*helper, false);
        if (helper->fd >= 0 && helper->pending.size() < kJobsAhead) {
            if (sendJob(helper->fd, job)) {
                helper->pending.push_back(std::move(job));
                ++m_handedOver;
                return true;
            }
            takeBack(*helper);
        }
    }
    // Every helper is busy (or there is none): this process draws it.
    return drawHere(job);
}

std::vector<std::string> ChartFarm::finish()
{
    for (const std::unique_ptr<Helper>& helper : m_helpers) {
        if (helper->fd >= 0) {
            ::shutdown(helper->fd, SHUT_WR); // no more jobs: the helper ends after its last answer
            collectAnswers(*helper, true);
            if (helper->fd >= 0) {
                ::close(helper->fd);
                helper->fd = -1;
            }
        }
        if (helper->pid > 0) {
            int status = 0;
            while (::waitpid(helper->pid, &status, 0) < 0 && errno == EINTR) {
            }
            helper->pid = -1;
        }
    }
    m_helpers.clear();
    std::vector<std::string> failed;
    failed.swap(m_failed);
    return failed;
}

} // namespace wickly::ui
