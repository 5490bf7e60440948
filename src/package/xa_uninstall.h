#ifndef XA_PACKAGE_XA_UNINSTALL_H_
#define XA_PACKAGE_XA_UNINSTALL_H_

#include <string>
#include <vector>

#include "package/stream.h"
#include "package/xa_data.h"

namespace xa {

// The uninstall record ("XAUN") an uninstaller carries: the description plus every file and
// folder the install created, in record order.
class TXaUninstall : public TXaData {
 public:
  void Clear() override;

  // Locates the record through the pointer at offset 136 and reads it to the end of the data;
  // sets RecordFound when the stream holds one. Raises EStreamError "Stream read error" when the
  // banner's bytes are cut off.
  void LoadFromStream(TStream& stream) override;

  std::vector<std::string> RecordedFiles;
  std::vector<std::string> RecordedFolders;
  // The last load found an uninstall record; without one the program is no uninstaller of ours
  // and must never remove itself.
  bool RecordFound = false;
};

}  // namespace xa

#endif  // XA_PACKAGE_XA_UNINSTALL_H_
