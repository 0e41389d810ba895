// CThread: the game thread. It is created suspended, handed the main frame,
// then resumed; it runs the game flow (CMainFrame::RunGame) and ends when that
// returns.
//
// Threads: created and resumed by the main thread; Run on the game thread.
#pragma once

#include <semaphore>
#include <thread>

class CMainFrame;

class CThread {
 public:
  // The thread exists but waits until ResumeThread.
  static CThread* CreateSuspended();
  ~CThread();

  void SetFrame(CMainFrame* frame) { frame_ = frame; }
  void ResumeThread() { resume_.release(); }
  // Waits for the thread to end.
  void Join();

  bool InitInstance() { return true; }
  // Runs the game flow on the handed frame; 1 when it returns.
  int Run();
  int ExitInstance() { return 0; }

  static constexpr const char* kClassName = "CThread";

 private:
  CThread() = default;
  void Body();

  std::binary_semaphore resume_{0};
  CMainFrame* frame_ = nullptr;
  std::thread thread_;
};
