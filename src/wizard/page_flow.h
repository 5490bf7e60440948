#ifndef XA_WIZARD_PAGE_FLOW_H_
#define XA_WIZARD_PAGE_FLOW_H_

#include <cstdint>
#include <vector>

namespace xa {

// The wizard's page panels; kStart is both the welcome and the finish page.
enum class TPage { kStart, kInfo, kLicense, kFolder, kReady, kProgress, kNews };

// The pages of the install role: welcome, information (when there is such a text), license,
// folder, ready, progress, what's new (when there is such a text), finish.
std::vector<TPage> InstallPages(bool has_information, bool has_whats_new);

// The pages of the uninstall role: welcome, progress, finish.
std::vector<TPage> UninstallPages();

// Enabled states of the three buttons and the mode of Cancel/Finish.
struct TButtonStates {
  bool PrevEnabled = true;
  bool NextEnabled = true;
  bool CancelEnabled = true;
  bool FinishMode = false;  // the Cancel button's tag: false cancel, true finish
  bool operator==(const TButtonStates&) const = default;
};

// Which part of the start page is brought to the front.
enum class TStartPart { kNone, kWelcome, kFinish };

// What entering a page asks of the form besides the button states.
struct TPageEntry {
  TPage Page = TPage::kStart;
  TStartPart StartPart = TStartPart::kNone;
  bool Scan = false;     // run the terminal scan (it runs once by itself)
  bool Summary = false;  // rebuild the summary
  bool Run = false;      // run the install or uninstall now
};

// The page walk of the wizard form: the page list, the current index and the button states,
// without any window. The form applies what it returns.
class TPageFlow {
 public:
  explicit TPageFlow(std::vector<TPage> pages);

  const std::vector<TPage>& Pages() const { return pages_; }
  int32_t PageIndex() const { return page_index_; }
  const TButtonStates& Buttons() const { return buttons_; }

  // Moves to the next page and returns what to do there. Call only when leaving the current
  // page forward was allowed. On the last page nothing changes and the entry asks for nothing.
  TPageEntry Next(bool license_accepted, bool run_done);

  // Moves to the previous page and returns what to do there; on the first page nothing changes
  // and the entry asks for nothing.
  TPageEntry Prev(bool license_accepted, bool run_done);

  // The accept choice on the license page changed.
  void LicenseChoice(bool accepted) { buttons_.NextEnabled = accepted; }

  // The run returned: Next becomes enabled.
  void RunFinished() { buttons_.NextEnabled = true; }

 private:
  TPageEntry Show(bool license_accepted, bool run_done);

  std::vector<TPage> pages_;
  int32_t page_index_ = -1;
  TButtonStates buttons_;
};

}  // namespace xa

#endif  // XA_WIZARD_PAGE_FLOW_H_
