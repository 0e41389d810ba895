// Files for tests: a fresh folder of this process's own (CTest runs the tests
// in parallel), a file written into one, a file's bytes read back.
// Header-only; any thread.
#pragma once

#include <atomic>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testfiles {

// A new, empty folder for the tag (under TEST_TMPDIR when it is set).
inline std::string TestDir(const std::string& tag) {
  namespace fs = std::filesystem;
  const char* base = std::getenv("TEST_TMPDIR");
  static std::atomic<int> counter = 0;
  const fs::path dir = (base ? fs::path(base) : fs::temp_directory_path() / "bulwark-tests") /
                       (tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

// Writes bytes to a fresh file `name` in a new folder for the tag and
// returns its path (the folder alone when bytes is null).
inline std::string WriteTestFile(const std::string& tag, const std::string& name, const std::vector<uint8_t>* bytes) {
  const std::string path = TestDir(tag) + "/" + name;
  if (bytes) std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  return path;
}

// A file's bytes (empty when it cannot be read).
inline std::vector<uint8_t> ReadTestFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

}  // namespace testfiles
