#include "core/page_fetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <iterator>
#include <memory>

namespace sorvane {

namespace {

using Clock = std::chrono::steady_clock;

// Where one fetch stands, shared by the library's callbacks and the wait loop.
struct FetchState {
  FetchControl& control;
  std::string& page;
  const SessionOptions& options;
  CURL* easy;

  bool headersReported = false;  // 50 and 60 have gone out
  bool stopped = false;          // the stop signal ended the fetch
  bool cut = false;              // the page limit ended the fetch
  bool idleExpired = false;
  bool requestSent = false;
  bool answerStarted = false;    // a byte of an answer came back
  std::size_t received = 0;
  Clock::time_point lastByte = Clock::now();
  // The C library must never see an exception: one thrown while reporting
  // (a window program dropping the calls of its shutdown) is kept here and
  // thrown again once the transfer is over.
  std::exception_ptr failure{};

  template <class Result, class Body>
  Result Guarded(Result onFailure, Body body) {
    if (failure) return onFailure;
    try {
      return body();
    } catch (...) {
      failure = std::current_exception();
      return onFailure;
    }
  }

  // Steps 50 and 60: the answer's headers are in. False when a stop ends the fetch.
  bool ReportHeaders() {
    if (headersReported) return !stopped;
    headersReported = true;
    control.ReportProgress(kProgressRequestSent);
    if (control.StopRequested()) {
      stopped = true;
      return false;
    }
    control.ReportProgress(kProgressHeadersRead);
    return true;
  }

  // Asked while the transfer waits: a stop, or no byte for too long, ends it.
  bool ShouldAbort() {
    if (stopped || cut || idleExpired) return true;
    if (control.StopRequested()) {
      // Whatever was awaited never came: the fetch ends after the last step
      // that was reported.
      stopped = true;
      return true;
    }
    if (requestSent && Clock::now() - lastByte > options.idleTimeout) {
      idleExpired = true;
      return true;
    }
    return false;
  }
};

size_t HeaderBytes(FetchState& state, char* data, size_t length) {
  state.lastByte = Clock::now();
  state.answerStarted = true;
  const std::string_view line(data, length);
  if (line != "\r\n" && line != "\n") return length;
  // The blank line ends one answer's headers. An interim "100 Continue" is not
  // the answer; a redirect is (the request was sent and answered), so 50 and
  // 60 go out with the first real answer.
  long code = 0;
  curl_easy_getinfo(state.easy, CURLINFO_RESPONSE_CODE, &code);
  if (code >= 100 && code < 200) return length;
  if (!state.ReportHeaders()) return 0;
  return length;
}

size_t BodyBytes(FetchState& state, char* data, size_t length) {
  state.lastByte = Clock::now();
  state.answerStarted = true;
  if (!state.ReportHeaders()) return 0;
  size_t take = length;
  if (state.received + take > state.options.pageLimit) {
    take = state.options.pageLimit - state.received;
    state.cut = true;
  }
  state.received += take;
  std::copy_if(data, data + take, std::back_inserter(state.page), [](char c) { return c != '\0'; });
  state.control.ReportProgress(kProgressChunkRead);
  if (state.control.StopRequested()) {
    state.stopped = true;
    return 0;
  }
  return state.cut ? 0 : length;
}

size_t OnHeaderBytes(char* data, size_t size, size_t count, void* user) {
  auto& state = *static_cast<FetchState*>(user);
  return state.Guarded(size_t{0}, [&] { return HeaderBytes(state, data, size * count); });
}

size_t OnBodyBytes(char* data, size_t size, size_t count, void* user) {
  auto& state = *static_cast<FetchState*>(user);
  return state.Guarded(size_t{0}, [&] { return BodyBytes(state, data, size * count); });
}

int OnTransferProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& state = *static_cast<FetchState*>(user);
  return state.Guarded(1, [&] { return state.ShouldAbort() ? 1 : 0; });
}

int OnRequestReady(void* user, char*, char*, int, int) {
  auto& state = *static_cast<FetchState*>(user);
  // The idle clock runs from the moment a connection stands, so a slow connect
  // is bounded by the connect timeout alone.
  state.requestSent = true;
  state.lastByte = Clock::now();
  return CURL_PREREQFUNC_OK;
}

bool IsTargetSafe(unsigned char byte) { return byte > 32 && byte < 127 && byte != '#'; }

}  // namespace

std::string RequestTargetFor(std::string_view object) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string target;
  target.reserve(object.size());
  for (char c : object) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsTargetSafe(byte)) {
      target += c;
    } else {
      target += '%';
      target += kHex[byte >> 4];
      target += kHex[byte & 15];
    }
  }
  return target;
}

