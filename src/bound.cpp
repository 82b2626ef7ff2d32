#include "bound.h"

namespace {

// Only these six bytes count: a locale-aware isspace would also accept
// bytes such as 0x85 or 0xA0 under some locales.
bool is_blank(unsigned char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

bool is_digit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

std::uint32_t to_bound(const char* text) {
    if (text == nullptr) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (is_blank(*p)) ++p;

    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }

    // Unsigned arithmetic wraps modulo 2^32 by definition, which is exactly
    // the conversion wanted: overflow is not an error.
    std::uint32_t value = 0;
    for (; is_digit(*p); ++p) value = value * 10U + static_cast<std::uint32_t>(*p - '0');
    return negative ? 0U - value : value;
}
