#pragma once
// A non-visual component that puts one icon into the taskbar's notification area and keeps it in step with
// its properties, turns the shell's callbacks into mouse, click, menu and cycling events, and moves the
// application's main form between the desktop and the tray. Every instance shares one hidden notification
// window; the component's three timers are window timers.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/win/ShellApi.h"
#include "platform/win/Windows.h"
#include "trayicon/WindowTimer.h"

#include <functional>
#include <memory>

using TCycleEvent = std::function<void(TObject *Sender, int NextIndex)>;
using TStartupEvent = std::function<void(TObject *Sender, bool &ShowMainForm)>;

// The callback message of every icon: WParam names the component, LParam is the mouse or balloon message.
constexpr UINT TrayCallbackMessage = WM_USER + 1024;

// Owns the hidden window that receives the callbacks of every icon of the process.
class TTrayIconHandler : public TObject {
 public:
  TTrayIconHandler();
  ~TTrayIconHandler() override;
  TTrayIconHandler(const TTrayIconHandler &) = delete;
  TTrayIconHandler &operator=(const TTrayIconHandler &) = delete;

  UINT IconCount() const { return iconCount_; }
  HWND NotifyWindow() const { return notifyWindow_; }
  void CountUp() { ++iconCount_; }
  void CountDown() {
    if (iconCount_ > 0) --iconCount_;
  }

 private:
  void NotifyWindowProc(TMessage &Message);

  UINT iconCount_ = 0;
  HWND notifyWindow_ = nullptr;
};

// The one handler; empty while no icon component exists.
extern TTrayIconHandler *SharedTrayHandler;
// The number of the registered message "TaskbarCreated".
extern UINT TaskbarCreatedMessage;

void AcquireTrayWindow();
void ReleaseTrayWindow();
class TTrayIcon;
// The live component whose icon has this id, or nullptr.
TTrayIcon *FindTrayIcon(UINT trayId);
// Shift, Control and Alt as they are now.
TShiftState CurrentShiftState();

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent *AOwner);
  ~TTrayIcon() override;

  bool DesignPreview() const { return designPreview_; }
  void SetDesignPreview(bool Value);
  TCustomImageList *IconList() const { return iconList_; }
  void SetIconList(TCustomImageList *Value);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool Value);
  unsigned CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(unsigned Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value) { enabled_ = Value; }
  const AnsiString &Hint() const { return hint_; }
  void SetHint(const AnsiString &Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  // The owned icon; writing copies the given image into it.
  TIcon *Icon() const { return icon_.get(); }
  void SetIcon(TIcon *Value);
  // The last request, not the shell's answer.
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool Value);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int Value);
  TPopupMenu *PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu *Value);
  bool LeftPopup() const { return leftPopup_; }
  void SetLeftPopup(bool Value) { leftPopup_ = Value; }
  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool Value);
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool Value) { minimizeToTray_ = Value; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow;
  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintTimeout;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // The record of every shell call, as last filled.
  const NOTIFYICONDATAA &TrayRecord() const { return trayRecord_; }

  // Brings the main form back from the tray: application restored, form normal, shown and in front.
  void RestoreMainForm();
  // Hides the main form and the application's window (its taskbar button). The icon is left as it is.
  void HideMainForm();

 protected:
  void Loaded() override;
  void Notification(TComponent *AComponent, TOperation Operation) override;

  virtual bool MayLoadDefaultIcon();
  virtual bool AddTrayIcon();
  virtual bool DeleteTrayIcon();
  virtual bool UpdateTrayIcon();

  virtual void FireClick();
  virtual void FireDblClick();
  virtual void FireCycle();
  virtual void FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void FireMouseMove(TShiftState Shift, int X, int Y);
  virtual void FireMouseEnter();
  virtual void FireMouseExit();
  virtual void SendToTray();

  // 0: classic callbacks; 1: shell version-3 callbacks. Loaded sends the stored style to the shell.
  unsigned char CallbackStyle() const { return callbackStyle_; }
  void SetCallbackStyle(unsigned char Style);

 private:
  friend class TTrayIconHandler;

  bool FillTrayRecord();
  void HandleIconChange(TObject *Sender);
  void HandleTrayCallback(LPARAM Message);
  void RunDefaultMenuItem();
  void ShowPopupMenuAtCursor();
  void ClickDelayTick(TObject *Sender);
  void IconCycleTick(TObject *Sender);
  // The index after IconIndex in IconList, back to 0 after the last (or without a list).
  int NextCycleIndex() const;
  void ExitPollTick(TObject *Sender);
  void HideApplicationWindow();

  bool MainWindowHook(TMessage &Message);
  void HookOwnerWindow();
  void UnhookOwnerWindow();
  void OwnerWindowProc(TMessage &Message);
  bool MinimizeOwnerToTray(TMessage &Message);
  TWinControl *OwnerControl() const;

  bool enabled_ = true;
  std::unique_ptr<TIcon> icon_;
  UINT trayId_ = 0;  // a 32-bit key of the live components, not the address (see TrayIcon.cpp)
  bool iconVisible_ = false;
  AnsiString hint_;
  bool showHint_ = true;
  TPopupMenu *popupMenu_ = nullptr;
  bool leftPopup_ = false;
  bool minimizeToTray_ = false;
  bool leftButtonDown_ = false;
  bool clickPending_ = false;
  std::unique_ptr<TWindowTimer> iconCycleTimer_;
  std::unique_ptr<TWindowTimer> clickDelayTimer_;
  std::unique_ptr<TWindowTimer> exitPollTimer_;
  POINT lastCursorPos_;
  bool cursorOutside_ = true;
  bool wantEnterExitEvents_ = false;
  unsigned char callbackStyle_ = 0;
  bool doubleClickSeen_ = false;
  int iconIndex_ = 0;
  bool designPreview_ = false;
  bool previewing_ = false;
  bool startupPending_ = true;
  TCustomImageList *iconList_ = nullptr;
  bool cycleIcons_ = false;
  unsigned cycleInterval_ = 0;
  WNDPROC savedOwnerProc_ = nullptr;
  WNDPROC ownerProcStub_ = nullptr;
  NOTIFYICONDATAA trayRecord_{};

  int mainWindowHookId_ = 0;
  // Cleared when the component goes, so a dispatch whose event handler freed it stops there.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
