// The main window and the main thread's message loop: SDL events become the
// game's window messages, the window timer ticks, the display is scanned out
// once per refresh, and message boxes are drawn over the picture.
//
// Threads: everything here runs on the main thread, except PostDestroyMainWindow,
// RunOnMainThread and SetFullscreen, which any thread may call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Creates the game's window, hidden until ShowMainWindow (none in headless mode).
bool CreateMainWindow(const std::string& title);
void SetMainWindowIcon(const uint32_t* argb, int width, int height);
void ShowMainWindow();

// Runs until the main window is destroyed; ends the process itself when an
// end is requested (window closed, signal) and the game thread does not.
void RunMessageLoop();

// Asks the main thread to destroy the main window, which ends the loop.
void PostDestroyMainWindow();

// Runs fn on the main thread and waits for it (directly when already there,
// or when the message loop is not running).
void RunOnMainThread(const std::function<void()>& fn);

// Makes the window fullscreen or not, as Alt+Enter switches it (any thread:
// it is done on the main thread); nothing in headless mode.
void SetFullscreen(bool fullscreen);
// Called on the main thread after every switch, with the new state.
void SetFullscreenListener(std::function<void(bool fullscreen)> listener);

// A message box on the main thread: a loop of its own until it is dismissed.
void RunModalBox(const std::string& text, const std::string& title, bool owned);

}  // namespace platform
