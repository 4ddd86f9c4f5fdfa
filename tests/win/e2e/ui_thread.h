#pragma once
// A UI thread for in-process window tests: it owns a message loop, and the
// test thread runs code on it synchronously. Windows created through
// Invoke() live on that thread, so the test thread may block (on an
// EventLog, on a SendMessage) while the windows keep answering.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace tolvane::testing {

class UiThread {
 public:
  UiThread() {
    std::promise<HWND> ready;
    std::future<HWND> invoker = ready.get_future();
    thread_ = std::thread([this, &ready] {
      threadId_ = GetCurrentThreadId();
      ready.set_value(CreateInvoker());
      MSG message;
      for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got < 0) break;
        if (got == 0) {
          // A window under test ended "its" message loop: noted, and the
          // loop goes on serving the other windows.
          if (stopping_.load()) break;
          NoteQuit();
          continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    });
    invoker_ = invoker.get();
  }
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;
  ~UiThread() {
    stopping_.store(true);
    if (invoker_ != nullptr) {
      Invoke([this] { DestroyWindow(invoker_); });
      PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    }
    thread_.join();
  }

  // Runs `work` on the UI thread and returns when it is done.
  void Invoke(std::function<void()> work) {
    SendMessageA(invoker_, kInvoke, 0, reinterpret_cast<LPARAM>(&work));
  }

  // Waits until a quit message (PostQuitMessage) has reached the loop.
  bool WaitForQuit(std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    std::unique_lock<std::mutex> hold(lock_);
    return quit_.wait_for(hold, deadline, [this] { return quits_ > 0; });
  }

 private:
  static constexpr UINT kInvoke = WM_APP + 77;

  static HWND CreateInvoker() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &InvokerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TolvaneTestInvoker";
    RegisterClassA(&windowClass);  // fails harmlessly when a previous test registered it
    return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }

  static LRESULT CALLBACK InvokerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kInvoke) {
      (*reinterpret_cast<std::function<void()>*>(lParam))();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  void NoteQuit() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      ++quits_;
    }
    quit_.notify_all();
  }

  std::atomic<bool> stopping_{false};
  std::mutex lock_;
  std::condition_variable quit_;
  int quits_ = 0;
  DWORD threadId_ = 0;  // written before the constructor returns
  std::thread thread_;
  HWND invoker_ = nullptr;
};

}  // namespace tolvane::testing
