#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "shell/com_apartment.h"
#include "shell/folder_picker.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"
#include "shell/testing/test_window.h"

namespace xa {
namespace {

// How long the driver waits for the dialog, and then for the preselection it expects: the first
// dialog in a new Wine prefix can take over a minute to fill its tree, before and after it shows,
// while other Wine tests load the machine. Each wait ends as soon as what it waits for is there;
// a driver that gave up on the dialog would leave it open until the test's timeout.
constexpr int kDialogWaitMilliseconds = 180000;
constexpr int kAwaitedSelectionMilliseconds = 180000;
// How long it waits for any selection when it expects none in particular.
constexpr int kAnySelectionMilliseconds = 5000;

UINT CurrentErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

std::string LeafName(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// What the driving thread saw while the dialog was up.
struct TDialogView {
  bool found = false;
  HWND owner = nullptr;
  std::string selection;  // the text of the tree's selected item
  UINT error_mode = 0;
  bool watched_enabled = true;
  bool ok_enabled = true;  // after `TDriving::select`
};

// What the driving thread does with the dialog.
struct TDriving {
  int button = IDCANCEL;           // pressed last: IDOK or IDCANCEL
  std::string awaited;             // the selected item's text to wait for before acting
  HWND watched = nullptr;          // a window whose enabled state is recorded
  LPCITEMIDLIST select = nullptr;  // an item selected before the button is pressed
};

// Waits on its own thread for the browse dialog of the thread `gui_thread`, records what it
// shows and does what `driving` says.
class TDialogDriver {
 public:
  TDialogDriver(DWORD gui_thread, const TDriving& driving)
      : gui_thread_(gui_thread),
        driving_(driving),
        thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}
  ~TDialogDriver() { Join(); }
  TDialogDriver(const TDialogDriver&) = delete;
  TDialogDriver& operator=(const TDialogDriver&) = delete;

  // Waits for the thread to end and returns what it saw.
  const TDialogView& Join() {
    if (thread_.IsValid())
      WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    return view_;
  }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
      return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  static DWORD WINAPI Run(void* self) {
    static_cast<TDialogDriver*>(self)->Drive();
    return 0;
  }

  void Drive() {
    HWND dialog = nullptr;
    for (int waited = 0; !dialog && waited < kDialogWaitMilliseconds; waited += 50) {
      Sleep(50);
      EnumThreadWindows(gui_thread_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (!dialog)
      return;
    view_.found = true;
    view_.owner = GetWindow(dialog, GW_OWNER);
    view_.selection = AwaitSelection(dialog, driving_.awaited);
    view_.error_mode = CurrentErrorMode();
    if (driving_.watched)
      view_.watched_enabled = IsWindowEnabled(driving_.watched);
    if (driving_.select) {
      SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(driving_.select));
      view_.ok_enabled = IsWindowEnabled(GetDlgItem(dialog, IDOK));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(driving_.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, driving_.button)));
  }

  // The selection is made while the dialog initialises: waits for `awaited`, or for any
  // selection when that is empty, and returns the selected item's text.
  static std::string AwaitSelection(HWND dialog, const std::string& awaited) {
    const auto arrived = [&awaited](const std::string& text) {
      return awaited.empty() ? !text.empty() : text == awaited;
    };
    const DWORD limit = awaited.empty() ? kAnySelectionMilliseconds : kAwaitedSelectionMilliseconds;
    const DWORD start = GetTickCount();
    std::string text = SelectedItemText(dialog);
    while (!arrived(text) && GetTickCount() - start < limit) {
      Sleep(50);
      text = SelectedItemText(dialog);
    }
    return text;
  }

  static std::string SelectedItemText(HWND dialog) {
    const HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    const LRESULT item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    char text[MAX_PATH] = {};
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = reinterpret_cast<HTREEITEM>(item);
    query.pszText = text;
    query.cchTextMax = sizeof(text);
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)))
      return {};
    return text;
  }

  DWORD gui_thread_;
  TDriving driving_;
  TDialogView view_;
  TScopedHandle thread_;
};

class FolderPickerTest : public testing::Test {
 protected:
  // Picks with `folder` preselected while a driver presses `button`.
  // Picks with `folder` preselected while a driver waits for the selection `awaited` (any
  // when empty) and presses `button`.
  TDialogView Pick(int button,
                   std::string& folder,
                   bool& result,
                   const std::string& awaited = "",
                   const std::u16string& root = u"") {
    TDriving driving;
    driving.button = button;
    driving.awaited = awaited;
    return Pick(driving, folder, result, root);
  }

  TDialogView Pick(const TDriving& driving,
                   std::string& folder,
                   bool& result,
                   const std::u16string& root = u"") {
    TDialogDriver driver(GetCurrentThreadId(), driving);
    std::u16string chosen;
    result = PickFolder("Select MetaTrader Folder", root, folder, chosen);
    // The tests' folders have ASCII names.
    if (result)
      folder.assign(chosen.begin(), chosen.end());
    return driver.Join();
  }

