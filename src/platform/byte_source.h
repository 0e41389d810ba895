// The bytes of a data file or of a buffer in memory, read front to back. The
// readers of the game's files (sprite banks, the sound bank, the script) take
// their bytes from one of these, so that a file and the same bytes in memory
// are read by the same code.
//
// Threads: one source is used by one thread; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

class ByteSource {
 public:
  // Opens the file at path for reading; Opened() tells whether that worked.
  explicit ByteSource(const std::string& path);
  // The size bytes at data (kept by the caller while the source is used).
  ByteSource(const uint8_t* data, size_t size);
  ~ByteSource();
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  bool Opened() const { return file_ != nullptr || memory_; }
  // The whole length in bytes; false when it cannot be told (a directory, a
  // pipe, a device: anything but a plain file).
  bool Size(uint64_t* size) const;
  // Reads up to n bytes into to; fewer only at the end or after a read error.
  size_t Read(uint8_t* to, size_t n);
  // True once a read has failed (not merely reached the end).
  bool Failed() const;

 private:
  std::FILE* file_ = nullptr;
  bool memory_ = false;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
};

}  // namespace platform
