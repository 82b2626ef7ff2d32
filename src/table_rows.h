#pragma once

#include <cstddef>
#include <cstdint>

#include "row_block.h"

// The data rows of one page, produced a bufferful at a time so that memory
// stays the same whatever the range. Rows start at `first`, `first` + 20, ...
// while the row start is below `last`. Row starts and values are 64-bit, so a
// row near the top of the 32-bit range neither wraps nor loops forever.
class TableRows {
  public:
    TableRows(std::uint32_t first, std::uint32_t last) : next_row_(first), last_(last) {}

    bool done() const { return next_row_ >= last_; }

    // Writes as many whole rows as fit into `capacity` bytes at `out` and
    // returns the number of bytes written. A capacity of at least
    // kMinCapacity always takes at least one row unless done().
    std::size_t fill(char* out, std::size_t capacity);

    static constexpr std::size_t kMinCapacity = RowBlock::kMaxBytes;

  private:
    bool block_fits() const;
    char* put_block(char* out);

    std::uint64_t next_row_;
    std::uint64_t last_;
    RowBlock block_;
};
