// A fresh private directory under $TMPDIR (or /tmp), removed with everything
// in it when the object goes away unless the caller keeps it.
#ifndef EBANK_TOOLS_EBANK_TEMP_DIRECTORY_H_
#define EBANK_TOOLS_EBANK_TEMP_DIRECTORY_H_

#include <string>

namespace ebank::tool {

class TempDirectory {
 public:
  // Throws ToolError when the directory cannot be made.
  explicit TempDirectory(const std::string& prefix);
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  ~TempDirectory();

  const std::string& path() const { return path_; }
  void Keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_TEMP_DIRECTORY_H_
