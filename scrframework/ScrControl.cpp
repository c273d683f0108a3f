#include "ScrControl.h"

#include <algorithm>
#include <cstdio>

#include "Application.h"
#include "GdiObject.h"
#include "Proxy.h"
#include "ScrBlurb.h"
#include "ScrCommandLine.h"
#include "ScrCommandLineText.h"
#include "ScrDebug.h"
#include "ScrDefaultDialogs.h"
#include "ScrDialog.h"
#include "ScrExtraSettings.h"
#include "ScrForm.h"
#include "ScrProcess.h"
#include "ScrSettings.h"

void ScrTerminate() { Application().Terminate(); }

namespace {

std::string OwnerName(const TComponent& component) {
  return component.Owner() ? component.Owner()->Name() : std::string();
}

// Centres a length on a point, kept on a screen of the given extent.
int CentredOn(int point, int length, int screen) {
  int start = point - length / 2;
  if (start + length > screen) start = screen - length;
  return std::max(start, 0);
}

}  // namespace

TScrControl::TScrControl(TComponent* owner) : TComponent(owner) {
  if (TScrControl* other = ScrProcess().control; other && other != this) {
    Application().MessageBox("Duplicate ScrControl objects found", "Program error");
    std::string text = "This is " + Name() + " on " + OwnerName(*this) + "; other is " +
                       other->Name() + " on " + OwnerName(*other);
    Application().MessageBox(text.c_str(), "err");
  }
  if (!ScrRegisterBlurbClass()) {
    MessageBoxA(nullptr, "Failed to register blurb window class", "Error", MB_OK);
  }
  Application().ShowMainForm = false;
  ScrProcess().control = this;

  TScrMode mode;
  HWND parent;
  if (ParseCommandLine(mode, parent)) ScrProcess().mode = mode;
}

TScrControl::~TScrControl() {
  for (TCacheSlot& slot : cache_) {
    if (slot.form && slot.hooked) slot.form->OnDestroy = std::move(slot.savedOnDestroy);
  }
  if (auto* full = dynamic_cast<TForm*>(ScrProcess().full); full && savedFullOnClose_) {
    full->OnClose = std::move(savedFullOnClose_);
  }
  if (ScrProcess().control == this) ScrProcess().control = nullptr;
}

void TScrControl::SetModeClass(TScrMode mode, TComponentClass formClass) {
  if (mode <= smPasswordVerify) modeClasses_[mode] = formClass;
}

void TScrControl::SetupDebugging() {
  const char* commandLine = GetCommandLineA();
  ScrTraceLog().SetUp(TraceLevel, LogFile, ScrCommandLineStartsNewLog(commandLine),
                      commandLine ? commandLine : "");
}

void TScrControl::ExecuteCN(TComponentClass saver, TComponentClass config,
                            TComponentClass extras) {
  if (saver) modeClasses_[smSaver] = saver;
  if (config) modeClasses_[smConfig] = config;
  if (extras) modeClasses_[smSettings] = extras;
  Execute();
}

void TScrControl::Execute() {
  InitialiseRegistry();
  if (!messageWindow_) {
    messageWindow_ = std::make_unique<TMessageWindow>(
        [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
          return ControlWndProc(window, message, wParam, lParam);
        });
  }
  if (!startPosted_) {
    PostMessageA(messageWindow_->Handle(), WM_APP, ScrDelayedStart, 0);
    startPosted_ = true;
  }
  if (!Owner() || Owner() == &Application()) ExecuteAfterDelay();
}

