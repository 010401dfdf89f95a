import QtQuick

// Keeps the keyboard's focus where the keys reach the scene. An opened menu or dialog takes
// the focus, which goes back where it was when that closes; a focused item that goes away (a
// deleted row, a menu the pointer closed) leaves the focus with the window, and `home` takes
// it back.
Item {
    id: keeper

    required property Item home
    // While set (a dialog is open), nothing is given back.
    property bool blocked: false
    property Item returnFocus: null

    function take(item: Item) {
        if (!returnFocus)
            returnFocus = Window.activeFocusItem
        item.forceActiveFocus()
    }

    function giveBack() {
        if (blocked)
            return
        const item = returnFocus
        returnFocus = null
        if (item && item.visible && item.enabled)
            item.forceActiveFocus()
        else
            home.forceActiveFocus()
    }

    Window.onActiveFocusItemChanged: settle.restart()

    Timer {
        id: settle
        interval: 0
        onTriggered: {
            if (keeper.home.visible && keeper.Window.activeFocusItem === keeper.home.parent)
                keeper.home.forceActiveFocus()
        }
    }
}