  TComApartment apartment_;
  // Right below C:\: Wine's picker tells a given root from the folder it is to select by
  // comparing their item ids byte for byte, the times of the folders along the path included;
  // below the temporary folder, which other tests and Wine write into at any moment, that
  // comparison fails now and then.
  TTempFolder temp_{"picker", "C:\\"};
};

TEST_F(FolderPickerTest, ConfirmReturnsThePreselectedFolder) {
  std::string folder = temp_.Path();
  bool result = false;
  const TDialogView view = Pick(IDOK, folder, result, LeafName(temp_.Path()));
  ASSERT_TRUE(view.found);
  EXPECT_EQ(view.selection, LeafName(temp_.Path()));
  EXPECT_TRUE(result);
  EXPECT_EQ(folder, temp_.Path());
}

TEST_F(FolderPickerTest, CancelKeepsAnExistingFolder) {
  std::string folder = temp_.Path();
  bool result = true;
  ASSERT_TRUE(Pick(IDCANCEL, folder, result).found);
  EXPECT_FALSE(result);
  EXPECT_EQ(folder, temp_.Path());
}

TEST_F(FolderPickerTest, CancelEmptiesAMissingFolder) {
  std::string folder = temp_.Path() + "\\missing";
  bool result = true;
  const TDialogView view = Pick(IDCANCEL, folder, result);
  ASSERT_TRUE(view.found);
  EXPECT_NE(view.selection, "missing");
  EXPECT_FALSE(result);
  EXPECT_EQ(folder, "");
}

TEST_F(FolderPickerTest, CancelEmptiesAFileThatIsNoFolder) {
  const std::string file = temp_.Path() + "\\plain.txt";
  TScopedHandle created(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(created.IsValid());
  created.Reset();
  std::string folder = file;
  bool result = true;
  ASSERT_TRUE(Pick(IDCANCEL, folder, result).found);
  EXPECT_FALSE(result);
  EXPECT_EQ(folder, "");
}

TEST_F(FolderPickerTest, PreselectsBelowAGivenRoot) {
  const std::string inner = temp_.Path() + "\\inner";
  ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
  const std::string root_path = temp_.Path();
  std::string folder = inner;
  bool result = false;
  const TDialogView view =
      Pick(IDOK, folder, result, "inner", std::u16string(root_path.begin(), root_path.end()));
  ASSERT_TRUE(view.found);
  EXPECT_EQ(view.selection, "inner");
  EXPECT_TRUE(result);
  EXPECT_EQ(folder, inner);
}

TEST_F(FolderPickerTest, AnUnknownRootLeavesTheWholeNamespace) {
  std::string folder = temp_.Path();
  bool result = false;
  const std::string missing = temp_.Path() + "\\missing";
  const TDialogView view = Pick(IDOK, folder, result, LeafName(temp_.Path()),
                                std::u16string(missing.begin(), missing.end()));
  ASSERT_TRUE(view.found);
  EXPECT_TRUE(result);
  EXPECT_EQ(folder, temp_.Path());
}

// Only file-system folders can be confirmed; and the display name that the dialog leaves in
// its buffer for anything else must never pass for a folder.
TEST_F(FolderPickerTest, ConfirmingAVirtualItemGivesNoFolder) {
  LPITEMIDLIST computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  TDriving driving;
  driving.button = IDOK;
  driving.awaited = LeafName(temp_.Path());
  driving.select = computer;
  std::string folder = temp_.Path();
  bool result = true;
  const TDialogView view = Pick(driving, folder, result);
  CoTaskMemFree(computer);
  ASSERT_TRUE(view.found);
  EXPECT_EQ(view.selection, LeafName(temp_.Path()));
  EXPECT_FALSE(view.ok_enabled);
  EXPECT_FALSE(result);
  EXPECT_EQ(folder, temp_.Path());
}

TEST_F(FolderPickerTest, DisablesTheThreadsWindowsOnlyWhileOpen) {
  TTestWindow active(true);
  TTestWindow disabled(true);
  TTestWindow hidden(false);
  EnableWindow(disabled.Get(), FALSE);
  SetActiveWindow(active.Get());
  ASSERT_EQ(GetActiveWindow(), active.Get());
  std::string folder = temp_.Path();
  bool result = true;
  TDriving driving;
  driving.watched = active.Get();
  const TDialogView view = Pick(driving, folder, result);
  ASSERT_TRUE(view.found);
  EXPECT_FALSE(view.watched_enabled);
  EXPECT_EQ(view.owner, active.Get());
  EXPECT_TRUE(IsWindowEnabled(active.Get()));
  EXPECT_FALSE(IsWindowEnabled(disabled.Get()));
  EXPECT_TRUE(IsWindowEnabled(hidden.Get()));
}

TEST_F(FolderPickerTest, FailsCriticalErrorsOnlyWhileOpen) {
  const UINT original = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  std::string folder = temp_.Path();
  bool result = true;
  const TDialogView view = Pick(IDCANCEL, folder, result);
  const UINT after = SetErrorMode(original);
  ASSERT_TRUE(view.found);
  EXPECT_EQ(view.error_mode, static_cast<UINT>(SEM_FAILCRITICALERRORS));
  EXPECT_EQ(after, static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}

}  // namespace
}  // namespace xa
