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
    lower_.ends.clear();
    upper_.ends.clear();
    if (!regular_) return;

    const std::uint64_t upper_part = start / 100;
    lower_.width = upper_.width = width - 2;
    std::to_chars(lower_.upper, lower_.upper + kMaxDigits, upper_part);
    std::to_chars(upper_.upper, upper_.upper + kMaxDigits, upper_part + 1);
    for (std::size_t at = 0; at < size_; ++at) {
        if (!is_digit(text_[at])) continue;
        const std::size_t upper_end = at + width - 2;
        const bool lower = std::memcmp(text_ + at, lower_.upper, lower_.width) == 0;
        (lower ? lower_ : upper_).ends.push_back(upper_end);
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
    lower_.step_up(text_);
    upper_.step_up(text_);
}

// Adds one to the shared upper digits and copies the digits that changed
// into every number of this kind. can_step() has made sure no carry leaves
// the leading digit of any number in the block. A block that starts at a
// multiple of 100 has no numbers of the upper kind, and their digits may well
// be about to grow (800 to 899 next becomes 900 to 999, which would make the
// upper part 10): they are left alone.
void RowBlock::Numbers::step_up(char* text) {
    if (ends.empty()) return;
    std::size_t changed = 1;
    for (char* digit = upper + width - 1; *digit == '9'; --digit) {
        *digit = '0';
        ++changed;
    }
    ++upper[width - changed];
    const char* source = upper + width - changed;
    if (changed == 1) {
        for (std::size_t end : ends) text[end - 1] = *source;
    } else {
        for (std::size_t end : ends) std::memcpy(text + end - changed, source, changed);
    }
}
