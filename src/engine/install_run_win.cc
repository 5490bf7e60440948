#include <windows.h>

#include "engine/install_rules.h"
#include "engine/install_run.h"
#include "engine/path_macros.h"
#include "engine/settings_override.h"
#include "engine/uninstaller.h"
#include "package/cipher_stream.h"
#include "package/file_stream.h"
#include "package/sub_stream.h"
#include "shell/folder_rules.h"
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

// Deciphers one package file from `executable` into `target` and gives it the stored times.
void CopyPackageFile(const TXaInstall& install,
                     const TXaInstallFile& file,
                     TStream& executable,
                     const std::string& target) {
  TFileStream output(target, FileMode::kCreate);
  TSubStream window(&executable, file.Offset, int64_t{file.Offset} + file.Size - 1, false);
  window.Seek(0, SeekOrigin::kBeginning);
  CipherStream(window, output, install.ContentKey.data(),
               static_cast<int32_t>(install.ContentKey.size()), CipherDirection::kDecipher);
  const FILETIME created = ToFileTime(file.CreationTime);
  const FILETIME written = ToFileTime(file.LastWriteTime);
  SetFileTime(reinterpret_cast<HANDLE>(output.NativeHandle()), &created, &written, &written);
}

// Copies every package file: all of them in the first terminal pass, the terminal files
// again in each further pass. Records the folders it creates for them.
void CopyPackageFiles(TXaInstall& install,
                      const std::string& app_folder,
                      const std::string& menu_folder) {
  TMacroList macros;
  TFileStream executable(install.FileName, FileMode::kOpenRead);
  CheckPackageContents(install, executable.Size());
  BuildMacroList(macros, install.ProgramName, GetSysFolder);
  std::vector<std::string> shortcut_names, created_folders;
  for (size_t pass = 0; pass < install.TerminalFolders.size(); ++pass) {
    SetMacroValue(macros, kMetaTraderMacro, install.TerminalFolders[pass]);
    for (const auto& file : install.Files) {
      if (pass > 0 && !IsTerminalTarget(file->TargetPath))
        continue;
      const std::string target = ExpandMacros(file->TargetPath, macros);
      std::vector<std::string> made = FoldersBelow(app_folder, target);
      if (made.empty())
        made = MissingFolders(FolderPart(target), DirectoryExists);
      created_folders.insert(created_folders.end(), made.begin(), made.end());
      ForceDirectories(FolderPart(target));
      install.Progress("Copying file " + target + " ...", 1);
      install.InstalledItems.push_back({target, 0});
      CopyPackageFile(install, *file, executable, target);
      if (file->ShortcutName.empty())
        continue;
      const std::string link = menu_folder + "\\" + file->ShortcutName + ".lnk";
      WriteFileShortcut(link, target);
      install.InstalledItems.push_back({link, 0});
      shortcut_names.push_back(file->ShortcutName);
    }
  }
  RecordShortcutFolders(install.InstalledItems, menu_folder, shortcut_names);
  RecordTargetFolders(install.InstalledItems, app_folder, menu_folder, created_folders);
}

void WriteDocumentsAndLinks(TXaInstall& install,
                            const std::string& app_folder,
                            const std::string& menu_folder) {
  WriteDocument(install, app_folder + "\\Readme.rtf", menu_folder + "\\Readme.lnk",
                install.ReadmeText);
  WriteDocument(install, app_folder + "\\License.rtf", menu_folder + "\\License.lnk",
                install.LicenseText);
  WriteDocument(install, app_folder + "\\What's New.rtf", menu_folder + "\\What's New.lnk",
                install.WhatsNewText);
  const std::string website = WebsiteUrl(install.Website);
  if (!website.empty())
    WriteInternetShortcut(install, menu_folder + "\\" + install.Publisher + " Website.url",
                          website);
  const std::string contact = ContactUrl(install.ContactName, install.ContactEmail);
  if (!contact.empty())
    WriteInternetShortcut(install, menu_folder + "\\Contact Email.url", contact);
}

}  // namespace

void RunInstall(TXaInstall& install) {
  const std::string program_files = GetSysFolder(SysFolderId::kProgramFiles, false);
  const std::string programs_menu = GetSysFolder(SysFolderId::kCommonPrograms, false);
  CheckInstallable(install.ProgramName, program_files, programs_menu);
  install.StepsDone = 0;
  install.StepsExpected = ExpectedInstallSteps(install);
  const std::string app_folder = program_files + "\\" + install.ProgramName;
  const std::string menu_folder = programs_menu + "\\" + install.ProgramName;
  install.InstalledItems.push_back({app_folder, kInstalledFolder});
  install.InstalledItems.push_back({menu_folder, kInstalledFolder});
  CopyPackageFiles(install, app_folder, menu_folder);
  if (!install.SettingsOverride.empty()) {
    for (const std::string& folder : install.TerminalFolders) {
      install.Progress("Overriding MetaTrader settings in " + folder + " ...", 1);
      OverrideTerminalSettings(install, folder);
    }
  }
  WriteDocumentsAndLinks(install, app_folder, menu_folder);
  CreateUninstaller(install, app_folder + "\\Uninstall.exe", menu_folder + "\\Uninstall.lnk");
  install.Progress("Done.", 1);
}

}  // namespace xa
