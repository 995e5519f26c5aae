#pragma once
#include <cstdint>

// 32-bit result codes as the game's operations report them: 0 or positive is
// success, negative is failure.
using Result = int32_t;

constexpr Result S_OK = 0;
constexpr Result S_FALSE = 1;
constexpr Result E_FAIL = static_cast<Result>(0x80004005u);
constexpr Result E_POINTER = static_cast<Result>(0x80004003u);
constexpr Result E_INVALIDARG = static_cast<Result>(0x80070057u);
constexpr Result E_NOINTERFACE = static_cast<Result>(0x80004002u);
constexpr Result E_UNEXPECTED = static_cast<Result>(0x8000FFFFu);
constexpr Result E_OUTOFMEMORY = static_cast<Result>(0x8007000Eu);

inline bool Succeeded(Result r) { return r >= 0; }
inline bool Failed(Result r) { return r < 0; }