LRESULT TScrControl::ControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && wParam == ScrDelayedStart && AutoExecute && !executing_) {
    ScrDebug(tlMsg, "ScrControl: delayed cheap execute is about to start");
    ExecuteAfterDelay();
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void TScrControl::ExecuteAfterDelay() {
  for (TComponent* component : Application().Components()) {
    auto* form = dynamic_cast<TScrBase*>(component);
    if (!form) continue;
    switch (form->Purpose) {
      case smSaver: case smSFull: case smSPreview: case smSPConfig: case smSPMain:
        cache_[form->Purpose].form = dynamic_cast<TScrForm*>(form) ? form : nullptr;
        break;
      case smConfig: case smCRegular: case smCActive: case smAbout: case smPasswordChange:
      case smPasswordVerify:
        cache_[form->Purpose].form = dynamic_cast<TScrDialog*>(form) ? form : nullptr;
        break;
      case smSettings: case smNone:
        break;
    }
  }
  for (int mode = smSaver; mode <= smPasswordVerify; ++mode) {
    if (cache_[mode].form && !cache_[mode].hooked) HookDestroy(static_cast<TScrMode>(mode));
  }
  executing_ = true;
  RealExecute();
}

void TScrControl::RealExecute() {
  started_ = true;
  StopAppWindowFromAppearingOnTaskbar();
  TScrMode mode;
  HWND parent = nullptr;
  if (!ParseCommandLine(mode, parent)) return;
  ScrProcess().mode = mode;
  ScrProcess().control = this;
  if (waitingMonitor_) {
    HWND monitor = waitingMonitor_;
    waitingMonitor_ = nullptr;
    CreateMonitorPreview(monitor);
  }
  switch (mode) {
    case smSFull: PerformFull(); break;
    case smSPMain: PerformPreview(parent, true); break;
    case smCRegular: PerformConfig(parent, false, 0, 0); break;
    case smPasswordChange: PerformChangePassword(parent); break;
    default:
      ScrDebug(tlErr, "Command line gave odd result");
      ScrTerminate();
  }
}

bool TScrControl::PerformInOrder(TComponent*& obj, TComponent* cached,
                                 const TScrCreatorEvent& event, TComponentClass cls,
                                 TExecutionStrategy& how) {
  if (obj) return false;
  if (auto* base = dynamic_cast<TScrBase*>(cached); base && base->InUse) cached = nullptr;
  obj = cached;
  if (obj) {
    how = esCache;
  } else if (event) {
    event(&Application(), obj);
    if (obj) how = esEvent;
  }
  if (!obj && cls) {
    Application().CreateForm(cls, &obj);
    how = esClass;
  }
  return obj != nullptr;
}

const TScrCreatorEvent& TScrControl::CreatorEvent(TScrMode mode) const {
  switch (mode) {
    case smSaver: return DoSaver;
    case smSFull: return DoSFull;
    case smSPreview: return DoSPreview;
    case smSPConfig: return DoSPConfig;
    case smSPMain: return DoSPMain;
    case smConfig: return DoConfig;
    case smCRegular: return DoCRegular;
    case smCActive: return DoCActive;
    case smAbout: return DoAbout;
    case smSettings: return DoExtras;
    case smPasswordChange: return DoPasswordChange;
    default: return DoPasswordVerify;
  }
}

bool TScrControl::PerformRole(TComponent*& obj, TScrMode mode, TExecutionStrategy& how) {
  return PerformInOrder(obj, cache_[mode].form, CreatorEvent(mode), modeClasses_[mode], how);
}

void TScrControl::HookDestroy(TScrMode mode) {
  static constexpr void (TScrControl::*handlers[])(TComponent*) = {
      &TScrControl::CheapSaverDestroy,    &TScrControl::CheapSFullDestroy,
      &TScrControl::CheapSPreviewDestroy, &TScrControl::CheapSPConfigDestroy,
      &TScrControl::CheapSPMainDestroy,   &TScrControl::CheapConfigDestroy,
      &TScrControl::CheapCRegularDestroy, &TScrControl::CheapCActiveDestroy,
      &TScrControl::CheapAboutDestroy,    nullptr,
      &TScrControl::CheapPasswordChangeDestroy, &TScrControl::CheapPasswordVerifyDestroy,
  };
  TCacheSlot& slot = cache_[mode];
  if (!handlers[mode]) return;
  slot.savedOnDestroy = std::move(slot.form->OnDestroy);
  slot.form->OnDestroy = [this, handler = handlers[mode]](TComponent* sender) {
    (this->*handler)(sender);
  };
  slot.hooked = true;
}

void TScrControl::CacheAndHook(TScrMode mode, TScrBase* form) {
  cache_[mode].form = form;
  HookDestroy(mode);
}

void TScrControl::CheapDestroy(TScrMode mode, TComponent* sender) {
  TCacheSlot& slot = cache_[mode];
  std::function<void(TComponent*)> saved = std::move(slot.savedOnDestroy);
  slot = TCacheSlot{};
  if (ScrProcess().full == sender) ScrProcess().full = nullptr;
  if (ScrProcess().preview == sender) ScrProcess().preview = nullptr;
  if (ScrProcess().config == sender) ScrProcess().config = nullptr;
  if (saved) saved(sender);
}

void TScrControl::CheapSaverDestroy(TComponent* sender) { CheapDestroy(smSaver, sender); }
void TScrControl::CheapSFullDestroy(TComponent* sender) { CheapDestroy(smSFull, sender); }
void TScrControl::CheapSPreviewDestroy(TComponent* sender) { CheapDestroy(smSPreview, sender); }
void TScrControl::CheapSPMainDestroy(TComponent* sender) { CheapDestroy(smSPMain, sender); }
void TScrControl::CheapSPConfigDestroy(TComponent* sender) { CheapDestroy(smSPConfig, sender); }
void TScrControl::CheapConfigDestroy(TComponent* sender) { CheapDestroy(smConfig, sender); }
void TScrControl::CheapCRegularDestroy(TComponent* sender) { CheapDestroy(smCRegular, sender); }
void TScrControl::CheapCActiveDestroy(TComponent* sender) { CheapDestroy(smCActive, sender); }
void TScrControl::CheapAboutDestroy(TComponent* sender) { CheapDestroy(smAbout, sender); }
void TScrControl::CheapPasswordChangeDestroy(TComponent* sender) {
  CheapDestroy(smPasswordChange, sender);
}
void TScrControl::CheapPasswordVerifyDestroy(TComponent* sender) {
  CheapDestroy(smPasswordVerify, sender);
}

void TScrControl::PerformFull() {
  ScrDebug(tlMsg, "Perform full");
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformRole(obj, smSFull, how) || PerformRole(obj, smSaver, how);
  if (!obj) {
    ScrDebug(tlErr, "Didn't have anything to create a full-screen saver");
    ScrTerminate();
    return;
  }
  auto* form = dynamic_cast<TScrForm*>(obj);
  if (!form) {
    delete obj;
    ScrDebug(tlErr, "Full-saver class doesn't descend from TScrForm");
    ScrTerminate();
    return;
  }
  if (!ScrProcess().full) ScrProcess().full = form;
  if (!cache_[smSFull].form) CacheAndHook(smSFull, form);
  form->InUse = true;
  form->RunningMode = smSFull;
  if (!IsDebug) {
    form->SetBorderStyle(bsNone);
    // Every monitor: the virtual screen, which is the primary screen when there is one.
    form->SetBounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  }
  savedFullOnClose_ = std::move(form->OnClose);
  form->OnClose = [this](TComponent* sender, TCloseAction& action) { SFullOnClose(sender, action); };
  form->SetParentWindow(nullptr);
  if (!IsDebug) SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, nullptr, 0);
  form->Show();
}

