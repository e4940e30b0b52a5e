#pragma once

#include <wx/app.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace sorvane {

class CMainFrame;
class CSorvaneDoc;
class SettingsStore;

// The application object: start-up in its fixed order, the program folder and
// the help path, the settings store, the document and the main frame.
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
};

}  // namespace sorvane
