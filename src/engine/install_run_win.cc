#include <windows.h>

#include "engine/data_folders.h"
#include "engine/earlier_install.h"
#include "engine/install_rules.h"
#include "engine/install_run.h"
#include "engine/path_macros.h"
#include "engine/settings_override.h"
#include "engine/uninstaller.h"
#include "package/cipher_stream.h"
#include "package/file_stream.h"
#include "package/sub_stream.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/install_journal.h"
#include "shell/record_writers.h"
#include "shell/sys_folders.h"

namespace xa {
namespace {

FILETIME ToFileTime(uint64_t time) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(time);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

// Deciphers one package file from `executable` into `output` and gives it the stored times.
void CopyPackageFile(const TXaInstall& install,
                     const TXaInstallFile& file,
                     TStream& executable,
                     TFileStream& output) {
  TSubStream window(&executable, file.Offset, int64_t{file.Offset} + file.Size - 1, false);
  window.Seek(0, SeekOrigin::kBeginning);
  CipherStream(window, output, install.ContentKey.data(),
               static_cast<int32_t>(install.ContentKey.size()), CipherDirection::kDecipher);
  const FILETIME created = ToFileTime(file.CreationTime);
  const FILETIME written = ToFileTime(file.LastWriteTime);
  SetFileTime(reinterpret_cast<HANDLE>(output.NativeHandle()), &created, &written, &written);
}

// Copies every package file: all of them in the first pass, into the first of
// `terminal_destinations`, the terminal files again in each further pass. Records the folders
// it creates for them.
void CopyPackageFiles(TXaInstall& install,
                      TInstallJournal& journal,
                      const std::vector<std::string>& terminal_destinations,
                      const std::string& app_folder,
                      const std::string& menu_folder) {
  TMacroList macros;
  TFileStream executable(install.FileName, FileMode::kOpenRead);
  CheckPackageContents(install, executable.Size());
  BuildMacroList(macros, install.ProgramName, GetSysFolder);
  std::vector<std::string> shortcut_names, created_folders;
  // Package files come folder by folder; the folder of the last one is there already.
  std::string last_folder;
  for (size_t pass = 0; pass < terminal_destinations.size(); ++pass) {
    SetMacroValue(macros, kMetaTraderMacro, terminal_destinations[pass]);
    for (const auto& file : install.Files) {
      if (pass > 0 && !IsTerminalTarget(file->TargetPath))
        continue;
      const std::string target = ExpandMacros(file->TargetPath, macros);
      const std::string folder = FolderPart(target);
      if (folder != last_folder) {
        std::vector<std::string> made = FoldersBelow(app_folder, target);
        const std::vector<std::string> created = journal.CreateFolders(folder);
        if (made.empty())
          made = created;
        created_folders.insert(created_folders.end(), made.begin(), made.end());
        last_folder = folder;
      }
      install.Progress(JoinText({"Copying file ", target, " ..."}), 1);
      install.InstalledItems.push_back({target, 0});
      CopyPackageFile(install, *file, executable, *journal.CreateTarget(target));
      if (file->ShortcutName.empty())
        continue;
      const std::string link = JoinText({menu_folder, "\\", file->ShortcutName, ".lnk"});
      WriteFileShortcut(journal, link, target);
      install.InstalledItems.push_back({link, 0});
      shortcut_names.push_back(file->ShortcutName);
    }
  }
  RecordShortcutFolders(install.InstalledItems, menu_folder, shortcut_names);
  RecordTargetFolders(install.InstalledItems, app_folder, menu_folder, created_folders);
}

void WriteDocumentsAndLinks(TXaInstall& install,
                            TInstallJournal& journal,
                            const std::string& app_folder,
                            const std::string& menu_folder) {
  WriteDocument(install, journal, app_folder + "\\Readme.rtf", menu_folder + "\\Readme.lnk",
                install.ReadmeText);
  WriteDocument(install, journal, app_folder + "\\License.rtf", menu_folder + "\\License.lnk",
                install.LicenseText);
  WriteDocument(install, journal, app_folder + "\\What's New.rtf", menu_folder + "\\What's New.lnk",
                install.WhatsNewText);
  const std::string website = WebsiteUrl(install.Website);
  if (!website.empty())
    WriteInternetShortcut(install, journal,
                          JoinText({menu_folder, "\\", install.Publisher, " Website.url"}),
                          website);
  const std::string contact = ContactUrl(install.ContactName, install.ContactEmail);
  if (!contact.empty())
    WriteInternetShortcut(install, journal, menu_folder + "\\Contact Email.url", contact);
}

// Reports `message` without a step. A progress callback that fails must not stop the undo, and
// the run's own error is already on its way to the caller.
void ReportUndo(TXaInstall& install, const std::string& message) {
  try {
    install.Progress(message, 0);
  } catch (...) {
  }
}

// Puts back what the failed run changed, saying so in the progress list. Raises nothing.
void UndoInstall(TXaInstall& install, TInstallJournal& journal) {
  if (journal.Empty())
    return;
  ReportUndo(install, kUndoingInstall);
  const std::vector<std::string> errors = journal.Rollback();
  for (const std::string& error : errors)
    ReportUndo(install, error);
  install.PartlyUndone = !errors.empty();
  ReportUndo(install, install.PartlyUndone ? kInstallPartlyUndone : kInstallUndone);
}

}  // namespace

void RunInstall(TXaInstall& install) {
  const std::string program_files = GetSysFolder(SysFolderId::kProgramFiles, false);
  const std::string programs_menu = GetSysFolder(SysFolderId::kCommonPrograms, false);
  CheckInstallable(install.ProgramName, program_files, programs_menu);
  // Terminals from build 600 on read their files from their data folders, which get them too.
  const std::vector<std::string> destinations = TerminalDestinations(install.TerminalFolders);
  install.StepsDone = 0;
  install.StepsExpected =
      ExpectedInstallSteps(install) +
      DataFolderSteps(install, destinations.size() - install.TerminalFolders.size());
  const std::string app_folder = JoinText({program_files, "\\", install.ProgramName});
  const std::string menu_folder = JoinText({programs_menu, "\\", install.ProgramName});
  const std::string uninstaller = app_folder + "\\Uninstall.exe";
  TXaUninstall earlier;
  ReadEarlierRecord(uninstaller, install.ProgramName, earlier);
  install.InstalledItems.push_back({app_folder, kInstalledFolder});
  install.InstalledItems.push_back({menu_folder, kInstalledFolder});
  TInstallJournal journal;
  try {
    CopyPackageFiles(install, journal, destinations, app_folder, menu_folder);
    if (!install.SettingsOverride.empty()) {
      for (const std::string& folder : destinations) {
        install.Progress(JoinText({"Overriding MetaTrader settings in ", folder, " ..."}), 1);
        OverrideTerminalSettings(install, journal, folder);
      }
    }
    WriteDocumentsAndLinks(install, journal, app_folder, menu_folder);
    MergeEarlierRecord(install.InstalledItems, earlier.RecordedFiles, earlier.RecordedFolders);
    CreateUninstaller(install, journal, uninstaller, menu_folder + "\\Uninstall.lnk");
    install.Progress("Done.", 1);
  } catch (...) {
    UndoInstall(install, journal);
    throw;
  }
  journal.Commit();
}

}  // namespace xa
