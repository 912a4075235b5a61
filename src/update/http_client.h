#pragma once
// What the online update talks through: GET under one server's base address,
// with connect and read time-outs, a bound on the body, and two notices per
// request (bytes so far, end of transfer) that let the windows repaint while
// the request blocks. No Qt here; the real client is on libcurl.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrana {

struct HttpRequest {
    std::string path;            // "/versions/KESTRA2019/getkestraver.php"
    int connectTimeoutMs = 5000; // connection and TLS handshake
    int readTimeoutMs = 5000;    // longest wait for the next bytes
    size_t maxBodyBytes = 64 * 1024;  // a longer body is refused
};

enum class HttpError {
    None,
    Refused,    // not https, or redirected to something that is not
    Connect,    // nobody answers at the address
    Tls,        // certificate or host name not trusted, handshake failed
    Timeout,    // connect or read time-out
    TooLarge,   // body beyond maxBodyBytes
    Status,     // the server answered with a status other than 2xx
    Transfer,   // cut short or broken on the way
};

struct HttpReply {
    HttpError error = HttpError::None;
    long status = 0;     // HTTP status when one arrived
    std::string body;    // the bytes as they came; empty on error
    std::string detail;  // the client's own words on an error (for tests)
    bool Ok() const { return error == HttpError::None; }
};

class HttpObserver {
public:
    virtual ~HttpObserver() = default;
    // Body bytes of the transfer in progress; also called while nothing
    // arrives (about once a second), so a window can repaint.
    virtual void OnProgress(int64_t received) = 0;
    // After every request, whether it succeeded or not.
    virtual void OnTransferEnd() = 0;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Blocks until the reply is complete or has failed.
    virtual HttpReply Get(const HttpRequest& request, HttpObserver* observer) = 0;
    // The full address of a path on the server (for the browser).
    virtual std::string AddressOf(std::string_view path) const = 0;
};

}  // namespace kestrana
