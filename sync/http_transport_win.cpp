// The calendar's transport on Windows: WinHTTP, with the system's proxy settings and the system's
// certificate store. One session is kept, so the connection to the server is reused between
// requests. Every blocking step waits at most for what is left of the total timeout.
#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <optional>

#include "base/win/handles.h"
#include "sync/http_transport.h"
#include "base/win/wide_text.h"

namespace {
struct InternetTraits {
    using Handle = HINTERNET;
    static HINTERNET None() { return nullptr; }
    static void Free(HINTERNET h) { WinHttpCloseHandle(h); }
};
using OwnedInternet = UniqueHandle<InternetTraits>;

// WinHTTP's own words for an error (its messages live in winhttp.dll), with the number.
std::string ErrorText(DWORD error) {
    wchar_t* text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    HMODULE winhttp = GetModuleHandleW(L"winhttp.dll");
    if (winhttp) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    DWORD n = FormatMessageW(flags, winhttp, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = n ? NarrowOf(CP_UTF8, std::wstring_view(text, n)) : std::string();
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return (out.empty() ? "WinHTTP error" : out) + " (" + std::to_string(error) + ")";
}

HttpFailure FailureOf(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        return HttpFailure::kUnreachable;
    case WSAECONNREFUSED:  // Wine passes some socket errors on as they are
    case WSAECONNRESET:
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
        return HttpFailure::kUnreachable;
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:
        return HttpFailure::kTimeout;
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
        return HttpFailure::kCertificate;
    default:
        return HttpFailure::kOther;
    }
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(const std::string& in) {
    std::string out;
    for (size_t i = 0; i < in.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) v |= static_cast<unsigned char>(in[i + 1]) << 8;
        if (i + 2 < in.size()) v |= static_cast<unsigned char>(in[i + 2]);
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += i + 1 < in.size() ? kBase64[(v >> 6) & 63] : '=';
        out += i + 2 < in.size() ? kBase64[v & 63] : '=';
    }
    return out;
}

// The header lines after the status line, as WinHTTP gives them ("Name: value" with CR LF).
std::vector<HttpHeader> HeadersOf(HINTERNET request) {
    std::vector<HttpHeader> headers;
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return headers;
    std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, raw.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return headers;
    raw.resize(bytes / sizeof(wchar_t));
    std::string text = NarrowOf(CP_UTF8, std::wstring_view(raw.data(), raw.size()));
    size_t at = text.find("\r\n");  // the status line goes
    while (at != std::string::npos && at + 2 < text.size()) {
        size_t end = text.find("\r\n", at + 2);
        std::string line = text.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
        at = end;
        size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) continue;
        size_t v = line.find_first_not_of(" \t", colon + 1);
        headers.push_back({line.substr(0, colon), v == std::string::npos ? "" : line.substr(v)});
    }
    return headers;
}

class WinHttpTransport final : public HttpTransport {
  public:
    WinHttpTransport(const HttpLimits& limits, const HttpCredentials& credentials)
        : limits_(limits), authorization_(L"Basic ") {
        std::optional<std::wstring> basic = WideOf(CP_UTF8, Base64(credentials.user + ":" + credentials.password));
        if (basic) authorization_ += *basic;
        // The system's proxy settings (Windows 8.1 and later); the older systems' default proxy else.
        session_.reset(WinHttpOpen(L"Tessel", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                   WINHTTP_NO_PROXY_BYPASS, 0));
        if (!session_)
            session_.reset(WinHttpOpen(L"Tessel", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                       WINHTTP_NO_PROXY_BYPASS, 0));
    }
    bool ready() const { return session_.valid(); }

    HttpResponse Send(const HttpRequest& request) override {
        ++requests_;
        deadline_ = GetTickCount64() + static_cast<ULONGLONG>(limits_.totalTimeoutMs);
        HttpResponse response;
        DWORD error = Exchange(request, &response);
        if (error != 0 && response.failure == HttpFailure::kNone) {
            response.failure = FailureOf(error);
            response.failureText = ErrorText(error);
        }
        if (response.failure != HttpFailure::kNone) {
            response.status = 0;
            response.headers.clear();
            response.body.clear();
        }
        return response;
    }

  private:
    // Milliseconds left of the total timeout, at least 1 (0 would mean no limit to WinHTTP).
    int Left() const {
        ULONGLONG now = GetTickCount64();
        return now + 1 > deadline_ ? 1 : static_cast<int>(deadline_ - now);
    }
    bool Expired() const { return GetTickCount64() >= deadline_; }

