#include "platform/message_box.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "platform/main_loop.h"
#include "platform/runtime.h"

namespace platform {

namespace {
std::mutex g_mutex;
std::condition_variable g_dismissed;
std::vector<std::string> g_log;
bool g_active = false;
PendingBox g_box;
}  // namespace

void ShowMessage(const std::string& text, const std::string& title, bool owned) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log.push_back(text);
  }
  std::fprintf(stderr, "message: %s\n", text.c_str());
  if (Headless()) return;
  if (OnMainThread()) {
    RunModalBox(text, title, owned);
    return;
  }
  std::unique_lock<std::mutex> lock(g_mutex);
  g_box = {text, title};
  g_active = true;
  while (g_active) {
    g_dismissed.wait_for(lock, std::chrono::milliseconds(50));
    if (QuitRequested()) {
      lock.unlock();
      Terminate(0);
    }
  }
}

std::vector<std::string> MessagesShown() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_log;
}

void ClearMessagesShown() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_log.clear();
}

bool GetActiveBox(PendingBox* out) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_active && out) *out = g_box;
  return g_active;
}

void DismissActiveBox() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_active = false;
  g_dismissed.notify_all();
}

}  // namespace platform
