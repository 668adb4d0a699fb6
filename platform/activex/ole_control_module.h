// The module object of a control module: its start and end, its resources, and the count of
// live objects and locks that decides whether the module may be unloaded.
//
// The framework is linked into each module, so every module has a state of its own: the one
// module object, its factories and its type-library caches.
#pragma once

#include "activex/dialog_template.h"
#include "com/hresult.h"
#include "base/platform_types.h"

#include <QImage>
#include <QString>
#include <string>

// A module export: C linkage, visible to the loader, an HRESULT result.
#define STDAPI extern "C" __attribute__((visibility("default"))) HRESULT

class COleControlModule {
  public:
    COleControlModule();
    virtual ~COleControlModule();
    COleControlModule(const COleControlModule &) = delete;
    COleControlModule &operator=(const COleControlModule &) = delete;

    // Module start, before the first object or registration; false keeps the module from
    // serving anything.
    virtual BOOL InitInstance();
    // Module end, when the module is unloaded.
    virtual int ExitInstance();

    // The module's resources by number: empty, null or no template when there is none.
    virtual QString LoadString(UINT id) const = 0;
    virtual QImage LoadBitmap(UINT id) const = 0;
    // An icon's picture, at its largest size.
    virtual QImage LoadIcon(UINT id) const = 0;
    virtual const DialogTemplate *FindDialogTemplate(UINT id) const = 0;

    // The absolute path of the module file.
    std::string ModuleFileName() const;
};

using HINSTANCE = const COleControlModule *;

// The module object of this module, or null when it has none.
HINSTANCE AfxGetInstanceHandle();

// Runs the module start once, the first time any export needs the module, and the module end
// when the module is unloaded. Each export begins with one and fails when the module could not
// start.
class AfxModuleStateGuard {
  public:
    AfxModuleStateGuard();
    bool started() const { return m_started; }

  private:
    bool m_started;
};

// Objects and server locks alive in this module.
void AfxOleLockApp();
void AfxOleUnlockApp();
// S_OK when no object or lock is left, else S_FALSE.
HRESULT AfxDllCanUnloadNow();
