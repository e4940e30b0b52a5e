#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace sorvane {

// The Communication page's rules, apart from the window.

// The proxy and port edits are only for the named-proxy method.
inline bool ProxyEditsEnabled(int method) { return method == ConnectionSettings::kNamedProxy; }

// The option shown for a stored method: 0 preconfigured, 1 direct, 2 proxy.
// Methods the program does not know show as preconfigured, which is also how
// the fetcher treats them.
int ConnectOptionIndex(int method);
// The method an option stands for (the value 2 is never used).
int ConnectMethodOfOption(int optionIndex);

// What the page stores for the values as entered: the named-proxy method
// needs a proxy, and has both texts cut of white space at both ends; other
// methods keep the texts exactly as typed. Nothing when the proxy is missing.
std::optional<ConnectionSettings> ConnectionToStore(int method, std::string_view proxy, std::string_view port);

}  // namespace sorvane
