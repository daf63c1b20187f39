#pragma once

#include <filesystem>

namespace irven::sim {

// A symbolic link that lives as long as the object. A stale link left at the path is replaced;
// any other file there is an error. The link is removed only while it still points where it was
// made to point.
class TSymbolicLink {
  public:
    TSymbolicLink(const std::filesystem::path& target, std::filesystem::path link);
    TSymbolicLink(const TSymbolicLink&) = delete;
    TSymbolicLink& operator=(const TSymbolicLink&) = delete;
    ~TSymbolicLink();

  private:
    std::filesystem::path target_;
    std::filesystem::path link_;
};

}  // namespace irven::sim
