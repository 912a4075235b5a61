// What the update tests share: one test authority and its PEM file, the
// server certificate for 127.0.0.1, and a client that trusts only that
// authority and uses no proxy, so nothing leaves the loopback.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "test_server.h"
#include "update/curl/curl_http_client.h"

namespace kestrana::testing {

struct TestPki {
    TestAuthority authority{"KESTRANA test authority"};
    Certificate server = authority.Issue("IP:127.0.0.1");
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kestrana_update_pki_" + std::to_string(::getpid()));
    std::string caFile;

    TestPki() {
        std::filesystem::create_directories(folder);
        caFile = authority.WritePem(folder / "ca.pem");
    }
    ~TestPki() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    static TestPki& Get() {
        static TestPki pki;
        return pki;
    }
};

inline std::unique_ptr<CurlHttpClient> LoopbackClient(const std::string& base) {
    return std::make_unique<CurlHttpClient>(base, CurlOptions{TestPki::Get().caFile, false});
}

}  // namespace kestrana::testing
