#include "table_rows.h"

#include <cassert>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

constexpr bool holds_no_digit(std::string_view text) {
    return text.find_first_of("0123456789") == std::string_view::npos;
}

static_assert(holds_no_digit(kRowLabelOpen) && holds_no_digit(kRowLabelClose) &&
                  holds_no_digit(kCellOpen) && holds_no_digit(kCellClose) &&
                  holds_no_digit(kMidRowBreak) && holds_no_digit(kRowEnd),
              "every run of digits in a block must be one number");
static_assert(TableRows::kBlockValues % kCellsPerRow == 0, "a block holds whole rows");
// There are only ninety numbers of two digits and ten of one, so a block
// whose numbers have one count of digits has at least three: every number
// has a stem.
static_assert(TableRows::kBlockValues > 90, "a block of one digit count must have stems");
static_assert(TableRows::kBlockValues == 100,
              "a stem is all digits but the last two: only a step of a hundred adds one to it");
static_assert(TableRows::kLargestPiece <= std::numeric_limits<std::uint16_t>::max(),
              "every offset in a block fits the stem ends' storage");

std::size_t digit_count(std::uint64_t value) {
    std::size_t count = 1;
    for (; value >= 10; value /= 10) ++count;
    return count;
}

std::uint64_t power_of_ten(std::size_t exponent) {
    std::uint64_t power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

}  // namespace

std::size_t TableRows::fill(char* room, std::size_t size) {
    char* out = room;
    char* const end = room + size;
    while (!done()) {
        const bool block = block_applies();
        const std::size_t most = block ? kLargestPiece : kMaxRowBytes;
        if (static_cast<std::size_t>(end - out) < most) break;
        out = block ? put_block(out) : put_row(out);
    }
    assert(out != room || done() || size < kLargestPiece);
    return static_cast<std::size_t>(out - room);
}

// The only place that chooses the block: all five of its rows are wanted,
// and all its numbers have one count of digits (hence at least three).
// Mostly the previous block can simply be stepped, which settles it
// without counting.
bool TableRows::block_applies() const {
    const std::uint64_t last_block_row = next_row_ + kBlockValues - kCellsPerRow;
    if (last_block_row >= last_) return false;
    if (can_step()) return true;
    return digit_count(next_row_) == digit_count(next_row_ + kBlockValues - 1);
}

// block_ holds the five rows before next_row_, and the next hundred values
// stay below the power of ten that bounds its numbers: so they have as many
// digits as the previous block's, and no stem grows a digit.
bool TableRows::can_step() const {
    return block_is_previous_ && next_row_ + kBlockValues - 1 < block_ceiling_;
}

char* TableRows::put_block(char* out) {
    if (can_step()) {
        step_block();
    } else {
        format_block();
    }
    std::memcpy(out, block_, block_size_);
    next_row_ += kBlockValues;
    block_is_previous_ = true;
    return out + block_size_;
}

char* TableRows::put_row(char* out) {
    out = format_row(out, next_row_);
    next_row_ += kCellsPerRow;
    block_is_previous_ = false;
    return out;
}

// Formats the five rows from next_row_, whose numbers all have one count of
// digits, and notes where each number's stem ends and where the numbers of
// the next stem up begin.
void TableRows::format_block() {
    const std::size_t width = digit_count(next_row_);
    assert(width >= 3 && digit_count(next_row_ + kBlockValues - 1) == width);
    char* end = block_;
    for (std::size_t row = 0; row < kBlockRows; ++row)
        end = format_row(end, next_row_ + row * kCellsPerRow);
    block_size_ = static_cast<std::size_t>(end - block_);
    block_ceiling_ = power_of_ten(width);

    const std::size_t stem_width = width - 2;
    std::size_t numbers = 0;
    for (std::size_t at = 0; at < block_size_; ++at) {
        if (!is_digit(block_[at])) continue;
        assert(numbers < kBlockNumbers);
        stem_ends_[numbers++] = static_cast<std::uint16_t>(at + stem_width);
        at += width - 1;
    }
    assert(numbers == kBlockNumbers);

    // The numbers come in rising order, so those of the first stem come
    // first; the rest share the stem one higher.
    const char* const first_stem = block_ + stem_ends_[0] - stem_width;
    higher_stem_from_ = 1;
    while (higher_stem_from_ < kBlockNumbers &&
           std::memcmp(block_ + stem_ends_[higher_stem_from_] - stem_width, first_stem,
                       stem_width) == 0)
        ++higher_stem_from_;
}

// Turns the previous block into the one from next_row_ by adding one to
// every stem.
void TableRows::step_block() {
    step_stems(0, higher_stem_from_);
    step_stems(higher_stem_from_, kBlockNumbers);
}

// Adds one to the shared stem of the numbers from index `begin` to `end`:
// once, with its carry, in the first of them, then by copying the digits
// that changed into the others, which is one byte in nine steps out of ten.
// No carry runs past a number's first digit (see can_step).
void TableRows::step_stems(std::size_t begin, std::size_t end) {
    if (begin == end) return;
    char* const lead_end = block_ + stem_ends_[begin];
    std::size_t changed = 1;
    char* digit = lead_end - 1;
    for (; *digit == '9'; --digit, ++changed) *digit = '0';
    assert(is_digit(*digit));
    ++*digit;
    if (changed == 1) {
        for (std::size_t number = begin + 1; number < end; ++number)
            block_[stem_ends_[number] - 1] = *digit;
    } else {
        for (std::size_t number = begin + 1; number < end; ++number)
            std::memcpy(block_ + stem_ends_[number] - changed, lead_end - changed, changed);
    }
}
