#include "wizard/summary.h"

#include <algorithm>
#include <cctype>

#include "package/text_join.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

constexpr char kIndent[] = "        ";

// Under a terminal folder: where its terminal reads its files from, which gets them too.
constexpr char kDataFolderIndent[] = "            ";
constexpr char kDataFolderHeading[] = "and its data folder in ";

bool SameAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string VersionLine(const TXaData& record) {
  std::string line = kIndent + DisplayVersion(record);
  if (record.VersionBuild > 0)
    line += " Build " + std::to_string(record.VersionBuild);
  if (record.VersionRelease > 0)
    line += " Release " + std::to_string(record.VersionRelease);
  return line;
}

}  // namespace

std::vector<std::string> SummaryLines(
    const TXaData& record,
    const std::vector<std::string>& checked_folders,
    const std::string& program_files_with_delimiter,
    TFunctionRef<std::vector<std::string>(const std::string&)> data_folders_of) {
  std::vector<std::string> lines{"Program Name", VersionLine(record), "", "Target Folder(s)"};
  for (const std::string& folder : checked_folders) {
    lines.push_back(kIndent + folder);
    if (!data_folders_of)
      continue;
    for (const std::string& data_folder : data_folders_of(folder)) {
      const size_t name = data_folder.rfind('\\') + 1;
      lines.push_back(kDataFolderIndent + std::string(kDataFolderHeading) +
                      data_folder.substr(0, name > 0 ? name - 1 : 0));
      lines.push_back(kDataFolderIndent + data_folder.substr(name));
    }
  }
  lines.insert(lines.end(), {"", "Program Folder",
                             JoinText({kIndent, program_files_with_delimiter, record.ProgramName}),
                             "", "Start Menu Folder", kIndent + record.ProgramName});
  return lines;
}

std::string ShortDataFolder(const std::string& folder, const std::string& app_data) {
  std::string base = app_data;
  while (!base.empty() && base.back() == '\\')
    base.pop_back();
  if (base.empty() || folder.size() <= base.size() || folder[base.size()] != '\\' ||
      !SameAsciiCase(folder.substr(0, base.size()), base))
    return folder;
  return "%APPDATA%" + folder.substr(base.size());
}

}  // namespace xa
