// The module object and the module-wide clip file.
#include "nelowav_app.h"

#include "nelowav_resources.h"
#include "wavedata/clip_file.h"

namespace {

CNeloWavApp theApp;

} // namespace

BOOL CNeloWavApp::InitInstance() {
    const BOOL bInit = COleControlModule::InitInstance();
    if (bInit != 0)
        DeleteClipFile();
    return bInit;
}

int CNeloWavApp::ExitInstance() {
    DeleteClipFile();
    return COleControlModule::ExitInstance();
}

QString CNeloWavApp::LoadString(UINT id) const {
    return LoadResourceString(id);
}

QImage CNeloWavApp::LoadBitmap(UINT id) const {
    return LoadResourceBitmap(id);
}

QImage CNeloWavApp::LoadIcon(UINT id) const {
    return LoadResourceIcon(id);
}

const DialogTemplate *CNeloWavApp::FindDialogTemplate(UINT id) const {
    return FindResourceDialog(id);
}
