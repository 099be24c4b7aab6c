// The WinHTTP transport against servers on this machine's loopback that misbehave on purpose: one
// that never answers, one that answers a byte at a time, one that sends far more than the limit,
// a port nobody listens on, a redirect. The ordinary path (what goes out, what comes back) is
// read back from the request as the server received it.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "sync/http_transport.h"

namespace {
// A socket bound to 127.0.0.1 at a free port, and that port.
SOCKET BoundLoopback(int* port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
    int size = sizeof at;
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
    *port = ntohs(at.sin_port);
    return s;
}

// One connection accepted on 127.0.0.1 at a free port, handed to what the test makes of it.
class LoopbackServer {
  public:
    explicit LoopbackServer(std::function<void(SOCKET, LoopbackServer&)> serve) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = BoundLoopback(&port_);
        listen(listener_, 4);
        thread_ = std::thread([this, serve] {
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) return;
            serve(c, *this);
            closesocket(c);
        });
    }
    ~LoopbackServer() {
        stop_ = true;
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }
    std::string Url(const char* path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    bool stopping() const { return stop_; }
    std::string received;  // the request as it arrived (head and body)

    // Reads one request: the head, then as many body bytes as Content-Length says.
    void ReadRequest(SOCKET c) {
        char buffer[4096];
        size_t bodyAt = std::string::npos, length = 0;
        for (;;) {
            if (bodyAt != std::string::npos && received.size() >= bodyAt + length) return;
            int n = recv(c, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            received.append(buffer, static_cast<size_t>(n));
            if (bodyAt == std::string::npos && (bodyAt = received.find("\r\n\r\n")) != std::string::npos) {
                bodyAt += 4;
                size_t at = received.find("Content-Length: ");
                if (at != std::string::npos && at < bodyAt) length = std::stoul(received.substr(at + 16));
            }
        }
    }
    // Waits until the test is over (or the client gave up and closed).
    void Linger(SOCKET c) {
        while (!stop_) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(c, &readable);
            timeval tick = {0, 50000};
            if (select(0, &readable, nullptr, nullptr, &tick) == 1) {
                char b;
                if (recv(c, &b, 1, 0) <= 0) return;
            }
        }
    }

  private:
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void SendAll(SOCKET c, const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        int n = send(c, text.data() + at, static_cast<int>(text.size() - at), 0);
        if (n <= 0) return;
        at += static_cast<size_t>(n);
    }
}

HttpLimits Quick() {
    HttpLimits limits;
    limits.connectTimeoutMs = 1000;
    limits.totalTimeoutMs = 1500;
    limits.maxResponseBytes = 1 << 20;
    return limits;
}

// <chrono> cannot be compiled with code page 932 literals: the system's tick count instead.
long long MsSince(ULONGLONG start) { return static_cast<long long>(GetTickCount64() - start); }
}  // namespace

