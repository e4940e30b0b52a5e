#include "core/address_split.h"

#include "core/text_util.h"

namespace sorvane {

namespace {

bool IsSchemeByte(char c, bool first) {
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (first) return letter;
  return letter || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

struct SchemeInfo {
  std::string_view name;
  ServiceKind service;
  int defaultPort;
};

constexpr SchemeInfo kSchemes[] = {
    {"http", ServiceKind::Http, 80},     {"https", ServiceKind::Https, 443},
    {"ftp", ServiceKind::Ftp, 21},       {"gopher", ServiceKind::Gopher, 70},
    {"file", ServiceKind::File, 0},      {"telnet", ServiceKind::Telnet, 23},
    {"news", ServiceKind::News, 119},    {"nntp", ServiceKind::News, 119},
};

}  // namespace

AddressParts SplitAddress(std::string_view address) {
  AddressParts parts;
  const std::size_t schemeEnd = address.find("://");
  if (schemeEnd == std::string_view::npos || schemeEnd == 0) return parts;
  const std::string_view scheme = address.substr(0, schemeEnd);
  for (std::size_t i = 0; i < scheme.size(); ++i) {
    if (!IsSchemeByte(scheme[i], i == 0)) return parts;
  }
  for (const SchemeInfo& info : kSchemes) {
    if (EqualsIgnoringAsciiCase(scheme, info.name)) {
      parts.service = info.service;
      parts.port = info.defaultPort;
    }
  }

  std::string_view rest = address.substr(schemeEnd + 3);
  const std::size_t authorityEnd = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authorityEnd);
  std::string_view object =
      authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);

  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);  // user name and password are not ours to send
  }

  std::string_view host = authority;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return parts;
    host = authority.substr(0, close + 1);
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return parts;
      port = after.substr(1);
    }
  } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }

  if (!port.empty()) {
    long value = 0;
    for (char c : port) {
      if (c < '0' || c > '9') return parts;
      value = value * 10 + (c - '0');
      if (value > 65535) return parts;
    }
    if (value == 0) return parts;
    parts.port = static_cast<int>(value);
  }

  parts.server = std::string(host);
  // An HTTP request needs a path: "http://host?q=x" asks for "/?q=x".
  if (object.empty() || object.front() != '/') parts.object = "/";
  parts.object.append(object);
  parts.ok = true;
  return parts;
}

AddressParts SplitForFetch(std::string_view address, const MessageSink& showMessage) {
  AddressParts parts = SplitAddress(address);
  if (parts.ok) return parts;
  std::string withScheme = "http://";
  withScheme.append(address);
  parts = SplitAddress(withScheme);
  if (!parts.ok && showMessage) showMessage(kInvalidUrlMessage);
  return parts;
}

}  // namespace sorvane