void TScrControl::SFullOnClose(TComponent* sender, TCloseAction& action) {
  auto* form = static_cast<TScrForm*>(sender);
  std::function<void(TComponent*, TCloseAction&)> saved = std::move(savedFullOnClose_);
  savedFullOnClose_ = nullptr;
  if (saved) saved(sender, action);
  form->OnClose = std::move(saved);
  form->InUse = false;
  if (ScrProcess().full == form) ScrProcess().full = nullptr;
  if (!IsDebug) SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, nullptr, 0);
  ScrTerminate();
}

TProxy* TScrControl::ObtainProxy() {
  if (idleProxies_.empty()) return new TProxy(this);  // owned by this controller
  TProxy* proxy = idleProxies_.back();
  idleProxies_.pop_back();
  return proxy;
}

void TScrControl::PerformPreview(HWND parent, bool mainPreview) {
  ScrDebug(tlMsg, mainPreview ? "Perform main preview" : "Preform config preview");
  TScrMode own = mainPreview ? smSPMain : smSPConfig;
  const TScrMode groups[] = {own, smSPreview, smSaver};
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  TScrMode group = own;
  for (TScrMode candidate : groups) {
    if (PerformRole(obj, candidate, how)) {
      group = candidate;
      break;
    }
  }
  auto* form = dynamic_cast<TScrForm*>(obj);
  if (obj && !form) {
    delete obj;
    ScrDebug(tlErr, "Preview class doesn't descend from TScrForm");
    ScrTerminate();
    return;
  }
  TScrMode processMode = ScrProcess().mode;
  if (form && how == esCache &&
      ((processMode == smSFull && !cache_[smSFull].form && group == smSaver) ||
       (processMode == smSPMain && !mainPreview && !cache_[smSPMain].form &&
        (group == smSPreview || group == smSaver)))) {
    form = nullptr;  // that form is the one the running mode itself needs
  }
  if (!form) {
    ScrDebug(tlMsg, "Given preview a dummy.");
    ScrCreateBlurb(parent);
    return;
  }

  if (mainPreview) {
    if (!ScrProcess().preview) ScrProcess().preview = form;
    if (!cache_[smSPMain].form) {
      CacheAndHook(smSPMain, form);
      ScrDebug(tlMsg, "Main preview created and cached");
    } else {
      ScrDebug(tlMsg, "Main preview created");
    }
  } else {
    if (!ScrProcess().preview && processMode != smSPMain) ScrProcess().preview = form;
    if (!cache_[smSPConfig].form) {
      CacheAndHook(smSPConfig, form);
      ScrDebug(tlMsg, "Config preview created and cached");
    } else {
      ScrDebug(tlMsg, "Config preview created");
    }
  }

  TProxy* proxy = ObtainProxy();
  if (mainPreview) {
    proxy->OnPxDestroy = [this](TProxy* p, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      SPMainProxyOnDestroy(p, hwnd, msg, wParam, lParam);
    };
  } else {
    proxy->OnPxDestroy = [this](TProxy* p, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      SPConfigProxyOnDestroy(p, hwnd, msg, wParam, lParam);
    };
  }
  proxy->ChangeParentHwnd(parent);
  if (!proxy->ChildHwnd()) {
    // The host's window went away between the command line and now: a form without its
    // host would turn into a stray top-level window, so the preview ends here.
    idleProxies_.push_back(proxy);
    ScrDebug(tlErr, "Preview parent window has gone: nothing to show the preview in");
    if (mainPreview) ScrTerminate();
    return;
  }
  form->InUse = true;
  form->RunningMode = own;
  form->SetParentWindow(proxy->ChildHwnd());
  form->SetBorderStyle(bsNone);
  RECT client = {};
  GetClientRect(proxy->GetParentHwnd(), &client);
  form->SetBounds(0, 0, client.right - client.left, client.bottom - client.top);
  ScrDebug(tlMsg, "Preview is hooked in to proxy; about to show it.");
  form->Show();
}

