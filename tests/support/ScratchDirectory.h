// A fresh folder for a test's files, removed with everything in it when the
// test ends; and reading a whole file as bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tavir::test_support {

class ScratchDirectory {
 public:
  // prefix names the folder's owner, e.g. "tavir-engine". The folder's name
  // is new on every run, so test programs of other worktrees running the
  // same tests at the same time never share a file.
  explicit ScratchDirectory(const std::string& prefix = "tavir-scratch") {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto candidate =
          std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(random()));
      // create_directory says false when the name was taken: another try.
      if (std::filesystem::create_directory(candidate)) {
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("no fresh temporary folder for " + prefix);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace tavir::test_support
