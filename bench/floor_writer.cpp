// The floor for writing a page: the same number of bytes as the tool's page
// into tavu.html, from one pre-filled buffer in large write calls, with no
// formatting at all. Usage: floor_writer Bytes
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc < 2) return 1;
    unsigned long long left = std::strtoull(argv[1], nullptr, 10);
    const std::vector<char> block(1 << 20, 'x');
    const int fd = open("tavu.html", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 50;
    while (left > 0) {
        const std::size_t chunk =
            left < block.size() ? static_cast<std::size_t>(left) : block.size();
        const ssize_t written = write(fd, block.data(), chunk);
        if (written <= 0) return 51;
        left -= static_cast<unsigned long long>(written);
    }
    return close(fd) == 0 ? 0 : 51;
}
