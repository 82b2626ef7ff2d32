#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The fixed texts of the page, with CR LF line ends written out: the page
// file is opened in binary mode so these bytes reach it unchanged on every
// platform. The two bytes 0x81 0x40 in the header's corner cell are the
// Shift_JIS ideographic space.
inline constexpr std::string_view kPagePrologue =
    "<HTML><BODY>\r\n<CENTER>\r\n<TABLE BORDER>\r\n<TR ALIGN=\"right\"><TD>"
    "\x81\x40"
    "</TD><TD>00</TD><TD>01</TD><TD>02</TD><TD>03</TD><TD>04</TD><TD>05</TD><TD>06</TD>"
    "<TD>07</TD><TD>08</TD><TD>09</TD>\r\n"
    "    <TD>10</TD><TD>11</TD><TD>12</TD><TD>13</TD><TD>14</TD><TD>15</TD><TD>16</TD>"
    "<TD>17</TD><TD>18</TD><TD>19</TD></TR>\r\n";

inline constexpr std::string_view kPageEpilogue = "\r\n</TABLE>\r\n</CENTER>\r\n</BODY></HTML>\r\n";

// Pieces of a data row.
inline constexpr std::string_view kRowLabelOpen = "<TR ALIGN=\"right\"><TD>";
inline constexpr std::string_view kRowLabelClose = "</TD>";
inline constexpr std::string_view kCellOpen = "<TD>&#";
inline constexpr std::string_view kCellClose = ";</TD>";
inline constexpr std::string_view kMidRowBreak = "\r\n    ";
inline constexpr std::string_view kRowEnd = "</TR>\r\n";

inline constexpr int kCellsPerRow = 20;
// The mid-row break follows the cell whose value leaves this remainder.
inline constexpr int kBreakRemainder = 9;

// Row starts are below 2^32, so a value never needs more than ten digits.
inline constexpr std::size_t kMaxDigits = 10;
inline constexpr std::size_t kMaxRowBytes =
    kRowLabelOpen.size() + kMaxDigits + kRowLabelClose.size() +
    kCellsPerRow * (kCellOpen.size() + kMaxDigits + kCellClose.size()) + kMidRowBreak.size() +
    kRowEnd.size();

// Writes the data row that starts at `row_start` to `out`, which must have
// room for kMaxRowBytes, and returns the end of what was written. Values are
// plain unsigned decimals; this is the reference every faster path must match.
char* format_row(char* out, std::uint64_t row_start);
