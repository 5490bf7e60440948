#ifndef XA_ENGINE_TESTING_DATA_FOLDER_DOUBLE_H_
#define XA_ENGINE_TESTING_DATA_FOLDER_DOUBLE_H_

#include <string>
#include <vector>

namespace xa {

// origin.txt contents as terminals write them: the mark FF FE, then `ansi_path` in UTF-16LE.
std::string OriginFileBytes(const std::string& ansi_path);

// Data folders made for a test among the current user's real ones (below DataFoldersRoot),
// each named after the process and a number so that tests running at once never meet; removed
// with everything in them when the object goes.
class TDataFolderDoubles {
 public:
  TDataFolderDoubles() = default;
  ~TDataFolderDoubles();
  TDataFolderDoubles(const TDataFolderDoubles&) = delete;
  TDataFolderDoubles& operator=(const TDataFolderDoubles&) = delete;

  // Makes a data folder with the sub-folder `language` ("MQL4", "MQL5" or none when empty) and,
  // unless `origin` is empty, an origin.txt holding the bytes `origin`. Returns its path.
  std::string Make(const std::string& origin, const std::string& language = "MQL4");

  // A MetaTrader 4 data folder of the installation `installation`, as a terminal leaves it:
  // origin.txt, MQL4 with its usual sub-folders and a config folder. Returns its path.
  std::string MakeFor(const std::string& installation);

  // The folders made so far, in order.
  const std::vector<std::string>& Folders() const { return folders_; }

 private:
  std::vector<std::string> folders_;
};

}  // namespace xa

#endif  // XA_ENGINE_TESTING_DATA_FOLDER_DOUBLE_H_
