// LoopbackHttpServer: a small HTTP server of the test on 127.0.0.1, on a
// port the system picks (so every run has URLs no cache has seen). It
// serves the bodies it is given by path, answers 404 for any other path,
// and can hold the replies to one path until the test lets them go.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool Listening() const { return listener_ != kNoSocket; }
    // "http://127.0.0.1:port" + path (path starts with '/').
    std::wstring Url(const std::string& path) const;
    void Serve(const std::string& path, const std::string& body);
    // Replies to path wait until Release.
    void Hold(const std::string& path);
    void Release(const std::string& path);
    int Requests(const std::string& path);

private:
    // A socket handle, kept apart from the winsock headers.
    using Socket = std::uintptr_t;
    static constexpr Socket kNoSocket = ~Socket(0);

    void AcceptLoop();
    void Answer(Socket connection);

    Socket listener_ = kNoSocket;
    unsigned short port_ = 0;
    std::mutex mutex_;
    std::condition_variable released_;
    std::map<std::string, std::string> bodies_;
    std::map<std::string, bool> held_;
    std::map<std::string, int> requests_;
    bool stopping_ = false;
    std::thread acceptor_;
    std::vector<std::thread> answers_;
};