HttpConnection::~HttpConnection() {
  if (easy_ != nullptr) curl_easy_cleanup(static_cast<CURL*>(easy_));
  if (multi_ != nullptr) curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

std::string HttpConnection::AddressFor(std::string_view object) const {
  std::string address = secure_ ? "https://" : "http://";
  address += server_;
  address += ':';
  address += std::to_string(port_);
  address += RequestTargetFor(object);
  return address;
}

std::unique_ptr<HttpConnection> OpenConnection(std::shared_ptr<const InternetSession> session,
                                               const AddressParts& address) {
  if (!session || !address.ok || address.server.empty()) return nullptr;
  if (address.service != ServiceKind::Http && address.service != ServiceKind::Https) return nullptr;
  std::unique_ptr<HttpConnection> connection(new HttpConnection());
  connection->secure_ = address.service == ServiceKind::Https;
  connection->server_ = address.server;
  connection->port_ = address.port > 0 ? address.port : (connection->secure_ ? 443 : 80);
  connection->easy_ = curl_easy_init();
  connection->multi_ = curl_multi_init();
  if (connection->easy_ == nullptr || connection->multi_ == nullptr) return nullptr;
  connection->session_ = std::move(session);
  return connection;
}

namespace {

void ConfigureRequest(CURL* easy, const InternetSession& session, const std::string& address,
                      curl_slist* headers, FetchState& state, char* errorBuffer) {
  const SessionOptions& options = session.options();
  curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "Sorvane");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, options.maxRedirects);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
  // A server that answers without a status line still sends a page.
  curl_easy_setopt(easy, CURLOPT_HTTP09_ALLOWED, 1L);
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, 1024L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  switch (session.access()) {
    case AccessType::Direct:
      curl_easy_setopt(easy, CURLOPT_PROXY, "");  // the environment is not asked
      break;
    case AccessType::NamedProxy:
      curl_easy_setopt(easy, CURLOPT_PROXY, session.proxyName().c_str());
      curl_easy_setopt(easy, CURLOPT_NOPROXY, "");  // no bypass list
      break;
    case AccessType::SystemSettings:
      break;  // libcurl reads http_proxy, https_proxy and no_proxy itself
  }
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderBytes);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBodyBytes);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, OnTransferProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &state);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnRequestReady);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, &state);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
}

// The library's failures a person reads as "could not connect": the server was
// never reached, or never spoke to us.
bool IsConnectionFailure(CURLcode code, bool answerStarted) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_PROXY:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
      return true;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      // A connection dropped before any answer came is no connection at all.
      return !answerStarted;
    default:
      return false;
  }
}

// What the transfer's end tells, once the library is done with it.
void TellWhatHappened(CURL* easy, const FetchState& state, CURLcode code, const char* errorBuffer,
                      FetchResult& result) {
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  result.status = static_cast<int>(status);
  char* contentType = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType != nullptr) {
    result.contentType = contentType;
  }
  char* effective = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective != nullptr) {
    result.address = effective;
  }
  result.bytes = static_cast<long long>(state.received);
  result.stopped = state.stopped;
  result.cut = state.cut;
  if (state.idleExpired) {
    result.trouble = FetchTrouble::TimedOut;
    result.libraryText = "no data for " + std::to_string(state.options.idleTimeout.count()) + " ms";
    return;
  }
  // Our own ends of the transfer (a stop, the page limit) are no trouble.
  if (code == CURLE_OK || state.stopped || state.cut) return;
  result.libraryCode = static_cast<int>(code);
  result.libraryText = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code);
  if (code == CURLE_OPERATION_TIMEDOUT) {
    result.trouble = FetchTrouble::TimedOut;
  } else if (IsConnectionFailure(code, state.answerStarted)) {
    result.trouble = FetchTrouble::NoConnection;
  } else {
    result.trouble = FetchTrouble::Other;
  }
}

}  // namespace

FetchResult FetchPage(HttpConnection& connection, std::string_view object, std::string& pageText,
                      FetchControl& control) {
  pageText.clear();
  FetchResult result;
  auto* easy = static_cast<CURL*>(connection.easy_);
  auto* multi = static_cast<CURLM*>(connection.multi_);
  const SessionOptions& options = connection.session_->options();
  FetchState state{control, pageText, options, easy};

  curl_easy_reset(easy);
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
      curl_slist_append(nullptr, "Pragma: no-cache"), curl_slist_free_all);
  const std::string address = connection.AddressFor(object);
  char errorBuffer[CURL_ERROR_SIZE] = {};
  ConfigureRequest(easy, *connection.session_, address, headers.get(), state, errorBuffer);
  result.address = address;

  control.ReportProgress(kProgressRequestOpened);
  if (control.StopRequested()) {
    result.stopped = true;
    return result;
  }

  // Our own wait loop rather than curl_easy_perform: that one may sleep a whole
  // second between looks at a silent transfer, and a stop must end it sooner.
  const int pollMilliseconds = static_cast<int>(std::max<long long>(1, options.stopPollInterval.count()));
  CURLcode code = CURLE_OK;
  if (curl_multi_add_handle(multi, easy) == CURLM_OK) {
    int running = 1;
    while (running > 0) {
      if (curl_multi_perform(multi, &running) != CURLM_OK) break;
      if (running == 0 || state.Guarded(true, [&] { return state.ShouldAbort(); })) break;
      curl_multi_poll(multi, nullptr, 0, pollMilliseconds, nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) code = message->data.result;
    }
    curl_multi_remove_handle(multi, easy);
  } else {
    code = CURLE_FAILED_INIT;
  }
  if (state.failure) std::rethrow_exception(state.failure);
  TellWhatHappened(easy, state, code, errorBuffer, result);
  if (result.address.empty()) result.address = address;
  if (state.stopped) return result;

  // The transfer is over: it ended, failed, timed out or was cut. The steps the
  // answer never reached still run, as they would after a failed read.
  if (!state.ReportHeaders()) {
    result.stopped = true;
    return result;
  }
  if (!state.cut) {
    control.ReportProgress(kProgressChunkRead);  // the read that found the end
    if (control.StopRequested()) {
      result.stopped = true;
      return result;
    }
  }
  control.ReportProgress(kProgressBodyRead);
  return result;
}

}  // namespace sorvane
