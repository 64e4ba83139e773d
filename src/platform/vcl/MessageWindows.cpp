#include "platform/vcl/MessageWindows.h"

#include <memory>

namespace {
class ObjectInstance final : public TWindowProc {
 public:
  explicit ObjectInstance(TWndMethod method) : method_(std::move(method)) {}
  LRESULT Call(HWND, UINT message, WPARAM wParam, LPARAM lParam) override {
    TMessage msg{message, wParam, lParam, 0};
    const TWndMethod method = method_;  // the stub may be freed by the method itself
    if (method) method(msg);
    return msg.Result;
  }

 private:
  TWndMethod method_;
};

class UtilWindow final : public TWindow {
 public:
  explicit UtilWindow(TWndMethod method) : TWindow(nullptr), proc_(std::move(method)) { Proc = &proc_; }

 private:
  ObjectInstance proc_;
};
}  // namespace

HWND AllocateHWnd(TWndMethod method) { return new UtilWindow(std::move(method)); }

void DeallocateHWnd(HWND window) {
  if (!IsWindow(window)) return;
  auto *util = dynamic_cast<UtilWindow *>(window);
  if (!util) return;
  util->Destroy();
  if (util->DispatchDepth > 0) {
    util->DeleteWhenIdle = true;  // still answering one of its messages
  } else {
    delete util;
  }
}

WNDPROC MakeObjectInstance(TWndMethod method) { return new ObjectInstance(std::move(method)); }

void FreeObjectInstance(WNDPROC instance) { delete instance; }
