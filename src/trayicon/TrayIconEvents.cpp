// The shared notification window's dispatch of the shell's callbacks, the click and double-click logic,
// the popup menu, mouse enter and exit, icon cycling and the overridable event methods.

#include "trayicon/TrayIcon.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

TShiftState CurrentShiftState() {
  TShiftState shift;
  if (GetAsyncKeyState(VK_SHIFT) < 0) shift << ssShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) shift << ssCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) shift << ssAlt;
  return shift;
}

void TTrayIconHandler::NotifyWindowProc(TMessage &Message) {
  switch (Message.Msg) {
    case TrayCallbackMessage:
      Message.Result = 0;
      // A callback that names no live component is dropped.
      if (TTrayIcon *icon = FindTrayIcon(static_cast<UINT>(Message.WParam))) icon->HandleTrayCallback(Message.LParam);
      return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      Message.Result = 1;  // never closes itself; agrees to the end of a session
      return;
    default:
      Message.Result = DefWindowProcA(notifyWindow_, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TTrayIcon::HandleTrayCallback(LPARAM Message) {
  switch (Message) {
    case NIN_BALLOONSHOW:
      CallEvent(OnBalloonHintShow, this);
      return;
    case NIN_BALLOONHIDE:
      CallEvent(OnBalloonHintHide, this);
      return;
    case NIN_BALLOONTIMEOUT:
      CallEvent(OnBalloonHintTimeout, this);
      return;
    case NIN_BALLOONUSERCLICK:
      CallEvent(OnBalloonHintClick, this);
      return;
    default: break;
  }
  if (!enabled_) return;  // the mouse callbacks only

  const TShiftState shift = CurrentShiftState();
  POINT cursor = lastCursorPos_;  // a cursor that cannot be read counts as where it was last seen
  GetCursorPos(&cursor);
  const int x = cursor.x;
  const int y = cursor.y;
  const std::shared_ptr<bool> alive = alive_;  // an event handler may free the component

  switch (Message) {
    case WM_MOUSEMOVE:
      if (wantEnterExitEvents_ && cursorOutside_) {
        FireMouseEnter();
        if (!*alive) return;
        cursorOutside_ = false;
      }
      FireMouseMove(shift, x, y);
      if (!*alive) return;
      lastCursorPos_ = cursor;
      break;
    case WM_LBUTTONDOWN:
      if (OnDblClick) {
        clickDelayTimer_->SetPeriod(GetDoubleClickTime());
        clickDelayTimer_->SetActive(true);
      }
      FireMouseDown(mbLeft, shift + ssLeft, x, y);
      if (!*alive) return;
      leftButtonDown_ = true;
      if (leftPopup_) ShowPopupMenuAtCursor();
      break;
    case WM_LBUTTONUP:
      if (leftButtonDown_) clickPending_ = true;
      if (leftButtonDown_ && !clickDelayTimer_->Active()) {
        // No double click awaited, or the press outlasted the double-click time: the click comes now.
        leftButtonDown_ = false;
        clickPending_ = false;
        FireClick();
        if (!*alive) return;
      }
      leftButtonDown_ = false;
      FireMouseUp(mbLeft, shift + ssLeft, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      clickPending_ = false;
      doubleClickSeen_ = true;
      FireDblClick();
      if (!*alive) return;
      RunDefaultMenuItem();
      break;
    case WM_RBUTTONDOWN:
      FireMouseDown(mbRight, shift + ssRight, x, y);
      if (!*alive) return;
      ShowPopupMenuAtCursor();
      break;
    case WM_RBUTTONUP:
      if (callbackStyle_ == 0) FireMouseUp(mbRight, shift + ssRight, x, y);
      break;
    case WM_MBUTTONDOWN: FireMouseDown(mbMiddle, shift + ssMiddle, x, y); break;
    case WM_MBUTTONUP: FireMouseUp(mbMiddle, shift + ssMiddle, x, y); break;
    case WM_CONTEXTMENU:
    case NIN_SELECT:
    case NIN_KEYSELECT:
      if (callbackStyle_ == 1) FireMouseUp(mbRight, shift + ssRight, x, y);
      break;
    default: break;
  }
}

void TTrayIcon::ClickDelayTick(TObject *) {
  clickDelayTimer_->SetActive(false);
  if (!doubleClickSeen_ && clickPending_) {
    clickPending_ = false;
    const std::shared_ptr<bool> alive = alive_;
    FireClick();
    if (!*alive) return;
  }
  doubleClickSeen_ = false;
}

void TTrayIcon::RunDefaultMenuItem() {
  if (!popupMenu_ || !popupMenu_->AutoPopup || leftPopup_) return;
  TMenuItem *items = popupMenu_->Items();
  TMenuItem *chosen = nullptr;
  for (int i = items->Count() - 1; i >= 0; --i)
    if (items->Items(i)->Default) chosen = items->Items(i);
  if (chosen) chosen->Click();
}

void TTrayIcon::ShowPopupMenuAtCursor() {
  if (!popupMenu_ || !popupMenu_->AutoPopup) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  if (Application) {
    SetForegroundWindow(Application->Handle());
    const std::shared_ptr<bool> alive = alive_;
    Application->ProcessMessages();
    // What ran meanwhile may have freed the component or its menu.
    if (!*alive || !popupMenu_) return;
  }
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(cursor.x, cursor.y);
  if (TWinControl *owner = OwnerControl()) PostMessageA(owner->Handle(), WM_NULL, 0, 0);
}

void TTrayIcon::ExitPollTick(TObject *) {
  if (cursorOutside_) return;
  POINT cursor = lastCursorPos_;
  GetCursorPos(&cursor);
  if (cursor.x != lastCursorPos_.x || cursor.y != lastCursorPos_.y) {
    cursorOutside_ = true;
    FireMouseExit();
  }
}

void TTrayIcon::IconCycleTick(TObject *) {
  if (!iconList_) return;
  iconList_->GetIcon(iconIndex_, icon_.get());
  const std::shared_ptr<bool> alive = alive_;
  FireCycle();
  if (!*alive) return;
  SetIconIndex(NextCycleIndex());
}

int TTrayIcon::NextCycleIndex() const {
  return iconList_ && iconIndex_ + 1 < iconList_->Count() ? iconIndex_ + 1 : 0;
}

void TTrayIcon::HideApplicationWindow() {
  if (Application && IsWindowVisible(Application->Handle())) ShowWindow(Application->Handle(), SW_HIDE);
}

// ---------------------------------------------------------------- overridable event methods

void TTrayIcon::FireClick() {
  CallEvent(OnClick, this);
}

void TTrayIcon::FireDblClick() {
  CallEvent(OnDblClick, this);
}

void TTrayIcon::FireCycle() {
  CallEvent(OnCycle, this, NextCycleIndex());
}

void TTrayIcon::FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TTrayIcon::FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseUp, this, Button, Shift, X, Y);
}

void TTrayIcon::FireMouseMove(TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseMove, this, Shift, X, Y);
}

void TTrayIcon::FireMouseEnter() {
  CallEvent(OnMouseEnter, this);
}

void TTrayIcon::FireMouseExit() {
  CallEvent(OnMouseExit, this);
}

void TTrayIcon::SendToTray() {
  HideMainForm();
  SetIconVisible(true);
}
