#include "table_rows.h"

#include <cstring>

#include "page_text.h"

// All five rows of a block are wanted, and its numbers have three digits or more.
bool TableRows::block_fits() const {
    const std::uint64_t last_block_row = next_row_ + RowBlock::kValues - kCellsPerRow;
    return next_row_ >= RowBlock::kLowestStart && last_block_row < last_;
}

char* TableRows::put_block(char* out) {
    if (block_.start() != next_row_) {
        block_.format(next_row_);
    }
    const std::string_view text = block_.text();
    std::memcpy(out, text.data(), text.size());
    next_row_ += RowBlock::kValues;
    block_.advance();
    return out + text.size();
}

std::size_t TableRows::fill(char* out, std::size_t capacity) {
    char* const begin = out;
    char* const end = out + capacity;
    while (!done() && static_cast<std::size_t>(end - out) >= kMinCapacity) {
        if (block_fits()) {
            out = put_block(out);
        } else {
            out = format_row(out, next_row_);
            next_row_ += kCellsPerRow;
        }
    }
    return static_cast<std::size_t>(out - begin);
}
