#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "page_text.h"

// The data rows of one page, made a bufferful at a time so that memory stays
// the same whatever the range. Rows start at `first`, `first` + 20, ... while
// the row start is below `last`. Row starts and values are 64-bit, so a row
// near the top of the 32-bit range neither wraps nor loops forever.
//
// Why rows come from a ready block: formatting every number is what a plain
// writer spends its time on. row_benchmark makes 2 to 3.5 GB/s of page text
// when every row is formatted, and 13 to 19 GB/s with the block, while just
// writing the bytes into a file on tmpfs runs at about 3.3 GB/s: without
// the block, formatting would cost more than the writing. So five rows (a
// hundred values) are kept as text, and each next hundred values is made
// from the last by changing the text in place.
//
// The trick: call the digits of a number above its last two its stem (the
// stem of 12345 is 123). Moving a block on by a hundred values leaves the last
// two digits of every number alone, and the row breaks too (a block holds
// whole rows, so each row start keeps its remainder modulo 20); only each
// number's stem grows by one, and in nine numbers out of ten that means one
// byte. The numbers are found in the text itself: the fixed texts of a row
// hold no digits, so every run of digits in a block is one number.
//
// It holds only where every number of the block (its five labels and hundred
// values) has the same count of digits, and at least three, so that the stem
// is written out and never grows a digit. Everything else (a range's last
// few rows, short numbers, a block where numbers gain a digit, such as 9950
// to 10049) goes through format_row, the plain reference.
class TableRows {
  public:
    TableRows(std::uint32_t first, std::uint32_t last) : next_row_(first), last_(last) {}

    bool done() const { return next_row_ >= last_; }

    // Writes as many whole rows as fit into the `size` bytes at `room` and
    // returns how many bytes it wrote. Room of kLargestPiece bytes or more
    // always takes at least one row unless done().
    std::size_t fill(char* room, std::size_t size);

    // A block is a hundred values, five rows; moving it on by a hundred adds
    // one to every stem.
    static constexpr std::uint64_t kBlockValues = 100;
    static constexpr std::size_t kBlockRows = kBlockValues / kCellsPerRow;
    // The most that fill() writes in one step.
    static constexpr std::size_t kLargestPiece = kBlockRows * kMaxRowBytes;

  private:
    // A label and twenty cells a row.
    static constexpr std::size_t kBlockNumbers = kBlockRows * (1 + kCellsPerRow);

    bool block_applies() const;
    bool can_step() const;
    char* put_block(char* out);
    char* put_row(char* out);
    void format_block();
    void step_block();
    void step_stems(std::size_t begin, std::size_t end);

    // The one cursor: the start of the next row to write.
    std::uint64_t next_row_;
    std::uint64_t last_;

    // True when block_ holds the five rows just before next_row_; all its
    // numbers lie below block_ceiling_, the power of ten that has one digit
    // more than they have.
    bool block_is_previous_ = false;
    std::uint64_t block_ceiling_ = 0;
    std::size_t block_size_ = 0;
    char block_[kLargestPiece] = {};
    // For each number of the block, the offset in block_ just past its stem;
    // the numbers from higher_stem_from_ on have the stem one higher.
    std::array<std::uint16_t, kBlockNumbers> stem_ends_ = {};
    std::size_t higher_stem_from_ = kBlockNumbers;
};
