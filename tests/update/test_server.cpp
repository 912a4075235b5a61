#include "test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace kestrana::testing {

namespace {

constexpr int kMaxConnections = 200;     // a runaway client loop ends here
constexpr int kLongestHoldMs = 15000;    // no connection is held longer

void Require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("test certificates: ") + what);
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    Require(ext != nullptr, value);
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

Certificate MakeCertificate(const std::string& commonName, const Certificate* issuer, const std::string& altNames) {
    static long serial = 1;
    Certificate c;
    c.key.reset(EVP_EC_gen("P-256"));
    Require(c.key != nullptr, "key");
    c.cert.reset(X509_new());
    X509* x = c.cert.get();
    X509_set_version(x, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x), serial++);
    X509_gmtime_adj(X509_getm_notBefore(x), -3600);
    X509_gmtime_adj(X509_getm_notAfter(x), 7 * 86400);
    X509_set_pubkey(x, c.key.get());
    X509_NAME* name = X509_get_subject_name(x);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName.c_str()),
                               -1, -1, 0);
    X509* signer = issuer ? issuer->cert.get() : x;
    X509_set_issuer_name(x, X509_get_subject_name(signer));
    AddExtension(x, signer, NID_subject_key_identifier, "hash");
    AddExtension(x, signer, NID_authority_key_identifier, "keyid:always");
    if (!issuer) {
        AddExtension(x, signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(x, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        AddExtension(x, signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(x, signer, NID_key_usage, "critical,digitalSignature");
        AddExtension(x, signer, NID_ext_key_usage, "serverAuth");
        AddExtension(x, signer, NID_subject_alt_name, altNames.c_str());
    }
    Require(X509_sign(x, issuer ? issuer->key.get() : c.key.get(), EVP_sha256()) > 0, "sign");
    return c;
}

std::string Reason(int status) {
    switch (status) {
        case 200: return "OK";
        case 302: return "Found";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

}  // namespace

TestAuthority::TestAuthority(const std::string& name) : ca_(MakeCertificate(name, nullptr, "")) {}

Certificate TestAuthority::Issue(const std::string& altNames) const {
    return MakeCertificate("update test server", &ca_, altNames);
}

std::string TestAuthority::WritePem(const std::filesystem::path& file) const {
    FILE* f = std::fopen(file.c_str(), "wb");
    Require(f != nullptr, "pem file");
    PEM_write_X509(f, ca_.cert.get());
    std::fclose(f);
    return file.string();
}

TestServer::TestServer(Mode mode, const Certificate* certificate) : mode_(mode) {
    // A client that gives up closes the connection under our writes.
    ::signal(SIGPIPE, SIG_IGN);
    if (mode_ == Mode::Https) {
        ctx_ = SSL_CTX_new(TLS_server_method());
        Require(ctx_ && certificate, "server context");
        Require(SSL_CTX_use_certificate(ctx_, certificate->cert.get()) == 1, "use certificate");
        Require(SSL_CTX_use_PrivateKey(ctx_, certificate->key.get()) == 1, "use key");
    }
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    Require(listener_ >= 0, "socket");
    int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // the loopback only
    addr.sin_port = 0;
    Require(::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0, "bind");
    Require(::listen(listener_, 8) == 0, "listen");
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

TestServer::~TestServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
    if (ctx_) SSL_CTX_free(ctx_);
}

void TestServer::Route(const std::string& path, Reply reply) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(reply);
}

std::string TestServer::Base() const {
    return std::string(mode_ == Mode::Http ? "http" : "https") + "://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> TestServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool TestServer::Wait(int ms, int fd) const {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (stop_) return false;
        // After its request a client sends nothing more: anything readable
        // means it has given up and closed.
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5) > 0) return false;
    }
    return !stop_;
}

void TestServer::Serve() {
    while (!stop_ && connections_ < kMaxConnections) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0) continue;
        ++connections_;
        timeval limit{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        Handle(fd);
        ::close(fd);
    }
}

void TestServer::Handle(int fd) {
    if (mode_ == Mode::SilentHandshake) {
        // Swallow what the client sends until it gives up.
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestHoldMs);
        char buf[4096];
        while (!stop_ && std::chrono::steady_clock::now() < until) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0 && ::recv(fd, buf, sizeof buf, 0) <= 0) return;
        }
        return;
    }
    SSL* ssl = nullptr;
    if (mode_ == Mode::Https) {
        ssl = SSL_new(ctx_);
        SSL_set_fd(ssl, fd);
        if (SSL_accept(ssl) != 1) {  // the client did not trust us
            ERR_clear_error();
            SSL_free(ssl);
            return;
        }
    }
    auto receive = [&](char* buf, int n) { return ssl ? SSL_read(ssl, buf, n) : int(::recv(fd, buf, size_t(n), 0)); };
    auto send = [&](const char* data, size_t n) {
        while (n > 0) {
            int sent = ssl ? SSL_write(ssl, data, int(n)) : int(::send(fd, data, n, MSG_NOSIGNAL));
            if (sent <= 0) return false;
            data += sent;
            n -= size_t(sent);
        }
        return true;
    };

    std::string request;
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        int n = receive(buf, sizeof buf);
        if (n <= 0) break;
        request.append(buf, size_t(n));
    }
    std::string path;
    if (request.starts_with("GET ")) path = request.substr(4, request.find(' ', 4) - 4);
    Reply reply;
    {
        std::lock_guard lock(mutex_);
        if (!path.empty()) requests_.push_back(path);
        auto it = routes_.find(path);
        if (it != routes_.end()) reply = it->second;
        else reply = Reply{404, "no such page", {}};
    }
    if (Wait(reply.stallMs, fd)) {
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) + "\r\n" +
                           "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n";
        for (const std::string& h : reply.headers) head += h + "\r\n";
        head += "\r\n";
        bool ok = send(head.data(), head.size());
        const size_t end = std::min(reply.cutAfter, reply.body.size());
        const size_t piece = reply.chunk ? reply.chunk : std::max<size_t>(end, 1);
        for (size_t at = 0; ok && at < end; at += piece) {
            if (at > 0 && !Wait(reply.chunkDelayMs, fd)) break;
            ok = send(reply.body.data() + at, std::min(piece, end - at));
        }
    }
    if (ssl) {
        SSL_shutdown(ssl);
        SSL_free(ssl);
    }
}

int ClosedPort() {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(s);  // bound, never listened: nobody answers there
    return ntohs(addr.sin_port);
}

}  // namespace kestrana::testing