void TScrControl::SPConfigProxyOnDestroy(TProxy* proxy, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (HWND child = GetWindow(hwnd, GW_CHILD)) {
    auto* form = reinterpret_cast<TScrForm*>(SendMessageA(child, ScrMessage, ScrQueryForm, 0));
    if (form) {
      form->Hide();
      form->InUse = false;
      form->SetParentWindow(nullptr);
      if (ScrProcess().preview == form) ScrProcess().preview = nullptr;
    }
  }
  idleProxies_.push_back(proxy);
}

void TScrControl::SPMainProxyOnDestroy(TProxy* proxy, HWND hwnd, UINT msg, WPARAM wParam,
                                       LPARAM lParam) {
  ScrDebug(tlMsg, "Main preview proxy has signalled a Destroy: terminating...");
  SPConfigProxyOnDestroy(proxy, hwnd, msg, wParam, lParam);
  ScrTerminate();
}

void TScrControl::PerformConfig(HWND parent, bool active, int x, int y) {
  ScrDebug(tlMsg, std::string("Perform Config ") + (active ? "(active)" : "(regular)"));
  TScrMode own = active ? smCActive : smCRegular;
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformRole(obj, own, how) || PerformRole(obj, smConfig, how);
  if (!obj) {
    MessageBoxA(parent, "This screen saver has no settings to configure", "Screen saver", MB_OK);
    if (!active) ScrTerminate();
    return;
  }
  auto* dialog = dynamic_cast<TScrDialog*>(obj);
  if (!dialog) {
    delete obj;
    ScrDebug(tlErr, "Config class doesn't descend from TScrDialog");
    ScrTerminate();
    return;
  }
  TGdiObject<HBITMAP> monitor(LoadBitmapA(GetModuleHandleA(nullptr), "SCRMONITOR"));
  if (!monitor) {
    ScrDebug(tlErr, "You must add the SCRKIT.RES resources to your project.");
    ScrTerminate();
    return;
  }
  dialog->InUse = true;
  if (!ScrProcess().config) ScrProcess().config = dialog;
  if (!cache_[own].form) CacheAndHook(own, dialog);

  if (active) {
    if (x == -1 && y == -1) {
      if (activeConfigLeft_ != -1 || activeConfigTop_ != -1) {
        dialog->SetBounds(activeConfigLeft_, activeConfigTop_, dialog->Width(), dialog->Height());
      }
    } else {
      dialog->SetBounds(CentredOn(x, dialog->Width(), GetSystemMetrics(SM_CXSCREEN)),
                        CentredOn(y, dialog->Height(), GetSystemMetrics(SM_CYSCREEN)),
                        dialog->Width(), dialog->Height());
    }
    dialog->SetCreationParent(parent);
    dialog->ShowModal();
    activeConfigLeft_ = dialog->Left();
    activeConfigTop_ = dialog->Top();
    dialog->InUse = false;
  } else {
    if (parent) EnableWindow(parent, FALSE);
    dialog->SetPosition(poDefaultPosOnly);
    if (parent) dialog->SetCreationParent(parent);
    dialog->ShowModal();
    if (parent) EnableWindow(parent, TRUE);
    dialog->SetCreationParent(nullptr);
    dialog->InUse = false;
    ScrTerminate();
  }
  if (ScrProcess().config == dialog) ScrProcess().config = nullptr;
}

