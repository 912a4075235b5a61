#pragma once
// The update's HTTP client on libcurl. Only https: certificates and host
// names are verified, a redirect may only lead to https again, and a base
// address that is not https is refused without any connection.
#include <memory>
#include <string>

#include "update/http_client.h"

namespace kestrana {

struct CurlOptions {
    // Authorities to trust instead of the system's (a test's own).
    std::string caFile;
    // Whether the proxy of the environment (https_proxy ...) is used.
    bool useProxy = true;
};

class CurlHttpClient : public HttpClient {
public:
    // `baseAddress`: scheme, host and port, "https://www.kestrana.gr".
    explicit CurlHttpClient(std::string baseAddress, CurlOptions options = {});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    HttpReply Get(const HttpRequest& request, HttpObserver* observer) override;
    std::string AddressOf(std::string_view path) const override;

private:
    std::string base_;
    CurlOptions options_;
    void* handle_ = nullptr;  // one easy handle and one multi handle, so
    void* multi_ = nullptr;   // connections are reused
};

}  // namespace kestrana
