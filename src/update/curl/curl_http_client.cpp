#include "update/curl/curl_http_client.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>

namespace kestrana {

namespace {

using Clock = std::chrono::steady_clock;

bool IsHttps(std::string_view address) { return address.starts_with("https://"); }

struct Transfer {
    Transfer(const HttpRequest& r, HttpObserver* o, CURL* c) : request(r), observer(o), curl(c) {}
    const HttpRequest& request;
    HttpObserver* observer;
    CURL* curl;
    std::string body;
    bool tooLarge = false;
    bool readTimedOut = false;
    bool requestSent = false;
    Clock::time_point start = Clock::now();
    Clock::time_point lastBytes = start;
    curl_off_t lastCount = 0;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (bytes > t->request.maxBodyBytes - t->body.size()) {
        t->tooLarge = true;
        return 0;  // less than offered: libcurl stops the transfer
    }
    t->body.append(data, bytes);
    return bytes;
}

// libcurl has a connect time-out but no read time-out: the wait for the next
// bytes is measured here, from the moment the request went out or the last
// bytes came in. libcurl calls this at least about once a second.
int OnTransferInfo(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    const auto now = Clock::now();
    const auto readTimeout = std::chrono::milliseconds(t->request.readTimeoutMs);
    if (received != t->lastCount) {
        t->lastCount = received;
        t->lastBytes = now;
    } else if (!t->requestSent) {
        curl_off_t pretransfer = 0;
        if (curl_easy_getinfo(t->curl, CURLINFO_PRETRANSFER_TIME_T, &pretransfer) == CURLE_OK && pretransfer > 0) {
            t->requestSent = true;
            t->lastBytes = now;
        } else if (now - t->start > std::chrono::milliseconds(t->request.connectTimeoutMs) + readTimeout) {
            t->readTimedOut = true;  // backstop; the connect time-out normally ends this first
            return 1;
        }
    } else if (now - t->lastBytes > readTimeout) {
        t->readTimedOut = true;
        return 1;
    }
    if (t->observer) t->observer->OnProgress(received);
    return 0;
}

HttpError ErrorOf(CURLcode code, const Transfer& t) {
    switch (code) {
        case CURLE_OK: return HttpError::None;
        case CURLE_ABORTED_BY_CALLBACK: return t.readTimedOut ? HttpError::Timeout : HttpError::Transfer;
        case CURLE_WRITE_ERROR: return t.tooLarge ? HttpError::TooLarge : HttpError::Transfer;
        case CURLE_FILESIZE_EXCEEDED: return HttpError::TooLarge;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT: return HttpError::Connect;
        case CURLE_OPERATION_TIMEDOUT: return HttpError::Timeout;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_USE_SSL_FAILED: return HttpError::Tls;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_TOO_MANY_REDIRECTS: return HttpError::Refused;
        default: return HttpError::Transfer;
    }
}

// Reports the end of the transfer whichever way Get leaves.
struct TransferEndNotice {
    HttpObserver* observer;
    ~TransferEndNotice() {
        if (observer) observer->OnTransferEnd();
    }
};

}  // namespace

CurlHttpClient::CurlHttpClient(std::string baseAddress, CurlOptions options)
    : base_(std::move(baseAddress)), options_(std::move(options)) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    while (base_.ends_with('/')) base_.pop_back();
    handle_ = curl_easy_init();
}

CurlHttpClient::~CurlHttpClient() {
    if (handle_) curl_easy_cleanup(static_cast<CURL*>(handle_));
}

std::string CurlHttpClient::AddressOf(std::string_view path) const { return base_ + std::string(path); }

HttpReply CurlHttpClient::Get(const HttpRequest& request, HttpObserver* observer) {
    TransferEndNotice notice{observer};
    if (observer) observer->OnProgress(0);
    HttpReply reply;
    const std::string address = AddressOf(request.path);
    if (!IsHttps(base_) || !request.path.starts_with('/')) {
        reply.error = HttpError::Refused;
        reply.detail = "not an https address: " + address;
        return reply;
    }
    auto* curl = static_cast<CURL*>(handle_);
    if (!curl) {
        reply.error = HttpError::Transfer;
        reply.detail = "libcurl could not be initialised";
        return reply;
    }
    curl_easy_reset(curl);  // keeps the open connections
    Transfer t{request, observer, curl};
    char message[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!options_.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, options_.caFile.c_str());
    if (!options_.useProxy) curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "KESTRANA");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnTransferInfo);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);  // `message` goes out of scope
    reply.error = ErrorOf(code, t);
    if (reply.error != HttpError::None) {
        reply.detail = message[0] ? message : curl_easy_strerror(code);
        return reply;
    }
    if (reply.status < 200 || reply.status > 299) {
        reply.error = HttpError::Status;
        reply.detail = "HTTP status " + std::to_string(reply.status);
        return reply;
    }
    if (observer) observer->OnProgress(static_cast<int64_t>(t.body.size()));
    reply.body = std::move(t.body);
    return reply;
}

}  // namespace kestrana
