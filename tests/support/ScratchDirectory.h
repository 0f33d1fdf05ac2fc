// A fresh directory of its own in the temporary folder, removed with
// everything in it afterwards. Its name is new on every run, so test
// programs running at the same time never share a file.
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace tavir::test_support {

class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& purpose = "scratch") {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto candidate = std::filesystem::temp_directory_path() /
                             ("tavir-" + purpose + "-" + std::to_string(random()));
      // create_directory says false when the name was taken: another try.
      if (std::filesystem::create_directory(candidate)) {
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("no fresh temporary directory for " + purpose);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace tavir::test_support
