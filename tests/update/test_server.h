// A small HTTP(S) server on 127.0.0.1 for the update tests: certificates
// made on the spot by a test authority, replies set per path, with chunks,
// delays, stalls and cut-offs. One connection at a time, one request per
// connection. Every wait is bounded and ends when the server is destroyed.
#pragma once

#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrana::testing {

struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct CertFree {
    void operator()(X509* c) const { X509_free(c); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;

struct Certificate {
    Key key;
    Cert cert;
};

// A certificate authority that exists only for the test.
class TestAuthority {
public:
    explicit TestAuthority(const std::string& name);
    // A server certificate for the given subject alternative names
    // ("IP:127.0.0.1", "DNS:other.invalid").
    Certificate Issue(const std::string& altNames) const;
    // Writes the authority's certificate as PEM; returns the path.
    std::string WritePem(const std::filesystem::path& file) const;

private:
    Certificate ca_;
};

struct Reply {
    Reply(int status = 200, std::string body = {}, std::vector<std::string> headers = {}, size_t chunk = 0,
          int chunkDelayMs = 0)
        : status(status), body(std::move(body)), headers(std::move(headers)), chunk(chunk), chunkDelayMs(chunkDelayMs) {}
    int status;
    std::string body;
    std::vector<std::string> headers;  // extra header lines, "Location: ..."
    size_t chunk;                      // body sent in pieces of this size (0: at once)
    int chunkDelayMs;                  // pause before each further piece
    int stallMs = 0;                   // pause after the request, before any reply
    size_t cutAfter = std::string::npos;  // connection closed after this many body bytes
};

class TestServer {
public:
    enum class Mode {
        Https,           // TLS with the given certificate
        Http,            // plain HTTP (to see that nobody comes)
        SilentHandshake  // takes the connection, never answers the TLS handshake
    };
    explicit TestServer(Mode mode, const Certificate* certificate = nullptr);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    void Route(const std::string& path, Reply reply);
    int Port() const { return port_; }
    std::string Base() const;  // "https://127.0.0.1:port"
    std::vector<std::string> Requests() const;
    int Connections() const { return connections_; }

private:
    void Serve();
    void Handle(int fd);
    bool Wait(int ms, int fd) const;  // false when the server stops or the client has gone

    Mode mode_;
    SSL_CTX* ctx_ = nullptr;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::map<std::string, Reply> routes_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nobody listens.
int ClosedPort();

}  // namespace kestrana::testing
