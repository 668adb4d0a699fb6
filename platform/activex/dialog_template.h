// Dialog templates, the module resources that describe a dialog in dialog units, and the
// widgets built from them.
#pragma once

#include "base/platform_types.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QWidget;

struct DialogItem {
    enum class Kind { Static, Icon, Button };
    Kind kind;
    int id;       // a button's result when clicked; unused for the others
    QRect units;  // position and size in dialog units
    QString text; // the text of a static or a button
    UINT iconId;  // the icon resource of an Icon item
};

// Items are laid out in the platform's 8-point "MS Sans Serif" dialog units.
struct DialogTemplate {
    QSize units;
    QString caption;
    std::vector<DialogItem> items;
};

// Pixels of dialog units for the template font: a horizontal unit is a quarter of its average
// character width (6 pixels), a vertical one an eighth of its height (13 pixels).
QRect dialogUnitsToPixels(const QRect &units);
QSize dialogUnitsToPixels(const QSize &units);

// Fills page (fixed to the template's size) with the template's items. Buttons end the
// nearest enclosing dialog with their id.
void buildDialogItems(const DialogTemplate &dialogTemplate, QWidget *page);
