// A modal dialog built from one of the module's dialog templates.
#pragma once

#include "base/platform_types.h"

class QWidget;

class CDialog {
  public:
    explicit CDialog(UINT idTemplate, QWidget *parent = nullptr)
        : m_idTemplate(idTemplate)
        , m_parent(parent) {}

    // Runs the dialog until a button closes it and returns that button's id; -1 when it cannot
    // be shown (no template, or no widget application in the process).
    int DoModal();

  private:
    UINT m_idTemplate;
    QWidget *m_parent;
};

// True when this process runs a widget application, which every dialog needs.
bool AfxCanShowDialogs();
