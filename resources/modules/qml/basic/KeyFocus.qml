import QtQuick
import modules.qml

// Makes its parent a control of the keyboard and of screen readers: a Tab stop that shows the
// focus mark, is used with Space or Enter like a click, and tells its name and role. The
// window is drawn for the pointer; the keyboard and screen readers are our own addition.
Item {
    id: control

    property string name
    property int role: Accessible.Button
    // How far the mark reaches beyond the control; 0 inside a clipping panel or list.
    property real markOutset: 3
    // Lets FocusChain find the controls of a menu or list.
    readonly property bool keyboardControl: true

    signal activated()
    // The Menu key (or Shift+F10) and F2: a control's context menu and its in-place edit.
    signal menuRequested()
    signal editRequested()

    anchors.fill: parent
    activeFocusOnTab: true
    Accessible.name: name
    Accessible.role: role
    Accessible.focusable: true
    Accessible.onPressAction: activated()
    Keys.onSpacePressed: activated()
    Keys.onReturnPressed: activated()
    Keys.onEnterPressed: activated()
    Keys.onPressed: event => {
        if (event.key === Qt.Key_Menu
            || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier)))
            menuRequested()
        else if (event.key === Qt.Key_F2)
            editRequested()
        else
            event.accepted = false
    }

    FocusMark {
        anchors.margins: -control.markOutset
        visible: control.activeFocus
    }
}
