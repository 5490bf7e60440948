#include "shell/record_writers.h"

#include "package/file_stream.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/shell_link.h"
#include "shell/shell_text.h"

namespace xa {

void WriteInternetShortcut(TXaInstall& install,
                           TInstallJournal& journal,
                           const std::string& file,
                           const std::string& url) {
  if (url.empty() || url == "mailto:" || url == "http://")
    return;
  install.Progress(JoinText({"Creating shortcut ", file, " ..."}), 1);
  install.InstalledItems.push_back({file, 0});
  journal.CreateFolders(FolderPart(file));
  journal.KeepFile(file);
  WriteTextFile(file, InternetShortcutText(url));
}

void WriteDocument(TXaInstall& install,
                   TInstallJournal& journal,
                   const std::string& document,
                   const std::string& shortcut,
                   const std::string& text) {
  if (text.empty())
    return;
  install.Progress(JoinText({"Copying file ", document, " ..."}), 1);
  install.InstalledItems.push_back({document, 0});
  journal.CreateFolders(FolderPart(document));
  journal.KeepFile(document);
  WriteTextFile(document, NormalizeLineBreaks(text));
  install.Progress(JoinText({"Creating shortcut ", shortcut, " ..."}), 1);
  install.InstalledItems.push_back({shortcut, 0});
  WriteFileShortcut(journal, shortcut, document);
}

void WriteFileShortcut(TInstallJournal& journal,
                       const std::string& link,
                       const std::string& target) {
  journal.CreateFolders(FolderPart(link));
  journal.KeepFile(link);
  TShellLink shortcut;
  shortcut.Path = target;
  shortcut.WorkingDirectory = FolderPart(target);
  shortcut.Save(link);
}

void WriteTextFile(const std::string& path, const std::string& contents) {
  TFileStream file(path, FileMode::kCreate);
  file.WriteBuffer(contents.data(), static_cast<int64_t>(contents.size()));
}

}  // namespace xa
