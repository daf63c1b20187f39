#pragma once

#include <stdexcept>
#include <string>

// A report code that is not exactly three characters long; the upload sent nothing. what() is the
// warning text, naming the row's event kind (UTF-8).
class ECodeTableInvalid : public std::runtime_error {
  public:
    ECodeTableInvalid(int row, const std::string& name)
        : std::runtime_error("Код в ячейке \"" + name + "\"  должен быть равным 3 символам"),
          row_(row) {}

    int Row() const { return row_; }

  private:
    int row_;
};
