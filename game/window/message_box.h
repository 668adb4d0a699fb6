// The game's one kind of message box: modal, a title and a text, an OK button, no icon.
#pragma once

class QString;
class QWidget;

namespace korvane {

void showMessageBox(QWidget *parent, const QString &title, const QString &text);

} // namespace korvane
