// The test's loopback HTTP server.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "LoopbackHttpServer.h"

LoopbackHttpServer::LoopbackHttpServer()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (listener_ == kNoSocket || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ != kNoSocket)
            closesocket(listener_);
        listener_ = kNoSocket;
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    if (listener_ != kNoSocket)
        closesocket(listener_);
    if (acceptor_.joinable())
        acceptor_.join();
    for (std::thread& answer : answers_)
        answer.join();
    WSACleanup();
}

std::wstring LoopbackHttpServer::Url(const std::string& path) const
{
    return L"http://127.0.0.1:" + std::to_wstring(port_) + std::wstring(path.begin(), path.end());
}

void LoopbackHttpServer::Serve(const std::string& path, const std::string& body)
{
    std::lock_guard<std::mutex> lock(mutex_);
    bodies_[path] = body;
}

void LoopbackHttpServer::Hold(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    held_[path] = true;
}

void LoopbackHttpServer::Release(const std::string& path)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held_[path] = false;
    }
    released_.notify_all();
}

int LoopbackHttpServer::Requests(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_[path];
}

void LoopbackHttpServer::AcceptLoop()
{
    for (;;) {
        const Socket connection = accept(listener_, nullptr, nullptr);
        if (connection == kNoSocket)
            return;   // closed by the destructor
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) {
            closesocket(connection);
            return;
        }
        answers_.emplace_back([this, connection] { Answer(connection); });
    }
}

void LoopbackHttpServer::Answer(Socket connection)
{
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<size_t>(got));
    }
    // "GET /path HTTP/1.1"
    const size_t start = request.find(' ');
    const size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    const std::string path = end == std::string::npos ? std::string() : request.substr(start + 1, end - start - 1);
    std::string reply;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ++requests_[path];
        released_.wait(lock, [&] { return stopping_ || !held_[path]; });
        const auto found = bodies_.find(path);
        if (found == bodies_.end()) {
            reply = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        } else {
            reply = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                    std::to_string(found->second.size()) + "\r\nConnection: close\r\n\r\n" + found->second;
        }
    }
    size_t sent = 0;
    while (sent < reply.size()) {
        const int put = send(connection, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
        if (put <= 0)
            break;
        sent += static_cast<size_t>(put);
    }
    shutdown(connection, SD_SEND);
    closesocket(connection);
}
