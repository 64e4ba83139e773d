#pragma once
// The class library's application object and forms, on Qt widgets. A form owns a top-level QWidget;
// its window (Handle) carries a replaceable window procedure that sees the form's show, hide,
// minimize and destroy as messages, and whose answer decides whether the form acts.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Graphics.h"
#include "platform/win/Windows.h"

#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

class TForm;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize };

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

using TCloseEvent = std::function<void(TObject *Sender, TCloseAction &Action)>;
using TWindowHook = std::function<bool(TMessage &Message)>;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Prepares the application: the message loop ends only through Terminate, not when windows close; Qt's
  // own texts are in Portuguese (Brazil); SIGTERM and SIGINT end the session (EndSession).
  void Initialize();
  // The text and the picture of the program's taskbar entry, given to the desktop by Run.
  AnsiString Title;
  TIcon *Icon() const { return icon_.get(); }
  bool ShowMainForm = true;
  TForm *MainForm = nullptr;
  bool Terminated() const { return terminated_; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <typename T>
  void CreateForm(T *&reference) {
    auto *form = new T(this);
    reference = form;
    if (!MainForm) MainForm = form;
    AfterCreate(form);
  }
  // Shows the main form (unless ShowMainForm is false) and runs the message loop until it ends.
  void Run();
  // Ends the message loop; the boxes and modal windows open beneath return first, with their defaults.
  void Terminate();
  // The end of the user's session, or a stop of the program: a close of the main form answered Yes. Boxes
  // give their default button and modal windows end; once the handler in progress has returned, the main
  // form is closed and the message loop ends, whatever the close decided.
  void EndSession();
  bool EndingSession() const { return endingSession_; }
  void ProcessMessages();
  void HandleException(const std::exception &error);
  // A modal box: buttons MB_OK or MB_YESNO (Yes the default), no icon; gives IDOK, IDYES or IDNO.
  int MessageBox(const AnsiString &text, const AnsiString &caption, unsigned flags = 0);

  // The application's own window, which owns the taskbar button.
  HWND Handle() const { return window_.get(); }
  // A hook sees every message of the application's window before the class library handles it.
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int hookId);
  void Minimize();
  void Restore();
  bool Minimized() const;
  // Shown while one of its forms is visible, hidden when none is.
  void FormVisibilityChanged();
  // Resets the end flags and the main form between tests.
  void ResetForTesting();
  // Guarded tells it when no handler runs any more.
  void HandlersReturned();

 private:
  void AfterCreate(TForm *form);
  LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  class ApplicationWindow;
  std::unique_ptr<TWindowProc> defaultProc_;
  std::unique_ptr<TWindow> window_;
  std::unique_ptr<TIcon> icon_;
  std::vector<std::pair<int, TWindowHook>> hooks_;
  int nextHookId_ = 1;
  bool terminated_ = false;
  bool endingSession_ = false;
  bool sessionClosing_ = false;
};

extern TApplication *Application;

// Runs an event handler; what it raises goes to the application's default error box, never into Qt.
void Guarded(const std::function<void()> &handler);

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent *AOwner);
  ~TForm() override;

  QWidget *Widget() const { return widget_; }

  AnsiString Caption() const { return caption_; }
  // A form of blank caption shows the application's title on the desktop (its taskbar entry).
  void SetCaption(const AnsiString &caption);
  // Client area and position, as the window description gives them.
  void SetBounds(int left, int top, int clientWidth, int clientHeight);
  void SetBorderStyle(TFormBorderStyle style);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  // The title bar's buttons: the system menu with its close box, minimize, maximize. A form without a
  // minimize box that the desktop minimizes all the same comes back at once.
  void SetBorderIcons(std::initializer_list<TBorderIcon> icons);
  TFormStyle FormStyle = fsNormal;

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  TWindowState WindowState() const { return windowState_; }
  // Hidden because the application was minimized (Visible stays true); shown again when it is restored.
  bool HiddenWithOwner() const { return hiddenWithOwner_; }
  void SetWindowState(TWindowState state);
  // Paints the form now; a form just shown is first waited for until the desktop shows it.
  void Repaint();

  // Asks OnClose; the main form's close ends the application, a modal form's ends its loop.
  void Close();
  // Shows the form modally in a nested loop (timers keep firing) and gives the modal result.
  int ShowModal();
  int ModalResult = mrNone;
  bool Modal() const { return modal_; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;

  // The form's window; created on first use, as the class library does.
  HWND Handle() override;
  bool HandleAllocated() const override { return window_ != nullptr; }
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

  // Called by the application after construction: runs OnCreate, errors go to the default box.
  void DoCreate();

 protected:
  // The form's own handling of the messages its window procedure passes on.
  virtual LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void DestroyHandle();

 private:
  friend class TFormWidget;
  friend class TFormWindow;
  void WidgetMinimizedByDesktop();
  void WidgetRestoredByDesktop();
  void WidgetCloseRequested();
  void ApplyVisible(bool visible);

  QPointer<QWidget> widget_;
  AnsiString caption_;
  std::unique_ptr<TWindowProc> defaultProc_;
  std::unique_ptr<TWindow> window_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TWindowState windowState_ = wsNormal;
  bool modal_ = false;
  bool changingVisibility_ = false;
  bool hiddenWithOwner_ = false;
  bool minimizeBox_ = true;
};
