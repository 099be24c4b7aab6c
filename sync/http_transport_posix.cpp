// The companion's transport: libcurl, one easy handle kept for the connection's reuse.
#include <curl/curl.h>

#include <cstring>
#include <mutex>

#include "sync/http_transport.h"

namespace {
struct Received {
    HttpResponse* response;
    size_t limit;
    bool tooLarge = false;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    Received* r = static_cast<Received*>(user);
    size_t n = size * count;
    if (r->response->body.size() + n > r->limit) {
        r->tooLarge = true;
        return 0;  // libcurl stops the transfer
    }
    r->response->body.append(data, n);
    return n;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    Received* r = static_cast<Received*>(user);
    size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.rfind("HTTP/", 0) == 0) {
        r->response->headers.clear();  // a 100 Continue or a redirect before the final response
    } else if (size_t colon = line.find(':'); colon != std::string::npos) {
        size_t v = line.find_first_not_of(" \t", colon + 1);
        r->response->headers.push_back({line.substr(0, colon), v == std::string::npos ? "" : line.substr(v)});
    }
    return n;
}

HttpFailure FailureOf(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return HttpFailure::kUnreachable;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpFailure::kTimeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
        return HttpFailure::kCertificate;
    case CURLE_FILESIZE_EXCEEDED:
        return HttpFailure::kTooLarge;
    default:
        return HttpFailure::kOther;
    }
}

class CurlTransport final : public HttpTransport {
  public:
    CurlTransport(const HttpLimits& limits, const HttpCredentials& credentials)
        : limits_(limits), credentials_(credentials), curl_(curl_easy_init()) {}
    ~CurlTransport() override { curl_easy_cleanup(curl_); }
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;
    bool ready() const { return curl_ != nullptr; }

    HttpResponse Send(const HttpRequest& request) override {
        ++requests_;
        HttpResponse response;
        Received received{&response, limits_.maxResponseBytes};
        CURL* c = curl_;
        curl_easy_reset(c);  // the connection stays in the handle's cache
        curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connectTimeoutMs));
        curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.totalTimeoutMs));
        curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxResponseBytes));
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(c, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));  // sent at once: one request each
        curl_easy_setopt(c, CURLOPT_USERNAME, credentials_.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, credentials_.password.c_str());
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &received);
        curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, OnHeader);
        curl_easy_setopt(c, CURLOPT_HEADERDATA, &received);
        if (!request.body.empty() || request.method == "PUT") {
            curl_easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
            curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        }
        curl_slist* headers = nullptr;
        headers = curl_slist_append(headers, "Expect:");  // no 100-continue round trip before each PUT
        for (const HttpHeader& h : request.headers) headers = curl_slist_append(headers, (h.name + ": " + h.value).c_str());
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
        CURLcode code = curl_easy_perform(c);
        curl_slist_free_all(headers);
        if (received.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            response.failure = HttpFailure::kTooLarge;
            response.failureText = "response larger than " + std::to_string(limits_.maxResponseBytes) + " bytes";
        } else if (code != CURLE_OK) {
            response.failure = FailureOf(code);
            response.failureText = curl_easy_strerror(code);
        } else {
            long status = 0;
            curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
            response.status = static_cast<int>(status);
        }
        if (response.failure != HttpFailure::kNone) response.body.clear();
        return response;
    }

  private:
    HttpLimits limits_;
    HttpCredentials credentials_;
    CURL* curl_;
};

std::once_flag g_curlStarted;
bool g_curlReady = false;
}  // namespace

std::unique_ptr<HttpTransport> MakeHttpTransport(const HttpLimits& limits, const HttpCredentials& credentials) {
    std::call_once(g_curlStarted, [] { g_curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    if (!g_curlReady) return nullptr;
    auto t = std::make_unique<CurlTransport>(limits, credentials);
    if (!t->ready()) return nullptr;
    return t;
}
