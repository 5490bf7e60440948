#include "wizard/form_installer_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/data_folders.h"
#include "engine/install_run.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "linklabel/ansi.h"
#include "shell/com_apartment.h"
#include "shell/testing/temp_folder.h"
#include "shell/window_binding_win.h"
#include "shell/window_errors_win.h"
#include "wizard/reflected_messages.h"
#include "wizard/testing/edit_lines.h"
#include "wizard/wizard_messages.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Wizard Test " + std::to_string(GetCurrentProcessId());
}

struct TMessage {
  std::u16string Text, Title;
  UINT Icon;
};

bool Shown(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::u16string> Lines(HWND edit) {
  return EditLines(WindowText16(edit));
}

class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    package_.ProgramName = Name();
    package_.VersionMajor = 2;
    package_.VersionMinor = 10;
    package_.LicenseText = "{\\rtf1 Licence terms}";
    package_.AddFile().TargetPath = "{metatrader}\\experts\\Test.ex4";
    contents_.push_back("expert");
  }

  std::string AddTerminalFolder(const std::string& name, bool with_terminal) {
    const std::string folder = root_.Path() + "\\" + name;
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    if (with_terminal) {
      EXPECT_TRUE(CopyTerminalDouble(folder));
    }
    return folder;
  }

  // The test's folders, and records of what the form shows, opens and removes.
  class TTestEnvironment : public TFormEnvironment {
   public:
    explicit TTestEnvironment(FormTest& test) : test_(test) { QuitOnDestroy = false; }

    std::string ProgramFiles(bool trailing) override {
      return test_.root_.Path() + (trailing ? "\\" : "");
    }
    // The real data folders of the user, but only those this test made.
    std::vector<TDataFolder> DataFolders() override {
      std::vector<TDataFolder> ours;
      for (const TDataFolder& data_folder : ReadDataFolders(DataFoldersRoot())) {
        const auto& made = test_.data_folders_.Folders();
        if (std::find(made.begin(), made.end(), data_folder.Folder) != made.end())
          ours.push_back(data_folder);
      }
      return ours;
    }
    void ShowMessage(HWND,
                     const std::u16string& text,
                     const std::u16string& title,
                     UINT icon) override {
      test_.messages_.push_back({text, title, icon});
    }
    void ShellOpen(const std::string& file) override { test_.opened_.push_back(file); }
    bool SelfDelete(const std::string& file, bool remove_folder) override {
      test_.self_deleted_.push_back(file + (remove_folder ? " +folder" : ""));
      return true;
    }
    bool PickFolder(std::u16string& folder) override {
      if (test_.picker_fails_)
        throw std::runtime_error("No picker");
      test_.picker_start_ = Utf16ToAnsi(folder);
      folder = test_.picked_;
      return !test_.picked_.empty();
    }

   private:
    FormTest& test_;
  };

  // The wizard over `executable`, in the role its name gives.
  void CreateForm(const std::string& executable) {
    form_.reset();
    environment_.ExecutablePath = executable;
    form_ = std::make_unique<TFormInstaller>(environment_);
  }

  // Builds the installer and creates the wizard over it.
  TFormInstaller& CreateInstaller() {
    BuildInstaller(package_, contents_, setup_, XA_SETUP_PATH);
    CreateForm(setup_);
    form_->Create();
    return *form_;
  }

  void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

  // Handles what the thread's queue holds, as the program's message loop does.
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  void Next() { Click(form_->Controls().BtnNext); }

  // The page panels shown now (the form itself stays hidden in tests); exactly one expected.
  std::vector<TPage> VisiblePages() {
    std::vector<TPage> visible;
    for (size_t i = 0; i < kPageCount; ++i) {
      if (Shown(form_->Controls().Pages[i].Handle()))
        visible.push_back(static_cast<TPage>(i));
    }
    return visible;
  }

  // Enabled states of Prev, Next, Cancel and the Cancel caption.
  std::string Buttons() {
    const TFormControls& c = form_->Controls();
    std::string state;
    for (HWND button : {c.BtnPrev, c.BtnNext, c.BtnCancel})
      state += IsWindowEnabled(button) ? "1" : "0";
    return state + " " + Utf16ToAnsi(WindowText16(c.BtnCancel));
  }

  TComApartment apartment_;
  TTempFolder root_{"wizard"};
  TInstallCleanup cleanup_{Name()};
  TDataFolderDoubles data_folders_;
  std::string setup_ = root_.Path() + "\\Setup.exe";
  TXaInstall package_;
  std::vector<std::string> contents_;
  TTestEnvironment environment_{*this};
  std::unique_ptr<TFormInstaller> form_;
  std::vector<TMessage> messages_;
  std::vector<std::string> opened_;
  std::vector<std::string> self_deleted_;
  std::u16string picked_;
  std::string picker_start_;
  bool picker_fails_ = false;
};

