#ifndef XA_SHELL_INSTALL_JOURNAL_H_
#define XA_SHELL_INSTALL_JOURNAL_H_

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "package/file_stream.h"

namespace xa {

// The changes of one install run, each noted just before it is made, so that a failed run can
// put the machine back as it was and a run that succeeded can drop what it kept. A file the run
// replaces is renamed beside it under a hidden temporary name (nothing is copied); files,
// shortcuts and folders the run creates are removed again; settings records patched in place
// get their earlier bytes, times and attributes back; registry values get their earlier data back,
// and a key the run created is deleted. Every path is noted once: a second write of the same path
// in the same run overwrites what the run itself wrote.
class TInstallJournal {
 public:
  TInstallJournal() = default;
  TInstallJournal(const TInstallJournal&) = delete;
  TInstallJournal& operator=(const TInstallJournal&) = delete;

  // Creates `folder` with all its missing parents, like ForceDirectories, notes every folder
  // it made and returns them, deepest first. A folder that cannot be created is not reported.
  std::vector<std::string> CreateFolders(const std::string& folder);

  // Called just before the file `path` is created anew. An existing file is moved aside after
  // checking that it could be written: a file that is read-only, hidden, a system file or held
  // open raises EStreamError "Cannot create file ..." with the system's reason, as creating it
  // would. A missing file is noted as created; a path that cannot be looked at raises the same
  // error. A folder standing at `path` is left alone (the write then fails).
  void KeepFile(const std::string& path);

  // Creates the file `path` for writing and notes it as KeepFile would: a new file as created,
  // an existing one moved aside first. Raises what KeepFile raises and EStreamError "Cannot
  // create file ..." when the file cannot be created. Where KeepFile and a create both look the
  // name up, a new file takes one lookup here, which matters in folders of thousands of files:
  // Wine reads the whole folder to be sure a name is missing.
  std::unique_ptr<TFileStream> CreateTarget(const std::string& path);

  // Called just before the existing file `path`, whose first bytes `head` were just read, is
  // rewritten from its start (patched in place or created anew). Notes its size, times and
  // attributes.
  void KeepHead(const std::string& path, const std::string& head);

  // Called just before the key `key` below `root` is created (when missing) and its values
  // `names` written. Notes the key's first missing part, or each value's earlier type and data.
  void KeepRegistryValues(HKEY root, const std::string& key, const std::vector<std::string>& names);

  // True when nothing has been noted since the journal was made, committed or rolled back.
  bool Empty() const { return entries_.empty(); }

  // The run succeeded: deletes the files kept aside (those that cannot be deleted now go at the
  // next restart) and forgets every note.
  void Commit();

  // The run failed: undoes every noted change, last first. A change that cannot be undone does
  // not stop the others; returns one message per such change. Forgets every note.
  std::vector<std::string> Rollback();

 private:
  enum class TKind { kCreatedFolder, kCreatedFile, kReplacedFile, kPatchedFile, kRegistry };

  struct TRegistryValue {
    explicit TRegistryValue(std::string name) : Name(std::move(name)) {}

    std::string Name;
    bool Existed = false;
    DWORD Type = 0;
    std::string Data;
  };

  struct TEntry {
    TEntry(TKind kind, std::string path) : Kind(kind), Path(std::move(path)) {}

    TKind Kind;
    std::string Path;  // file, folder or registry key
    std::string Kept;  // the replaced file's temporary name
    DWORD Attributes = 0;
    std::string Head;
    uint64_t Size = 0;
    FILETIME Created{}, Accessed{}, Written{};
    HKEY Root = nullptr;
    std::string CreatedKey;  // the first missing part of Path; "" when it existed
    std::vector<TRegistryValue> Values;
  };

  // True the first time `path` is offered (case ignored).
  bool FirstNote(const std::string& path);
  // Notes `path`, just looked up (`attributes`, and the lookup's `error` when it failed), as
  // KeepFile does: a missing file as created, an existing one as replaced, moved aside; a folder
  // not at all. Raises as KeepFile.
  void NoteFound(const std::string& path, DWORD attributes, DWORD error);
  std::string MoveAside(const std::string& path);
  std::string Undo(const TEntry& entry) const;
  std::string UndoReplaced(const TEntry& entry) const;
  std::string UndoPatched(const TEntry& entry) const;
  std::string UndoRegistry(const TEntry& entry) const;

  std::vector<TEntry> entries_;
  // Upper case, sorted: a sorted vector rather than a std::set, whose tree code the program
  // would carry for this one use.
  std::vector<std::string> noted_;
  // The number of the next kept file's name.
  uint32_t next_kept_ = 0;
};

}  // namespace xa

#endif  // XA_SHELL_INSTALL_JOURNAL_H_
