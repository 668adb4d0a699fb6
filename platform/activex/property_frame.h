// The property frame: a modal dialog with one tab per property page of an object.
#pragma once

#include "com/guid.h"
#include "com/unknown.h"

#include <QString>
#include <span>

class QWidget;

// Creates each page by its class identifier, shows the pages for object and returns when the
// user closes the frame (OK applies every page first). E_UNEXPECTED when the process runs no
// widget application; a page's creation failure is returned before anything is shown.
HRESULT OleCreatePropertyFrame(QWidget *parent, const QString &caption, IUnknown *object,
                               std::span<const CLSID> pages);