    void LimitWaits(HINTERNET request) const {
        int left = Left();
        int connect = left < limits_.connectTimeoutMs ? left : limits_.connectTimeoutMs;
        WinHttpSetTimeouts(request, connect, connect, left, left);
        // The wait for the response's head has a limit of its own (none unless set).
        DWORD head = static_cast<DWORD>(left);
        WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &head, sizeof head);
    }

    // A connection handle for the URL's server, kept while the server stays the same.
    HINTERNET Connection(const URL_COMPONENTS& parts) {
        std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
        if (!connection_ || host != host_ || parts.nPort != port_) {
            connection_.reset(WinHttpConnect(session_.get(), host.c_str(), parts.nPort, 0));
            host_ = host;
            port_ = parts.nPort;
        }
        return connection_.get();
    }

    // The WinHTTP error that ended the exchange, or 0 (a failure may also be set on response).
    DWORD Exchange(const HttpRequest& request, HttpResponse* response) {
        std::optional<std::wstring> url = WideOf(CP_UTF8, request.url), method = WideOf(CP_UTF8, request.method);
        if (!url || !method) return ERROR_WINHTTP_INVALID_URL;
        URL_COMPONENTS parts = {};
        parts.dwStructSize = sizeof parts;
        parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
        if (!WinHttpCrackUrl(url->c_str(), 0, 0, &parts)) return GetLastError();
        bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
        std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
        path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
        if (path.empty()) path = L"/";
        HINTERNET connection = Connection(parts);
        if (!connection) return GetLastError();
        OwnedInternet handle(WinHttpOpenRequest(connection, method->c_str(), path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                                WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0));
        if (!handle) return GetLastError();
        // A redirect could carry the password elsewhere, or to plain http: the engine sees it instead.
        DWORD off = WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES;
        WinHttpSetOption(handle.get(), WINHTTP_OPTION_DISABLE_FEATURE, &off, sizeof off);
        LimitWaits(handle.get());
        std::wstring headers = L"Authorization: " + authorization_ + L"\r\n";
        for (const HttpHeader& h : request.headers) {
            std::optional<std::wstring> line = WideOf(CP_UTF8, h.name + ": " + h.value);
            if (!line) return ERROR_WINHTTP_INVALID_HEADER;
            headers += *line + L"\r\n";
        }
        if (request.body.size() > 0xFFFFFFFFu) return ERROR_NOT_ENOUGH_MEMORY;
        DWORD length = static_cast<DWORD>(request.body.size());
        void* body = length ? const_cast<char*>(request.body.data()) : WINHTTP_NO_REQUEST_DATA;
        if (!WinHttpSendRequest(handle.get(), headers.c_str(), static_cast<DWORD>(-1), body, length, length, 0))
            return GetLastError();
        LimitWaits(handle.get());
        if (!WinHttpReceiveResponse(handle.get(), nullptr)) return GetLastError();
        DWORD status = 0, size = sizeof status;
        if (!WinHttpQueryHeaders(handle.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                 WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
            return GetLastError();
        response->status = static_cast<int>(status);
        response->headers = HeadersOf(handle.get());
        return ReadBody(handle.get(), response);
    }

    DWORD ReadBody(HINTERNET handle, HttpResponse* response) {
        char buffer[16384];
        for (;;) {
            if (Expired()) return ERROR_WINHTTP_TIMEOUT;
            LimitWaits(handle);
            // Asked for what has arrived only: a read for more could wait for each byte anew.
            DWORD ready = 0, got = 0;
            if (!WinHttpQueryDataAvailable(handle, &ready)) return GetLastError();
            if (ready > sizeof buffer) ready = sizeof buffer;
            if (ready > 0 && !WinHttpReadData(handle, buffer, ready, &got)) return GetLastError();
            if (got == 0) return 0;
            if (response->body.size() + got > limits_.maxResponseBytes) {
                response->failure = HttpFailure::kTooLarge;
                response->failureText = "response larger than " + std::to_string(limits_.maxResponseBytes) + " bytes";
                // The rest is not read: the connection goes with the request handle.
                connection_.reset();
                return 0;
            }
            response->body.append(buffer, got);
        }
    }

    HttpLimits limits_;
    std::wstring authorization_;
    OwnedInternet session_;
    OwnedInternet connection_;
    std::wstring host_;
    INTERNET_PORT port_ = 0;
    ULONGLONG deadline_ = 0;
};
}  // namespace

std::unique_ptr<HttpTransport> MakeHttpTransport(const HttpLimits& limits, const HttpCredentials& credentials) {
    auto t = std::make_unique<WinHttpTransport>(limits, credentials);
    if (!t->ready()) return nullptr;
    return t;
}
