#pragma once

#include <cstdint>

// Corvanet: the small HTTP client the request dispatcher talks to the download server with.
//
// Usage: CorvaInit() once per process, CorvaHttpCreate() for a handle, then for every request
// CorvaHttpSetParam(handle, CORVA_PARAM_BODY, 0, 0, body, length) followed by
// CorvaHttpExchange(handle, &block). Every exchange is one POST of the body, sent with
// "Content-Type: application/json", on a connection of its own that is closed afterwards.
//
// Threads: many threads may share one handle at once. The body set by CorvaHttpSetParam belongs to
// the calling thread (and that handle) and is used by that thread's next exchange on the handle,
// which consumes it; the last error is per calling thread too.
//
// Limits of every exchange: connect within CORVA_CONNECT_TIMEOUT_MS, the whole exchange within
// CORVA_TOTAL_TIMEOUT_MS, a reply of at most CORVA_MAX_REPLY_BYTES. Loopback addresses never go
// through a proxy; other hosts follow the usual proxy environment variables. Only http and https
// are spoken and redirects are not followed.

extern "C" {

enum {
    CORVA_CONNECT_TIMEOUT_MS = 5000,
    CORVA_TOTAL_TIMEOUT_MS = 30000,
    CORVA_MAX_REPLY_BYTES = 16 * 1024 * 1024,
};

// Parameter identifiers of CorvaHttpSetParam.
enum {
    CORVA_PARAM_BODY = 2, // the request body: data and length; the two integer arguments must be 0
};

// Error codes of CorvaLastError(). Values 1..999 are libcurl's CURLcode of the failed transfer
// (7: could not connect, 28: timed out, ...); 1000 + status is an HTTP answer outside 200..299.
enum {
    CORVA_OK = 0,
    CORVA_ERROR_HTTP_BASE = 1000,
    CORVA_ERROR_NOT_INITIALISED = 2001, // CorvaInit was not called, or CorvaFini already was
    CORVA_ERROR_BAD_HANDLE = 2002, // no such handle (never created, or destroyed)
    CORVA_ERROR_BAD_ARGUMENT = 2003, // null pointer, negative length, unknown parameter, ...
    CORVA_ERROR_REPLY_TOO_LARGE = 2004, // the reply exceeded CORVA_MAX_REPLY_BYTES
    CORVA_ERROR_OUT_OF_MEMORY = 2005,
};

// One exchange: the caller fills url and urlLength (the URL need not be NUL-terminated) and
// leaves the rest zero; on success the library fills reply and replyLength.
//
// The reply buffer belongs to the library: never free it. It stays valid on the calling thread
// until that thread's next CorvaHttpExchange (on any handle) or until the thread ends, and it is
// followed by one NUL byte that replyLength does not count (the reply itself may contain NULs).
struct CorvaExchangeBlock
{
    const char *url;
    std::int32_t urlLength;
    char *reply;
    std::int32_t replyLength;
    unsigned char reserved[20]; // must be zero
};

// Prepares the library for use (libcurl's global set-up). Counted: every successful CorvaInit
// needs one CorvaFini. Returns non-zero on success.
int CorvaInit();
// Ends one CorvaInit. After the last one new handles and exchanges fail with
// CORVA_ERROR_NOT_INITIALISED; exchanges already under way finish first and only then is the
// global state released.
void CorvaFini();

// Returns a new handle (>= 0), or -1 with the error set.
int CorvaHttpCreate();
// Forgets the handle; exchanges under way on it still finish. -1 and unknown handles are ignored.
void CorvaHttpDestroy(int handle);

// Sets a parameter for the calling thread's next exchange on the handle. For CORVA_PARAM_BODY,
// iArg1 and iArg2 are 0 and the data (may be null when length is 0) is copied. Non-zero on success.
int CorvaHttpSetParam(int handle, int param, int iArg1, int iArg2, const char *data, int length);

// Posts the calling thread's body to block->url and waits for the answer. Non-zero on success
// (a 2xx answer was received whole); zero on failure with the error in CorvaLastError().
int CorvaHttpExchange(int handle, CorvaExchangeBlock *block);

// The error of the calling thread's last Corva call, CORVA_OK after a successful one.
int CorvaLastError();

} // extern "C"
