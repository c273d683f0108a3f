#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Form.h"
#include "MessageWindow.h"
#include "ScrExport.h"
#include "ScrMode.h"
#include "ScrPasswordRule.h"
#include "ScrTrace.h"

class TProxy;
class TScrBase;
class TScrForm;
class TScrDialog;
class TScrSettings;
class TScrExtraSettings;

// How PerformInOrder obtained its object: from the cache, the creator event or the class.
enum TExecutionStrategy { esCache = 0, esEvent = 1, esClass = 2 };

// A creator event: may create the object for its mode, owned by Owner, into NewObj.
using TScrCreatorEvent = std::function<void(TComponent* Owner, TComponent*& NewObj)>;

// The framework message's code for the controller's delayed start.
inline constexpr WPARAM ScrDelayedStart = 3;

// The one controller of a screen-saver program.  From the run mode of the command line it
// obtains the form of the mode, trying for each role its cached form, its creator event
// and its class in turn, places it (full screen, inside the host's preview window through a
// TProxy, or modal over a parent), hooks its close and destroy events and terminates the
// application when the mode's work is done.  Every decision is traced (ScrDebug).
//
// The program creates it owned by the application, sets its properties and calls ExecuteCN
// (or Execute).  It becomes the process-wide controller (ScrControl()) on construction and
// stops being it when destroyed.
class SCRKIT_API TScrControl : public TComponent {
public:
  // Shows "Duplicate ScrControl objects found" when another controller exists (the new one
  // still takes over), registers the "ScrkitBlurb" placeholder class and parses the command
  // line to make the mode known early.
  explicit TScrControl(TComponent* owner);
  // Gives hooked forms back their own destroy handlers.
  ~TScrControl() override;

  bool AutoExecute = true;
  bool CheckPasswordForActiveConfig = true;
  bool DisableSaverInputBehaviour = false;
  bool AllowActiveConfig = false;
  bool AllowMute = true;
  TTraceLevel TraceLevel = tlErr;
  std::string LogFile{ScrDebuggerTarget};
  bool IsDebug = false;  // run the full-screen form as a normal window
  bool DisableAboutMenuItem = false;
  TRequirePassword RequirePassword = rpNormal;

  TScrCreatorEvent DoSaver, DoSFull, DoSPreview, DoSPConfig, DoSPMain, DoConfig, DoCRegular,
      DoCActive, DoAbout, DoExtras, DoPasswordChange, DoPasswordVerify;

  // The class the controller creates for a role (smSaver to smPasswordVerify); null for
  // none.
  void SetModeClass(TScrMode mode, TComponentClass formClass);

  // Stores each non-null class at smSaver, smConfig and smSettings, then Execute.
  virtual void ExecuteCN(TComponentClass saver, TComponentClass config, TComponentClass extras);
  // Starts the controller: at once when owned by the application (or by nobody), else when
  // the delayed-start message posted to its hidden window arrives.
  virtual void Execute();
  // Files the application's auto-created forms by Purpose into the cache, then RealExecute.
  virtual void ExecuteAfterDelay();
  // Parses the command line and performs the mode; does nothing when it does not parse.
  virtual void RealExecute();

  virtual void PerformFull();
  virtual void PerformPreview(HWND parent, bool mainPreview);
  virtual void PerformConfig(HWND parent, bool active, int x, int y);
  virtual void PerformChangePassword(HWND parent);
  virtual bool PerformVerifyPassword(HWND parent);
  virtual void PerformAbout(HWND parent);
  virtual TScrExtraSettings* PerformExtras(TScrSettings* settings);

  // Entry points for forms and settings.
  virtual void ExecuteActiveConfig(TScrForm* form, int x, int y);
  virtual bool VerifyPassword(TScrForm* form);
  virtual void ExecuteAboutDialog(TScrBase* form);
  virtual TScrExtraSettings* CreateExtras(TScrSettings* settings);
  // Runs a configuration preview inside control's first child window (or control itself);
  // before the controller executes it only remembers control.
  virtual void CreateMonitorPreview(HWND control);

  // Configures the trace log from TraceLevel and LogFile (preview runs append to the log).
  virtual void SetupDebugging();

  // One source step: when *obj is empty, takes cached unless it is in use (how = esCache),
  // else the creator event with the application as owner (esEvent), else creates cls with
  // the application's CreateForm (esClass).  Returns whether *obj is set; false without
  // change when it was set already.
  bool PerformInOrder(TComponent*& obj, TComponent* cached, const TScrCreatorEvent& event,
                      TComponentClass cls, TExecutionStrategy& how);

  // Whether RealExecute has run.
  bool Started() const { return started_; }

  // The form cached for a role, or null.
  TScrBase* CachedForm(TScrMode mode) const { return cache_[mode].form; }

protected:
  virtual LRESULT ControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual void SFullOnClose(TComponent* sender, TCloseAction& action);
  virtual void SPMainProxyOnDestroy(TProxy* proxy, HWND hwnd, UINT msg, WPARAM wParam,
                                    LPARAM lParam);
  virtual void SPConfigProxyOnDestroy(TProxy* proxy, HWND hwnd, UINT msg, WPARAM wParam,
                                      LPARAM lParam);
  virtual void CheapSaverDestroy(TComponent* sender);
  virtual void CheapSFullDestroy(TComponent* sender);
  virtual void CheapSPreviewDestroy(TComponent* sender);
  virtual void CheapSPMainDestroy(TComponent* sender);
  virtual void CheapSPConfigDestroy(TComponent* sender);
  virtual void CheapConfigDestroy(TComponent* sender);
  virtual void CheapCRegularDestroy(TComponent* sender);
  virtual void CheapCActiveDestroy(TComponent* sender);
  virtual void CheapAboutDestroy(TComponent* sender);
  virtual void CheapPasswordChangeDestroy(TComponent* sender);
  virtual void CheapPasswordVerifyDestroy(TComponent* sender);

private:
  struct TCacheSlot {
    TScrBase* form = nullptr;
    std::function<void(TComponent*)> savedOnDestroy;
    bool hooked = false;
  };

  // Puts form into the slot of mode and routes its OnDestroy through the matching
  // Cheap...Destroy handler.
  void CacheAndHook(TScrMode mode, TScrBase* form);
  void HookDestroy(TScrMode mode);
  void CheapDestroy(TScrMode mode, TComponent* sender);
  const TScrCreatorEvent& CreatorEvent(TScrMode mode) const;
  // One source step for the role mode: its cached form, event and class.
  bool PerformRole(TComponent*& obj, TScrMode mode, TExecutionStrategy& how);
  TProxy* ObtainProxy();

  std::array<TComponentClass, smPasswordVerify + 1> modeClasses_{};
  std::array<TCacheSlot, smPasswordVerify + 1> cache_{};
  std::function<void(TComponent*, TCloseAction&)> savedFullOnClose_;
  std::unique_ptr<TMessageWindow> messageWindow_;
  bool startPosted_ = false;
  bool executing_ = false;
  bool started_ = false;
  int activeConfigLeft_ = -1;
  int activeConfigTop_ = -1;
  HWND waitingMonitor_ = nullptr;
  std::vector<TProxy*> idleProxies_;  // owned as components of this controller
};

// The framework's orderly end: terminates the application.
SCRKIT_API void ScrTerminate();
