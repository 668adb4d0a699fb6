// The module's string table and dialog templates, and the look-up of every resource.
#include "nelowav_resources.h"

#include "nelowav_bitmaps.h"

#include <array>

namespace {

struct StringResource {
    UINT id;
    const char *text;
};

constexpr std::array kStrings = {
    StringResource{IDS_NELOWAV, "Pardane Wave Control"},
    StringResource{IDS_NELOWAV_PPG, "Nelowav Property Page"},
    StringResource{IDS_NELOWAV_PPG_CAPTION, "General"},
    StringResource{IDS_ABOUT_PPG, "About Property Page"},
    StringResource{IDS_ABOUT_PPG_CAPTION, "About"},
};

using Kind = DialogItem::Kind;

const DialogTemplate &aboutBox() {
    static const DialogTemplate dialog{
        QSize(261, 139),
        QStringLiteral("About Pardane Wave Control"),
        {
            {Kind::Icon, -1, QRect(10, 10, 21, 20), {}, IDI_ABOUTDLL},
            {Kind::Static, -1, QRect(45, 10, 150, 10),
             QStringLiteral("Pardane Wave Control, Version 1.0"), 0},
            {Kind::Static, -1, QRect(45, 25, 150, 10), QStringLiteral("NELOWAV wave sound control"),
             0},
            {Kind::Static, -1, QRect(45, 45, 205, 40),
             QStringLiteral("Opens, plays, records, edits and saves WAV sound files for the "
                            "program that hosts it."),
             0},
            {Kind::Static, -1, QRect(45, 95, 205, 30),
             QStringLiteral("Every method reports its outcome through GetErrorCode and "
                            "GetErrorMessage."),
             0},
            {Kind::Button, 1, QRect(204, 7, 50, 14), QStringLiteral("OK"), 0},
        }};
    return dialog;
}

const DialogTemplate &generalPage() {
    static const DialogTemplate dialog{
        QSize(250, 62),
        QStringLiteral("General"),
        {
            {Kind::Static, -1, QRect(5, 17, 240, 25),
             QStringLiteral("The general Properties/Methods of the Pardane Wave OCX control are "
                            "available only during run-time."),
             0},
        }};
    return dialog;
}

const DialogTemplate &aboutPage() {
    static const DialogTemplate dialog{
        QSize(219, 116),
        QStringLiteral("About"),
        {
            {Kind::Icon, -1, QRect(10, 10, 21, 20), {}, IDI_ABOUTDLL},
            {Kind::Static, -1, QRect(45, 10, 165, 10),
             QStringLiteral("Pardane Wave Control, Version 1.0"), 0},
            {Kind::Static, -1, QRect(45, 30, 165, 40),
             QStringLiteral("An in-process control for WAV sound files: play, record, edit "
                            "and save them."),
             0},
        }};
    return dialog;
}

} // namespace

QString LoadResourceString(UINT id) {
    for (const StringResource &resource : kStrings)
        if (resource.id == id)
            return QString::fromUtf8(resource.text);
    return {};
}

QImage LoadResourceBitmap(UINT id) {
    switch (id) {
    case IDB_NELOWAV:
        return MakeToolboxBitmap();
    case IDB_NELOWAV_FACE:
        return MakeFaceBitmap();
    default:
        return {};
    }
}

QImage LoadResourceIcon(UINT id) {
    return id == IDI_ABOUTDLL ? MakeAboutIcon() : QImage();
}

const DialogTemplate *FindResourceDialog(UINT id) {
    switch (id) {
    case IDD_ABOUTBOX_NELOWAV:
        return &aboutBox();
    case IDD_PROPPAGE_NELOWAV:
        return &generalPage();
    case IDD_PROPPAGE_ABOUT:
        return &aboutPage();
    default:
        return nullptr;
    }
}
