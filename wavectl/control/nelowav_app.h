// The module object: the module's start and end, and its resources.
#pragma once

#include "activex/ole_control_module.h"

class CNeloWavApp final : public COleControlModule {
  public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    QString LoadString(UINT id) const override;
    QImage LoadBitmap(UINT id) const override;
    QImage LoadIcon(UINT id) const override;
    const DialogTemplate *FindDialogTemplate(UINT id) const override;
};
