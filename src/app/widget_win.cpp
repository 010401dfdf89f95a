#include <windows.h>

#include "app/widget.h"

// Posting SC_RESTORE to ourselves lets Windows restore a minimised window as well.
void Widget::restoreWindow() {
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    Q_UNUSED(eventType);
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && msg->wParam == SC_RESTORE) {
        setVisible(true);
    } else if (msg->message == WM_DEVICECHANGE) {
        pollTimer_.start();
    }
    return *result != 0;
}
