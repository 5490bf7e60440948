#include "shell/install_journal.h"

#include <shlwapi.h>

#include <algorithm>

#include "package/errors.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/journal_paths.h"
#include "shell/registry_key.h"
#include "shell/scoped_handle.h"

namespace xa {
namespace {

bool IsGone(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string Reason() {
  return SystemErrorText(GetLastError());
}

// "" when `done`, or when what was to be undone is gone already; else `failure`, a quoted path
// and the system's reason.
std::string Outcome(bool done, const std::string& failure, const std::string& path) {
  const DWORD error = GetLastError();
  if (done || IsGone(error))
    return {};
  return JoinText({failure, " \"", path, "\". ", SystemErrorText(error)});
}

std::string UpperCase(std::string text) {
  if (!text.empty())
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// Opens `path` as the install's file writes do: for reading and writing, unshared.
TScopedHandle OpenForWriting(const std::string& path) {
  return TScopedHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadHead(HANDLE file, size_t size) {
  std::string head(size, '\0');
  DWORD read = 0;
  if (!ReadFile(file, head.data(), static_cast<DWORD>(size), &read, nullptr))
    return {};
  head.resize(read);
  return head;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

bool TInstallJournal::FirstNote(const std::string& path) {
  std::string key = UpperCase(path);
  const auto place = std::lower_bound(noted_.begin(), noted_.end(), key);
  if (place != noted_.end() && *place == key)
    return false;
  noted_.insert(place, std::move(key));
  return true;
}

std::vector<std::string> TInstallJournal::CreateFolders(const std::string& folder) {
  std::vector<std::string> missing = MissingFolders(folder, DirectoryExists);
  ForceDirectories(folder);
  std::vector<std::string> made;
  // Parents first, as they were made, so that the undo removes them last.
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!DirectoryExists(*it))
      break;
    entries_.emplace_back(TKind::kCreatedFolder, *it);
    made.insert(made.begin(), *it);
  }
  return made;
}

void TInstallJournal::KeepFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const DWORD error = GetLastError();
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return;
  if (FirstNote(path))
    NoteFound(path, attributes, error);
}

std::unique_ptr<TFileStream> TInstallJournal::CreateTarget(const std::string& path) {
  if (FirstNote(path)) {
    // Noted before it is made, so that no file the run created can go unnoted.
    entries_.emplace_back(TKind::kCreatedFile, path);
    try {
      if (auto created = TFileStream::CreateNew(path))
        return created;
    } catch (...) {
      entries_.pop_back();
      throw;
    }
    entries_.pop_back();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    NoteFound(path, attributes, GetLastError());
  }
  return std::make_unique<TFileStream>(path, FileMode::kCreate);
}

void TInstallJournal::NoteFound(const std::string& path, DWORD attributes, DWORD error) {
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!IsGone(error))
      Raise<EStreamError>(CannotCreateFileMessage(path, SystemErrorText(error)));
    entries_.emplace_back(TKind::kCreatedFile, path);
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return;
  // Creating a file anew with normal attributes fails over a hidden or system file.
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
    Raise<EStreamError>(CannotCreateFileMessage(path, SystemErrorText(ERROR_ACCESS_DENIED)));
  if (!OpenForWriting(path).IsValid())
    Raise<EStreamError>(CannotCreateFileMessage(path, Reason()));
  TEntry entry(TKind::kReplacedFile, path);
  entry.Kept = MoveAside(path);
  entry.Attributes = attributes;
  SetFileAttributesA(entry.Kept.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
  entries_.push_back(std::move(entry));
}

std::string TInstallJournal::MoveAside(const std::string& path) {
  // Numbered on from the last kept file: starting from zero each time would try the name of
  // every file kept before in the same folder first, which made installing over thousands of
  // files take minutes.
  for (uint32_t tries = 0;; ++tries) {
    const std::string kept = KeptFilePath(path, GetCurrentProcessId(), next_kept_++);
    if (MoveFileA(path.c_str(), kept.c_str()))
      return kept;
    const DWORD error = GetLastError();
    if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || tries == 0xFFFF)
      Raise<EStreamError>(CannotCreateFileMessage(path, SystemErrorText(error)));
  }
}

void TInstallJournal::KeepHead(const std::string& path, const std::string& head) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!FirstNote(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return;
  TEntry entry(TKind::kPatchedFile, path);
  entry.Head = head;
  entry.Size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  entry.Attributes = data.dwFileAttributes;
  entry.Created = data.ftCreationTime;
  entry.Accessed = data.ftLastAccessTime;
  entry.Written = data.ftLastWriteTime;
  entries_.push_back(std::move(entry));
}

void TInstallJournal::KeepRegistryValues(HKEY root,
                                         const std::string& key,
                                         const std::vector<std::string>& names) {
  TEntry entry(TKind::kRegistry, key);
  entry.Root = root;
  entry.CreatedKey = FirstMissingKey(key, [root](const std::string& part) {
    TRegKey probe;
    return probe.Open(root, part, KEY_READ);
  });
  TRegKey existing;
  if (entry.CreatedKey.empty() && existing.Open(root, key, KEY_READ)) {
    for (const std::string& name : names) {
      TRegistryValue value(name);
      DWORD size = 0;
      value.Existed = RegQueryValueExA(existing.Get(), name.c_str(), nullptr, &value.Type, nullptr,
                                       &size) == ERROR_SUCCESS;
      value.Data.resize(size);
      if (value.Existed && size > 0)
        value.Existed =
            RegQueryValueExA(existing.Get(), name.c_str(), nullptr, &value.Type,
                             reinterpret_cast<BYTE*>(value.Data.data()), &size) == ERROR_SUCCESS;
      value.Data.resize(size);
      entry.Values.push_back(std::move(value));
    }
  }
  entries_.push_back(std::move(entry));
}

void TInstallJournal::Commit() {
  for (const TEntry& entry : entries_) {
    if (entry.Kind != TKind::kReplacedFile)
      continue;
    SetFileAttributesA(entry.Kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(entry.Kept.c_str()))
      MoveFileExA(entry.Kept.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  entries_.clear();
  noted_.clear();
}

std::vector<std::string> TInstallJournal::Rollback() {
  std::vector<std::string> errors;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    std::string error = Undo(*it);
    if (!error.empty())
      errors.push_back(std::move(error));
  }
  entries_.clear();
  noted_.clear();
  return errors;
}

std::string TInstallJournal::Undo(const TEntry& entry) const {
  switch (entry.Kind) {
    case TKind::kCreatedFolder:
      return Outcome(RemoveDirectoryA(entry.Path.c_str()), "Cannot remove folder", entry.Path);
    case TKind::kCreatedFile:
      return Outcome(DeleteFileA(entry.Path.c_str()), "Cannot delete file", entry.Path);
    case TKind::kReplacedFile:
      return UndoReplaced(entry);
    case TKind::kPatchedFile:
      return UndoPatched(entry);
    case TKind::kRegistry:
      return UndoRegistry(entry);
  }
  return {};
}

std::string TInstallJournal::UndoReplaced(const TEntry& entry) const {
  const char* path = entry.Path.c_str();
  if ((DeleteFileA(path) || IsGone(GetLastError())) && MoveFileA(entry.Kept.c_str(), path)) {
    SetFileAttributesA(path, entry.Attributes);
    return {};
  }
  return JoinText({"Cannot restore file \"", entry.Path, "\" (its earlier version is kept as \"",
                   entry.Kept, "\"). ", Reason()});
}

std::string TInstallJournal::UndoPatched(const TEntry& entry) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(entry.Path.c_str(), GetFileExInfoStandard, &data) &&
      SameTime(data.ftLastWriteTime, entry.Written) &&
      ((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) == entry.Size) {
    // Untouched: the write that was to change it failed before it began.
    TScopedHandle file(CreateFileA(entry.Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid() && ReadHead(file.Get(), entry.Head.size()) == entry.Head)
      return {};
  }
  TScopedHandle file = OpenForWriting(entry.Path);
  LARGE_INTEGER size;
  size.QuadPart = static_cast<LONGLONG>(entry.Size);
  DWORD written = 0;
  if (!file.IsValid() ||
      !WriteFile(file.Get(), entry.Head.data(), static_cast<DWORD>(entry.Head.size()), &written,
                 nullptr) ||
      written != entry.Head.size() || !SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(file.Get()) ||
      !SetFileTime(file.Get(), &entry.Created, &entry.Accessed, &entry.Written))
    return JoinText({"Cannot restore file \"", entry.Path, "\". ", Reason()});
  file.Reset();
  // A rewrite from the start gives the file new attributes (Windows adds the archive mark).
  if (!SetFileAttributesA(entry.Path.c_str(), entry.Attributes))
    return JoinText({"Cannot restore file \"", entry.Path, "\". ", Reason()});
  return {};
}

std::string TInstallJournal::UndoRegistry(const TEntry& entry) const {
  if (!entry.CreatedKey.empty()) {
    const LSTATUS status = SHDeleteKeyA(entry.Root, entry.CreatedKey.c_str());
    if (status == ERROR_SUCCESS || IsGone(static_cast<DWORD>(status)))
      return {};
    return JoinText({"Cannot delete registry key \"", entry.CreatedKey, "\". ",
                     SystemErrorText(static_cast<uint32_t>(status))});
  }
  TRegKey key;
  if (!key.Open(entry.Root, entry.Path, KEY_SET_VALUE))
    return JoinText({"Cannot restore registry key \"", entry.Path, "\". ",
                     SystemErrorText(static_cast<uint32_t>(key.Status()))});
  std::string failure;
  // A value that cannot be put back does not keep the others from it.
  for (const TRegistryValue& value : entry.Values) {
    const LSTATUS status = value.Existed
                               ? RegSetValueExA(key.Get(), value.Name.c_str(), 0, value.Type,
                                                reinterpret_cast<const BYTE*>(value.Data.data()),
                                                static_cast<DWORD>(value.Data.size()))
                               : RegDeleteValueA(key.Get(), value.Name.c_str());
    if (status != ERROR_SUCCESS && !IsGone(static_cast<DWORD>(status)) && failure.empty())
      failure = JoinText({"Cannot restore registry key \"", entry.Path, "\". ",
                          SystemErrorText(static_cast<uint32_t>(status))});
  }
  return failure;
}

}  // namespace xa
