#include "Win32RunLoop.h"

#include "WinModule.h"

#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"Win32RunLoop_vKelvora_vst3";

} // namespace

struct Win32RunLoopWindow {
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
      auto* loop = reinterpret_cast<Win32RunLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (loop) loop->OnTimer(static_cast<EditorRunLoop::Id>(wParam));
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
};

Win32RunLoop::Win32RunLoop() {
  static const WinModule::WindowClass windowClass(kClassName, &Win32RunLoopWindow::Proc, 0);
  if (!windowClass.IsRegistered()) return;
  mWindow = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            WinModule::Instance(), nullptr);
  if (mWindow) SetWindowLongPtrW(mWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32RunLoop::~Win32RunLoop() {
  if (!mWindow) return;
  for (const auto& entry : mTimers)
    KillTimer(mWindow, static_cast<UINT_PTR>(entry.first));
  SetWindowLongPtrW(mWindow, GWLP_USERDATA, 0);
  DestroyWindow(mWindow);
}

EditorRunLoop::Id Win32RunLoop::RegisterTimer(uint32_t periodMs, Callback callback) {
  if (!mWindow || !callback) return kNoId;
  const Id id = mNextId++;
  if (!SetTimer(mWindow, static_cast<UINT_PTR>(id), periodMs > 0 ? periodMs : 1, nullptr))
    return kNoId;
  mTimers[id] = std::make_shared<Callback>(std::move(callback));
  return id;
}

void Win32RunLoop::Unregister(Id id) {
  auto it = mTimers.find(id);
  if (it == mTimers.end()) return;
  KillTimer(mWindow, static_cast<UINT_PTR>(id));
  mTimers.erase(it);
}

void Win32RunLoop::OnTimer(Id id) {
  auto it = mTimers.find(id);
  // A WM_TIMER posted before its timer was killed may still arrive.
  if (it == mTimers.end()) return;
  const std::shared_ptr<Callback> callback = it->second;
  (*callback)();
}
