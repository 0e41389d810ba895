#include "platform/main_loop.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/key_router.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/sdl_video.h"

namespace platform {

namespace {

SDL_Window* g_window = nullptr;
std::atomic<bool> g_loopRunning{false};
std::mutex g_mutex;
std::condition_variable g_wake;
bool g_destroyRequested = false;

struct Task {
  std::function<void()> fn;
  bool done = false;
};
std::deque<Task*> g_tasks;
std::condition_variable g_taskDone;

KeyRouter g_keys;
// The window moved or changed its size: the pointer is read anew once the
// picture has been laid out in the window again.
bool g_pointerStale = false;
std::function<void(bool)> g_fullscreenListener;

// The switch of Alt+Enter, on the main thread, told to the listener.
void SwitchFullscreen(SdlVideo* video) {
  if (!video || !g_window) return;
  video->ToggleFullscreen();
  if (g_fullscreenListener) g_fullscreenListener((SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN) != 0);
}

// How long the game thread gets to end the program itself after an end was
// requested, before the main thread ends it.
constexpr double kQuitGraceMs = 1000.0;

SdlVideo* CurrentSdlVideo() { return dynamic_cast<SdlVideo*>(GetVideo()); }

void RunTasks() {
  std::unique_lock<std::mutex> lock(g_mutex);
  while (!g_tasks.empty()) {
    Task* t = g_tasks.front();
    g_tasks.pop_front();
    lock.unlock();
    t->fn();
    lock.lock();
    t->done = true;
    g_taskDone.notify_all();
  }
}

bool IsBoxKey(SDL_Keycode k) {
  return k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_SPACE || k == SDLK_ESCAPE;
}

void MoveCursor(SdlVideo* video, int wx, int wy) {
  if (!video) return;
  int x, y;
  video->WindowToScreen(wx, wy, &x, &y);
  SetCursorPos(x, y);
}

// Handles one event. With a box open, keys and clicks go to the box (true is
// returned when it is dismissed); button releases still reach the game so a
// held button is never left pressed.
bool HandleEvent(const SDL_Event& e, bool boxOpen) {
  SdlVideo* video = CurrentSdlVideo();
  InputSink* sink = GetInputSink();
  switch (e.type) {
    case SDL_QUIT:
      RequestQuit();
      break;
    case SDL_WINDOWEVENT:
      if (!video) break;
      if (e.window.event == SDL_WINDOWEVENT_MINIMIZED) video->LoseDisplay();
      if (e.window.event == SDL_WINDOWEVENT_MOVED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        g_pointerStale = true;
      if ((e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
           e.window.event == SDL_WINDOWEVENT_MAXIMIZED) &&
          !video->DisplayAvailable())
        video->RestoreDisplay();
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      if (video) video->ResetTextures();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      // Keys go to an open box instead of the game; the fullscreen toggle works either way.
      const KeyRoute route = g_keys.Route(e.key, boxOpen ? nullptr : sink);
      if (route == KeyRoute::kToggleFullscreen) SwitchFullscreen(video);
      if (route == KeyRoute::kGame && boxOpen && e.type == SDL_KEYDOWN) return IsBoxKey(e.key.keysym.sym);
      break;
    }
    case SDL_MOUSEMOTION:
      MoveCursor(video, e.motion.x, e.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (boxOpen) break;
      MoveCursor(video, e.button.x, e.button.y);
      if (sink && e.button.button == SDL_BUTTON_LEFT) sink->OnLButtonDown();
      if (sink && e.button.button == SDL_BUTTON_RIGHT) sink->OnRButtonDown();
      break;
    case SDL_MOUSEBUTTONUP:
      if (sink && e.button.button == SDL_BUTTON_LEFT) sink->OnLButtonUp();
      if (sink && e.button.button == SDL_BUTTON_RIGHT) sink->OnRButtonUp();
      if (boxOpen && video && e.button.button == SDL_BUTTON_LEFT) return video->OnBoxButton(e.button.x, e.button.y);
      break;
    default:
      break;
  }
  return false;
}

// The pointer where the mouse really is. After the window changed its size or
// place (a fullscreen toggle) no motion may come until the mouse moves, and
// the game would go on with a pointer left at the window's corner.
void ReadRealPointer(SdlVideo* video) {
  if (!g_window) return;
  int gx = 0, gy = 0, wx = 0, wy = 0;
  SDL_GetGlobalMouseState(&gx, &gy);
  SDL_GetWindowPosition(g_window, &wx, &wy);
  MoveCursor(video, gx - wx, gy - wy);
}

void UpdateSystemCursor(bool boxOpen) {
  const int want = (boxOpen || CursorShown()) ? SDL_ENABLE : SDL_DISABLE;
  if (SDL_ShowCursor(SDL_QUERY) != want) SDL_ShowCursor(want);
}

bool WindowShown() { return g_window && (SDL_GetWindowFlags(g_window) & SDL_WINDOW_SHOWN); }

}  // namespace

SDL_Window* MainWindowHandle() { return g_window; }

std::unique_ptr<Video> CreateVideoForRun() {
  if (Headless()) return std::make_unique<HeadlessVideo>();
  return std::make_unique<SdlVideo>(g_window);
}

bool CreateMainWindow(const std::string& title) {
  if (Headless()) return true;
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (GetOptions().windowed) {
    g_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  } else {
    // Over the whole desktop, made fullscreen when the display is set up.
    g_window = SDL_CreateWindow(title.c_str(), 0, 0, 640, 480, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (g_window) CoverDesktop(g_window);
  }
  return g_window != nullptr;
}

void SetMainWindowIcon(const uint32_t* argb, int width, int height) {
  if (!g_window) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32, width * 4,
                                                         SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(g_window, icon);
  SDL_FreeSurface(icon);
}

void ShowMainWindow() {
  if (!g_window) return;
  SDL_ShowWindow(g_window);
  SDL_RaiseWindow(g_window);
}

void PostDestroyMainWindow() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_destroyRequested = true;
  g_wake.notify_all();
}

void RunOnMainThread(const std::function<void()>& fn) {
  if (OnMainThread() || !g_loopRunning) {
    fn();
    return;
  }
  Task task{fn, false};
  std::unique_lock<std::mutex> lock(g_mutex);
  g_tasks.push_back(&task);
  g_wake.notify_all();
  while (!task.done) g_taskDone.wait(lock);
}

void SetFullscreen(bool fullscreen) {
  if (Headless()) return;
  RunOnMainThread([fullscreen] {
    if (g_window && ((SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN) != 0) != fullscreen)
      SwitchFullscreen(CurrentSdlVideo());
  });
}

void SetFullscreenListener(std::function<void(bool fullscreen)> listener) { g_fullscreenListener = std::move(listener); }

void RunMessageLoop() {
  g_loopRunning = true;
  double quitSeen = -1;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(g_mutex);
      if (g_destroyRequested) break;
      if (Headless()) g_wake.wait_for(lock, std::chrono::milliseconds(20));
    }
    RunTasks();
    if (QuitRequested()) {
      if (quitSeen < 0) quitSeen = NowMs();
      if (NowMs() - quitSeen > kQuitGraceMs) Terminate(0);
    }
    if (Headless()) continue;

