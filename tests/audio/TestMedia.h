#pragma once
#include <string>

// Short sound files made by the tests themselves, in a fresh folder under the
// system's temporary directory that is removed with the object.
class TestMedia {
 public:
  TestMedia();
  ~TestMedia();
  TestMedia(const TestMedia&) = delete;
  TestMedia& operator=(const TestMedia&) = delete;

  const std::string& Directory() const { return directory; }
  std::string PathOf(const std::string& name) const { return directory + "/" + name; }

  // 16-bit mono PCM at 44100 Hz: a 440 Hz tone of `milliseconds`.
  std::string MakeWav(const std::string& name, int milliseconds) const;
  // An MP3 of a tone of about `milliseconds`, encoded by GStreamer.
  std::string MakeMp3(const std::string& name, int milliseconds) const;
  // Any bytes under `name`.
  std::string MakeFile(const std::string& name, const std::string& bytes) const;
  // The first `size` bytes of the file `source` under `name`.
  std::string MakeTruncated(const std::string& name, const std::string& source, size_t size) const;

 private:
  std::string directory;
};
