// A fresh temporary folder made the current directory for the lifetime of a test.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace marblix::test_support {

class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory() : old_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "marblix-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~ScopedWorkingDirectory() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

}  // namespace marblix::test_support
