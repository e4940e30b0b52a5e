#include "core/internet_session.h"

#include <curl/curl.h>

namespace sorvane {

// curl counts its global initialisations itself and, built thread-safe, lets
// them run on any thread; each session holds one for as long as it lives.
InternetSession::InternetSession(AccessType access, std::string proxyName, SessionOptions options)
    : access_(access), proxyName_(std::move(proxyName)), options_(options) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
}

InternetSession::~InternetSession() { curl_global_cleanup(); }

AccessType AccessTypeFor(const ConnectionSettings& settings) {
  switch (settings.connectMethod) {
    case ConnectionSettings::kDirect:
      return AccessType::Direct;
    case ConnectionSettings::kNamedProxy:
      return AccessType::NamedProxy;
    default:
      return AccessType::SystemSettings;
  }
}

std::string ProxyNameFor(const ConnectionSettings& settings) {
  if (AccessTypeFor(settings) != AccessType::NamedProxy) return {};
  // Without a port the host alone is not used: the name stays empty.
  if (settings.port.empty()) return {};
  return settings.proxy + ":" + settings.port;
}

std::shared_ptr<const InternetSession> CreateInternetSession(const ConnectionSettings& settings,
                                                             const SessionOptions& options) {
  const AccessType access = AccessTypeFor(settings);
  std::string proxyName = ProxyNameFor(settings);
  if (access == AccessType::NamedProxy && proxyName.empty()) return nullptr;
  const curl_version_info_data* version = curl_version_info(CURLVERSION_NOW);
  if (version == nullptr || (version->features & CURL_VERSION_THREADSAFE) == 0) {
    // Workers share the library; without thread-safe initialisation that is unsound.
    return nullptr;
  }
  return std::make_shared<const InternetSession>(access, std::move(proxyName), options);
}

std::shared_ptr<const InternetSession> SessionHolder::EnsureSession(const ConnectionSettings& settings) {
  if (!session_) session_ = CreateInternetSession(settings, options_);
  return session_;
}

}  // namespace sorvane
