#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sorvane {

enum class ServiceKind { Unknown, Http, Https, Ftp, Gopher, File, Telnet, News };

struct AddressParts {
  bool ok = false;
  ServiceKind service = ServiceKind::Unknown;
  std::string server;
  std::string object;  // path and everything after it; "/" when empty
  int port = 0;        // the address's own port, else the scheme's default
};

// The core never shows anything itself: a message meant for the user goes to the
// caller's sink, which decides how to show it.
using MessageSink = std::function<void(std::string_view message)>;

inline constexpr std::string_view kInvalidUrlMessage = "Invalid URL";

// Splits "scheme://[user@]server[:port][/object]". Fails without "://", with an
// empty or malformed scheme, or with a port that is not a number from 1 to 65535.
AddressParts SplitAddress(std::string_view address);

// SplitAddress, then SplitAddress("http://" + address); when both fail the sink
// is told "Invalid URL" and the parts are those of the failed second split.
AddressParts SplitForFetch(std::string_view address, const MessageSink& showMessage);

}  // namespace sorvane
