#include "platform/vcl/Forms.h"

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Events.h"
#include "platform/vcl/StopSignals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWindowStateChangeEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QWindow>
#include <QTimer>
#include <algorithm>
#include <cstdio>

TApplication *Application = nullptr;

namespace {
int handlerDepth = 0;  // handlers running, also those waiting in a box or a modal window
}

void Guarded(const std::function<void()> &handler) {
  ++handlerDepth;
  try {
    handler();
  } catch (const std::exception &error) {
    if (Application) {
      Application->HandleException(error);
    } else {
      std::fprintf(stderr, "%s\n", error.what());
    }
  }
  if (--handlerDepth == 0 && Application) Application->HandlersReturned();
}

// ---------------------------------------------------------------- application

class TApplication::ApplicationWindow : public TWindow {
 public:
  using TWindow::TWindow;
  // Every change of place or state is reported to the window, as the desktop does.
  void DoShow(int command) override {
    const bool wasVisible = visible_, wasMinimized = minimized_;
    TWindow::DoShow(command);
    if (visible_ != wasVisible || minimized_ != wasMinimized) SendMessageA(this, WM_WINDOWPOSCHANGED, 0, 0);
  }
};

namespace {
QEventLoop *runLoop = nullptr;
constexpr int kExposeWait = 1000;  // ms a window just shown may take to appear

// Qt's own texts (the buttons of its boxes, the print preview and file dialogs) in the Portuguese of
// Brazil on every machine, whatever its locale, as on the Portuguese Windows of the users.
void LoadQtTranslations() {
  QCoreApplication *app = QCoreApplication::instance();
  if (!app || app->findChild<QTranslator *>(QStringLiteral("qtbase_pt_BR"))) return;
  auto *translator = new QTranslator(app);
  translator->setObjectName(QStringLiteral("qtbase_pt_BR"));
  if (translator->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

// The application's forms and the forms they own: the windows that go and come with the application's.
void CollectForms(TComponent *owner, std::vector<TForm *> &forms) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent *child = owner->Components(i);
    if (auto *form = dynamic_cast<TForm *>(child)) forms.push_back(form);
    CollectForms(child, forms);
  }
}
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
  defaultProc_ = std::make_unique<TFunctionProc<std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>>>(
      [this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return WindowProc(w, m, wp, lp); });
  window_ = std::make_unique<ApplicationWindow>(defaultProc_.get());
  icon_ = std::make_unique<TIcon>();
  if (!Application) {
    Application = this;
    SetMessageGuard(&Guarded);  // messages from the event loop report their errors like handlers do
  }
}

TApplication::~TApplication() {
  DestroyComponents();
  window_->MarkDestroyed();
  if (Application == this) {
    Application = nullptr;
    SetMessageGuard(nullptr);
  }
}

void TApplication::Initialize() {
  if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) app->setQuitOnLastWindowClosed(false);
  LoadQtTranslations();
  WatchStopSignals([] {
    if (Application) Application->EndSession();
  });
}

void TApplication::AfterCreate(TForm *form) { form->DoCreate(); }

void TApplication::Run() {
  // The main form's entry on the taskbar stands for the application's button: its text and picture.
  // (Not Qt's display name, which the desktop would add to every caption, the boxes' too.)
  QGuiApplication::setWindowIcon(icon_->Image());
  if (MainForm) MainForm->SetCaption(MainForm->Caption());
  if (MainForm && ShowMainForm) MainForm->Show();
  if (!terminated_ && MainForm) {
    QEventLoop loop;
    runLoop = &loop;
    loop.exec();
    runLoop = nullptr;
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  // As the quit message does on Windows: every box waiting beneath returns, answered with its default
  // button, so that the handler waiting in it ends its steps and the message loop can end.
  EndOpenMessageBoxes();
  if (runLoop) runLoop->quit();
}

void TApplication::EndSession() {
  if (endingSession_ || terminated_) return;
  endingSession_ = true;
  EndOpenMessageBoxes();
  if (handlerDepth == 0) HandlersReturned();
}

void TApplication::HandlersReturned() {
  if (!endingSession_ || sessionClosing_) return;
  sessionClosing_ = true;
  // From the event loop, so that a tick in progress ends first.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [] {
        if (!Application || Application->Terminated()) return;
        if (TForm *form = Application->MainForm) Guarded([form] { form->Close(); });
        Application->Terminate();
      },
      Qt::QueuedConnection);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleException(const std::exception &error) {
  if (dynamic_cast<const EAbort *>(&error)) return;
  AnsiString message = ExceptionMessage(error);
  if (!message.empty() && message.back() > '.') message += '.';
  ShowMessageBox(message, Title, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const AnsiString &text, const AnsiString &caption, unsigned flags) {
  return ShowMessageBox(text, caption, flags);
}

int TApplication::HookMainWindow(TWindowHook hook) {
  hooks_.emplace_back(nextHookId_, std::move(hook));
  return nextHookId_++;
}

void TApplication::UnhookMainWindow(int hookId) {
  std::erase_if(hooks_, [hookId](const auto &entry) { return entry.first == hookId; });
}

LRESULT TApplication::WindowProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage msg{message, wParam, lParam, 0};
  const auto hooks = hooks_;  // a hook may unhook itself
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
    if (it->second(msg)) return msg.Result;
  if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) Minimize();
  if (message == WM_SYSCOMMAND && wParam == SC_RESTORE) Restore();
  return 0;
}

