#include "shell/frame_options.h"

#include <wx/webview.h>

#include <cstdlib>

namespace sorvane {

bool UseBrowserView(bool noWebViewOption) {
  if (noWebViewOption) return false;
  if (const char* forced = std::getenv("SORVANE_NO_WEBVIEW"); forced && *forced) return false;
  return wxWebView::IsBackendAvailable(wxWebViewBackendDefault);
}

}  // namespace sorvane
