#include "xapack/manifest.h"

#include <initializer_list>
#include <limits>
#include <set>

#define TOML_ENABLE_FORMATTERS 0
#define TOML_ENABLE_WINDOWS_COMPAT 0
// toml++ asserts on some malformed text that it goes on to report as a parse error (a table
// header whose key opens with a character no key may start with). Its checks stay off, as in
// release builds, so that every build reports the error instead of aborting.
#define TOML_ASSERT(expr) static_cast<void>(0)
#include <toml++/toml.h>

#include "package/errors.h"
#include "package/file_stream.h"
#include "package/package_writer.h"
#include "xapack/banner_picture.h"
#include "xapack/file_time.h"
#include "xapack/os_services.h"
#include "xapack/rtf_document.h"
#include "xapack/target_path.h"
#include "xapack/terminal_layout.h"
#include "xapack/toml_text.h"

namespace xa::xapack {
namespace {

constexpr int64_t kMaxManifestSize = int64_t{1} << 20;
constexpr int64_t kMaxFormatSize = std::numeric_limits<int32_t>::max();

// The problems a manifest reader finds; LoadManifest puts the manifest's path in front.
class ManifestProblem : public Exception {
 public:
  using Exception::Exception;
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

void CheckKeys(const toml::table& table,
               std::initializer_list<std::string_view> allowed,
               const std::string& where) {
  for (const auto& [key, node] : table) {
    bool known = false;
    for (const std::string_view name : allowed)
      known = known || key.str() == name;
    if (!known)
      throw ManifestProblem("unknown key " + Quoted(key.str()) + " in " + where);
  }
}

std::string LargerThan(int64_t limit) {
  return "is larger than " + std::to_string(limit >> 20) + " MiB";
}

std::string ReadBytes(const std::string& path, int64_t limit) {
  TFileStream stream(path, FileMode::kOpenRead);
  const int64_t size = stream.Size();
  if (size > limit)
    throw ManifestProblem(Quoted(path) + " " + LargerThan(limit));
  std::string bytes(static_cast<size_t>(size), '\0');
  stream.ReadBuffer(bytes.data(), size);
  return bytes;
}

std::optional<std::string> OptionalText(const toml::table& table,
                                        std::string_view key,
                                        const std::string& where) {
  const toml::node* node = table.get(key);
  if (!node)
    return std::nullopt;
  if (!node->is_string())
    throw ManifestProblem(where + " " + std::string(key) + " must be a text in quotes");
  return node->as_string()->get();
}

std::string AnsiText(const std::string& utf8, std::string_view key, const std::string& where) {
  auto ansi = Utf8ToAnsi(utf8);
  if (!ansi) {
    throw ManifestProblem(where + " " + std::string(key) + " " + Quoted(utf8) +
                          " has a character that " + AnsiCodePageName() + " cannot hold");
  }
  return *std::move(ansi);
}

std::string OptionalAnsi(const toml::table& table, std::string_view key, const std::string& where) {
  const auto text = OptionalText(table, key, where);
  return text ? AnsiText(*text, key, where) : std::string();
}

int32_t OptionalCount(const toml::table& table, std::string_view key) {
  const toml::node* node = table.get(key);
  if (!node)
    return 0;
  const auto* value = node->as_integer();
  if (!value || value->get() < 0 || value->get() > std::numeric_limits<int32_t>::max()) {
    throw ManifestProblem("[program] " + std::string(key) +
                          " must be a whole number from 0 to 2147483647");
  }
  return static_cast<int32_t>(value->get());
}

std::optional<int32_t> ParseNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9)
    return std::nullopt;
  int32_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

void ReadVersion(const toml::table& program, Manifest& manifest) {
  const auto text = OptionalText(program, "version", "[program]");
  if (!text)
    throw ManifestProblem("[program] version is missing (write it as \"major.minor\")");
  const size_t dot = text->find('.');
  const auto major = ParseNumber(std::string_view(*text).substr(0, dot));
  const auto minor = dot == std::string::npos
                         ? std::nullopt
                         : ParseNumber(std::string_view(*text).substr(dot + 1));
  if (!major || !minor)
    throw ManifestProblem("[program] version " + Quoted(*text) + " is not \"major.minor\"");
  manifest.version_major = *major;
  manifest.version_minor = *minor;
  manifest.version_build = OptionalCount(program, "build");
  manifest.version_release = OptionalCount(program, "release");
}

void CheckProgramName(const std::string& name) {
  if (name.empty())
    throw ManifestProblem("[program] name must not be empty");
  // The name becomes a folder name and is expanded like a target path by the installer.
  if (!IsPortableFileName(name) || ContainsMacro(name)) {
    throw ManifestProblem("[program] name " + Quoted(name) +
                          " cannot be a folder name (no \\ / : * ? \" < > |, no macro, no "
                          "dot or blank at the end)");
  }
}

void CheckSettingsOverride(const std::string& pattern) {
  const bool valid = pattern.size() <= 8 && pattern.find_first_not_of("10 ") == std::string::npos;
  if (!valid) {
    throw ManifestProblem("[program] settings_override " + Quoted(pattern) +
                          " must be up to eight characters of \"1\", \"0\" or blank");
  }
}

}  // namespace

namespace {

bool IsAbsolutePath(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() >= 2 && path[1] == ':');
}

// The folder part of `path`, with its trailing separator; empty for a bare file name.
std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::optional<FileTimes> OptionalTime(const toml::table& entry, const std::string& where) {
  const toml::node* node = entry.get("time");
  if (!node)
    return std::nullopt;
  const auto* value = node->as_date_time();
  if (!value || !value->get().offset) {
    throw ManifestProblem(where +
                          " time must be a date and time with its zone, such as "
                          "2026-01-31T23:59:59Z");
  }
  const toml::date_time& time = value->get();
  CivilTime civil;
  civil.year = time.date.year;
  civil.month = time.date.month;
  civil.day = time.date.day;
  civil.hour = time.time.hour;
  civil.minute = time.time.minute;
  civil.second = time.time.second;
  civil.nanosecond = static_cast<int>(time.time.nanosecond);
  const auto file_time = FileTimeFromCivil(civil, time.offset->minutes);
  if (!file_time)
    throw ManifestProblem(where + " time lies outside the years 1601 to 30827");
  return FileTimes{*file_time, *file_time};
}

// The document or banner file at `path`, which the manifest names as `what`.
DocumentContent ReadContent(const std::string& what, const std::string& path, DocumentKind kind) {
  if (!IsRegularFile(path))
    throw ManifestProblem(what + " file " + Quoted(path) + " does not exist");
  TFileStream stream(path, FileMode::kOpenRead);
  DocumentContent content = ReadDocumentContent(
      kind, path, stream.Size(),
      [&stream](char* buffer, int64_t size) { stream.ReadBuffer(buffer, size); });
  if (content.problem)
    throw ManifestProblem(what + " file " + Quoted(path) + " " + *content.problem);
  return content;
}

class ManifestReader {
 public:
  explicit ManifestReader(const std::string& path) : path_(path), folder_(FolderOf(path)) {}

