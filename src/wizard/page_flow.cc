#include "wizard/page_flow.h"

#include <utility>

namespace xa {

std::vector<TPage> InstallPages(bool has_information, bool has_whats_new) {
  std::vector<TPage> pages{TPage::kStart};
  if (has_information)
    pages.push_back(TPage::kInfo);
  pages.insert(pages.end(), {TPage::kLicense, TPage::kFolder, TPage::kReady, TPage::kProgress});
  if (has_whats_new)
    pages.push_back(TPage::kNews);
  pages.push_back(TPage::kStart);
  return pages;
}

std::vector<TPage> UninstallPages() {
  return {TPage::kStart, TPage::kProgress, TPage::kStart};
}

TPageFlow::TPageFlow(std::vector<TPage> pages) : pages_(std::move(pages)) {}

TPageEntry TPageFlow::Next(bool license_accepted, bool run_done) {
  if (page_index_ + 1 >= static_cast<int32_t>(pages_.size()))
    return {};
  ++page_index_;
  return Show(license_accepted, run_done);
}

TPageEntry TPageFlow::Prev(bool license_accepted, bool run_done) {
  if (page_index_ <= 0)
    return {};
  --page_index_;
  return Show(license_accepted, run_done);
}

TPageEntry TPageFlow::Show(bool license_accepted, bool run_done) {
  const int32_t last = static_cast<int32_t>(pages_.size()) - 1;
  TPageEntry entry;
  entry.Page = pages_[page_index_];
  buttons_.PrevEnabled = page_index_ > 0;
  buttons_.NextEnabled = page_index_ < last;
  if (page_index_ == 0) {
    entry.StartPart = TStartPart::kWelcome;
    buttons_.FinishMode = false;
  } else if (page_index_ == last) {
    entry.StartPart = TStartPart::kFinish;
    buttons_.PrevEnabled = true;
    buttons_.NextEnabled = false;
    buttons_.FinishMode = true;
    buttons_.CancelEnabled = true;
  }
  entry.Scan = entry.Page == TPage::kFolder;
  entry.Summary = entry.Page == TPage::kReady;
  if (entry.Page == TPage::kLicense && !license_accepted)
    buttons_.NextEnabled = false;
  if (entry.Page == TPage::kProgress) {
    buttons_.NextEnabled = run_done;
    buttons_.PrevEnabled = false;
    buttons_.CancelEnabled = false;
    entry.Run = !run_done;
  }
  return entry;
}

}  // namespace xa
