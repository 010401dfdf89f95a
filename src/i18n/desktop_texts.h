#pragma once

#include <QString>

namespace z718 {

// Texts the program shows outside the scene (tray menu, tray messages), in the scene's two
// languages.
enum class DesktopText {
    Show,              // tray menu entry that shows the window
    NotConnected,      // one-line message while the mouse is away
    NotConnectedTip,   // tray tool tip while the mouse is away
    UpdateByPackages,  // the help menu's update entry where no updater is shipped
    RuleSwitched,      // tray message: profile %1 became current for program %2
};

QString desktopText(DesktopText text, bool chinese);

}  // namespace z718
