// Window handles that any thread may post messages to, as the media device does for its
// completion message. The window itself is whatever registered the handle (for the control,
// a Qt object on the host's thread); posting only queues, never runs the window's code.
#pragma once

#include "base/platform_types.h"

#include <functional>

struct HWND__;
using HWND = HWND__ *;

// Queues one message for the window; called with the registry's lock held, so it must only
// queue and return (it may be called from any thread).
using MessageQueueFunction = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

// Gives a new handle, never one used before in this process, or nullptr when out of memory.
HWND RegisterMessageWindow(MessageQueueFunction queue);

// Once this returns, no post to hwnd is running or will reach its queue function.
void UnregisterMessageWindow(HWND hwnd);

// FALSE (0) when hwnd is not a registered window (null, never registered or already gone).
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND hwnd);