  Manifest Read();

 private:
  std::string Resolve(const std::string& utf8, const std::string& what) const;
  void ReadProgram(const toml::table& program, Manifest& manifest) const;
  std::string ReadDocument(const toml::table& program, std::string_view key) const;
  void ReadBanner(const toml::table& program, Manifest& manifest) const;
  ManifestFile ReadFileEntry(const toml::table& entry, const std::string& where) const;
  void ReadFiles(const toml::node* files, Manifest& manifest) const;

  std::string path_;
  std::string folder_;
};

std::string ManifestReader::Resolve(const std::string& utf8, const std::string& what) const {
  if (utf8.empty())
    throw ManifestProblem(what + " must not be empty");
  const auto native = PathFromUtf8(utf8);
  if (!native)
    throw ManifestProblem(what + " " + Quoted(utf8) + " cannot be a path on this system");
  return IsAbsolutePath(*native) ? *native : folder_ + *native;
}

std::string ManifestReader::ReadDocument(const toml::table& program, std::string_view key) const {
  const auto name = OptionalText(program, key, "[program]");
  if (!name)
    return std::string();
  const std::string what = "[program] " + std::string(key);
  return ReadContent(what, Resolve(*name, what), DocumentKind::kDocument).bytes;
}

void ManifestReader::ReadBanner(const toml::table& program, Manifest& manifest) const {
  const auto name = OptionalText(program, "banner", "[program]");
  if (!name)
    return;
  const std::string what = "[program] banner";
  const std::string path = Resolve(*name, what);
  const DocumentContent content = ReadContent(what, path, DocumentKind::kBanner);
  manifest.banner.assign(content.bytes.begin(), content.bytes.end());
  if (content.banner_size.width != kBannerWidth) {
    manifest.warnings.push_back(path_ + ": banner " + Quoted(path) + " is " +
                                std::to_string(content.banner_size.width) +
                                " pixels wide; the wizard shows " + std::to_string(kBannerWidth));
  }
}

void ManifestReader::ReadProgram(const toml::table& program, Manifest& manifest) const {
  CheckKeys(
      program,
      {"name", "version", "build", "release", "publisher", "website", "address", "contact_name",
       "contact_email", "license", "readme", "whats_new", "banner", "settings_override"},
      "[program]");
  const auto name = OptionalText(program, "name", "[program]");
  manifest.name = name ? AnsiText(*name, "name", "[program]") : std::string();
  CheckProgramName(manifest.name);
  ReadVersion(program, manifest);
  manifest.publisher = OptionalAnsi(program, "publisher", "[program]");
  manifest.website = OptionalAnsi(program, "website", "[program]");
  manifest.address = OptionalAnsi(program, "address", "[program]");
  manifest.contact_name = OptionalAnsi(program, "contact_name", "[program]");
  manifest.contact_email = OptionalAnsi(program, "contact_email", "[program]");
  manifest.settings_override = OptionalAnsi(program, "settings_override", "[program]");
  CheckSettingsOverride(manifest.settings_override);
  manifest.license = ReadDocument(program, "license");
  manifest.readme = ReadDocument(program, "readme");
  manifest.whats_new = ReadDocument(program, "whats_new");
  ReadBanner(program, manifest);
}

ManifestFile ManifestReader::ReadFileEntry(const toml::table& entry,
                                           const std::string& where) const {
  CheckKeys(entry, {"source", "target", "shortcut", "time"}, where);
  ManifestFile file;
  const auto source = OptionalText(entry, "source", where);
  if (!source)
    throw ManifestProblem(where + " source is missing");
  file.source = Resolve(*source, where + " source");
  if (!IsRegularFile(file.source))
    throw ManifestProblem(where + " source file " + Quoted(file.source) + " does not exist");
  const auto target = OptionalText(entry, "target", where);
  if (!target)
    throw ManifestProblem(where + " target is missing");
  file.target = AnsiText(*target, "target", where);
  if (const auto problem = TargetPathProblem(file.target))
    throw ManifestProblem(where + " target " + Quoted(*target) + " " + *problem);
  file.shortcut = OptionalAnsi(entry, "shortcut", where);
  if (!file.shortcut.empty() && !IsShortcutName(file.shortcut)) {
    throw ManifestProblem(where + " shortcut " + Quoted(file.shortcut) +
                          " cannot be a shortcut name (file names, separated by single "
                          "backslashes for sub-folders)");
  }
  file.size = TFileStream(file.source, FileMode::kOpenRead).Size();
  const auto time = OptionalTime(entry, where);
  file.times = time ? *time : ReadFileTimes(file.source);
  return file;
}

void ManifestReader::ReadFiles(const toml::node* files, Manifest& manifest) const {
  if (!files)
    return;
  const toml::array* entries = files->as_array();
  if (!entries || !entries->is_array_of_tables())
    throw ManifestProblem("file must be a list of [[file]] tables");
  std::set<std::string> targets;
  int64_t total = 0;
  for (size_t i = 0; i < entries->size(); ++i) {
    const std::string where = "[[file]] " + std::to_string(i + 1);
    ManifestFile file = ReadFileEntry(*entries->get(i)->as_table(), where);
    if (!targets.insert(TargetKey(file.target)).second)
      throw ManifestProblem(where + " target " + Quoted(file.target) + " is used twice");
    if (const auto warning = TerminalLayoutWarning(file.target))
      manifest.warnings.push_back(path_ + ": " + where + " target " + Quoted(file.target) + " " +
                                  *warning);
    total += StoredSize(file.size);
    if (total > kMaxFormatSize) {
      throw ManifestProblem(
          "the package files are too large: an installer holds at most 2 GiB (reached at " + where +
          " " + Quoted(file.source) + ")");
    }
    manifest.files.push_back(std::move(file));
  }
}

Manifest ManifestReader::Read() {
  const std::string text = ReadBytes(path_, kMaxManifestSize);
  if (const auto problem = TomlTextProblem(text))
    throw ManifestProblem(*problem);
  toml::table root;
  try {
    root = toml::parse(text, path_);
  } catch (const toml::parse_error& e) {
    const auto& begin = e.source().begin;
    throw ManifestProblem("line " + std::to_string(begin.line) + ", column " +
                          std::to_string(begin.column) + ": " + std::string(e.description()));
  }
  CheckKeys(root, {"program", "file"}, "the manifest (only [program] and [[file]])");
  const toml::table* program = root["program"].as_table();
  if (!program)
    throw ManifestProblem("[program] table is missing");
  Manifest manifest;
  manifest.path = path_;
  ReadProgram(*program, manifest);
  ReadFiles(root.get("file"), manifest);
  return manifest;
}

}  // namespace

