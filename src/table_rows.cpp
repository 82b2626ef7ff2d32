#include "table_rows.h"

#include "page_text.h"

const std::size_t TableRows::kMinCapacity = kMaxRowBytes;

std::size_t TableRows::fill(char* out, std::size_t capacity) {
    char* const begin = out;
    char* const end = out + capacity;
    while (!done() && static_cast<std::size_t>(end - out) >= kMaxRowBytes) {
        out = format_row(out, next_row_);
        next_row_ += kCellsPerRow;
    }
    return static_cast<std::size_t>(out - begin);
}