TEST(WinHttpTransport, SendsMethodHeadersBodyAndBasicAuthenticationAndReadsTheWholeAnswer) {
    LoopbackServer server([](SOCKET c, LoopbackServer& s) {
        s.ReadRequest(c);
        std::string body = "<multistatus xmlns=\"DAV:\"/>";
        SendAll(c, "HTTP/1.1 207 Multi-Status\r\nETag: \"e-1\"\r\nContent-Type: application/xml\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + body);
    });
    auto transport = MakeHttpTransport(Quick(), HttpCredentials{"user", "pass"});
    ASSERT_TRUE(transport);
    HttpRequest request{"PROPFIND", server.Url("/cal/"), {{"Depth", "0"}, {"Content-Type", "application/xml"}},
                        "<propfind xmlns=\"DAV:\"><prop><resourcetype/></prop></propfind>"};
    HttpResponse response = transport->Send(request);
    ASSERT_EQ(response.failure, HttpFailure::kNone) << response.failureText;
    EXPECT_EQ(response.status, 207);
    ASSERT_TRUE(response.Header("etag"));
    EXPECT_EQ(*response.Header("ETAG"), "\"e-1\"");
    EXPECT_EQ(response.body, "<multistatus xmlns=\"DAV:\"/>");
    EXPECT_EQ(transport->RequestCount(), 1);
    EXPECT_EQ(server.received.rfind("PROPFIND /cal/ HTTP/1.1\r\n", 0), 0u) << server.received;
    EXPECT_NE(server.received.find("\r\nAuthorization: Basic dXNlcjpwYXNz\r\n"), std::string::npos) << server.received;
    EXPECT_NE(server.received.find("\r\nDepth: 0\r\n"), std::string::npos);
    EXPECT_NE(server.received.find("\r\n\r\n<propfind xmlns=\"DAV:\"><prop><resourcetype/></prop></propfind>"),
              std::string::npos);
}

TEST(WinHttpTransport, AServerThatNeverAnswersIsATimeoutWithinTheTotalTime) {
    LoopbackServer server([](SOCKET c, LoopbackServer& s) {
        s.ReadRequest(c);
        s.Linger(c);
    });
    auto transport = MakeHttpTransport(Quick(), HttpCredentials{"u", "p"});
    ASSERT_TRUE(transport);
    ULONGLONG start = GetTickCount64();
    HttpResponse response = transport->Send(HttpRequest{"GET", server.Url("/"), {}, ""});
    EXPECT_EQ(response.failure, HttpFailure::kTimeout) << response.failureText;
    EXPECT_FALSE(response.failureText.empty());
    EXPECT_EQ(response.status, 0);
    EXPECT_LT(MsSince(start), 4000);
}

// Each byte comes well within any single wait; only the total timeout ends it.
TEST(WinHttpTransport, AnAnswerTricklingInEndsAtTheTotalTimeout) {
    LoopbackServer server([](SOCKET c, LoopbackServer& s) {
        s.ReadRequest(c);
        SendAll(c, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        while (!s.stopping()) {
            SendAll(c, "x");
            Sleep(200);
        }
    });
    HttpLimits limits = Quick();
    limits.connectTimeoutMs = 1000;
    limits.totalTimeoutMs = 2000;
    auto transport = MakeHttpTransport(limits, HttpCredentials{"u", "p"});
    ASSERT_TRUE(transport);
    ULONGLONG start = GetTickCount64();
    HttpResponse response = transport->Send(HttpRequest{"GET", server.Url("/"), {}, ""});
    EXPECT_EQ(response.failure, HttpFailure::kTimeout) << response.failureText;
    EXPECT_TRUE(response.body.empty());
    EXPECT_LT(MsSince(start), 5000);
}

TEST(WinHttpTransport, AnAnswerOverTheLimitIsTooLargeAndNotKept) {
    LoopbackServer server([](SOCKET c, LoopbackServer& s) {
        s.ReadRequest(c);
        SendAll(c, "HTTP/1.1 200 OK\r\nContent-Length: 8388608\r\n\r\n");
        std::string block(65536, 'x');
        for (int i = 0; i < 128 && !s.stopping(); ++i) SendAll(c, block);
    });
    auto transport = MakeHttpTransport(Quick(), HttpCredentials{"u", "p"});
    ASSERT_TRUE(transport);
    HttpResponse response = transport->Send(HttpRequest{"GET", server.Url("/"), {}, ""});
    EXPECT_EQ(response.failure, HttpFailure::kTooLarge) << response.failureText;
    EXPECT_TRUE(response.body.empty());
}

TEST(WinHttpTransport, NobodyListeningIsUnreachable) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    int port = 0;
    closesocket(BoundLoopback(&port));  // the port is free again: nothing listens there
    WSACleanup();
    auto transport = MakeHttpTransport(Quick(), HttpCredentials{"u", "p"});
    ASSERT_TRUE(transport);
    HttpResponse response =
        transport->Send(HttpRequest{"GET", "http://127.0.0.1:" + std::to_string(port) + "/", {}, ""});
    EXPECT_EQ(response.failure, HttpFailure::kUnreachable) << response.failureText;
    EXPECT_FALSE(response.failureText.empty());
}

// A redirect could take the password elsewhere: the engine gets the 3xx itself.
TEST(WinHttpTransport, ARedirectIsNotFollowed) {
    LoopbackServer server([](SOCKET c, LoopbackServer& s) {
        s.ReadRequest(c);
        SendAll(c, "HTTP/1.1 301 Moved Permanently\r\nLocation: http://127.0.0.1:9/elsewhere/\r\nContent-Length: 0\r\n\r\n");
        s.Linger(c);
    });
    auto transport = MakeHttpTransport(Quick(), HttpCredentials{"u", "p"});
    ASSERT_TRUE(transport);
    HttpResponse response = transport->Send(HttpRequest{"GET", server.Url("/cal/"), {}, ""});
    ASSERT_EQ(response.failure, HttpFailure::kNone) << response.failureText;
    EXPECT_EQ(response.status, 301);
    ASSERT_TRUE(response.Header("Location"));
}