TEST_F(FormTest, PageListsFollowTheRecordsDocuments) {
  using P = TPage;
  struct Case {
    const char* readme;
    const char* news;
    std::vector<P> pages;
  };
  const Case cases[] = {
      {"", "", {P::kStart, P::kLicense, P::kFolder, P::kReady, P::kProgress, P::kStart}},
      {"Read me",
       "",
       {P::kStart, P::kInfo, P::kLicense, P::kFolder, P::kReady, P::kProgress, P::kStart}},
      {"Read me",
       "{\\rtf1 New}",
       {P::kStart, P::kInfo, P::kLicense, P::kFolder, P::kReady, P::kProgress, P::kNews,
        P::kStart}},
  };
  for (const Case& c : cases) {
    package_.ReadmeText = c.readme;
    package_.WhatsNewText = c.news;
    CreateInstaller();
    EXPECT_EQ(form_->Pages(), c.pages);
    EXPECT_EQ(form_->PageIndex(), 0);
    EXPECT_EQ(VisiblePages(), std::vector<P>{P::kStart});
    EXPECT_TRUE(Shown(form_->Controls().PanelInstall.Handle()));
    EXPECT_FALSE(Shown(form_->Controls().PanelFinish.Handle()));
  }
  EXPECT_EQ(form_->Title(), AnsiToUtf16("Install - " + Name()));
  EXPECT_EQ(WindowText16(form_->Handle()), form_->Title());
  EXPECT_EQ(WindowText16(form_->Controls().LabelStart1),
            AnsiToUtf16("Welcome to the " + Name() + " v2.10 Installation Wizard"));
  EXPECT_EQ(WindowText16(form_->Controls().RichNews), u"New");
}

