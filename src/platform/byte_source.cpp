#include "platform/byte_source.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace platform {

ByteSource::ByteSource(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

ByteSource::ByteSource(const uint8_t* data, size_t size) : memory_(true), data_(data), size_(data ? size : 0) {}

ByteSource::~ByteSource() {
  if (file_) std::fclose(file_);
}

bool ByteSource::Size(uint64_t* size) const {
  if (memory_) {
    *size = size_;
    return true;
  }
  struct stat st {};
  if (!file_ || fstat(fileno(file_), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

size_t ByteSource::Read(uint8_t* to, size_t n) {
  if (file_) return std::fread(to, 1, n, file_);
  const size_t got = std::min(n, size_ - pos_);
  if (got) std::memcpy(to, data_ + pos_, got);
  pos_ += got;
  return got;
}

bool ByteSource::Failed() const { return file_ && std::ferror(file_); }

}  // namespace platform
