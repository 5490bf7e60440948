#include "wizard/summary.h"

#include "wizard/wizard_texts.h"

namespace xa {
namespace {

constexpr char kIndent[] = "        ";

std::string VersionLine(const TXaData& record) {
  std::string line = kIndent + DisplayVersion(record);
  if (record.VersionBuild > 0)
    line += " Build " + std::to_string(record.VersionBuild);
  if (record.VersionRelease > 0)
    line += " Release " + std::to_string(record.VersionRelease);
  return line;
}

}  // namespace

std::vector<std::string> SummaryLines(const TXaData& record,
                                      const std::vector<std::string>& checked_folders,
                                      const std::string& program_files_with_delimiter) {
  std::vector<std::string> lines{"Program Name", VersionLine(record), "", "Target Folder(s)"};
  for (const std::string& folder : checked_folders)
    lines.push_back(kIndent + folder);
  lines.insert(lines.end(),
               {"", "Program Folder", kIndent + program_files_with_delimiter + record.ProgramName,
                "", "Start Menu Folder", kIndent + record.ProgramName});
  return lines;
}

}  // namespace xa
