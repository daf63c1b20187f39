#pragma once

#include <filesystem>
#include <string>

namespace irven::sim::test {

// A fresh directory, removed with everything in it at destruction.
class TTempDir {
  public:
    TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    ~TTempDir();

    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace irven::sim::test
