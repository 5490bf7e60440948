#ifndef XA_PACKAGE_TESTING_TEMP_FOLDER_H_
#define XA_PACKAGE_TESTING_TEMP_FOLDER_H_

#include <string>

namespace xa::testing {

// A new empty folder under the system's temporary folder, removed with everything in it when
// the object goes. Paths are 8-bit text with the platform's separator.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing separator.
  const std::string& Path() const { return path_; }

  // `name` inside the folder.
  std::string Path(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace xa::testing

#endif  // XA_PACKAGE_TESTING_TEMP_FOLDER_H_
