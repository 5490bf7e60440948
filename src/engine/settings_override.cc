#include "engine/settings_override.h"

#include "package/text_join.h"

namespace xa {

TExpertsRecord DefaultExpertsRecord() {
  TExpertsRecord record{};
  record[0] = kExpertsRecordHeader[0];
  record[1] = kExpertsRecordHeader[1];
  return record;
}

void PatchExpertsRecord(TExpertsRecord& record, const std::string& settings) {
  for (size_t i = 0; i < kSwitchOffsets.size() && i < settings.size(); ++i) {
    if (settings[i] != ' ')
      record[kSwitchOffsets[i]] = settings[i] == '1' ? 1 : 0;
  }
}

std::string ExpertsIniPath(const std::string& folder) {
  if (!folder.empty() && folder.back() == '\\')
    return folder + kExpertsIniPath;
  return JoinText({folder, "\\", kExpertsIniPath});
}

}  // namespace xa
