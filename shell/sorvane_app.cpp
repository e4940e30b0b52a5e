#include "shell/sorvane_app.h"

#include <wx/image.h>
#include <wx/msgdlg.h>

#include <optional>

#include "platform/program_folder.h"
#include "shell/config_settings_store.h"
#include "shell/help_book.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"
#include "shell/sorvane_doc.h"
#include "shell/startup_report.h"

namespace sorvane {

CSorvaneApp::CSorvaneApp() {
  // The registry key Software\Tarnwell\sorvane on Windows.
  SetVendorName("Tarnwell");
  SetAppName(kApplicationName);
}

CSorvaneApp::~CSorvaneApp() = default;

// Options: --home DIR (the program folder), --no-webview (the window without a
// browser view), and one HTML file to open as the document.
CSorvaneApp::CommandLine CSorvaneApp::ParseCommandLine() const {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const wxString argument = argv[i];
    if (argument == "--home" && i + 1 < argc) {
      line.home = std::filesystem::path(argv[++i].utf8_string());
    } else if (argument.StartsWith("--home=")) {
      line.home = std::filesystem::path(argument.Mid(7).utf8_string());
    } else if (argument == "--no-webview") {
      line.noWebView = true;
    } else if (argument.StartsWith("-") && argument != "-") {
      line.valid = false;
    } else if (line.file.empty()) {
      line.file = argument;
    } else {
      line.valid = false;
    }
  }
  return line;
}

bool CSorvaneApp::OnInit() {
  wxInitAllImageHandlers();
  const CommandLine line = ParseCommandLine();
  if (!line.valid) {
    wxMessageBox("Usage: sorvane [--home DIR] [--no-webview] [FILE.htm]", kApplicationName, wxOK | wxICON_ERROR);
    return false;
  }

  m_programFolder = ResolveProgramFolder(CurrentProgramFolderInputs(line.home));
  m_strHelpPath = m_programFolder / kHelpFileName;
  m_settings = std::make_unique<ConfigSettingsStore>();

  FrameOptions options;
  options.programFolder = m_programFolder;
  // The user's shortcut tree lives in the per-user data folder.
  options.favoritesFolder = CurrentProgramFolderInputs(std::nullopt).userDataFolder / "Favorites";
  options.settings = m_settings.get();
  options.browserView = UseBrowserView(line.noWebView);

  m_frame = new CMainFrame(options);
  m_document = std::make_unique<CSorvaneDoc>(*m_frame);
  m_frame->SetDocument(m_document.get());
  if (!m_frame->Create()) {
    m_frame->Destroy();
    m_frame = nullptr;
    return false;
  }
  if (!line.file.empty() && !m_document->OnOpenDocument(line.file)) {
    wxMessageBox("Cannot open the file " + line.file + ".", kApplicationName, wxOK | wxICON_ERROR);
    m_frame->Destroy();
    m_frame = nullptr;
    return false;
  }
  ReportStartupWhenIdle(*m_frame);
  m_frame->Show();
  m_frame->DragAcceptFiles(true);
  SetTopWindow(m_frame);
  return true;
}

int CSorvaneApp::OnExit() {
  m_document.reset();
  return wxApp::OnExit();
}

}  // namespace sorvane
