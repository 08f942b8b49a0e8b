#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <atomic>

namespace httplib {
class Stream;
}

namespace ovra::rest::server {

// The accepting and connection-keeping half of the local HTTP server; the
// HTTP library only parses, routes and answers the requests it is handed.
//
// A client on the hall's network must not be able to keep the server from
// answering others: each request (its headers and body, and writing its
// answer) has a deadline counted from the moment the connection was accepted
// or the request's first byte arrived, however slowly the client trickles;
// one peer address holds only a few connections at a time, fewer than there
// are workers; stopping wakes every connection at once, so quitting never
// waits on a client.
class HttpListener
{
public:
    struct Limits
    {
        // Reading one request and writing its answer.
        int requestDeadlineMs = 3000;
        // The idle time allowed between the requests of one connection.
        int keepAliveMs = 1000;
        int keepAliveMaxCount = 1000;
        int workers = 32;
        // Open connections of one peer address, served or waiting.
        int connectionsPerPeer = 8;
        // Open connections of all peers together.
        int connections = 256;
        // Bytes of one request (request line, headers and body).
        std::size_t requestBytes = 128 * 1024;
    };

    // Reads one request from the stream, answers it and tells whether the
    // connection may carry another.
    using Serve = std::function<bool(httplib::Stream &stream, bool closeConnection, bool &connectionClosed)>;

    HttpListener(Serve serve, const Limits &limits);
    // Stops and waits for run() to return when it runs on another thread.
    ~HttpListener();
    HttpListener(const HttpListener &) = delete;
    HttpListener &operator=(const HttpListener &) = delete;

    // Binds the host (empty: all IPv4 interfaces) and port and listens;
    // false when that fails.
    bool bind(const std::string &host, int port);
    // The port listened on (differs from the one asked for only for 0).
    int port() const { return m_port; }

    // Accepts and serves until stop(), then closes every connection and
    // ends the workers before it returns.
    void run();
    // From any thread, also before run(), which then returns at once.
    void stop();

    // Connections open now, served or waiting for a worker.
    int openConnections() const;
    // Connections turned away because their peer or the server was full.
    long refusedConnections() const { return m_refused; }

private:
    struct Connection
    {
        int fd = -1;
        std::string peer;
        int peerPort = 0;
        std::chrono::steady_clock::time_point accepted;
    };

    void admit(int fd, const std::string &peer, int peerPort);
    void refuse(int fd, const std::string &peer);
    void work();
    void serveConnection(const Connection &connection);
    void release(const Connection &connection);

    Serve m_serve;
    Limits m_limits;
    int m_listenFd = -1;
    int m_port = 0;
    // Readable once stop() was called; every wait watches it.
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_running{false};
    std::atomic<long> m_refused{0};

    // Guards the waiting connections and the counts below.
    mutable std::mutex m_guard;
    std::condition_variable m_wake;
    std::deque<Connection> m_waiting;
    std::map<std::string, int> m_perPeer;
    // Peers already named in the log for being full, until they are not.
    std::map<std::string, bool> m_reported;
    int m_open = 0;
    // Signalled when run() has returned, for the destructor.
    std::condition_variable m_finished;
    std::vector<std::thread> m_workers;
};

} // namespace ovra::rest::server
