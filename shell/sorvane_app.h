#pragma once

#include <wx/app.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

namespace sorvane {

class CMainFrame;
class CSorvaneDoc;
class SettingsStore;

// The application object: start-up in its fixed order, the program folder and
// the help path, the settings store, the document and the main frame.
//
// The end of the program. Closing the window gives up a search under way: its
// run is closed and its workers told to stop (engine workers see that within
// their fetch's stop poll, a tenth of a second; the scan within a file or a
// folder). The window then goes, and OnExit waits for the workers, which are
// joined, until a short grace after the close has passed. When every one has
// ended, the program ends normally. When one has not (a worker deep in a name
// lookup or a TLS handshake), the process ends there and then, without static
// destructors and exit handlers: those would tear the HTTP and TLS libraries
// down under the worker. Nothing is lost by that: the settings were written at
// the close, and saved searches and the store's files are written whole or not
// at all before anything else happens.
class CSorvaneApp final : public wxApp {
 public:
  CSorvaneApp();
  ~CSorvaneApp() override;

  bool OnInit() override;
  int OnExit() override;

  const std::filesystem::path& HelpPath() const { return m_strHelpPath; }
  CMainFrame* MainFrame() const { return m_frame; }

 private:
  std::filesystem::path m_programFolder;
  std::filesystem::path m_strHelpPath;
  std::unique_ptr<SettingsStore> m_settings;
  std::unique_ptr<CSorvaneDoc> m_document;
  CMainFrame* m_frame = nullptr;
  // When the window began to close: the workers of a search it gave up have
  // from then until the program's end (a fixed grace) to finish.
  std::optional<std::chrono::steady_clock::time_point> m_closeStarted;
};

}  // namespace sorvane
