#include "xapack/data_folder_scan.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "package/errors.h"
#include "xapack/manifest.h"
#include "xapack/os_services.h"
#include "xapack/target_path.h"
#include "xapack/terminal_layout.h"
#include "xapack/utf8.h"

namespace xa::xapack {
namespace {

struct RoleName {
  ExtraRole role;
  std::string_view stem;  // lower case, without blanks and word marks
};

constexpr RoleName kRoleNames[] = {
    {ExtraRole::kLicense, "license"},    {ExtraRole::kLicense, "licence"},
    {ExtraRole::kLicense, "eula"},       {ExtraRole::kReadme, "readme"},
    {ExtraRole::kWhatsNew, "whatsnew"},  {ExtraRole::kWhatsNew, "changes"},
    {ExtraRole::kWhatsNew, "changelog"}, {ExtraRole::kWhatsNew, "releasenotes"},
    {ExtraRole::kBanner, "banner"},
};

// "What's New", "whats_new" and "WhatsNew" all come to "whatsnew".
std::string FoldedStem(std::string_view stem) {
  std::string folded;
  for (const char c : AsciiLower(stem)) {
    if (std::string_view(" _-'").find(c) == std::string_view::npos)
      folded.push_back(c);
  }
  return folded;
}

// Sorts by the path as Windows compares it, then by its bytes, so that every run agrees.
bool BySource(const std::string& a, const std::string& b) {
  const std::string lower_a = AsciiLower(a);
  const std::string lower_b = AsciiLower(b);
  return lower_a != lower_b ? lower_a < lower_b : a < b;
}

// A file or other entry below the scanned folder that is no folder.
struct Found {
  std::vector<std::string> names;  // from the scanned folder down, the entry's own name last
  std::string source;              // the names joined by "/"
  bool regular = false;
};

std::vector<Found> ListEntries(const std::filesystem::path& root) {
  std::vector<Found> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_directory())
      continue;
    Found file;
    for (const auto& name : entry.path().lexically_relative(root)) {
      file.names.push_back(Utf8FromFsPath(name));
      file.source += (file.source.empty() ? "" : "/") + file.names.back();
    }
    file.regular = entry.is_regular_file();
    found.push_back(std::move(file));
  }
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return BySource(a.source, b.source); });
  return found;
}

// Why the manifest reader would not take the file's path; nullopt when it would.
std::optional<std::string> NameProblem(const Found& file) {
  if (!DecodeUtf8(file.source))
    return "has a name that is not UTF-8";
  for (const std::string& name : file.names) {
    if (!IsPortableFileName(name))
      return "has a name Windows does not allow (\"" + name + "\")";
  }
  if (!Utf8ToAnsi(file.source))
    return "has a character that " + AnsiCodePageName() + " cannot hold";
  return std::nullopt;
}

std::string RoleWord(ExtraRole role) {
  switch (role) {
    case ExtraRole::kLicense:
      return "licence";
    case ExtraRole::kReadme:
      return "readme";
    case ExtraRole::kWhatsNew:
      return "what's-new document";
    default:
      return "banner";
  }
}

class Scanner {
 public:
  explicit Scanner(const std::string& folder) : folder_(folder) {}

  DataFolderScan Run();

 private:
  void Place(const Found& file);
  void PlaceFile(const std::string& source, const std::string& target);
  void PlaceExtras();
  std::optional<std::string> ContentProblem(ExtraRole role, const std::string& source) const;
  std::string& Slot(ExtraRole role);
  void Skip(const std::string& source, std::string reason);

  std::string folder_;
  DataFolderScan scan_;
  std::map<std::string, std::string> sources_by_target_;  // by TargetKey
  std::vector<Found> extras_;                             // files with a document's name
};

void Scanner::Skip(const std::string& source, std::string reason) {
  scan_.skipped.push_back({source, std::move(reason)});
}

