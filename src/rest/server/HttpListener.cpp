#include "rest/server/HttpListener.h"

#include <QDebug>
#include <QString>

#include <httplib.h>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace ovra::rest::server {

namespace {

using Clock = std::chrono::steady_clock;

// Answers and gives up waiting writes this long after the request was read,
// when its own deadline leaves less.
constexpr int kWriteGraceMs = 2000;

const char kServiceUnavailable[] = "HTTP/1.1 503 Service Unavailable\r\n"
                                   "Access-Control-Allow-Origin: *\r\n"
                                   "Content-Length: 0\r\n"
                                   "Connection: close\r\n\r\n";

bool setNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL, 0);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 &&
           ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

// The numeric address and port of a socket address.
std::pair<std::string, int> numericAddress(const sockaddr *address, socklen_t length)
{
    std::array<char, NI_MAXHOST> host{};
    std::array<char, NI_MAXSERV> service{};
    if (::getnameinfo(address, length, host.data(), static_cast<socklen_t>(host.size()), service.data(),
                      static_cast<socklen_t>(service.size()), NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return {std::string(), 0};
    std::string text(host.data());
    // An IPv4 peer on a dual-stack socket is the same peer as on an IPv4 one.
    if (text.rfind("::ffff:", 0) == 0 && text.find('.') != std::string::npos)
        text.erase(0, 7);
    return {text, std::atoi(service.data())};
}

// A connection's socket as the HTTP library reads and writes it, with the
// request's deadline and byte budget: once either is spent, or the server
// stops, every read and write fails and the connection is closed. Reads are
// buffered, as the library reads the request line and headers byte by byte.
class DeadlineStream : public httplib::Stream
{
public:
    DeadlineStream(int fd, int wakeFd, const std::atomic<bool> &stopping, std::string peer, int peerPort,
                   std::size_t requestBytes)
        : m_fd(fd)
        , m_wakeFd(wakeFd)
        , m_stopping(stopping)
        , m_peer(std::move(peer))
        , m_peerPort(peerPort)
        , m_requestBytes(requestBytes)
    {}

    void startRequest(Clock::time_point deadline)
    {
        m_deadline = deadline;
        m_read = 0;
        m_writing = false;
    }
    bool failed() const { return m_failed; }
    bool buffered() const { return m_begin < m_end; }

    // Waits until the socket has data, at most until the time given.
    bool waitReadable(Clock::time_point until) const { return buffered() || wait(POLLIN, until); }

    bool is_readable() const override { return !m_failed && waitReadable(m_deadline); }
    bool is_writable() const override { return !m_failed && !m_stopping; }

    ssize_t read(char *ptr, size_t size) override
    {
        if (m_failed)
            return -1;
        if (!buffered() && !fill())
            return -1;
        if (m_read >= m_requestBytes) {
            m_failed = true;
            return -1;
        }
        const std::size_t n = std::min({size, m_end - m_begin, m_requestBytes - m_read});
        std::memcpy(ptr, m_buffer.data() + m_begin, n);
        m_begin += n;
        m_read += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        if (m_failed)
            return -1;
        if (!m_writing) {
            // The request has been read: its answer gets at least the grace.
            m_writing = true;
            m_deadline = std::max(m_deadline, Clock::now() + std::chrono::milliseconds(kWriteGraceMs));
        }
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::send(m_fd, ptr + done, size - done, MSG_NOSIGNAL);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait(POLLOUT, m_deadline))
                continue;
            m_failed = true;
            return -1;
        }
        return static_cast<ssize_t>(size);
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override
    {
        ip = m_peer;
        port = m_peerPort;
    }
    void get_local_ip_and_port(std::string &ip, int &port) const override
    {
        sockaddr_storage address{};
        socklen_t length = sizeof(address);
        if (::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
            std::tie(ip, port) = numericAddress(reinterpret_cast<sockaddr *>(&address), length);
    }
    socket_t socket() const override { return m_fd; }

private:
    // Refills the buffer; false (and failed) at the end of the stream or on
    // a failure.
    bool fill()
    {
        m_begin = 0;
        m_end = 0;
        for (;;) {
            const ssize_t n = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
            if (n > 0) {
                m_end = static_cast<std::size_t>(n);
                return true;
            }
            if (n == 0) {
                // The client closed its side: no further request.
                m_failed = true;
                return false;
            }
            if (errno == EINTR)
                continue;
            if ((errno != EAGAIN && errno != EWOULDBLOCK) || !wait(POLLIN, m_deadline)) {
                m_failed = true;
                return false;
            }
        }
    }

    // Polls the socket together with the stop signal; false when the time
    // is up or the server stops.
    bool wait(short events, Clock::time_point until) const
    {
        for (;;) {
            if (m_stopping)
                return false;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd fds[2] = {{m_fd, events, 0}, {m_wakeFd, POLLIN, 0}};
            const int ready = ::poll(fds, 2, static_cast<int>(std::min<long long>(left, 60000)));
            if (ready < 0 && errno != EINTR)
                return false;
            if (fds[1].revents != 0)
                return false;
            if (fds[0].revents != 0)
                return true;
        }
    }

    int m_fd;
    int m_wakeFd;
    const std::atomic<bool> &m_stopping;
    std::string m_peer;
    int m_peerPort;
    std::size_t m_requestBytes;
    Clock::time_point m_deadline;
    std::size_t m_read = 0;
    bool m_writing = false;
    bool m_failed = false;
    std::array<char, 4096> m_buffer{};
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

} // namespace

HttpListener::HttpListener(Serve serve, const Limits &limits)
    : m_serve(std::move(serve))
    , m_limits(limits)
{
    int fds[2] = {-1, -1};
    if (::pipe(fds) == 0) {
        m_wakeRead = fds[0];
        m_wakeWrite = fds[1];
        setNonBlocking(m_wakeRead);
        setNonBlocking(m_wakeWrite);
    }
    // Without the pipe nothing could be woken: such a listener never runs.
    Q_ASSERT(m_wakeRead >= 0);
}

HttpListener::~HttpListener()
{
    stop();
    {
        std::unique_lock<std::mutex> lock(m_guard);
        m_finished.wait(lock, [this] { return !m_running; });
    }
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    for (const int fd : {m_wakeRead, m_wakeWrite}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool HttpListener::bind(const std::string &host, int port)
{
    if (m_listenFd >= 0 || m_wakeRead < 0 || port < 0 || port > 65535)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(host.empty() ? "0.0.0.0" : host.c_str(), service.c_str(), &hints, &found) != 0)
        return false;
    for (const addrinfo *a = found; a != nullptr && m_listenFd < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (fd < 0)
            continue;
        // Only SO_REUSEADDR: a listener in TIME_WAIT does not block a
        // restart, yet a port another program listens on refuses the bind.
        int yes = 1;
        int no = 0;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        if (a->ai_family == AF_INET6)
            ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &no, sizeof(no));
        if (setNonBlocking(fd) && ::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, SOMAXCONN) == 0)
            m_listenFd = fd;
        else
            ::close(fd);
    }
    ::freeaddrinfo(found);
    if (m_listenFd < 0)
        return false;
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    if (::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        m_port = numericAddress(reinterpret_cast<sockaddr *>(&address), length).second;
    return true;
}

void HttpListener::stop()
{
    if (m_stopping.exchange(true))
        return;
    if (m_wakeWrite >= 0) {
        const char byte = 1;
        // The pipe is never read: it stays readable and wakes every wait.
        [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
    }
    std::lock_guard<std::mutex> lock(m_guard);
    m_wake.notify_all();
}

int HttpListener::openConnections() const
{
    std::lock_guard<std::mutex> lock(m_guard);
    return m_open;
}

void HttpListener::run()
{
    {
        std::lock_guard<std::mutex> lock(m_guard);
        m_running = true;
    }
    if (m_listenFd >= 0 && !m_stopping) {
        for (int i = 0; i < m_limits.workers; ++i)
            m_workers.emplace_back([this] { work(); });
        while (!m_stopping) {
            pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                qWarning() << "HTTP server cannot wait for connections:" << std::strerror(errno);
                break;
            }
            if (fds[1].revents != 0)
                break;
            for (;;) {
                sockaddr_storage address{};
                socklen_t length = sizeof(address);
                const int fd = ::accept(m_listenFd, reinterpret_cast<sockaddr *>(&address), &length);
                if (fd < 0) {
                    if (errno == EMFILE || errno == ENFILE) {
                        // Out of descriptors: give the workers time to close some.
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    }
                    break;
                }
                const auto [peer, peerPort] = numericAddress(reinterpret_cast<sockaddr *>(&address), length);
                if (!setNonBlocking(fd)) {
                    ::close(fd);
                    continue;
                }
                int yes = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));
                admit(fd, peer, peerPort);
            }
        }
        stop();
        for (std::thread &worker : m_workers)
            worker.join();
        m_workers.clear();
    }
    std::deque<Connection> waiting;
    {
        std::lock_guard<std::mutex> lock(m_guard);
        waiting.swap(m_waiting);
    }
    for (const Connection &connection : waiting) {
        ::close(connection.fd);
        release(connection);
    }
    std::lock_guard<std::mutex> lock(m_guard);
    m_running = false;
    m_finished.notify_all();
}

