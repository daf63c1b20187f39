#pragma once

#include <initializer_list>

// Marks among %1 to %9.
class TMarks {
  public:
    constexpr TMarks() = default;
    constexpr TMarks(std::initializer_list<int> marks) {
        for (const int mark : marks) {
            bits_ |= 1U << mark;
        }
    }

    constexpr bool Has(int mark) const { return ((bits_ >> mark) & 1U) != 0; }

  private:
    unsigned bits_ = 0;
};