std::string& Scanner::Slot(ExtraRole role) {
  switch (role) {
    case ExtraRole::kLicense:
      return scan_.license;
    case ExtraRole::kReadme:
      return scan_.readme;
    case ExtraRole::kWhatsNew:
      return scan_.whats_new;
    default:
      return scan_.banner;
  }
}

void Scanner::Place(const Found& file) {
  if (!file.regular)
    return Skip(file.source, "is not a regular file");
  if (const auto problem = NameProblem(file))
    return Skip(file.source, *problem);
  if (const auto target = DataFolderTarget(file.names))
    return PlaceFile(file.source, *target);
  const bool in_terminal_folder = file.names.size() > 1 && IsTerminalReadFolder(file.names[0]);
  if (file.names.size() <= 2 && !in_terminal_folder &&
      ExtraRoleOf(file.names.back()) != ExtraRole::kNone) {
    extras_.push_back(file);
  } else {
    Skip(file.source, "lies outside the folders a package installs into");
  }
}

// The target's non-ASCII characters are whole UTF-8 sequences, which the manifest reader's
// checks and TargetKey pass over as they pass over their ANSI form.
void Scanner::PlaceFile(const std::string& source, const std::string& target) {
  if (const auto problem = TargetPathProblem(target))
    return Skip(source, "its target \"" + target + "\" " + *problem);
  const auto [earlier, added] = sources_by_target_.emplace(TargetKey(target), source);
  if (!added)
    return Skip(source, "has the target of \"" + earlier->second + "\" (Windows ignores case)");
  scan_.files.push_back({source, target});
}

std::optional<std::string> Scanner::ContentProblem(ExtraRole role,
                                                   const std::string& source) const {
  const std::filesystem::path path = FsPathFromUtf8(folder_ + "/" + source);
  const DocumentKind kind =
      role == ExtraRole::kBanner ? DocumentKind::kBanner : DocumentKind::kDocument;
  const auto size = static_cast<int64_t>(std::filesystem::file_size(path));
  const auto read = [&](char* buffer, int64_t count) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream.read(buffer, static_cast<std::streamsize>(count)))
      throw Exception("Cannot read file \"" + folder_ + "/" + source + "\".");
  };
  return ReadDocumentContent(kind, source, size, read).problem;
}

void Scanner::PlaceExtras() {
  std::stable_sort(extras_.begin(), extras_.end(),
                   [](const Found& a, const Found& b) { return a.names.size() < b.names.size(); });
  for (const Found& file : extras_) {
    const ExtraRole role = ExtraRoleOf(file.names.back());
    std::string& slot = Slot(role);
    if (const auto problem = ContentProblem(role, file.source))
      Skip(file.source, *problem);
    else if (!slot.empty())
      Skip(file.source, "is a second " + RoleWord(role) + "; the manifest names \"" + slot + "\"");
    else
      slot = file.source;
  }
  std::stable_sort(
      scan_.skipped.begin(), scan_.skipped.end(),
      [](const SkippedFile& a, const SkippedFile& b) { return BySource(a.source, b.source); });
}

DataFolderScan Scanner::Run() {
  for (const Found& file : ListEntries(FsPathFromUtf8(folder_)))
    Place(file);
  PlaceExtras();
  return std::move(scan_);
}

}  // namespace

ExtraRole ExtraRoleOf(std::string_view file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos)
    return ExtraRole::kNone;
  const std::string extension = AsciiLower(file_name.substr(dot));
  const std::string stem = FoldedStem(file_name.substr(0, dot));
  for (const RoleName& name : kRoleNames) {
    if (name.stem != stem)
      continue;
    const bool fits = name.role == ExtraRole::kBanner ? extension == ".jpg" || extension == ".jpeg"
                                                      : extension == ".rtf" || extension == ".txt";
    if (fits)
      return name.role;
  }
  return ExtraRole::kNone;
}

DataFolderScan ScanDataFolder(const std::string& folder) {
  return Scanner(folder).Run();
}

}  // namespace xa::xapack
