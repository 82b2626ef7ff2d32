#pragma once

// How writing the page ended. Both the file opener and the writer of an open
// file report it, so it stands apart from either.
enum class PageOutcome {
    written,                 // created, written in full and closed
    not_created,             // could not be created or opened; nothing written
    not_completely_written,  // a write or the close failed; the file is cut short
};
