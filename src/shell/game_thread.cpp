#include "shell/game_thread.h"

#include "platform/runtime.h"
#include "shell/main_frame.h"

CThread* CThread::CreateSuspended() {
  auto* t = new CThread();
  t->thread_ = std::thread([t] { t->Body(); });
  return t;
}

CThread::~CThread() { Join(); }

void CThread::Join() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void CThread::Body() {
  resume_.acquire();
  platform::MarkGameThread();
  if (InitInstance()) Run();
  ExitInstance();
  platform::EndGameThread();
}

int CThread::Run() {
  if (frame_) frame_->RunGame();
  return 1;
}
