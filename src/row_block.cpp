#include "row_block.h"

#include <charconv>
#include <cstring>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t digit_count(std::uint64_t value) {
    char digits[kMaxDigits + 10];
    return static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr -
                                    digits);
}

}  // namespace

void RowBlock::format(std::uint64_t start) {
    start_ = start;
    char* end = text_;
    for (int row = 0; row < kRows; ++row)
        end = format_row(end, start + static_cast<std::uint64_t>(row) * kCellsPerRow);
    size_ = static_cast<std::size_t>(end - text_);

    const std::size_t width = digit_count(start);
    regular_ = width >= 3 && digit_count(start + kValues - 1) == width;
    this_hundred_.ends.clear();
    next_hundred_.ends.clear();
    if (!regular_) return;

    const std::uint64_t hundreds = start / 100;
    this_hundred_.width = next_hundred_.width = width - 2;
    std::to_chars(this_hundred_.high_digits, this_hundred_.high_digits + kMaxDigits, hundreds);
    std::to_chars(next_hundred_.high_digits, next_hundred_.high_digits + kMaxDigits, hundreds + 1);
    for (std::size_t at = 0; at < size_; ++at) {
        if (!is_digit(text_[at])) continue;
        const std::size_t high_end = at + width - 2;
        const bool in_this_hundred =
            std::memcmp(text_ + at, this_hundred_.high_digits, this_hundred_.width) == 0;
        (in_this_hundred ? this_hundred_ : next_hundred_).ends.push_back(high_end);
        at += width - 1;
    }
}

bool RowBlock::can_step() const {
    const std::uint64_t next = start_ + kValues;
    return regular_ && digit_count(next + kValues - 1) == digit_count(start_);
}

void RowBlock::advance() {
    if (!can_step()) {
        format(start_ + kValues);
        return;
    }
    start_ += kValues;
    this_hundred_.step_up(text_);
    next_hundred_.step_up(text_);
}

// Adds one to the shared high digits and copies the digits that changed
// into every number of this kind. can_step() has made sure no carry leaves
// the leading digit of any number in the block. A block that starts at a
// multiple of 100 has no numbers in the next hundred, whose digits may well
// be about to grow (800 to 899 next becomes 900 to 999, which would make the
// next hundred's digits 10): such an empty kind is left alone.
void RowBlock::Numbers::step_up(char* text) {
    if (ends.empty()) return;
    std::size_t changed = 1;
    for (char* digit = high_digits + width - 1; *digit == '9'; --digit) {
        *digit = '0';
        ++changed;
    }
    ++high_digits[width - changed];
    const char* source = high_digits + width - changed;
    if (changed == 1) {
        for (std::size_t end : ends) text[end - 1] = *source;
    } else {
        for (std::size_t end : ends) std::memcpy(text + end - changed, source, changed);
    }
}
