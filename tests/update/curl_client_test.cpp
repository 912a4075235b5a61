// The libcurl client against a real HTTPS server on 127.0.0.1: bodies as
// bytes, progress, bounds, time-outs, and what it refuses to trust.
#include <gtest/gtest.h>

#include <chrono>

#include "update_test_support.h"

using namespace kestrana;
using namespace kestrana::testing;
using Clock = std::chrono::steady_clock;

namespace {

struct RecordingObserver : HttpObserver {
    void OnProgress(int64_t received) override { progress.push_back(received); }
    void OnTransferEnd() override { ++ends; }
    std::vector<int64_t> progress;
    int ends = 0;
};

HttpRequest Request(std::string path, int connectMs = 5000, int readMs = 5000, size_t max = 1 << 20) {
    return HttpRequest{std::move(path), connectMs, readMs, max};
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CurlClient : public ::testing::Test {
protected:
    TestServer server{TestServer::Mode::Https, &TestPki::Get().server};
    std::unique_ptr<CurlHttpClient> client = LoopbackClient(server.Base());
    RecordingObserver observer;
};

}  // namespace

TEST_F(CurlClient, BodyAsBytesWithProgressAndOneTransferEnd) {
    std::string bytes(3000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    server.Route("/bin", Reply{200, bytes});
    HttpReply r = client->Get(Request("/bin"), &observer);
    ASSERT_TRUE(r.Ok()) << r.detail;
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, bytes);
    EXPECT_EQ(observer.ends, 1);
    ASSERT_FALSE(observer.progress.empty());
    EXPECT_EQ(observer.progress.front(), 0);
    EXPECT_EQ(observer.progress.back(), 3000);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/bin"});
    EXPECT_EQ(client->AddressOf("/x.php"), server.Base() + "/x.php");
}

TEST_F(CurlClient, ProgressMovesOverABodyInChunks) {
    server.Route("/big", Reply{200, std::string(40000, 'k'), {}, 10000, 150});
    HttpReply r = client->Get(Request("/big"), &observer);
    ASSERT_TRUE(r.Ok()) << r.detail;
    EXPECT_TRUE(std::is_sorted(observer.progress.begin(), observer.progress.end()));
    std::vector<int64_t> distinct(observer.progress.begin(), observer.progress.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    // 0, then at least three steps on the way, then all of it.
    EXPECT_GE(distinct.size(), 5u);
    EXPECT_EQ(distinct.back(), 40000);
    EXPECT_EQ(observer.ends, 1);
}

TEST_F(CurlClient, StatusBoundsAndCutBodiesAreErrors) {
    server.Route("/limit", Reply{200, std::string(100, 'a')});
    server.Route("/over", Reply{200, std::string(101, 'a')});
    Reply cut{200, std::string(5000, 'c')};
    cut.cutAfter = 3000;
    server.Route("/cut", cut);
    server.Route("/err", Reply{500, "error page"});

    EXPECT_TRUE(client->Get(Request("/limit", 5000, 5000, 100), &observer).Ok());
    HttpReply over = client->Get(Request("/over", 5000, 5000, 100), &observer);
    EXPECT_EQ(over.error, HttpError::TooLarge);
    EXPECT_TRUE(over.body.empty());
    EXPECT_EQ(client->Get(Request("/cut"), &observer).error, HttpError::Transfer);
    HttpReply err = client->Get(Request("/err"), &observer);
    EXPECT_EQ(err.error, HttpError::Status);
    EXPECT_EQ(err.status, 500);
    EXPECT_TRUE(err.body.empty());
    EXPECT_EQ(client->Get(Request("/missing"), &observer).error, HttpError::Status);
    EXPECT_EQ(observer.ends, 5);  // every request ends with the notice, failed or not
}

TEST_F(CurlClient, RedirectsOnlyToHttps) {
    TestServer plain(TestServer::Mode::Http);
    plain.Route("/v", Reply{200, "2099 (ver 9.99)"});
    server.Route("/same", Reply{302, "", {"Location: " + server.Base() + "/v"}});
    server.Route("/v", Reply{200, "2019 (ver 2.01)"});
    server.Route("/plain", Reply{302, "", {"Location: " + plain.Base() + "/v"}});

    HttpReply followed = client->Get(Request("/same"), &observer);
    ASSERT_TRUE(followed.Ok()) << followed.detail;
    EXPECT_EQ(followed.body, "2019 (ver 2.01)");

    HttpReply refused = client->Get(Request("/plain"), &observer);
    EXPECT_EQ(refused.error, HttpError::Refused) << refused.detail;
    EXPECT_TRUE(refused.body.empty());
    EXPECT_EQ(plain.Connections(), 0);
}

TEST(CurlClientTrust, OtherAuthorityWrongHostAndPlainAddressesRefused) {
    TestAuthority stranger("Somebody else");
    Certificate foreign = stranger.Issue("IP:127.0.0.1");
    Certificate wrongHost = TestPki::Get().authority.Issue("DNS:other.invalid");
    for (const Certificate* cert : {&foreign, &wrongHost}) {
        TestServer server(TestServer::Mode::Https, cert);
        server.Route("/v", Reply{200, "2019 (ver 2.01)"});
        HttpReply r = LoopbackClient(server.Base())->Get(Request("/v"), nullptr);
        EXPECT_EQ(r.error, HttpError::Tls) << r.detail;
        EXPECT_TRUE(r.body.empty());
        EXPECT_TRUE(server.Requests().empty());  // the request never went out
    }

    TestServer plain(TestServer::Mode::Http);
    plain.Route("/v", Reply{200, "2019 (ver 2.01)"});
    RecordingObserver observer;
    HttpReply r = LoopbackClient(plain.Base())->Get(Request("/v"), &observer);
    EXPECT_EQ(r.error, HttpError::Refused);
    EXPECT_EQ(observer.ends, 1);
    // No connection at all: the address alone is refused.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(plain.Connections(), 0);
}

TEST(CurlClientTimeouts, DownStalledAndSlowServers) {
    // Nobody listening: at once.
    auto start = Clock::now();
    HttpReply down = LoopbackClient("https://127.0.0.1:" + std::to_string(ClosedPort()))->Get(Request("/v"), nullptr);
    EXPECT_EQ(down.error, HttpError::Connect) << down.detail;
    EXPECT_LT(SecondsSince(start), 1.0);

    // Takes the connection, never finishes the handshake: the connect time-out.
    {
        TestServer silent(TestServer::Mode::SilentHandshake);
        start = Clock::now();
        HttpReply r = LoopbackClient(silent.Base())->Get(Request("/v", 600, 5000), nullptr);
        EXPECT_EQ(r.error, HttpError::Timeout) << r.detail;
        EXPECT_LT(SecondsSince(start), 2.0);
    }

    TestServer server(TestServer::Mode::Https, &TestPki::Get().server);
    auto client = LoopbackClient(server.Base());
    // Answers nothing after the request: the read time-out.
    Reply stall{200, "OK"};
    stall.stallMs = 8000;
    server.Route("/stall", stall);
    start = Clock::now();
    HttpReply stalled = client->Get(Request("/stall", 5000, 700), nullptr);
    EXPECT_EQ(stalled.error, HttpError::Timeout) << stalled.detail;
    EXPECT_GE(SecondsSince(start), 0.7);
    EXPECT_LT(SecondsSince(start), 2.5);

    // Slow but steady: every piece comes within the read time-out, so the
    // whole reply takes longer than it without failing.
    server.Route("/drip", Reply{200, std::string(5, 'd'), {}, 1, 400});
    start = Clock::now();
    HttpReply slow = client->Get(Request("/drip", 5000, 1000), nullptr);
    EXPECT_TRUE(slow.Ok()) << slow.detail;
    EXPECT_EQ(slow.body, "ddddd");
    EXPECT_GT(SecondsSince(start), 1.5);
}
