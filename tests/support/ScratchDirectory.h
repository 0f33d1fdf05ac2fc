// A fresh folder for a test's files, removed with everything in it when the
// test ends; and reading a whole file as bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace tavir::testing {

class ScratchDirectory {
 public:
  // prefix names the folder's owner, e.g. "tavir-engine". A number of this
  // run keeps it apart from other worktrees running the same tests at the
  // same time; a counter keeps the tests of one run apart.
  explicit ScratchDirectory(const std::string& prefix) {
    static const unsigned run = std::random_device{}();
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "-" + std::to_string(run) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
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

}  // namespace tavir::testing
