#pragma once

// Developer trace lines (widget state changes and the like). They go to
// standard error only when the environment variable ZESTBOX_DEBUG is set,
// and carry no meaning for the game. Safe from any thread.
void DebugOutput(const char* text);
bool DebugOutputEnabled();
