#pragma once
#include <cstdint>

// The game's string table. Returns the text with the given id, or "" for an
// id the table does not hold. The returned text lives for the whole run.
const char* LoadText(uint32_t id);
