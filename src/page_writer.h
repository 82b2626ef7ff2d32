#pragma once

#include <cstdint>

#include "page_outcome.h"

// The file the page is written to, in the current working directory.
inline constexpr char kPageFileName[] = "tavu.html";

// Creates (or empties) tavu.html and writes the entity table for the row
// starts from `first` while below `last`. Writing stops at the first failure.
PageOutcome write_page(std::uint32_t first, std::uint32_t last);
