#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/address_split.h"
#include "core/engine_outcome.h"
#include "core/internet_session.h"

namespace sorvane {

// Progress percentages of one page fetch.
inline constexpr int kProgressRequestOpened = 40;
inline constexpr int kProgressRequestSent = 50;
inline constexpr int kProgressHeadersRead = 60;
inline constexpr int kProgressChunkRead = 70;
inline constexpr int kProgressBodyRead = 80;

// What a fetch asks of its worker: where progress goes and whether to stop.
// Called on the fetching thread only.
class FetchControl {
 public:
  virtual ~FetchControl() = default;
  virtual void ReportProgress(int percent) = 0;
  virtual bool StopRequested() = 0;
};

// What one fetch saw, for the engine's outcome. Filled on the fetching thread.
struct FetchResult {
  int status = 0;             // HTTP status of the final answer (after redirects), 0 when none came
  std::string contentType;    // its Content-Type header, empty when none
  long long bytes = 0;        // body bytes received, zero bytes included
  std::string address;        // the address last asked for, after redirects
  FetchTrouble trouble = FetchTrouble::None;
  int libraryCode = 0;        // the HTTP library's own code (CURLcode), 0 when none
  std::string libraryText;    // and its words for it
  bool stopped = false;       // the stop signal ended the fetch
  bool cut = false;           // the page limit ended it
};

// One engine's connection for one search: the server and port of the engine's
// first-page address, reused for every page of that engine.
// Thread rule: owned and used by one worker thread.
class HttpConnection {
 public:
  ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  const std::string& server() const { return server_; }
  int port() const { return port_; }
  bool secure() const { return secure_; }

  // The absolute address a request for `object` goes to.
  std::string AddressFor(std::string_view object) const;

 private:
  friend std::unique_ptr<HttpConnection> OpenConnection(std::shared_ptr<const InternetSession>,
                                                        const AddressParts&);
  friend FetchResult FetchPage(HttpConnection&, std::string_view, std::string&, FetchControl&);
  HttpConnection() = default;

  std::shared_ptr<const InternetSession> session_;
  std::string server_;
  int port_ = 80;
  bool secure_ = false;
  void* easy_ = nullptr;   // CURL*
  void* multi_ = nullptr;  // CURLM*
};

// A connection to the server of `address` (an http or https split), on the port
// the address names or the scheme's default. Null without a session, for any
// other scheme or an empty server, or when the HTTP library refuses.
std::unique_ptr<HttpConnection> OpenConnection(std::shared_ptr<const InternetSession> session,
                                               const AddressParts& address);

// Fetches `object` over the connection into `pageText` (emptied first): GET,
// HTTP/1.0, agent "Sorvane", never from a cache. Zero bytes are dropped; what
// arrived before an error, a timeout, the page limit or a stop is the page.
// Reports 40, 50, 60, 70 per chunk and for the final empty read, then 80; a stop
// ends it after the step in progress, with no further report.
// An exception thrown by the control is let through once the library is done
// with the transfer. The result tells what the fetch saw on its way.
FetchResult FetchPage(HttpConnection& connection, std::string_view object, std::string& pageText,
               FetchControl& control);

// The object as a request target the HTTP library accepts: bytes it would
// refuse or read as a fragment (space, '#', control and non-ASCII bytes) are
// percent-encoded; everything else is sent as it is.
std::string RequestTargetFor(std::string_view object);

}  // namespace sorvane
