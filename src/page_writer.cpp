#include "page_writer.h"

#include <cstdio>

#include "page_file.h"

namespace {

// The page file through stdio, unbuffered: the page comes in large blocks
// already, and a failing write is seen at the write that failed.
class StdioPageFile final : public PageFile {
  public:
    explicit StdioPageFile(std::FILE* file) : file_(file) {}
    ~StdioPageFile() override {
        if (file_ != nullptr) static_cast<void>(std::fclose(file_));
    }

    bool unbuffer() { return std::setvbuf(file_, nullptr, _IONBF, 0) == 0; }

    bool write(const char* bytes, std::size_t size) override {
        return std::fwrite(bytes, 1, size, file_) == size;
    }

    bool close() override {
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

  private:
    std::FILE* file_;
};

}  // namespace

PageOutcome write_page(std::uint32_t first, std::uint32_t last) {
    // Binary mode: the line ends are already CR LF and must not change.
    std::FILE* const opened = std::fopen(kPageFileName, "wb");
    if (opened == nullptr) return PageOutcome::not_created;
    StdioPageFile file(opened);
    if (!file.unbuffer()) {
        static_cast<void>(file.close());
        return PageOutcome::not_completely_written;
    }
    return write_page_to(file, first, last);
}
