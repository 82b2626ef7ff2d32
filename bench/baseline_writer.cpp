// The comparison point for the tool's speed: the same page, made the
// straightforward way, with one fprintf call per piece through stdio.
// Usage: baseline_writer First Last (plain decimal numbers).
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 3) return 1;
    const unsigned long long first = std::strtoull(argv[1], nullptr, 10);
    const unsigned long long last = std::strtoull(argv[2], nullptr, 10);
    std::FILE* page = std::fopen("tavu.html", "wb");
    if (page == nullptr) return 50;

    std::fprintf(page, "<HTML><BODY>\r\n<CENTER>\r\n<TABLE BORDER>\r\n<TR ALIGN=\"right\"><TD>");
    std::fprintf(page, "\x81\x40");
    std::fprintf(page,
                 "</TD><TD>00</TD><TD>01</TD><TD>02</TD><TD>03</TD><TD>04</TD><TD>05</TD>"
                 "<TD>06</TD><TD>07</TD><TD>08</TD><TD>09</TD>\r\n    <TD>10</TD><TD>11</TD>"
                 "<TD>12</TD><TD>13</TD><TD>14</TD><TD>15</TD><TD>16</TD><TD>17</TD><TD>18</TD>"
                 "<TD>19</TD></TR>\r\n");
    for (unsigned long long row = first; row < last; row += 20) {
        std::fprintf(page, "<TR ALIGN=\"right\"><TD>%llu</TD>", row);
        for (unsigned long long value = row; value < row + 20; ++value) {
            std::fprintf(page, "<TD>&#%llu;</TD>", value);
            if (value % 20 == 9) std::fprintf(page, "\r\n    ");
        }
        std::fprintf(page, "</TR>\r\n");
    }
    std::fprintf(page, "\r\n</TABLE>\r\n</CENTER>\r\n</BODY></HTML>\r\n");
    return std::fclose(page) == 0 ? 0 : 51;
}
