#include "render/PictureLoader.h"

#include <png.h>
#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Debug.h"

namespace {

namespace fs = std::filesystem;

// Larger than any uncompressed picture within kMaxPictureSize.
constexpr std::uintmax_t kMaxFileBytes = 300u * 1024u * 1024u;

using Bytes = std::vector<unsigned char>;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The file as written, else the first file whose path differs only in letter
// case (the game's picture names were chosen on a case-blind file system).
fs::path ResolvePath(const std::string& name) {
  std::error_code error;
  const fs::path path(name);
  if (fs::is_regular_file(path, error)) {
    return path;
  }
  fs::path resolved = path.is_absolute() ? path.root_path() : fs::path(".");
  for (const fs::path& part : path.relative_path()) {
    const fs::path exact = resolved / part;
    if (part == "." || part == ".." || fs::exists(exact, error)) {
      resolved = exact;
      continue;
    }
    fs::path match;
    for (fs::directory_iterator it(resolved, error), end; !error && it != end; it.increment(error)) {
      if (SameIgnoringCase(it->path().filename().string(), part.string())) {
        match = it->path();
        break;
      }
    }
    if (match.empty()) {
      return path;
    }
    resolved = match;
  }
  return resolved;
}

bool ReadFile(const fs::path& path, Bytes& bytes) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size == 0 || size > kMaxFileBytes) {
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(size_t(size));
  return bool(in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)));
}

bool SizeAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSize && height <= kMaxPictureSize;
}

uint32_t ReadLe16(const Bytes& b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }

uint32_t ReadLe32(const Bytes& b, size_t at) { return ReadLe16(b, at) | ReadLe16(b, at + 2) << 16; }

// The decoders below fill missing data with zeros instead of failing, so a
// truncated file is caught here first.
bool BmpComplete(const Bytes& b, uint32_t width, uint32_t height) {
  if (b.size() < 34) {
    return false;
  }
  // Old 12-byte headers keep 16-bit sizes and have no compression field.
  const bool oldHeader = ReadLe32(b, 14) == 12;
  const uint32_t compression = oldHeader ? 0 : ReadLe32(b, 30);
  if (compression != 0 && compression != 3) {
    // The decoder knows no other kind, but it takes a value of 2^31 or more
    // for a negative one and decodes plain pixels far past the data's end.
    return false;
  }
  const uint64_t bitsPerPixel = ReadLe16(b, oldHeader ? 24 : 28);
  const uint64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
  return uint64_t(ReadLe32(b, 10)) + rowBytes * height <= b.size();
}

bool TgaComplete(const Bytes& b, uint32_t width, uint32_t height) {
  if (b.size() < 18) {
    return false;
  }
  const uint32_t type = b[2];
  const uint64_t colorMapBytes = b[1] != 0 ? uint64_t(ReadLe16(b, 5)) * ((b[7] + 7) / 8) : 0;
  const uint64_t pixelBytes = (uint64_t(b[16]) + 7) / 8;
  uint64_t at = 18 + uint64_t(b[0]) + colorMapBytes;
  const uint64_t pixels = uint64_t(width) * height;
  if (type < 8) {
    return at + pixels * pixelBytes <= b.size();
  }
  // Run-length packets: a header byte, then one pixel (repeat) or n pixels.
  for (uint64_t done = 0; done < pixels;) {
    if (at >= b.size()) {
      return false;
    }
    const uint64_t count = (b[at] & 0x7Fu) + 1u;
    at += 1 + ((b[at] & 0x80u) ? pixelBytes : count * pixelBytes);
    done += count;
  }
  return at <= b.size();
}

// Copies a decoded picture (ARGB words, top row first) into the top-left
// corner of a transparent power-of-two texture.
void PlaceInTexture(const uint32_t* argb, uint32_t width, uint32_t height, Picture& picture) {
  picture.pictureWidth = width;
  picture.pictureHeight = height;
  picture.width = NextPowerOfTwo(width);
  picture.height = NextPowerOfTwo(height);
  picture.texels.assign(size_t(picture.width) * picture.height, 0u);
  for (uint32_t y = 0; y < height; ++y) {
    std::copy(argb + size_t(y) * width, argb + size_t(y + 1) * width, picture.texels.begin() + size_t(y) * picture.width);
  }
}

bool DecodePng(const Bytes& bytes, Picture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    DebugOutput((std::string("png: ") + image.message + "\n").c_str());
    return false;
  }
  if (!SizeAllowed(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  // Bytes B, G, R, A in memory are one little-endian ARGB word.
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> argb(size_t(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, argb.data(), 0, nullptr)) {
    DebugOutput((std::string("png: ") + image.message + "\n").c_str());
    png_image_free(&image);
    return false;
  }
  PlaceInTexture(argb.data(), image.width, image.height, picture);
  return true;
}

bool DecodeWithStb(const Bytes& bytes, bool bmp, Picture& picture) {
  int width = 0, height = 0, channels = 0;
  if (bytes.size() > size_t(INT32_MAX) ||
      !stbi_info_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels) ||
      !SizeAllowed(uint64_t(width), uint64_t(height))) {
    return false;
  }
  if (bmp ? !BmpComplete(bytes, uint32_t(width), uint32_t(height))
          : !TgaComplete(bytes, uint32_t(width), uint32_t(height))) {
    return false;
  }
  stbi_uc* rgba = stbi_load_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels, 4);
  if (rgba == nullptr) {
    return false;
  }
  std::vector<uint32_t> argb(size_t(width) * height);
  for (size_t i = 0; i < argb.size(); ++i) {
    const stbi_uc* p = rgba + i * 4;
    argb[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  stbi_image_free(rgba);
  PlaceInTexture(argb.data(), uint32_t(width), uint32_t(height), picture);
  return true;
}

bool HasTgaName(const fs::path& path) { return SameIgnoringCase(path.extension().string(), ".tga"); }

// The decoder tells formats apart by their contents, so only a TGA header may
// reach it under a TGA name: its JPEG reader writes out of bounds on some
// broken files. No other format it knows has a 0 or 1 in its second byte.
bool HasTgaHeader(const Bytes& b) {
  if (b.size() < 18 || b[1] > 1) {
    return false;
  }
  const uint32_t type = b[2];
  return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

bool Decode(const fs::path& path, const Bytes& bytes, Picture& picture) {
  static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::equal(kPngSignature, kPngSignature + 8, bytes.begin())) {
    return DecodePng(bytes, picture);
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    return DecodeWithStb(bytes, true, picture);
  }
  // TGA files carry no signature; only their name tells them apart.
  return HasTgaName(path) && HasTgaHeader(bytes) && DecodeWithStb(bytes, false, picture);
}

}  // namespace

uint32_t NextPowerOfTwo(uint32_t value) {
  uint32_t result = 1;
  while (result < value && result < 0x80000000u) {
    result <<= 1;
  }
  return result;
}

bool LoadPicture(const std::string& name, uint32_t colorKey, Picture& picture) {
  picture = Picture();
  const fs::path path = ResolvePath(name);
  Bytes bytes;
  if (!ReadFile(path, bytes) || !Decode(path, bytes, picture)) {
    DebugOutput(("Could not load the picture " + name + "\n").c_str());
    picture = Picture();
    return false;
  }
  if (colorKey != 0) {
    std::replace(picture.texels.begin(), picture.texels.end(), colorKey, 0u);
  }
  return true;
}