bool TApplication::Minimized() const { return window_->Minimized(); }

void TApplication::Minimize() {
  if (Minimized()) return;
  // Its forms hear first that their owner window is being minimized.
  std::vector<TForm *> forms;
  CollectForms(this, forms);
  for (TForm *form : forms)
    if (form->Visible() && !form->HiddenWithOwner()) form->Perform(WM_SHOWWINDOW, 0, SW_PARENTCLOSING);
  ShowWindow(Handle(), SW_MINIMIZE);
  SendMessageA(Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
}

void TApplication::Restore() {
  if (!Minimized()) return;
  ShowWindow(Handle(), SW_RESTORE);
  SendMessageA(Handle(), WM_SIZE, SIZE_RESTORED, 0);
  std::vector<TForm *> forms;
  CollectForms(this, forms);
  for (TForm *form : forms)
    if (form->HiddenWithOwner()) form->Perform(WM_SHOWWINDOW, 1, SW_PARENTOPENING);
}

void TApplication::FormVisibilityChanged() {
  bool anyVisible = false;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto *form = dynamic_cast<TForm *>(Components(i)); form && form->Visible()) anyVisible = true;
  if (anyVisible && !IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOW);
  if (!anyVisible && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

void TApplication::ResetForTesting() {
  terminated_ = false;
  endingSession_ = false;
  sessionClosing_ = false;
  MainForm = nullptr;
}

// ---------------------------------------------------------------- form widget and window

class TFormWidget : public QWidget {
 public:
  TFormWidget(TForm *form, QWidget *parent) : QWidget(parent, Qt::Window), form_(form) {}

 protected:
  void changeEvent(QEvent *event) override {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const bool wasMinimized = static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowMinimized;
    if (windowState() & Qt::WindowMinimized) {
      if (!wasMinimized) Guarded([this] { form_->WidgetMinimizedByDesktop(); });
    } else if (wasMinimized) {
      Guarded([this] { form_->WidgetRestoredByDesktop(); });
    }
  }
  void closeEvent(QCloseEvent *event) override {
    event->ignore();  // the form decides, through OnClose
    form_->WidgetCloseRequested();
  }

 private:
  TForm *form_;
};

class TFormWindow : public TWindow {
 public:
  TFormWindow(TForm *form, WNDPROC proc) : TWindow(proc), form_(form) {}
  void DoShow(int command) override {
    TWindow::DoShow(command);
    if (command == SW_HIDE) form_->ApplyVisible(false);
    else form_->ApplyVisible(true);
  }
  void DoSetForeground() override {
    if (QWidget *w = form_->Widget()) {
      w->raise();
      w->activateWindow();
    }
  }

 private:
  TForm *form_;
};

// ---------------------------------------------------------------- form

TForm::TForm(TComponent *AOwner) : TWinControl(AOwner) {
  QWidget *parent = nullptr;
  if (auto *ownerForm = dynamic_cast<TForm *>(AOwner)) parent = ownerForm->Widget();
  widget_ = new TFormWidget(this, parent);
  defaultProc_ = std::make_unique<TFunctionProc<std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>>>(
      [this](HWND, UINT m, WPARAM wp, LPARAM lp) { return DefaultWindowProc(m, wp, lp); });
}

TForm::~TForm() {
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
  // The window goes before the components, as the class library destroys them.
  DestroyHandle();
  DestroyComponents();
  delete widget_.data();
  if (Application) Application->FormVisibilityChanged();
}

HWND TForm::Handle() {
  if (!window_) window_ = std::make_unique<TFormWindow>(this, defaultProc_.get());
  return window_.get();
}

void TForm::DestroyHandle() {
  if (!window_) return;
  window_->Destroy();
  window_.reset();
}

LRESULT TForm::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(Handle(), message, wParam, lParam);
}

LRESULT TForm::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
    if (Application && Application->MainForm == this) {
      Application->Minimize();  // the main form's minimize is the application's
    } else {
      windowState_ = wsMinimized;
      if (widget_ && widget_->isVisible()) widget_->showMinimized();
    }
  } else if (message == WM_SYSCOMMAND && wParam == SC_RESTORE) {
    SetWindowState(wsNormal);
  } else if (message == WM_SHOWWINDOW && wParam == 0 && lParam == SW_PARENTCLOSING) {
    // Without a separate application button on this desktop, the form's own entry stands for it: the form
    // is minimized there, and restoring it restores the application.
    hiddenWithOwner_ = true;
    if (widget_) {
      changingVisibility_ = true;
      widget_->showMinimized();
      changingVisibility_ = false;
    }
  } else if (message == WM_SHOWWINDOW && wParam == 1 && lParam == SW_PARENTOPENING) {
    if (hiddenWithOwner_) {
      hiddenWithOwner_ = false;
      if (Visible()) ApplyVisible(true);
    }
  } else if (message == WM_CLOSE) {
    Close();
  }
  return 0;
}

