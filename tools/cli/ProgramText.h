#pragma once

#include <memory>
#include <streambuf>
#include <string>
#include <vector>

// The program's text in and out, UTF-8 inside. On Windows the arguments are taken as Unicode from
// the system, not in the ANSI code page; the output goes to a console as Unicode, and to files and
// pipes as UTF-8 bytes without line-end translation. Elsewhere both pass as they are.
class TProgramText {
  public:
    TProgramText(int argc, char** argv);
    ~TProgramText();
    TProgramText(const TProgramText&) = delete;
    TProgramText& operator=(const TProgramText&) = delete;

    const std::vector<std::string>& Arguments() const { return Arguments_; }

  private:
    std::vector<std::string> Arguments_;
    std::unique_ptr<std::streambuf> Out_;
    std::unique_ptr<std::streambuf> Err_;
    std::streambuf* OldOut_ = nullptr;
    std::streambuf* OldErr_ = nullptr;
};
