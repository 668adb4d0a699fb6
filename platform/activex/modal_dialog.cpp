// Modal dialogs from templates.
#include "activex/modal_dialog.h"

#include "activex/dialog_template.h"
#include "activex/ole_control_module.h"

#include <QApplication>
#include <QDialog>

bool AfxCanShowDialogs() {
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

int CDialog::DoModal() {
    const COleControlModule *module = AfxGetInstanceHandle();
    const DialogTemplate *dialogTemplate =
        module != nullptr ? module->FindDialogTemplate(m_idTemplate) : nullptr;
    if (dialogTemplate == nullptr || !AfxCanShowDialogs())
        return -1;
    QDialog dialog(m_parent);
    dialog.setWindowTitle(dialogTemplate->caption);
    buildDialogItems(*dialogTemplate, &dialog);
    return dialog.exec();
}
