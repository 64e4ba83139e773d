// The component: construction, destruction, loading, the record sent to the shell and the property writes.

#include "trayicon/TrayIcon.h"

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MessageWindows.h"
#include "platform/win/Icons.h"
#include "trayicon/LiveObjects.h"

#include <cstdio>
#include <cstring>

TTrayIconHandler *SharedTrayHandler = nullptr;
UINT TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

namespace {
// Live components by their icon id, which goes into the record's 32-bit uID and comes back as the
// callback's WParam; an address does not fit there.
TLiveObjects<TTrayIcon> &LiveTrayIcons() {
  static auto *icons = new TLiveObjects<TTrayIcon>;  // never destroyed
  return *icons;
}

// Unit finalization: a handler left by components that were never destroyed goes at the end.
struct Finalization {
  ~Finalization() {
    delete SharedTrayHandler;
    SharedTrayHandler = nullptr;
  }
} finalization;
}  // namespace

TTrayIcon *FindTrayIcon(UINT trayId) { return LiveTrayIcons().Find(trayId); }

// ---------------------------------------------------------------- shared notification window

TTrayIconHandler::TTrayIconHandler() {
  notifyWindow_ = AllocateHWnd([this](TMessage &Message) { NotifyWindowProc(Message); });
}

TTrayIconHandler::~TTrayIconHandler() { DeallocateHWnd(notifyWindow_); }

void AcquireTrayWindow() {
  if (!SharedTrayHandler) SharedTrayHandler = new TTrayIconHandler;
  SharedTrayHandler->CountUp();
}

void ReleaseTrayWindow() {
  if (!SharedTrayHandler) return;
  SharedTrayHandler->CountDown();
  if (SharedTrayHandler->IconCount() == 0) {
    TTrayIconHandler *handler = SharedTrayHandler;
    SharedTrayHandler = nullptr;
    delete handler;
  }
}

// ---------------------------------------------------------------- construction and destruction

TTrayIcon::TTrayIcon(TComponent *AOwner) : TComponent(AOwner) {
  AcquireTrayWindow();
  trayId_ = LiveTrayIcons().Add(this);

  icon_ = std::make_unique<TIcon>();
  icon_->OnChange = [this](TObject *Sender) { HandleIconChange(Sender); };

  trayRecord_.cbSize = NOTIFYICONDATAA_SIZE;
  trayRecord_.hWnd = SharedTrayHandler->NotifyWindow();
  trayRecord_.uID = trayId_;
  trayRecord_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayRecord_.uCallbackMessage = TrayCallbackMessage;

  iconCycleTimer_ = std::make_unique<TWindowTimer>();
  iconCycleTimer_->SetOnTick([this](TObject *Sender) { IconCycleTick(Sender); });
  clickDelayTimer_ = std::make_unique<TWindowTimer>();
  clickDelayTimer_->SetOnTick([this](TObject *Sender) { ClickDelayTick(Sender); });
  exitPollTimer_ = std::make_unique<TWindowTimer>(20, [this](TObject *Sender) { ExitPollTick(Sender); });

  SetDesignPreview(designPreview_);

  if (!Designing()) {
    if (Application)
      mainWindowHookId_ = Application->HookMainWindow([this](TMessage &Message) { return MainWindowHook(Message); });
    if (OwnerControl()) HookOwnerWindow();
  }
}

TTrayIcon::~TTrayIcon() {
  *alive_ = false;
  try {
    SetIconVisible(false);
    SetDesignPreview(false);
    iconCycleTimer_.reset();
    clickDelayTimer_.reset();
    exitPollTimer_.reset();
    icon_.reset();
  } catch (const std::exception &error) {
    // A destructor cannot pass it on; the rest of the clean-up runs all the same.
    std::fprintf(stderr, "%s\n", error.what());
  }
  if (!Designing()) {
    if (Application && mainWindowHookId_) Application->UnhookMainWindow(mainWindowHookId_);
    if (OwnerControl()) UnhookOwnerWindow();
  }
  LiveTrayIcons().Remove(trayId_);
  ReleaseTrayWindow();
}

TWinControl *TTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl *>(Owner()); }

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (OwnerControl() && !Designing()) {
    bool showMainForm = true;
    CallEvent(OnStartup, this, showMainForm);
    if (!showMainForm) {
      if (Application) Application->ShowMainForm = false;
      HideMainForm();
    }
  }
  UpdateTrayIcon();
  SetIconVisible(iconVisible_);
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(wantEnterExitEvents_);
  SetCallbackStyle(callbackStyle_);
}

void TTrayIcon::Notification(TComponent *AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == iconList_) {
    iconList_ = nullptr;
    SetIconList(nullptr);
  }
  if (AComponent == popupMenu_) {
    popupMenu_ = nullptr;
    SetPopupMenu(nullptr);
  }
}

