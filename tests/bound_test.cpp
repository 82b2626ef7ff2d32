#include "bound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace {

struct Conversion {
    std::string text;
    std::uint32_t bound;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class BoundConversion : public testing::TestWithParam<Conversion> {};

TEST_P(BoundConversion, ConvertsLikeTheTool) {
    EXPECT_EQ(to_bound(GetParam().text.c_str()), GetParam().bound) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Digits, BoundConversion,
                         testing::Values(Conversion{"0", 0}, Conversion{"20", 20},
                                         Conversion{"00042", 42}, Conversion{"12abc", 12},
                                         Conversion{"4294967295", 4294967295U},
                                         Conversion{"2147483648", 2147483648U},
                                         Conversion{"1.5", 1}, Conversion{"7 8", 7},
                                         Conversion{"0x10", 0}));

// Overflow is not detected: every digit wraps the value modulo 2^32.
INSTANTIATE_TEST_SUITE_P(Wrapping, BoundConversion,
                         testing::Values(Conversion{"4294967296", 0}, Conversion{"4294967297", 1},
                                         Conversion{"42949672950", 4294967286U},
                                         Conversion{"99999999999999999999", 1661992959U},
                                         Conversion{"18446744073709551616", 0}));

INSTANTIATE_TEST_SUITE_P(Signs, BoundConversion,
                         testing::Values(Conversion{"-5", 4294967291U}, Conversion{"+7", 7},
                                         Conversion{"-0", 0}, Conversion{"-4294967295", 1},
                                         Conversion{"-4294967296", 0}, Conversion{"+-3", 0},
                                         Conversion{"--3", 0}, Conversion{"- 5", 0},
                                         Conversion{"-", 0}, Conversion{"+", 0}));

INSTANTIATE_TEST_SUITE_P(NoDigits, BoundConversion,
                         testing::Values(Conversion{"", 0}, Conversion{"abc", 0},
                                         Conversion{" ", 0},
                                         Conversion{"\xEF\xBC\x93", 0}  // a full-width digit three
                                         ));

// Only HT, LF, VT, FF, CR and space are skipped; bytes such as 0x85 (NEL),
// 0xA0 (no-break space) and 0x1C stop the conversion at once.
INSTANTIATE_TEST_SUITE_P(WhiteSpace, BoundConversion,
                         testing::Values(Conversion{" +7", 7}, Conversion{"\t\n\v\f\r 9", 9},
                                         Conversion{"  -1", 4294967295U},
                                         Conversion{"\x85"
                                                    "5",
                                                    0},
                                         Conversion{"\xA0"
                                                    "5",
                                                    0},
                                         Conversion{"\x1C"
                                                    "5",
                                                    0},
                                         Conversion{"\x08"
                                                    "5",
                                                    0},
                                         Conversion{"\x0E"
                                                    "5",
                                                    0},
                                         Conversion{"+ 5", 0}, Conversion{"5 ", 5}));

TEST(BoundConversionNull, MissingTextIsZero) { EXPECT_EQ(to_bound(nullptr), 0U); }

}  // namespace
