// One HTTP exchange at a time with a CalDAV server, over the platform's own stack (WinHTTP on
// Windows, libcurl elsewhere). The transport promises: every request ends within the total
// timeout, a response larger than the limit is cut off and reported as too large rather than
// held, a failure says what kind it was and carries the platform's own text, and one connection
// is kept for the requests that follow. It knows nothing of calendars.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct HttpHeader {
    std::string name;
    std::string value;
};

struct HttpRequest {
    std::string method;  // "PROPFIND", "REPORT", "GET", "PUT", "DELETE"
    std::string url;     // absolute
    std::vector<HttpHeader> headers;
    std::string body;
};

// Why no response came. With kNone the status and body are the server's.
enum class HttpFailure { kNone, kUnreachable, kTimeout, kCertificate, kTooLarge, kOther };

struct HttpResponse {
    HttpFailure failure = HttpFailure::kNone;
    std::string failureText;  // the platform's own words for the failure (UTF-8), for the user
    int status = 0;
    std::vector<HttpHeader> headers;  // as received; names compared without regard to case
    std::string body;
    // The first header of that name, or null.
    const std::string* Header(const char* name) const;
};

struct HttpLimits {
    int connectTimeoutMs = 15000;
    int totalTimeoutMs = 120000;
    size_t maxResponseBytes = size_t{64} << 20;
};

struct HttpCredentials {
    std::string user;      // UTF-8
    std::string password;  // UTF-8; sent as basic authentication with every request
};

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    // Sends the request and waits for the whole response (or the failure).
    virtual HttpResponse Send(const HttpRequest& request) = 0;
    // Requests sent so far (each Send is one, whatever its outcome).
    int RequestCount() const { return requests_; }

  protected:
    int requests_ = 0;
};

// The platform's transport: certificates checked against the system's store, the system's proxy
// settings where the platform has them. Null only when the platform's stack cannot be started.
std::unique_ptr<HttpTransport> MakeHttpTransport(const HttpLimits& limits, const HttpCredentials& credentials);

// Whether url may carry a password: "https://" to any host, "http://" only to a loopback
// address (127.x.x.x, [::1], localhost). False, with a one-line reason (code page 932), for
// anything else.
bool SyncUrlAllowed(const std::string& url, std::string* why);
