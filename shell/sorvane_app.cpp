#include "shell/sorvane_app.h"

#include <wx/image.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <optional>

#include "core/worker_thread.h"
#include "platform/program_folder.h"
#include "shell/command_line.h"
#include "shell/config_settings_store.h"
#include "shell/help_book.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"
#include "shell/sorvane_doc.h"
#include "shell/startup_report.h"

namespace sorvane {

namespace {

// From the close to the process's end: the workers' stop poll and their
// clean-up fit well inside, and a person sees the window go at once anyway.
constexpr std::chrono::milliseconds kExitGrace{300};

}  // namespace

CSorvaneApp::CSorvaneApp() {
  // The registry key Software\Tarnwell\sorvane on Windows.
  SetVendorName("Tarnwell");
  SetAppName(kApplicationName);
}

CSorvaneApp::~CSorvaneApp() = default;

bool CSorvaneApp::OnInit() {
  wxInitAllImageHandlers();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(argv[i].utf8_string());
  const GuiCommandLine line = ParseGuiCommandLine(arguments);
  if (!line.valid) {
    // A mistyped command line comes from a terminal or a script: say so there.
    std::fprintf(stderr, "%s\n", kGuiUsage);
    return false;
  }
  const wxString file = wxString::FromUTF8(line.file);

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
  if (!file.empty() && !m_document->OnOpenDocument(file)) {
    wxMessageBox("Cannot open the file " + file + ".", kApplicationName, wxOK | wxICON_ERROR);
    m_frame->Destroy();
    m_frame = nullptr;
    return false;
  }
  m_frame->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (!m_closeStarted) m_closeStarted = std::chrono::steady_clock::now();
    event.Skip();
  });
  ReportStartupWhenIdle(*m_frame);
  m_frame->Show();
  m_frame->DragAcceptFiles(true);
  SetTopWindow(m_frame);
  return true;
}

int CSorvaneApp::OnExit() {
  m_document.reset();
  const int status = wxApp::OnExit();
  const auto closed = m_closeStarted.value_or(std::chrono::steady_clock::now());
  if (!EndWorkerThreads(closed + kExitGrace)) EndProcessWithoutCleanup(0);
  return status;
}

}  // namespace sorvane
