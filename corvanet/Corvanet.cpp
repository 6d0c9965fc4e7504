#include "Corvanet.h"

#include <cstring>
#include <curl/curl.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

namespace {

// One client handle: the bodies waiting for their thread's next exchange.
struct HttpHandle
{
    std::mutex mutex;
    std::unordered_map<std::thread::id, std::string> bodies;
};

// Process-wide state. Exchanges hold a reference to their handle, so destroying a handle never
// pulls it from under a running exchange, and libcurl's global state outlives every exchange.
struct Library
{
    std::mutex mutex;
    int iInitCount = 0;
    int iInFlight = 0;
    bool bCurlReady = false;
    int iNextHandle = 0;
    std::map<int, std::shared_ptr<HttpHandle>> mapHandles;
};

Library &library()
{
    static Library instance;
    return instance;
}

thread_local int tLastError = CORVA_OK;
thread_local std::string tReply;

int fail(int error)
{
    tLastError = error;
    return 0;
}

// Caller holds the library mutex.
void releaseCurlIfIdle(Library &lib)
{
    if (lib.iInitCount == 0 && lib.iInFlight == 0 && lib.bCurlReady) {
        curl_global_cleanup();
        lib.bCurlReady = false;
    }
}

struct ReplySink
{
    std::string data;
    bool bTooLarge = false;
};

size_t collectReply(char *ptr, size_t size, size_t nmemb, void *userdata)
{
    auto *sink = static_cast<ReplySink *>(userdata);
    const size_t bytes = size * nmemb;
    if (sink->data.size() + bytes > size_t(CORVA_MAX_REPLY_BYTES)) {
        sink->bTooLarge = true;
        return 0; // makes libcurl abort the transfer
    }
    sink->data.append(ptr, bytes);
    return bytes;
}

// Runs one POST; returns CORVA_OK or an error code, the answer in *reply.
int post(const std::string &url, const std::string &body, std::string *reply)
{
    CURL *curl = curl_easy_init();
    if (!curl)
        return CORVA_ERROR_OUT_OF_MEMORY;
    curl_slist *headers = curl_slist_append(nullptr, "Content-Type: application/json");
    // Without this libcurl waits for "100 Continue" on larger bodies, which costs a second.
    curl_slist *withExpect = headers ? curl_slist_append(headers, "Expect:") : nullptr;
    if (!withExpect) {
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        return CORVA_ERROR_OUT_OF_MEMORY;
    }
    headers = withExpect;

    ReplySink sink;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(CORVA_CONNECT_TIMEOUT_MS));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(CORVA_TOTAL_TIMEOUT_MS));
    // Signals would be delivered to an arbitrary thread of a multi-threaded caller.
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectReply);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);

    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);

    if (sink.bTooLarge)
        return CORVA_ERROR_REPLY_TOO_LARGE;
    if (code != CURLE_OK)
        return int(code);
    if (status < 200 || status > 299)
        return CORVA_ERROR_HTTP_BASE + int(status);
    reply->swap(sink.data);
    return CORVA_OK;
}

} // namespace

extern "C" {

int CorvaInit()
{
    Library &lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (!lib.bCurlReady) {
        const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
        if (code != CURLE_OK)
            return fail(int(code));
        lib.bCurlReady = true;
    }
    ++lib.iInitCount;
    tLastError = CORVA_OK;
    return 1;
}

void CorvaFini()
{
    Library &lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (lib.iInitCount > 0)
        --lib.iInitCount;
    releaseCurlIfIdle(lib);
    tLastError = CORVA_OK;
}

int CorvaHttpCreate()
{
    Library &lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (lib.iInitCount == 0) {
        tLastError = CORVA_ERROR_NOT_INITIALISED;
        return -1;
    }
    // Numbers are never reused, so a stale handle can never reach someone else's state.
    const int handle = lib.iNextHandle++;
    lib.mapHandles.emplace(handle, std::make_shared<HttpHandle>());
    tLastError = CORVA_OK;
    return handle;
}

void CorvaHttpDestroy(int handle)
{
    Library &lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    lib.mapHandles.erase(handle);
    tLastError = CORVA_OK;
}

int CorvaHttpSetParam(int handle, int param, int iArg1, int iArg2, const char *data, int length)
{
    if (param != CORVA_PARAM_BODY || iArg1 != 0 || iArg2 != 0 || length < 0 || (length > 0 && !data))
        return fail(CORVA_ERROR_BAD_ARGUMENT);
    std::shared_ptr<HttpHandle> target;
    {
        Library &lib = library();
        std::lock_guard<std::mutex> lock(lib.mutex);
        const auto it = lib.mapHandles.find(handle);
        if (it == lib.mapHandles.end())
            return fail(CORVA_ERROR_BAD_HANDLE);
        target = it->second;
    }
    std::string body = length > 0 ? std::string(data, size_t(length)) : std::string();
    {
        std::lock_guard<std::mutex> lock(target->mutex);
        target->bodies[std::this_thread::get_id()] = std::move(body);
    }
    tLastError = CORVA_OK;
    return 1;
}

int CorvaHttpExchange(int handle, CorvaExchangeBlock *block)
{
    tReply.clear();
    tReply.shrink_to_fit();
    if (!block)
        return fail(CORVA_ERROR_BAD_ARGUMENT);
    block->reply = nullptr;
    block->replyLength = 0;
    static const unsigned char kZero[sizeof block->reserved] = {};
    if (!block->url || block->urlLength <= 0 || std::memcmp(block->reserved, kZero, sizeof kZero) != 0
        || std::memchr(block->url, '\0', size_t(block->urlLength)))
        return fail(CORVA_ERROR_BAD_ARGUMENT);

    Library &lib = library();
    std::shared_ptr<HttpHandle> target;
    {
        std::lock_guard<std::mutex> lock(lib.mutex);
        if (lib.iInitCount == 0)
            return fail(CORVA_ERROR_NOT_INITIALISED);
        const auto it = lib.mapHandles.find(handle);
        if (it == lib.mapHandles.end())
            return fail(CORVA_ERROR_BAD_HANDLE);
        target = it->second;
        ++lib.iInFlight;
    }

    std::string body;
    {
        std::lock_guard<std::mutex> lock(target->mutex);
        const auto it = target->bodies.find(std::this_thread::get_id());
        if (it != target->bodies.end()) {
            body.swap(it->second);
            target->bodies.erase(it);
        }
    }

    std::string reply;
    const int error = post(std::string(block->url, size_t(block->urlLength)), body, &reply);

    {
        std::lock_guard<std::mutex> lock(lib.mutex);
        --lib.iInFlight;
        releaseCurlIfIdle(lib);
    }
    if (error != CORVA_OK)
        return fail(error);

    tReply.swap(reply);
    block->reply = tReply.data(); // std::string keeps a NUL after its last byte
    block->replyLength = std::int32_t(tReply.size());
    tLastError = CORVA_OK;
    return 1;
}

int CorvaLastError()
{
    return tLastError;
}

} // extern "C"
