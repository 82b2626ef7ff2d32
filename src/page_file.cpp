#include "page_file.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "page_text.h"
#include "table_rows.h"

namespace {

static_assert(kPageBufferBytes >= TableRows::kLargestPiece,
              "an emptied buffer must always take the next rows");
static_assert(kPageBufferBytes >= kPagePrologue.size() && kPageBufferBytes >= kPageEpilogue.size(),
              "an emptied buffer must always take a fixed text");

// Collects the page in one fixed buffer and hands it to the file a buffer at
// a time.
class PageBuffer {
  public:
    explicit PageBuffer(PageFile& file) : file_(file), buffer_(new char[kPageBufferBytes]) {}

    bool append(std::string_view text) {
        if (kPageBufferBytes - used_ < text.size() && !flush()) return false;
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
        return true;
    }

    bool append_rows(TableRows& rows) {
        for (;;) {
            used_ += rows.fill(buffer_.get() + used_, kPageBufferBytes - used_);
            if (rows.done()) return true;
            if (!flush()) return false;
        }
    }

    bool flush() {
        const bool written = file_.write(buffer_.get(), used_);
        used_ = 0;
        return written;
    }

  private:
    PageFile& file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

bool write_contents(PageFile& file, std::uint32_t first, std::uint32_t last) {
    PageBuffer page(file);
    TableRows rows(first, last);
    return page.append(kPagePrologue) && page.append_rows(rows) && page.append(kPageEpilogue) &&
           page.flush();
}

}  // namespace

PageOutcome write_page_to(PageFile& file, std::uint32_t first, std::uint32_t last) {
    const bool written = write_contents(file, first, last);
    const bool closed = file.close();
    return written && closed ? PageOutcome::written : PageOutcome::not_completely_written;
}
