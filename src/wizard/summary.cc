#include "wizard/summary.h"

namespace xa {
namespace {

constexpr char kIndent[] = "        ";

// Under a terminal folder: where its terminal reads its files from, which gets them too.
constexpr char kDataFolderPrefix[] = "    and its data folder ";

std::string VersionLine(const TXaData& record) {
  std::string line = kIndent + record.ProgramName + " v" + std::to_string(record.VersionMajor) +
                     "." + std::to_string(record.VersionMinor);
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
    const std::function<std::vector<std::string>(const std::string&)>& data_folders_of) {
  std::vector<std::string> lines{"Program Name", VersionLine(record), "", "Target Folder(s)"};
  for (const std::string& folder : checked_folders) {
    lines.push_back(kIndent + folder);
    if (!data_folders_of)
      continue;
    for (const std::string& data_folder : data_folders_of(folder))
      lines.push_back(kIndent + std::string(kDataFolderPrefix) + data_folder);
  }
  lines.insert(lines.end(),
               {"", "Program Folder", kIndent + program_files_with_delimiter + record.ProgramName,
                "", "Start Menu Folder", kIndent + record.ProgramName});
  return lines;
}

}  // namespace xa
