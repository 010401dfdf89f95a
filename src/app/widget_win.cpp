#include <windows.h>

#include "app/widget.h"

// Posting SC_RESTORE to ourselves lets Windows restore a minimised window as well.
void Widget::restoreWindow() {
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    Q_UNUSED(eventType);
    Q_UNUSED(result);
    const MSG* msg = static_cast<const MSG*>(message);
    // Windows uses the low four bits of a system command's wParam itself.
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE) {
        setVisible(true);
    } else if (msg->message == WM_DEVICECHANGE) {
        pollTimer_.start();
    }
    // Nothing is consumed: Qt and Windows still handle every message (restoring, for one).
    return false;
}
