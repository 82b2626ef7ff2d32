// Differential fuzzing of the argument conversion against a deliberately
// plain model of the same rules; any difference aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bound.h"

namespace {

std::uint32_t model(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte != 0x09 && byte != 0x0A && byte != 0x0B && byte != 0x0C && byte != 0x0D &&
            byte != 0x20)
            break;
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    std::uint64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = (value * 10 + static_cast<std::uint64_t>(text[at] - '0')) % 4294967296ULL;
    if (negative) value = (4294967296ULL - value) % 4294967296ULL;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An argument ends at its first NUL byte.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    if (to_bound(text.c_str()) != model(text)) std::abort();
    return 0;
}
