// CGameApp: the application. RunApplication constructs the game's global
// objects in their order, creates the main frame (which does start-up and
// starts the game thread), shows it and runs the message loop until the game
// thread has left.
//
// Threads: the main thread.
#pragma once

class CMainFrame;

class CGameApp {
 public:
  // Creates the main frame, makes it the main window and shows it.
  bool InitInstance();
  // The message loop; returns when the main window has been destroyed.
  int Run();

  CMainFrame* m_pMainWnd = nullptr;
};

// The whole run of the program on the main thread; returns the exit code.
int RunApplication();