void HttpListener::admit(int fd, const std::string &peer, int peerPort)
{
    {
        std::lock_guard<std::mutex> lock(m_guard);
        int &count = m_perPeer[peer];
        if (count < m_limits.connectionsPerPeer && m_open < m_limits.connections) {
            ++count;
            ++m_open;
            m_waiting.push_back({fd, peer, peerPort, Clock::now()});
            m_wake.notify_one();
            return;
        }
        if (count == 0)
            m_perPeer.erase(peer);
    }
    refuse(fd, peer);
}

void HttpListener::refuse(int fd, const std::string &peer)
{
    ++m_refused;
    // A client that asks politely learns why; nobody waits for it to read.
    [[maybe_unused]] const ssize_t sent =
        ::send(fd, kServiceUnavailable, sizeof(kServiceUnavailable) - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    ::close(fd);
    bool report = false;
    {
        std::lock_guard<std::mutex> lock(m_guard);
        // Bounded, whatever the number of peers that come and go.
        if (m_reported.size() > 1024)
            m_reported.clear();
        report = !std::exchange(m_reported[peer], true);
    }
    // Once per peer while it stays at its bound: a flood does not flood the log.
    if (report)
        qWarning().noquote() << "HTTP server turns away connections from" << QString::fromStdString(peer)
                             << "(too many open connections)";
}

void HttpListener::release(const Connection &connection)
{
    std::lock_guard<std::mutex> lock(m_guard);
    --m_open;
    auto it = m_perPeer.find(connection.peer);
    if (it != m_perPeer.end() && --it->second <= 0) {
        m_perPeer.erase(it);
        m_reported.erase(connection.peer);
    }
}

void HttpListener::work()
{
    for (;;) {
        Connection connection;
        {
            std::unique_lock<std::mutex> lock(m_guard);
            m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_stopping)
                return;
            connection = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        serveConnection(connection);
        ::close(connection.fd);
        release(connection);
    }
}

void HttpListener::serveConnection(const Connection &connection)
{
    DeadlineStream stream(connection.fd, m_wakeRead, m_stopping, connection.peer, connection.peerPort,
                          m_limits.requestBytes);
    const auto deadline = std::chrono::milliseconds(m_limits.requestDeadlineMs);
    // The first request counts from the accept, time spent waiting for a
    // worker included; later ones from their first byte, which must come
    // within the keep-alive time of the previous answer.
    Clock::time_point until = connection.accepted + deadline;
    for (int count = 0; count < m_limits.keepAliveMaxCount && !m_stopping; ++count) {
        if (count > 0) {
            if (!stream.waitReadable(Clock::now() + std::chrono::milliseconds(m_limits.keepAliveMs)))
                return;
            until = Clock::now() + deadline;
        }
        stream.startRequest(until);
        bool connectionClosed = false;
        const bool last = count + 1 == m_limits.keepAliveMaxCount;
        if (!m_serve(stream, last, connectionClosed) || connectionClosed || last || stream.failed())
            return;
    }
}

} // namespace ovra::rest::server
