#include "platform/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

std::string Failure(const std::string& path, int code) { return path + ": " + std::strerror(code); }

}  // namespace

std::string UserConfigDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/bulwark";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config/bulwark";
  return "";
}

ReadResult ReadUserFile(const std::string& path, size_t maxBytes, std::string* bytes, std::string* error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return ReadResult::kMissing;
    *error = Failure(path, errno);
    return ReadResult::kUnreadable;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    *error = path + ": not a file";
    return ReadResult::kUnreadable;
  }
  bytes->clear();
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = Failure(path, errno);
      close(fd);
      return ReadResult::kUnreadable;
    }
    if (n == 0) break;
    if (bytes->size() + static_cast<size_t>(n) > maxBytes) {
      close(fd);
      return ReadResult::kTooLarge;
    }
    bytes->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return ReadResult::kRead;
}

bool WriteUserFile(const std::string& path, const std::string& bytes, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (ec) {
    *error = folder.string() + ": " + ec.message();
    return false;
  }
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    *error = Failure(temp, errno);
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const int code = done < bytes.size() ? (errno ? errno : EIO) : 0;
  const bool written = code == 0 && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  const int writeError = written ? 0 : (code ? code : errno);
  close(fd);
  if (!written || rename(temp.c_str(), path.c_str()) != 0) {
    *error = Failure(path, written ? errno : writeError);
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