void TForm::DoCreate() {
  if (OnCreate) Guarded([this] { CallEvent(OnCreate, this); });
}

void TForm::SetCaption(const AnsiString &caption) {
  caption_ = caption;
  const bool blank = Trim(caption).empty();
  if (widget_) widget_->setWindowTitle(ToQString(blank && Application ? Application->Title : caption));
}

void TForm::SetBounds(int left, int top, int clientWidth, int clientHeight) {
  if (!widget_) return;
  widget_->move(left, top);
  widget_->setFixedSize(clientWidth, clientHeight);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  if (widget_) widget_->setWindowFlag(Qt::FramelessWindowHint, style == bsNone);
}

void TForm::SetBorderIcons(std::initializer_list<TBorderIcon> icons) {
  if (!widget_) return;
  Qt::WindowFlags flags = widget_->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  flags &= ~(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
             Qt::WindowMaximizeButtonHint);
  minimizeBox_ = std::find(icons.begin(), icons.end(), biMinimize) != icons.end();
  for (TBorderIcon icon : icons) {
    if (icon == biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (icon == biMinimize) flags |= Qt::WindowMinimizeButtonHint;
    if (icon == biMaximize) flags |= Qt::WindowMaximizeButtonHint;
  }
  widget_->setWindowFlags(flags);
}

bool TForm::Visible() const { return window_ ? window_->Visible() : (widget_ && widget_->isVisible()); }

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  // The window procedure hears of it first; a direct show request has LParam 0.
  Perform(WM_SHOWWINDOW, visible ? 1 : 0, 0);
  ShowWindow(Handle(), visible ? (windowState_ == wsMinimized ? SW_MINIMIZE : SW_SHOW) : SW_HIDE);
  if (visible) CallEvent(OnShow, this);
  if (Application) Application->FormVisibilityChanged();
}

void TForm::ApplyVisible(bool visible) {
  if (!visible) hiddenWithOwner_ = false;
  if (!widget_) return;
  changingVisibility_ = true;
  if (visible) {
    if (windowState_ == wsMinimized) {
      widget_->showMinimized();
    } else {
      widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
      widget_->show();
    }
  } else {
    widget_->hide();
  }
  changingVisibility_ = false;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!widget_ || !widget_->isVisible()) return;
  changingVisibility_ = true;
  if (state == wsMinimized) widget_->showMinimized();
  else if (state == wsMaximized) widget_->showMaximized();
  else widget_->showNormal();
  changingVisibility_ = false;
}

void TForm::Repaint() {
  if (!widget_) return;
  // Windows paints a window just shown at once; X maps it a little later and drops what is painted
  // before. Wait for the desktop to show it, letting neither input nor timers in meanwhile; a minimized
  // window is not waited for.
  if (widget_->isVisible() && !widget_->isMinimized() && widget_->windowHandle()) {
    QElapsedTimer waited;
    waited.start();
    while (!widget_->windowHandle()->isExposed() && waited.elapsed() < kExposeWait) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                      QEventLoop::X11ExcludeTimers);
      QThread::msleep(1);
    }
  }
  widget_->repaint();
}

void TForm::WidgetRestoredByDesktop() {
  if (changingVisibility_) return;
  if (hiddenWithOwner_) {
    // The entry that stands for the application's button: the application is restored.
    if (Application) SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  } else if (windowState_ == wsMinimized) {
    Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

void TForm::WidgetMinimizedByDesktop() {
  if (changingVisibility_ || hiddenWithOwner_ || windowState_ == wsMinimized) return;
  // Undo the desktop's minimize; the window procedure decides whether the form minimizes.
  changingVisibility_ = true;
  widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
  changingVisibility_ = false;
  if (minimizeBox_) {
    Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    widget_->raise();
    widget_->activateWindow();
  }
}

void TForm::WidgetCloseRequested() {
  Guarded([this] { Close(); });
}

void TForm::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  TCloseAction action = caHide;
  CallEvent(OnClose, this, action);
  if (action == caNone) return;
  if (Application && Application->MainForm == this) {
    Application->Terminate();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Hide();
  }
}

int TForm::ShowModal() {
  modal_ = true;
  ModalResult = mrNone;
  if (widget_) widget_->setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  QTimer watch;
  // The loop ends once a result is set and OnClose lets it, or when the application or its session ends.
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (Application && (Application->Terminated() || Application->EndingSession())) {
      loop.quit();
      return;
    }
    if (ModalResult == mrNone) return;
    TCloseAction action = caHide;
    if (OnClose) Guarded([&] { CallEvent(OnClose, this, action); });
    if (action == caNone) ModalResult = mrNone;
    else loop.quit();
  });
  watch.start(10);
  loop.exec();
  watch.stop();
  modal_ = false;
  Hide();
  if (widget_) widget_->setWindowModality(Qt::NonModal);
  return ModalResult;
}
