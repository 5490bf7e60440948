#include "xapack/manifest_draft.h"

#include <cstdio>

#include "xapack/terminal_layout.h"
#include "xapack/utf8.h"

namespace xa::xapack {
namespace {

std::string HexEscape(const char* prefix, unsigned char byte) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "%s%02X", prefix, byte);
  return escape;
}

bool IsControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F;
}

// Length of the whole UTF-8 character at the start of `text`; 0 when none starts there.
size_t CharacterLength(std::string_view text) {
  for (size_t length = 1; length <= 4 && length <= text.size(); ++length) {
    const auto decoded = DecodeUtf8(text.substr(0, length));
    if (decoded && decoded->size() == 1)
      return length;
  }
  return 0;
}

// A document key, with the found file or, commented, a name to start from.
std::string DocumentLine(std::string_view key,
                         const std::string& folder_name,
                         const std::string& found,
                         std::string_view usual_name) {
  if (found.empty())
    return "# " + std::string(key) + " = " +
           TomlQuoted(folder_name + "/" + std::string(usual_name));
  return std::string(key) + " = " + TomlQuoted(folder_name + "/" + found);
}

std::string ProgramTable(const std::string& folder_name, const DataFolderScan& scan) {
  return "[program]\n"
         "# Shown throughout the wizard; also the folder name under Program Files and in the\n"
         "# Start menu. Required and not empty.\n"
         "name = " +
         TomlQuoted(folder_name) +
         "\n"
         "# \"major.minor\"; build and release are optional whole numbers (default 0).\n"
         "version = \"1.0\"\n"
         "# build = 0\n"
         "# release = 0\n"
         "# Optional texts, empty when left out. The website gets an internet shortcut, the\n"
         "# contact e-mail address a \"Contact Email\" shortcut.\n"
         "# publisher = \"Example Software\"\n"
         "# website = \"https://example.com\"\n"
         "# address = \"1 Example Road, Example Town\"\n"
         "# contact_name = \"Example Support\"\n"
         "# contact_email = \"support@example.com\"\n"
         "# Optional documents: RTF, or plain UTF-8 text in a .txt file (wrapped into RTF). The\n"
         "# readme comes first in the wizard, then the licence, which the user must accept; "
         "what's\n"
         "# new follows the install.\n" +
         DocumentLine("license", folder_name, scan.license, "License.rtf") + "\n" +
         DocumentLine("readme", folder_name, scan.readme, "Readme.rtf") + "\n" +
         DocumentLine("whats_new", folder_name, scan.whats_new, "WhatsNew.rtf") +
         "\n"
         "# Optional JPEG shown beside the wizard pages, 160 pixels wide.\n" +
         DocumentLine("banner", folder_name, scan.banner, "banner.jpg") +
         "\n"
         "# Optional: up to eight characters of \"1\", \"0\" or blank, one per Expert Advisor\n"
         "# setting of the terminal (blank: leave that setting alone). Leave it out to change no\n"
         "# setting.\n"
         "# settings_override = \"1 1\"\n";
}

std::string FileTables(const std::string& folder_name, const DataFolderScan& scan) {
  std::string text =
      "\n"
      "# One [[file]] table per package file, in install order. A target starts with a macro:\n"
      "# {metatrader} (each chosen terminal folder and its data folders), {app} (the program's\n"
      "# folder under Program Files), {bootdir}, {windir}, {winsysdir} or {mydocuments}. No "
      "\"..\"\n"
      "# and no target twice. Optional keys: shortcut = \"Name\" (a Start-menu shortcut to the\n"
      "# installed file) and time = 2026-01-31T23:59:59Z (its creation and last-write time,\n"
      "# else the source file's own).\n";
  if (scan.files.empty())
    text += "# No file of the folder lies in a folder a package installs into.\n";
  for (const ScannedFile& file : scan.files) {
    text += "\n[[file]]\nsource = " + TomlQuoted(folder_name + "/" + file.source) +
            "\ntarget = " + TomlQuoted(file.target) + "\n";
  }
  return text;
}

std::string PackageFolderList() {
  std::string list;
  for (const std::string_view folder : kMql4Folders)
    list += "MQL4\\" + std::string(folder) + ", ";
  for (const std::string_view folder : kTerminalReadFolders) {
    if (folder != "mql4")
      list += std::string(folder) + ", ";
  }
  return list.substr(0, list.size() - 2);
}

// `text` as comment lines of at most 92 characters, broken between words.
std::string WrappedComment(std::string_view text) {
  constexpr size_t kWidth = 92;
  std::string lines;
  std::string line = "#";
  while (!text.empty()) {
    const size_t end = text.find(' ');
    const std::string_view word = text.substr(0, end);
    if (line.size() > 1 && line.size() + 1 + word.size() > kWidth) {
      lines += line + "\n";
      line = "#";
    }
    line += " " + std::string(word);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines + line + "\n";
}

// The skipped files, one comment line each, under a note of what they can still become.
std::string SkippedComment(const std::string& folder_name, const DataFolderScan& scan) {
  if (scan.skipped.empty())
    return std::string();
  std::string text = "\n" + WrappedComment(
                                "Files of the folder this manifest does not install. "
                                "A file outside the folders a package installs into (" +
                                PackageFolderList() +
                                ") can still get a [[file]] table of your own, for "
                                "example with a target in {app}\\, the program's "
                                "folder.");
  for (const SkippedFile& file : scan.skipped) {
    text += "#   " + CommentText(TomlQuoted(folder_name + "/" + file.source)) + ": " +
            CommentText(file.reason) + "\n";
  }
  return text;
}

}  // namespace

std::string TomlQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else if (IsControl(byte))
      quoted += HexEscape("\\u00", byte);
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::string CommentText(std::string_view text) {
  std::string shown;
  for (size_t at = 0; at < text.size();) {
    const size_t length = CharacterLength(text.substr(at));
    if (length == 0 || IsControl(static_cast<unsigned char>(text[at]))) {
      shown += HexEscape("\\x", static_cast<unsigned char>(text[at]));
      ++at;
    } else {
      shown += text.substr(at, length);
      at += length;
    }
  }
  return shown;
}

std::string DraftManifest(const std::string& folder_name, const DataFolderScan& scan) {
  return "# Package manifest drafted by `xapack init` from the files of the folder\n"
         "# " +
         CommentText(TomlQuoted(folder_name)) +
         " beside it. Look it over, fill in what the package needs, then\n"
         "# build the installer with `xapack build package.toml -o Setup.exe`. Paths of source\n"
         "# files count from the folder of this manifest.\n"
         "\n" +
         ProgramTable(folder_name, scan) + FileTables(folder_name, scan) +
         SkippedComment(folder_name, scan);
}

}  // namespace xa::xapack
