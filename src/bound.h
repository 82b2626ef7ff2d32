#pragma once

#include <cstdint>

// Converts a command-line argument to a bound the way the tool always has:
// leading white space (HT, LF, VT, FF, CR, space) is skipped, one optional
// sign is taken, then decimal digits up to the first other byte. The value
// wraps modulo 2^32 and a "-" negates it modulo 2^32. Never fails: text
// without digits converts to 0.
std::uint32_t to_bound(const char* text);
