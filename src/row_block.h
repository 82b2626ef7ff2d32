#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "page_text.h"

// Five consecutive data rows, kept as ready text and moved on by 100 values
// at a time by changing only the digits that change.
//
// Why this is fast: the block that starts at s holds the values s to s + 99.
// Moving it to s + 100 leaves the last two digits of every number as they
// are, and s mod 20 (hence where each row breaks) too; only the part above
// the last two digits grows by one, and in nine moves out of ten that means
// one digit per number. So the next block is this one's text with a byte or
// two changed in each of its 105 numbers (5 labels, 100 cells), instead of
// 105 numbers formatted anew. The numbers are found in the text itself: the
// fixed texts of a row hold no digits, so every run of digits is a number.
//
// The trick needs every number in the block to have the same count of digits,
// and at least three (so the last two are always written, 0-padded). A block
// that fails this, such as 9950 to 10049, is simply formatted anew each time.
class RowBlock {
  public:
    static constexpr std::uint64_t kValues = 100;
    static constexpr int kRows = static_cast<int>(kValues) / kCellsPerRow;
    static constexpr std::size_t kMaxBytes = kRows * kMaxRowBytes;
    // Below this a block holds values with fewer than three digits.
    static constexpr std::uint64_t kLowestStart = 100;

    // Formats the block for the rows from `start`, which is at least kLowestStart.
    void format(std::uint64_t start);

    // Moves on to the next five rows.
    void advance();

    std::uint64_t start() const { return start_; }
    std::string_view text() const { return {text_, size_}; }

  private:
    // The numbers of the block that share their digits above the last two:
    // where those digits end in text_, and what they are.
    struct Numbers {
        std::vector<std::size_t> ends;
        char high_digits[kMaxDigits] = {};  // all but the last two, shared
        std::size_t width = 0;

        void step_up(char* text);
    };

    bool can_step() const;

    std::uint64_t start_ = 0;
    bool regular_ = false;
    Numbers this_hundred_;  // values below the first multiple of 100 after start_
    Numbers next_hundred_;  // values from that multiple on
    char text_[kMaxBytes] = {};
    std::size_t size_ = 0;
};
