// The install of one package through the wizard against the same install by the engine alone,
// side by side in one process: what showing the progress costs. Usage:
// wizard_benchmark INSTALLER TERMINAL_FOLDER [RUNS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/install_run.h"
#include "linklabel/ansi.h"
#include "shell/com_apartment.h"
#include "shell/sys_folders.h"
#include "wizard/form_installer_win.h"

namespace {

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

// The engine alone, reports counted and dropped.
double EngineRun(const std::string& installer, const std::string& terminal, int& reports) {
  xa::TXaInstall install;
  install.LoadFromFile(installer);
  install.TerminalFolders.push_back(terminal);
  reports = 0;
  install.OnProgress = [&reports](xa::TXaData&, const std::string&, int32_t) { ++reports; };
  const LARGE_INTEGER start = Now();
  xa::RunInstall(install);
  return Seconds(start, Now());
}

// The real Program Files folder; `terminal` is the one folder picked, and nothing is shown,
// opened or removed.
class TBenchEnvironment : public xa::TFormEnvironment {
 public:
  TBenchEnvironment(const std::string& installer, const std::string& terminal)
      : terminal_(terminal) {
    ExecutablePath = installer;
    QuitOnDestroy = false;
  }

  std::string ProgramFiles(bool trailing) override {
    return xa::GetSysFolder(xa::SysFolderId::kProgramFiles, trailing);
  }
  std::vector<xa::TDataFolder> DataFolders() override { return {}; }
  void ShowMessage(HWND, const std::u16string&, const std::u16string&, UINT) override {}
  void ShellOpen(const std::string&) override {}
  bool SelfDelete(const std::string&, bool) override { return true; }
  bool PickFolder(std::u16string& folder) override {
    folder = xa::AnsiToUtf16(terminal_);
    return true;
  }

 private:
  const std::string& terminal_;
};

void Click(HWND button) {
  SendMessageW(button, BM_CLICK, 0, 0);
}

// The wizard on screen, walked to its ready page with `terminal` as the only folder; the time
// of the Next click that runs the install.
double WizardRun(const std::string& installer, const std::string& terminal, size_t& lines) {
  TBenchEnvironment environment(installer, terminal);
  xa::TFormInstaller form(environment);
  form.Create();
  form.Show();
  xa::TFormControls& c = form.Controls();
  Click(c.BtnNext);
  Click(c.RadioAccept);
  Click(c.BtnNext);
  for (int i = c.ListMetaTrader.Count() - 1; i >= 0; --i)
    c.ListMetaTrader.SetChecked(i, false);
  Click(c.BtnAddMetaTrader);
  Click(c.BtnNext);
  UpdateWindow(form.Handle());
  const LARGE_INTEGER start = Now();
  Click(c.BtnNext);
  const double seconds = Seconds(start, Now());
  if (!form.RunDone())
    std::fputs("wizard_benchmark: the run did not end\n", stderr);
  lines = static_cast<size_t>(SendMessageW(c.MemoProgress, EM_GETLINECOUNT, 0, 0));
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: wizard_benchmark INSTALLER TERMINAL_FOLDER [RUNS]\n", stderr);
    return 2;
  }
  const xa::TComApartment apartment;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
  double engine_best = 0;
  double wizard_best = 0;
  int reports = 0;
  size_t lines = 0;
  try {
    for (int i = 0; i < runs; ++i) {
      const double engine = EngineRun(argv[1], argv[2], reports);
      const double wizard = WizardRun(argv[1], argv[2], lines);
      if (i == 0 || engine < engine_best)
        engine_best = engine;
      if (i == 0 || wizard < wizard_best)
        wizard_best = wizard;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wizard_benchmark: %s\n", error.what());
    return 1;
  }
  std::printf("engine alone:   %7.3f s (%d reports)\n", engine_best, reports);
  std::printf("through wizard: %7.3f s (%zu lines in the progress list)\n", wizard_best, lines);
  std::printf("wizard/engine ratio: %.3f\n", wizard_best / engine_best);
  return 0;
}
