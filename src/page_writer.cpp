#include "page_writer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "page_text.h"
#include "table_rows.h"

namespace {

// Large enough that writes come in big blocks, small enough that the whole
// run stays within a few MiB of memory.
constexpr std::size_t kBufferBytes = std::size_t{256} * 1024;

// Collects the page in one fixed buffer and hands it to the file a block at
// a time. The file itself is unbuffered, so a failing write is seen at once.
class BlockOutput {
  public:
    explicit BlockOutput(std::FILE* file) : file_(file), buffer_(new char[kBufferBytes]) {}

    bool append(std::string_view text) {
        if (kBufferBytes - used_ < text.size() && !flush()) return false;
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
        return true;
    }

    bool append_rows(TableRows& rows) {
        while (!rows.done()) {
            if (kBufferBytes - used_ < TableRows::kMinCapacity && !flush()) return false;
            used_ += rows.fill(buffer_.get() + used_, kBufferBytes - used_);
        }
        return true;
    }

    bool flush() {
        const bool ok = std::fwrite(buffer_.get(), 1, used_, file_) == used_;
        used_ = 0;
        return ok;
    }

  private:
    std::FILE* file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

bool write_table(std::FILE* file, std::uint32_t first, std::uint32_t last) {
    if (std::setvbuf(file, nullptr, _IONBF, 0) != 0) return false;
    BlockOutput output(file);
    TableRows rows(first, last);
    return output.append(kPagePrologue) && output.append_rows(rows) &&
           output.append(kPageEpilogue) && output.flush();
}

}  // namespace

PageOutcome write_page(std::uint32_t first, std::uint32_t last) {
    // Binary mode: the line ends are already CR LF and must not change.
    std::FILE* file = std::fopen(kPageFileName, "wb");
    if (file == nullptr) return PageOutcome::not_created;
    const bool written = write_table(file, first, last);
    const bool closed = std::fclose(file) == 0;
    return written && closed ? PageOutcome::written : PageOutcome::not_completely_written;
}
