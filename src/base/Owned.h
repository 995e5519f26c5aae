#pragma once
#include <memory>

// Gives a C library's object back the library's own way (an unref, a free)
// when its owner lets go: `Release` is that call, taking the object's pointer.
template <auto Release>
struct ReleaseWith {
  template <typename T>
  void operator()(T* object) const {
    Release(object);
  }
};

// The one owner of one reference to a C library's object, for example
// Owned<GstCaps, gst_caps_unref>: released when the holder goes, never by
// hand; release() hands the reference on to whoever takes it (a bin that
// adopts an element, a caller that owns the result). A library whose release
// call is an inline function in its header gets one type per source file, so
// such holders stay out of headers.
template <typename T, auto Release>
using Owned = std::unique_ptr<T, ReleaseWith<Release>>;