// ---------------------------------------------------------------- the shell

bool TTrayIcon::FillTrayRecord() {
  if (Designing() && !previewing_ && !designPreview_) return false;
  try {
    trayRecord_.hIcon = icon_->Handle();
  } catch (const EReadError &) {
    trayRecord_.hIcon = nullptr;
  }
  std::memset(trayRecord_.szTip, 0, sizeof trayRecord_.szTip);
  if (!hint_.empty() && showHint_) {
    const std::size_t length = strnlen(hint_.c_str(), sizeof trayRecord_.szTip - 1);
    std::memcpy(trayRecord_.szTip, hint_.c_str(), length);
  }
  return true;
}

bool TTrayIcon::AddTrayIcon() {
  if (!previewing_) iconVisible_ = true;
  if (!Designing() || previewing_)
    if (FillTrayRecord()) return Shell_NotifyIconA(NIM_ADD, &trayRecord_) != 0;
  return false;
}

bool TTrayIcon::DeleteTrayIcon() {
  if (!previewing_) iconVisible_ = false;
  if (!Designing() || previewing_)
    if (FillTrayRecord()) return Shell_NotifyIconA(NIM_DELETE, &trayRecord_) != 0;
  return false;
}

bool TTrayIcon::UpdateTrayIcon() {
  if (FillTrayRecord()) return Shell_NotifyIconA(NIM_MODIFY, &trayRecord_) != 0;
  return false;
}

bool TTrayIcon::MayLoadDefaultIcon() { return true; }

void TTrayIcon::HandleIconChange(TObject *) { UpdateTrayIcon(); }

void TTrayIcon::SetCallbackStyle(unsigned char Style) {
  callbackStyle_ = Style;
  if (Style == 0) trayRecord_.uVersion = 0;
  if (Style == 1) trayRecord_.uVersion = NOTIFYICON_VERSION;
  Shell_NotifyIconA(NIM_SETVERSION, &trayRecord_);
}

// ---------------------------------------------------------------- property writes

void TTrayIcon::SetIcon(TIcon *Value) {
  TNotifyEvent onChange = std::move(icon_->OnChange);  // the write below is the one update
  icon_->Assign(Value);
  icon_->OnChange = std::move(onChange);
  UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool Value) {
  if (Value) {
    AddTrayIcon();
  } else {
    DeleteTrayIcon();
  }
}

void TTrayIcon::SetDesignPreview(bool Value) {
  designPreview_ = Value;
  if (!Designing()) return;
  struct Previewing {
    bool &flag;
    explicit Previewing(bool &f) : flag(f) { flag = true; }
    ~Previewing() { flag = false; }
  } previewing(previewing_);
  if (!icon_->Handle() && MayLoadDefaultIcon()) icon_->SetHandle(LoadIconA(nullptr, IDI_WINLOGO));
  SetIconVisible(Value);
}

void TTrayIcon::SetCycleIcons(bool Value) {
  cycleIcons_ = Value;
  if (Value) {
    SetIconIndex(0);
    iconCycleTimer_->SetPeriod(cycleInterval_);
    iconCycleTimer_->SetActive(true);
  } else {
    iconCycleTimer_->SetActive(false);
  }
}

void TTrayIcon::SetCycleInterval(unsigned Value) {
  cycleInterval_ = Value;
  SetCycleIcons(cycleIcons_);
}

void TTrayIcon::SetIconList(TCustomImageList *Value) {
  // Told of the list's removal whoever owns it, so no reference to a freed list remains.
  if (iconList_ && iconList_ != Value) RemoveFreeNotification(iconList_);
  iconList_ = Value;
  if (Value) FreeNotification(Value);
  SetIconIndex(0);
}

void TTrayIcon::SetIconIndex(int Value) {
  iconIndex_ = Value;
  if (iconList_) {
    if (iconIndex_ >= iconList_->Count()) iconIndex_ = iconList_->Count() - 1;
    iconList_->GetIcon(iconIndex_, icon_.get());  // outside the list (below 0, or an empty list): empty icon
  } else {
    iconIndex_ = 0;
  }
  UpdateTrayIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu *Value) {
  if (popupMenu_ && popupMenu_ != Value) RemoveFreeNotification(popupMenu_);
  popupMenu_ = Value;
  if (Value) FreeNotification(Value);
}

void TTrayIcon::SetHint(const AnsiString &Value) {
  hint_ = Value;
  UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool Value) {
  showHint_ = Value;
  UpdateTrayIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool Value) {
  wantEnterExitEvents_ = Value;
  exitPollTimer_->SetActive(Value);
}
