// The module's resources: strings, bitmaps, the icon and the dialog templates, by number.
#pragma once

#include "activex/dialog_template.h"
#include "base/platform_types.h"

#include <QImage>
#include <QString>

inline constexpr UINT IDS_NELOWAV = 1;
inline constexpr UINT IDS_NELOWAV_PPG = 2;
inline constexpr UINT IDS_NELOWAV_PPG_CAPTION = 101;
inline constexpr UINT IDS_ABOUT_PPG = 102;
inline constexpr UINT IDS_ABOUT_PPG_CAPTION = 103;

inline constexpr UINT IDB_NELOWAV = 1;
inline constexpr UINT IDB_NELOWAV_FACE = 201;

inline constexpr UINT IDI_ABOUTDLL = 10;

inline constexpr UINT IDD_ABOUTBOX_NELOWAV = 100;
inline constexpr UINT IDD_PROPPAGE_NELOWAV = 101;
inline constexpr UINT IDD_PROPPAGE_ABOUT = 202;

// Empty, null or no template for a number the module has no resource for.
QString LoadResourceString(UINT id);
QImage LoadResourceBitmap(UINT id);
QImage LoadResourceIcon(UINT id);
const DialogTemplate *FindResourceDialog(UINT id);
