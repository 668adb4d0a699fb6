// Building widgets from dialog templates.
#include "activex/dialog_template.h"

#include "activex/ole_control_module.h"

#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int kCharWidth = 6;
constexpr int kCharHeight = 13;
constexpr int kTemplatePointSize = 8;

int horizontalPixels(int units) {
    return units * kCharWidth / 4;
}

int verticalPixels(int units) {
    return units * kCharHeight / 8;
}

QWidget *createItem(const DialogItem &item, QWidget *page) {
    switch (item.kind) {
    case DialogItem::Kind::Static: {
        auto *label = new QLabel(item.text, page);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case DialogItem::Kind::Icon: {
        auto *label = new QLabel(page);
        const QRect pixels = dialogUnitsToPixels(item.units);
        if (const COleControlModule *module = AfxGetInstanceHandle())
            label->setPixmap(QPixmap::fromImage(
                module->LoadIcon(item.iconId).scaled(pixels.size(), Qt::KeepAspectRatio)));
        return label;
    }
    case DialogItem::Kind::Button: {
        auto *button = new QPushButton(item.text, page);
        const int result = item.id;
        QObject::connect(button, &QPushButton::clicked, page, [page, result] {
            for (QWidget *widget = page; widget != nullptr; widget = widget->parentWidget())
                if (auto *dialog = qobject_cast<QDialog *>(widget)) {
                    dialog->done(result);
                    return;
                }
        });
        return button;
    }
    }
    return nullptr;
}

} // namespace

QRect dialogUnitsToPixels(const QRect &units) {
    return {horizontalPixels(units.x()), verticalPixels(units.y()), horizontalPixels(units.width()),
            verticalPixels(units.height())};
}

QSize dialogUnitsToPixels(const QSize &units) {
    return {horizontalPixels(units.width()), verticalPixels(units.height())};
}

void buildDialogItems(const DialogTemplate &dialogTemplate, QWidget *page) {
    QFont font = page->font();
    font.setPointSize(kTemplatePointSize);
    page->setFont(font);
    page->setFixedSize(dialogUnitsToPixels(dialogTemplate.units));
    for (const DialogItem &item : dialogTemplate.items) {
        QWidget *widget = createItem(item, page);
        widget->setGeometry(dialogUnitsToPixels(item.units));
    }
}
