#pragma once

// Data our code hands from one thread to another through GStreamer: a
// callback's state set up on the main thread and used on a streaming thread,
// a picture drawn on one streaming thread and read on the next, state a
// streaming thread leaves behind for the main thread after it stopped. GLib
// orders these with its own atomics and futex locks, which ThreadSanitizer
// cannot see, so it would take them for races. The sending thread calls
// HandOver(p) after its last write, the receiving one TakeOver(p) before its
// first read (p: any address both agree on). Without ThreadSanitizer both
// are empty.

#if defined(__SANITIZE_THREAD__)
#define ZESTBOX_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZESTBOX_THREAD_SANITIZER 1
#endif
#endif

#ifdef ZESTBOX_THREAD_SANITIZER
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);

inline void HandOver(const void* what) { __tsan_release(const_cast<void*>(what)); }
inline void TakeOver(const void* what) { __tsan_acquire(const_cast<void*>(what)); }
#else
inline void HandOver(const void*) {}
inline void TakeOver(const void*) {}
#endif
