#pragma once

#include <cstdint>

// The file the page is written to, in the current working directory.
inline constexpr char kPageFileName[] = "tavu.html";

enum class PageOutcome {
    written,                 // created, written in full and closed
    not_created,             // could not be created or opened; nothing written
    not_completely_written,  // a write or the close failed; the file is cut short
};

// Creates (or empties) tavu.html and writes the entity table for the row
// starts from `first` while below `last`. Writing stops at the first failure.
PageOutcome write_page(std::uint32_t first, std::uint32_t last);