void TScrControl::PerformChangePassword(HWND parent) {
  ScrDebug(tlMsg, "Perform Change Password");
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformRole(obj, smPasswordChange, how);
  if (auto* form = dynamic_cast<TScrBase*>(obj)) {
    if (!cache_[smPasswordChange].form) CacheAndHook(smPasswordChange, form);
    form->SetCreationParent(parent);
    form->ShowModal();
  } else if (RequirePassword == rpNever) {
    MessageBoxA(parent, "This screen saver does not use a password", "Screen saver", MB_OK);
  } else {
    DefaultChangePasswordDialog(parent);
  }
}

bool TScrControl::PerformVerifyPassword(HWND parent) {
  ScrDebug(tlMsg, "Perform verify password");
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformRole(obj, smPasswordVerify, how);
  auto* form = dynamic_cast<TScrBase*>(obj);
  if (!form) return DefaultVerifyPasswordDialog(parent);
  if (!cache_[smPasswordVerify].form) CacheAndHook(smPasswordVerify, form);
  form->SetCreationParent(parent);
  return form->ShowModal() != mrNone;
}

void TScrControl::PerformAbout(HWND parent) {
  ScrDebug(tlMsg, "Perform about dialog");
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformRole(obj, smAbout, how);
  if (auto* form = dynamic_cast<TScrBase*>(obj)) {
    if (!cache_[smAbout].form) CacheAndHook(smAbout, form);
    form->SetCreationParent(parent);
    form->ShowModal();
  } else {
    DefaultAboutDialog(parent);
  }
}

TScrExtraSettings* TScrControl::PerformExtras(TScrSettings* settings) {
  TComponent* obj = nullptr;
  TExecutionStrategy how = esCache;
  PerformInOrder(obj, nullptr, DoExtras, modeClasses_[smSettings], how);
  auto* extras = dynamic_cast<TScrExtraSettings*>(obj);
  if (!extras) {
    delete obj;  // a class of the wrong kind: nothing may keep it
    return nullptr;
  }
  ScrDebug(tlMsg, "Perform extra settings");
  extras->Settings = settings;
  return extras;
}

void TScrControl::ExecuteActiveConfig(TScrForm* form, int x, int y) {
  PerformConfig(form->Handle(), true, x, y);
}

bool TScrControl::VerifyPassword(TScrForm* form) { return PerformVerifyPassword(form->Handle()); }

void TScrControl::ExecuteAboutDialog(TScrBase* form) { PerformAbout(form->Handle()); }

TScrExtraSettings* TScrControl::CreateExtras(TScrSettings* settings) {
  return PerformExtras(settings);
}

void TScrControl::CreateMonitorPreview(HWND control) {
  if (!executing_) {
    waitingMonitor_ = control;
    return;
  }
  HWND child = GetWindow(control, GW_CHILD);
  PerformPreview(child ? child : control, false);
}