    PendingBox box;
    bool boxOpen = GetActiveBox(&box);
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (HandleEvent(e, boxOpen)) {
        DismissActiveBox();
        boxOpen = false;
      }
    UpdateSystemCursor(boxOpen);

    static double nextTimer = -1;
    if (WindowTimerRunning()) {
      const double period = WindowTimerPeriodMs(), now = NowMs();
      if (nextTimer < 0 || now - nextTimer > 10 * period) nextTimer = now + period;
      while (now >= nextTimer) {
        if (InputSink* sink = GetInputSink()) sink->OnTimer(WindowTimerId());
        nextTimer += period;
      }
    }
    if (SdlVideo* video = CurrentSdlVideo()) {
      static int layoutSeen = 0;
      video->ScanOut(boxOpen ? &box : nullptr);
      if (g_pointerStale || video->LayoutChanges() != layoutSeen) {
        layoutSeen = video->LayoutChanges();
        g_pointerStale = false;
        ReadRealPointer(video);
      }
    } else {
      SDL_Delay(16);
    }
  }
  g_loopRunning = false;
  RunTasks();
  if (SdlVideo* video = CurrentSdlVideo()) video->StopWaiting();
  if (g_window) {
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
  }
}

void RunModalBox(const std::string& text, const std::string& title, bool owned) {
  SdlVideo* video = CurrentSdlVideo();
  if (!owned || !video || !video->CanDrawBoxes() || !WindowShown()) {
    // Before the game's window is up: the system's own box, with no owner.
    const std::string caption = title.empty() ? AppName() : title;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                             owned && WindowShown() ? g_window : nullptr);
    return;
  }
  PendingBox box{text, title};
  for (bool dismissed = false; !dismissed;) {
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (HandleEvent(e, true)) dismissed = true;
    if (QuitRequested()) Terminate(0);
    UpdateSystemCursor(true);
    video->ScanOut(&box);
  }
}

}  // namespace platform
