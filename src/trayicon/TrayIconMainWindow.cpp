// The component and the application's windows: the hook on the application's window, the replaced window
// procedure of the owner form, and the trips of the main form to the tray and back.

#include "trayicon/TrayIcon.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MessageWindows.h"

bool TTrayIcon::MainWindowHook(TMessage &Message) {
  if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED) {
    if (minimizeToTray_) SendToTray();
  } else if (Message.Msg == WM_WINDOWPOSCHANGED) {
    if (startupPending_ && Application && Application->MainForm) {
      // Cleared first: hiding the window below changes its place again, and must not ask twice.
      startupPending_ = false;
      if (Application->MainForm->FormStyle == fsMDIForm) {
        bool showMainForm = true;
        CallEvent(OnStartup, this, showMainForm);
        if (!showMainForm) HideApplicationWindow();
      }
    }
  } else if (Message.Msg == WM_SYSCOMMAND && Message.WParam == SC_RESTORE) {
    if (Application && Application->MainForm) Application->MainForm->SetVisible(true);
  }
  if (Message.Msg == TaskbarCreatedMessage && iconVisible_) AddTrayIcon();
  return false;  // the class library handles every message as usual
}

void TTrayIcon::HookOwnerWindow() {
  TWinControl *owner = OwnerControl();
  if (!owner) return;
  const HWND window = owner->Handle();  // made now if it does not exist yet
  savedOwnerProc_ = reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC));
  ownerProcStub_ = MakeObjectInstance([this](TMessage &Message) { OwnerWindowProc(Message); });
  SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(ownerProcStub_));
}

void TTrayIcon::UnhookOwnerWindow() {
  // Never makes the owner's window: a form destroys its window before its components.
  TWinControl *owner = OwnerControl();
  if (owner && owner->HandleAllocated() && savedOwnerProc_)
    SetWindowLongA(owner->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(savedOwnerProc_));
  if (ownerProcStub_) FreeObjectInstance(ownerProcStub_);
  savedOwnerProc_ = nullptr;
  ownerProcStub_ = nullptr;
}

void TTrayIcon::OwnerWindowProc(TMessage &Message) {
  TWinControl *owner = OwnerControl();
  const HWND window = owner ? owner->Handle() : nullptr;
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: Message.Result = 1; return;
    case WM_SHOWWINDOW:
      if (Message.WParam == 1 && Message.LParam == 0) {
        if (Application) SetForegroundWindow(Application->Handle());
        SetForegroundWindow(window);
      } else if (Message.WParam == 0 && Message.LParam == SW_PARENTCLOSING &&
                 !(Application && Application->Terminated())) {
        if (MinimizeOwnerToTray(Message)) return;
      }
      break;
    case WM_SYSCOMMAND:
      if (Message.WParam == SC_MINIMIZE && MinimizeOwnerToTray(Message)) return;
      break;
    default: break;
  }
  Message.Result = CallWindowProcA(savedOwnerProc_, window, Message.Msg, Message.WParam, Message.LParam);
}

bool TTrayIcon::MinimizeOwnerToTray(TMessage &Message) {
  if (!minimizeToTray_ || !OnMinimizeToTray) return false;
  CallEvent(OnMinimizeToTray, this);
  SendToTray();
  Message.Result = 1;
  return true;
}

void TTrayIcon::HideMainForm() {
  if (!OwnerControl() || !Application || !Application->MainForm) return;
  Application->MainForm->SetVisible(false);
  HideApplicationWindow();
}

void TTrayIcon::RestoreMainForm() {
  if (!OwnerControl() || !Application || !Application->MainForm) return;
  Application->Restore();
  TForm *mainForm = Application->MainForm;
  if (mainForm->WindowState() == wsMinimized) mainForm->SetWindowState(wsNormal);
  mainForm->SetVisible(true);
  SetForegroundWindow(Application->Handle());
}
