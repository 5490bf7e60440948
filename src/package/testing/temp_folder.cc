#include "package/testing/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace xa::testing {
namespace {

std::atomic<int> counter{0};

}  // namespace

TempFolder::TempFolder() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("xa-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  path_ = folder.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Path(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

}  // namespace xa::testing