TEST_F(FormTest, InstallThenUninstallThroughTheWizard) {
  package_.ReadmeText = "Read me first";
  package_.WhatsNewText = "{\\rtf1 What is new}";
  const std::string plain = AddTerminalFolder("Plain", false);
  AddTerminalFolder("Terminal A", true);
  AddTerminalFolder("Terminal C", true);
  CreateInstaller();
  const TFormControls& c = form_->Controls();
  EXPECT_EQ(Buttons(), "011 Cancel");
  Next();
  EXPECT_EQ(VisiblePages(), std::vector<TPage>{TPage::kInfo});
  EXPECT_EQ(Buttons(), "111 Cancel");
  Next();
  EXPECT_EQ(Buttons(), "101 Cancel");  // the licence is not accepted yet
  Click(c.RadioAccept);
  EXPECT_EQ(Buttons(), "111 Cancel");
  Click(c.RadioNotAccept);
  EXPECT_EQ(Buttons(), "101 Cancel");
  Click(c.BtnPrev);
  Next();
  EXPECT_EQ(Buttons(), "101 Cancel");
  Click(c.RadioAccept);
  Next();

  EXPECT_EQ(VisiblePages(), std::vector<TPage>{TPage::kFolder});
  EXPECT_TRUE(messages_.empty());
  const TCheckListBox& list = c.ListMetaTrader;
  ASSERT_EQ(list.Count(), 2);
  EXPECT_TRUE(list.Checked(0) && list.Checked(1));
  picked_ = AnsiToUtf16(plain);
  SetFocus(c.BtnNext);
  Click(c.BtnAddMetaTrader);
  EXPECT_EQ(GetFocus(), c.BtnNext);  // the add button never takes the focus
  EXPECT_EQ(picker_start_, root_.Path());
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(Utf16ToAnsi(list.Text(2)), plain);
  EXPECT_TRUE(list.Checked(2));
  form_->Controls().ListMetaTrader.SetChecked(0, false);
  const std::string skipped = Utf16ToAnsi(list.Text(0));
  const std::string terminal = Utf16ToAnsi(list.Text(1));

  Next();
  const std::string indent = "        ";
  const std::vector<std::string> summary{"Program Name",
                                         indent + Name() + " v2.10",
                                         "",
                                         "Target Folder(s)",
                                         indent + terminal,
                                         indent + plain,
                                         "",
                                         "Program Folder",
                                         indent + root_.Path() + "\\" + Name(),
                                         "",
                                         "Start Menu Folder",
                                         indent + Name()};
  std::vector<std::u16string> expected;
  for (const std::string& line : summary)
    expected.push_back(AnsiToUtf16(line));
  EXPECT_EQ(Lines(c.MemoReady), expected);

  Next();  // the install runs here
  EXPECT_TRUE(form_->RunDone());
  EXPECT_EQ(Buttons(), "010 Cancel");
  EXPECT_EQ(SendMessageW(c.ProgressBar1, PBM_GETPOS, 0, 0), 100);
  const std::vector<std::u16string> progress = Lines(c.MemoProgress);
  EXPECT_GT(progress.size(), 3u);
  EXPECT_EQ(ReadFileBytes(terminal + "\\experts\\Test.ex4"), "expert");
  EXPECT_EQ(ReadFileBytes(plain + "\\experts\\Test.ex4"), "expert");
  EXPECT_FALSE(PathExists(skipped + "\\experts\\Test.ex4"));

  Next();
  EXPECT_EQ(VisiblePages(), std::vector<TPage>{TPage::kNews});
  EXPECT_EQ(Buttons(), "110 Cancel");
  Next();
  EXPECT_EQ(Buttons(), "101 Finish");
  EXPECT_TRUE(Shown(c.PanelFinish.Handle()) && !Shown(c.PanelInstall.Handle()));
  EXPECT_TRUE(Shown(c.CheckRun) && IsChecked(c.CheckRun));
  EXPECT_EQ(SendMessageW(c.ComboRun, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(Utf16ToAnsi(WindowText16(c.ComboRun)), terminal);
  Click(c.BtnPrev);
  EXPECT_EQ(Buttons(), "111 Finish");
  Click(c.BtnPrev);
  EXPECT_EQ(Buttons(), "010 Finish");
  EXPECT_EQ(Lines(c.MemoProgress), progress);  // no second run
  Next();
  Next();
  Click(c.BtnCancel);
  EXPECT_EQ(opened_, std::vector<std::string>{terminal + "\\terminal.exe"});
  EXPECT_EQ(form_->Handle(), nullptr);

  const std::string uninstaller = cleanup_.AppFolder() + "\\Uninstall.exe";
  CreateForm(uninstaller);
  form_->Create();
  EXPECT_TRUE(form_->IsUninstall());
  EXPECT_EQ(form_->Pages(), (std::vector<TPage>{TPage::kStart, TPage::kProgress, TPage::kStart}));
  EXPECT_EQ(form_->Title(), AnsiToUtf16("Uninstall - " + Name()));
  EXPECT_FALSE(Shown(form_->Controls().CheckRun));
  Next();
  EXPECT_EQ(Buttons(), "010 Cancel");
  EXPECT_FALSE(PathExists(terminal + "\\experts\\Test.ex4"));
  Next();
  EXPECT_EQ(Buttons(), "101 Finish");
  Click(form_->Controls().BtnCancel);
  EXPECT_EQ(self_deleted_, std::vector<std::string>{uninstaller + " +folder"});
  EXPECT_TRUE(opened_.size() == 1);
}

TEST_F(FormTest, DataFoldersFindTerminalsElsewhereAndReceiveTheirFiles) {
  const std::string terminal_a = AddTerminalFolder("Terminal A", true);
  TTempFolder elsewhere{"brokers"};
  const std::string beta = elsewhere.Path() + "\\Beta", gamma = elsewhere.Path() + "\\Gamma";
  for (const std::string& folder : {beta, gamma}) {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyTerminalDouble(folder));
  }
  std::string upper_a = terminal_a;
  CharUpperA(upper_a.data());
  const std::string data_a = data_folders_.MakeFor(upper_a + "\\");
  const std::string data_beta = data_folders_.MakeFor(beta);
  data_folders_.MakeFor(elsewhere.Path() + "\\Gone");
  data_folders_.Make(OriginFileBytes(gamma), "MQL5");
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  EXPECT_TRUE(messages_.empty());
  const TFormControls& c = form_->Controls();
  ASSERT_EQ(c.ListMetaTrader.Count(), 2);
  EXPECT_EQ(Utf16ToAnsi(c.ListMetaTrader.Text(0)), terminal_a);
  EXPECT_EQ(Utf16ToAnsi(c.ListMetaTrader.Text(1)), beta);
  EXPECT_TRUE(c.ListMetaTrader.Checked(1));

  Next();
  const std::vector<std::u16string> summary = Lines(c.MemoReady);
  ASSERT_GE(summary.size(), 11u);
  const std::string indent = "        ";
  // The data folders lie in the user's application data, which the summary writes short.
  const std::string heading = indent + "    and its data folder in %APPDATA%\\MetaQuotes\\Terminal";
  const auto shown = [&](const std::string& folder) {
    return indent + "    " + folder.substr(folder.rfind('\\') + 1);
  };
  EXPECT_EQ(Utf16ToAnsi(summary[4]), indent + terminal_a);
  EXPECT_EQ(Utf16ToAnsi(summary[5]), heading);
  EXPECT_EQ(Utf16ToAnsi(summary[6]), shown(data_a));
  EXPECT_EQ(Utf16ToAnsi(summary[7]), indent + beta);
  EXPECT_EQ(Utf16ToAnsi(summary[8]), heading);
  EXPECT_EQ(Utf16ToAnsi(summary[9]), shown(data_beta));
  EXPECT_EQ(Utf16ToAnsi(summary[10]), "");

  Next();
  const std::vector<std::u16string> progress = Lines(c.MemoProgress);
  for (const std::string& folder : {terminal_a, data_a, beta, data_beta}) {
    const std::string target = folder + "\\experts\\Test.ex4";
    EXPECT_EQ(ReadFileBytes(target), "expert") << folder;
    EXPECT_NE(
        std::find(progress.begin(), progress.end(), AnsiToUtf16("Copying file " + target + " ...")),
        progress.end())
        << target;
  }
  EXPECT_EQ(SendMessageW(c.ComboRun, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(FormTest, WithoutTerminalsTheDefaultFolderIsOfferedOnceAndNoRunOffered) {
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Text, kNoTerminalWarning);
  EXPECT_EQ(messages_[0].Title, u"Warning");
  EXPECT_EQ(messages_[0].Icon, static_cast<UINT>(MB_ICONWARNING));
  const TCheckListBox& list = form_->Controls().ListMetaTrader;
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(Utf16ToAnsi(list.Text(0)), root_.Path() + "\\MetaTrader 4");
  EXPECT_TRUE(list.Checked(0));
  Click(form_->Controls().BtnPrev);
  Next();
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_EQ(list.Count(), 1);
  Next();
  Next();
  Next();
  EXPECT_EQ(Buttons(), "101 Finish");
  EXPECT_FALSE(Shown(form_->Controls().CheckRun));
  EXPECT_FALSE(Shown(form_->Controls().ComboRun));
  EXPECT_FALSE(IsChecked(form_->Controls().CheckRun));
  Click(form_->Controls().BtnCancel);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(FormTest, ARunningTerminalKeepsTheWizardOnTheWelcomePage) {
  CreateInstaller();
  TTerminalDouble terminal;
  ASSERT_NE(terminal.WaitForWindow(30), nullptr);
  Next();
  Next();
  EXPECT_EQ(form_->PageIndex(), 0);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1].Text, kTerminalRunningError);
  EXPECT_EQ(messages_[1].Title, u"Error");
  EXPECT_EQ(messages_[1].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(terminal.Close(30), 0);
  Next();
  EXPECT_EQ(form_->PageIndex(), 1);
}

TEST_F(FormTest, AnInstallerRenamedUninstallNeverRemovesItself) {
  BuildInstaller(package_, contents_, setup_, XA_SETUP_PATH);
  const std::string renamed = root_.Path() + "\\UNINSTALL.EXE";
  ASSERT_TRUE(CopyFileA(setup_.c_str(), renamed.c_str(), FALSE));
  CreateForm(renamed);
  form_->Create();
  EXPECT_TRUE(form_->IsUninstall());
  EXPECT_EQ(form_->Title(), u"Uninstall - ");
  Next();
  Next();
  EXPECT_EQ(Buttons(), "101 Finish");
  Click(form_->Controls().BtnCancel);
  EXPECT_TRUE(self_deleted_.empty());
  EXPECT_TRUE(PathExists(renamed));
}

TEST_F(FormTest, AFailedRunShowsTheErrorAndLeavesEveryButtonDisabled) {
  package_.ProgramName = " \\ ";  // no folder can be named after it
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  Next();
  messages_.clear();
  Next();
  EXPECT_EQ(form_->CurrentPage(), TPage::kProgress);
  EXPECT_FALSE(form_->RunDone());
  EXPECT_EQ(Buttons(), "000 Cancel");
  Pump();  // the error box opens from the queue, after the click
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Title, u"Install -  \\ ");
  EXPECT_EQ(messages_[0].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_FALSE(messages_[0].Text.empty());
}

TEST_F(FormTest, AFailedInstallIsUndoneAndTheProgressListSaysSo) {
  const std::string terminal = AddTerminalFolder("Terminal A", true);
  // A folder stands where the licence document must go: the run fails after copying the file.
  const std::string license = cleanup_.AppFolder() + "\\License.rtf";
  ASSERT_TRUE(CreateDirectoryA(cleanup_.AppFolder().c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(license.c_str(), nullptr));
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  Next();
  Next();  // the install runs here
  EXPECT_EQ(form_->CurrentPage(), TPage::kProgress);
  EXPECT_FALSE(form_->RunDone());
  EXPECT_EQ(Buttons(), "000 Cancel");
  Pump();  // the error box opens from the queue, after the click
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Title, AnsiToUtf16("Install - " + Name()));
  EXPECT_EQ(messages_[0].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(messages_[0].Text.rfind(AnsiToUtf16("Cannot create file \"" + license + "\". "), 0), 0u)
      << Utf16ToAnsi(messages_[0].Text);
  const std::vector<std::u16string> expected = {
      AnsiToUtf16("Copying file " + terminal + "\\experts\\Test.ex4 ..."),
      AnsiToUtf16("Copying file " + license + " ..."), AnsiToUtf16(kUndoingInstall),
      AnsiToUtf16(kInstallUndone)};
  EXPECT_EQ(Lines(form_->Controls().MemoProgress), expected);
  EXPECT_FALSE(PathExists(terminal + "\\experts")) << "the copy and its folder are gone";
  EXPECT_FALSE(PathExists(cleanup_.MenuFolder()));
  EXPECT_TRUE(PathExists(license)) << "what stood in the way stays";
}

// Delivers a key press the way the program's message loop does.
void PressKey(HWND form, WPARAM key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageW(form, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

TEST_F(FormTest, EnterPressesNextWhileEnabledAndEscapeDoesNothing) {
  CreateInstaller();
  SetFocus(form_->Controls().BtnNext);
  PressKey(form_->Handle(), VK_ESCAPE);
  EXPECT_EQ(form_->PageIndex(), 0);
  ASSERT_NE(form_->Handle(), nullptr);
  PressKey(form_->Handle(), VK_RETURN);
  EXPECT_EQ(form_->PageIndex(), 1);
  PressKey(form_->Handle(), VK_RETURN);  // the licence is not accepted: Next is disabled
  EXPECT_EQ(form_->PageIndex(), 1);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(FormTest, TabWalksThePageAndThenNextCancelPrev) {
  package_.ReadmeText = "Read me";
  CreateInstaller();
  Next();
  const TFormControls& c = form_->Controls();
  SetFocus(c.RichInfo);
  std::vector<HWND> order;
  for (int i = 0; i < 4; ++i) {
    PressKey(form_->Handle(), VK_TAB);
    order.push_back(GetFocus());
  }
  EXPECT_EQ(order, (std::vector<HWND>{c.BtnNext, c.BtnCancel, c.BtnPrev, c.RichInfo}));
  PressKey(form_->Handle(), VK_RETURN);  // from the text box, Enter is Next as well
  EXPECT_EQ(form_->CurrentPage(), TPage::kLicense);
}

TEST_F(FormTest, ProgressAddsLinesAndShowsPercentsOutsideTheRangeAtTheNearerEnd) {
  CreateInstaller();
  const TFormControls& c = form_->Controls();
  const std::pair<const char*, int32_t> reports[] = {
      {"one", 113}, {"two", 0}, {"three", -1}, {"four", 42}};
  const LRESULT shown[] = {100, 0, 0, 42};
  for (size_t i = 0; i < std::size(reports); ++i) {
    form_->ReportProgress(*form_->Install(), reports[i].first, reports[i].second);
    EXPECT_EQ(SendMessageW(c.ProgressBar1, PBM_GETPOS, 0, 0), shown[i]);
  }
  EXPECT_EQ(Lines(c.MemoProgress),
            (std::vector<std::u16string>{u"one", u"two", u"three", u"four"}));
}

TEST_F(FormTest, ABannerIsShownWhenItDecodesAndSkippedWhenNot) {
  package_.Banner = {0xFF, 0xD8, 0xFF, 0x00, 0x01};
  CreateInstaller();
  EXPECT_FALSE(form_->Controls().Banner);
  std::ifstream jpeg(XA_SAMPLE_BANNER_PATH, std::ios::binary);
  package_.Banner.assign(std::istreambuf_iterator<char>(jpeg), {});
  CreateInstaller();
  BITMAP bitmap{};
  ASSERT_TRUE(form_->Controls().Banner);
  GetObjectW(form_->Controls().Banner.Get(), sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 160);
  EXPECT_EQ(bitmap.bmHeight, 320);
}

TEST_F(FormTest, LinksWithAnAtSignOpenAsMail) {
  CreateInstaller();
  form_->LabelStart2LinkClick(1, u"http://example.com/");
  form_->LabelStart2LinkClick(2, u"http://a@example.com/");
  form_->LabelStart2LinkClick(3, u"sales@example.com");
  EXPECT_EQ(opened_,
            (std::vector<std::string>{"http://example.com/", "mailto:http://a@example.com/",
                                      "mailto:sales@example.com"}));
}

TEST_F(FormTest, APickedFolderTheCodePageCannotHoldIsRefused) {
  AddTerminalFolder("Terminal", true);
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  const TCheckListBox& list = form_->Controls().ListMetaTrader;
  ASSERT_EQ(list.Count(), 1);
  // No single-byte code page holds the first; the second has an ASCII look-alike.
  for (const std::u16string name : {u"\u4e2d\u6587", u"Termin\u0101l"}) {
    picked_ = AnsiToUtf16(root_.Path()) + u"\\" + name;
    messages_.clear();
    Click(form_->Controls().BtnAddMetaTrader);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Text, UnmappableFolderError(picked_));
    EXPECT_EQ(messages_[0].Title, u"Error");
    EXPECT_EQ(messages_[0].Icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(list.Count(), 1);
  }
}

// Throws from inside a window's message handling, as a failing handler would.
class TThrowingHandler : public TWindowHandler {
 public:
  static constexpr UINT kProbe = WM_APP + 0x3A1;

  explicit TThrowingHandler(std::function<void()> raise) : raise_(std::move(raise)) {}

  LRESULT HandleMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == kProbe)
      raise_();
    return CallNextProc(window, msg, wparam, lparam);
  }

 private:
  std::function<void()> raise_;
};

// Every kind of window of the wizard: an exception inside its message handling ends in the
// application's error box, shown from the queue after the message, and the wizard goes on.
TEST_F(FormTest, AnExceptionInsideAnyWindowProcedureEndsInTheErrorBox) {
  CreateInstaller();
  const TFormControls& c = form_->Controls();
  const std::pair<const char*, HWND> windows[] = {
      {"form", form_->Handle()},
      {"panel", c.PanelInstall.Handle()},
      {"check list", c.ListMetaTrader.Handle()},
      {"link label", c.LabelStart2.Handle()},
      {"read-only text", c.MemoProgress},
      {"rich text", c.RichLicense},
      {"add button", c.BtnAddMetaTrader},
  };
  for (const auto& [name, window] : windows) {
    for (bool standard : {true, false}) {
      TThrowingHandler handler([name = std::string(name), standard] {
        if (standard)
          throw std::runtime_error(name + " failed");
        throw 42;
      });
      BindWindow(window, handler);
      messages_.clear();
      EXPECT_EQ(SendMessageW(window, TThrowingHandler::kProbe, 0, 0), 0) << name;
      EXPECT_TRUE(messages_.empty()) << name;  // not from inside the message
      Pump();
      UnbindWindow(window, handler);
      ASSERT_EQ(messages_.size(), 1u) << name;
      EXPECT_EQ(messages_[0].Text,
                standard ? AnsiToUtf16(std::string(name) + " failed.") : u"Unexpected error.");
      EXPECT_EQ(messages_[0].Title, form_->Title());
      EXPECT_EQ(messages_[0].Icon, static_cast<UINT>(MB_ICONERROR));
    }
  }
  ASSERT_TRUE(IsWindow(form_->Handle()));
}

// The handlers the wizard binds itself: a failing folder picker (the form's own command) and a
// failing link click (the link label's mouse handling).
TEST_F(FormTest, FailingHandlersOfTheFormAndTheLinkLabelEndInTheErrorBox) {
  CreateInstaller();
  TFormControls& c = form_->Controls();
  c.LabelStart2.SetCaption(u"<link>failing link</link>");
  c.LabelStart2.OnLinkClick = [](TUniCustomLinkLabel&, int32_t, std::u16string) {
    throw std::runtime_error("The link failed");
  };
  {
    // Lays the caption out, so that its link has its place.
    TMemoryDC dc;
    SendMessageW(c.LabelStart2.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()),
                 PRF_CLIENT);
  }
  SendMessageW(c.LabelStart2.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(c.LabelStart2.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Pump();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Text, u"The link failed.");

  form_.reset();
  BuildInstaller(package_, contents_, setup_, XA_SETUP_PATH);
  picker_fails_ = true;
  CreateForm(setup_);
  form_->Create();
  messages_.clear();
  Click(form_->Controls().BtnAddMetaTrader);
  Pump();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Text, u"No picker.");
}

// A device context the system refuses to work with makes every drawing fail, the memory
// context of the pictures included; the wizard draws less and goes on.
TEST_F(FormTest, FailedDrawingLeavesTheWizardRunning) {
  std::ifstream jpeg(XA_SAMPLE_BANNER_PATH, std::ios::binary);
  package_.Banner.assign(std::istreambuf_iterator<char>(jpeg), {});
  CreateInstaller();
  TFormControls& c = form_->Controls();
  ASSERT_TRUE(c.Banner);
  c.ListMetaTrader.Add(u"C:\\Terminal", true);
  const HDC refused = reinterpret_cast<HDC>(static_cast<INT_PTR>(0x7FFF0));
  struct Item {
    HWND window;
    int id;
    UINT message;
  };
  const Item items[] = {
      {c.ImgBanner, kIdImgBanner, WM_DRAWITEM},
      {c.Header(TPage::kFolder).Picture, kIdHeaderPicture, WM_DRAWITEM},
      {c.BtnAddMetaTrader, kIdBtnAddMetaTrader, WM_DRAWITEM},
      {c.ListMetaTrader.Handle(), kIdListMetaTrader, kReflectedDrawItem},
  };
  for (const Item& item : items) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_STATIC;
    draw.CtlID = static_cast<UINT>(item.id);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = item.window;
    draw.hDC = refused;
    draw.rcItem = {0, 0, 48, 17};
    const HWND target = item.message == WM_DRAWITEM ? form_->Handle() : item.window;
    SendMessageW(target, item.message, static_cast<WPARAM>(item.id),
                 reinterpret_cast<LPARAM>(&draw));
  }
  SendMessageW(c.LabelStart2.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(refused),
               PRF_CLIENT);
  Pump();
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(TakeWindowError(), nullptr);
  ASSERT_TRUE(IsWindow(form_->Handle()));
  Next();
  EXPECT_EQ(form_->PageIndex(), 1);
}

// The header picture's box shows the white band around the picture, not the dialog colour the
// system erases a static control in.
TEST_F(FormTest, HeaderPictureSitsOnTheBandColour) {
  CreateInstaller();
  const HWND picture = form_->Controls().Header(TPage::kFolder).Picture;
  RECT box{};
  GetClientRect(picture, &box);
  TMemoryDC dc;
  TGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(dc.Get(), box.right, box.bottom));
  ASSERT_TRUE(canvas);
  ASSERT_TRUE(dc.Select(canvas.Get()));
  FillRect(dc.Get(), &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_STATIC;
  draw.CtlID = kIdHeaderPicture;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.hwndItem = picture;
  draw.hDC = dc.Get();
  draw.rcItem = box;
  SendMessageW(form_->Handle(), WM_DRAWITEM, kIdHeaderPicture, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), box.right - 1, box.bottom - 1), RGB(255, 255, 255));
}

// Closing and clicks queued while the run starts are handled during the run: the window stays
// and no click presses the Next button that the end of the run enables.
TEST_F(FormTest, CloseAndClicksDuringTheRunAreIgnored) {
  AddTerminalFolder("Terminal", true);
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  Next();
  const TFormControls& c = form_->Controls();
  PostMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(c.BtnNext, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(c.BtnNext, WM_KEYDOWN, VK_RETURN, 0);
  Next();  // the install runs here
  Pump();
  ASSERT_TRUE(IsWindow(form_->Handle()));
  EXPECT_TRUE(form_->RunDone());
  EXPECT_FALSE(form_->Running());
  EXPECT_EQ(form_->CurrentPage(), TPage::kProgress);
  EXPECT_EQ(Buttons(), "010 Cancel");
  const UINT close_state =
      GetMenuState(GetSystemMenu(form_->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_FALSE(close_state & MF_GRAYED);
}

// Lines of well over a hundred characters: the list holds far more than the 30,000 characters
// of an edit box's default limit.
TEST_F(FormTest, TheProgressListOfABigPackageHoldsEveryLine) {
  constexpr int kFiles = 400;
  package_.Files.clear();
  contents_.clear();
  for (int i = 0; i < kFiles; ++i) {
    package_.AddFile().TargetPath =
        "{metatrader}\\MQL4\\Experts\\A folder with a rather long name for the progress "
        "list\\Expert file " +
        std::to_string(i) + ".ex4";
    contents_.push_back("x");
  }
  AddTerminalFolder("Terminal", true);
  CreateInstaller();
  Next();
  Click(form_->Controls().RadioAccept);
  Next();
  Next();
  Next();
  ASSERT_TRUE(form_->RunDone());
  const std::vector<std::u16string> lines = Lines(form_->Controls().MemoProgress);
  EXPECT_EQ(static_cast<int32_t>(lines.size()), form_->Install()->StepsDone);
  EXPECT_GT(lines.size(), static_cast<size_t>(kFiles));
  EXPECT_GT(GetWindowTextLengthW(form_->Controls().MemoProgress), 50000);
  EXPECT_EQ(lines.front().rfind(u"Copying file ", 0), 0u);
  EXPECT_EQ(lines.back(), u"Done.");
}

}  // namespace
}  // namespace xa