DocumentContent ReadDocumentContent(DocumentKind kind,
                                    std::string_view file_name,
                                    int64_t size,
                                    const std::function<void(char* buffer, int64_t size)>& read) {
  DocumentContent content;
  if (size > kMaxDocumentSize) {
    content.problem = LargerThan(kMaxDocumentSize);
    return content;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  read(bytes.data(), size);
  if (kind == DocumentKind::kBanner) {
    try {
      content.banner_size = ReadBannerSize(std::vector<uint8_t>(bytes.begin(), bytes.end()));
      content.bytes = std::move(bytes);
    } catch (const Exception& e) {
      content.problem = std::string("is not a JPEG picture (") + e.what() + ")";
    }
  } else if (AsciiLower(file_name).ends_with(".txt")) {
    auto rtf = WrapTextAsRtf(bytes);
    if (rtf)
      content.bytes = *std::move(rtf);
    else
      content.problem = "is not UTF-8 text";
  } else if (LooksLikeRtf(bytes)) {
    content.bytes = std::move(bytes);
  } else {
    content.problem = "is not an RTF document (use .txt for plain text)";
  }
  return content;
}

Manifest LoadManifest(const std::string& path) {
  try {
    return ManifestReader(path).Read();
  } catch (const std::exception& e) {
    std::string message = path + ": " + e.what();
    for (char& c : message)
      c = c == '\n' || c == '\r' ? ' ' : c;
    throw Exception(message);
  }
}

}  // namespace xa::xapack
