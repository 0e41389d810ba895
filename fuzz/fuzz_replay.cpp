// Fuzz target: the replay reader. The input is a replay without its last four
// bytes: the target appends their CRC-32, so that the fuzzer reaches the
// reader behind the file check. Whatever the reader accepts must write back
// to bytes that read back to the same replay.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "state/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  const uint32_t crc = Crc32(data, size);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  Replay replay;
  std::string error;
  if (!DecodeReplay(bytes.data(), bytes.size(), &replay, &error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  const std::vector<uint8_t> written = EncodeReplay(replay);
  Replay again;
  if (!DecodeReplay(written.data(), written.size(), &again, &error) || EncodeReplay(again) != written) __builtin_trap();
  return 0;
}
