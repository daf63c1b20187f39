#pragma once

#include <windows.h>

#include <streambuf>
#include <string>

// A stream buffer that shows UTF-8 text in a Windows console as Unicode, whatever the console's
// code page. A character split between two writes waits for its last bytes.
class TConsoleBuffer : public std::streambuf {
  public:
    explicit TConsoleBuffer(HANDLE console) : Console_(console) {}
    ~TConsoleBuffer() override { sync(); }
    TConsoleBuffer(const TConsoleBuffer&) = delete;
    TConsoleBuffer& operator=(const TConsoleBuffer&) = delete;

  protected:
    int_type overflow(int_type character) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    HANDLE Console_;
    std::string Pending_;
};
