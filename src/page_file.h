#pragma once

#include <cstddef>
#include <cstdint>

#include "page_outcome.h"

// The page goes to the file a buffer of this size at a time: large enough
// that writes come in big blocks, small enough that the whole run stays
// within a few MiB of memory. The first buffer holds the prologue too.
inline constexpr std::size_t kPageBufferBytes = std::size_t{256} * 1024;

// Where the page's bytes go once the page file is open: the real file for the
// tool, a stand-in that can fail on cue for the tests.
class PageFile {
  public:
    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    virtual ~PageFile() = default;

    // Each returns false when the bytes did not all reach the file, or the
    // file could not be closed.
    virtual bool write(const char* bytes, std::size_t size) = 0;
    virtual bool close() = 0;
};

// Writes the whole page into the open `file` and closes it. Writing stops at
// the first failed write; the file is closed in any case. Never
// PageOutcome::not_created: the file exists by now.
PageOutcome write_page_to(PageFile& file, std::uint32_t first, std::uint32_t last);
