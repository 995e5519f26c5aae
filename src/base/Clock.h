#pragma once
#include <cstdint>

// The game's one clock: milliseconds as an unsigned 32-bit count that wraps
// after about 49 days. Every timer compares an unsigned difference
// (now - then) with a limit, so the wrap is harmless. Any thread may read it.
uint32_t TickCount();

// Blocks the calling thread for `milliseconds` of the game's time: real time
// normally; on the manual clock it returns at once, since only the clock's
// owner moves that time.
void WaitMs(uint32_t milliseconds);

// Tests and the fixed-step mode replace real time with a manual clock.
// While it is installed TickCount() returns the value set here.
void InstallManualClock(uint32_t start);
void SetManualTickCount(uint32_t now);
void AdvanceManualTickCount(uint32_t milliseconds);
void RemoveManualClock();
bool IsManualClockInstalled();
