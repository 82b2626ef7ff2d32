#include "page_text.h"

#include <charconv>
#include <cstring>

namespace {

char* put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* put_decimal(char* out, std::uint64_t value) {
    return std::to_chars(out, out + kMaxDigits, value).ptr;
}

}  // namespace

char* format_row(char* out, std::uint64_t row_start) {
    out = put(out, kRowLabelOpen);
    out = put_decimal(out, row_start);
    out = put(out, kRowLabelClose);
    for (std::uint64_t value = row_start; value < row_start + kCellsPerRow; ++value) {
        out = put(out, kCellOpen);
        out = put_decimal(out, value);
        out = put(out, kCellClose);
        if (value % kCellsPerRow == kBreakRemainder) out = put(out, kMidRowBreak);
    }
    return put(out, kRowEnd);
}
