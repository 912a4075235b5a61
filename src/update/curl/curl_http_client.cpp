#include "update/curl/curl_http_client.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>

namespace kestrana {

namespace {

using Clock = std::chrono::steady_clock;

bool IsHttps(std::string_view address) { return address.starts_with("https://"); }

struct Transfer {
    Transfer(const HttpRequest& r, CURL* c) : request(r), curl(c) {}
    const HttpRequest& request;
    CURL* curl;
    std::string body;
    bool tooLarge = false;
    bool requestSent = false;
    Clock::time_point start = Clock::now();
    Clock::time_point lastBytes = start;  // of the reply, headers included

    // libcurl has a connect time-out but no read time-out: the wait for the
    // next bytes counts from the moment the request went out or the last
    // bytes came in.
    bool Stalled(Clock::time_point now) {
        const auto readTimeout = std::chrono::milliseconds(request.readTimeoutMs);
        if (!requestSent) {
            curl_off_t pretransfer = 0;
            if (curl_easy_getinfo(curl, CURLINFO_PRETRANSFER_TIME_T, &pretransfer) == CURLE_OK && pretransfer > 0) {
                requestSent = true;
                lastBytes = now;
                return false;
            }
            // Backstop; the connect time-out normally ends this phase first.
            return now - start > std::chrono::milliseconds(request.connectTimeoutMs) + readTimeout;
        }
        return now - lastBytes > readTimeout;
    }
};

size_t OnHeader(char*, size_t size, size_t count, void* user) {
    static_cast<Transfer*>(user)->lastBytes = Clock::now();
    return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (bytes > t->request.maxBodyBytes - t->body.size()) {
        t->tooLarge = true;
        return 0;  // less than offered: libcurl stops the transfer
    }
    t->body.append(data, bytes);
    t->lastBytes = Clock::now();
    return bytes;
}

HttpError ErrorOf(CURLcode code, const Transfer& t) {
    switch (code) {
        case CURLE_OK: return HttpError::None;
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
    multi_ = curl_multi_init();
}

CurlHttpClient::~CurlHttpClient() {
    if (multi_) curl_multi_cleanup(static_cast<CURLM*>(multi_));
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
    auto* multi = static_cast<CURLM*>(multi_);
    if (!curl || !multi) {
        reply.error = HttpError::Transfer;
        reply.detail = "libcurl could not be initialised";
        return reply;
    }
    curl_easy_reset(curl);  // keeps the open connections
    Transfer t(request, curl);
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
    // CURLOPT_NOSIGNAL stays off: then libcurl keeps SIGPIPE away while it
    // writes to a connection the server has closed (the resolver is threaded,
    // so no alarm signal is used either).
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "KESTRANA");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);

    // Driven here rather than by curl_easy_perform, so the wait can be cut at
    // the read time-out and the windows hear about progress ten times a
    // second even while nothing arrives.
    CURLcode code = CURLE_OK;
    bool stalled = false;
    curl_multi_add_handle(multi, curl);
    for (int running = 1;;) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_RECV_ERROR;
            break;
        }
        if (observer) observer->OnProgress(static_cast<int64_t>(t.body.size()));
        if (!running) {
            int left = 0;
            while (CURLMsg* m = curl_multi_info_read(multi, &left))
                if (m->msg == CURLMSG_DONE && m->easy_handle == curl) code = m->data.result;
            break;
        }
        if (t.Stalled(Clock::now())) {
            stalled = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, 100, nullptr);
    }
    curl_multi_remove_handle(multi, curl);  // a transfer cut short closes its connection
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);  // `message` goes out of scope
    reply.error = stalled ? HttpError::Timeout : ErrorOf(code, t);
    if (reply.error != HttpError::None) {
        reply.detail = stalled ? "no reply within the read time-out" : message[0] ? message : curl_easy_strerror(code);
        return reply;
    }
    if (reply.status < 200 || reply.status > 299) {
        reply.error = HttpError::Status;
        reply.detail = "HTTP status " + std::to_string(reply.status);
        return reply;
    }
    reply.body = std::move(t.body);
    return reply;
}

}  // namespace kestrana
