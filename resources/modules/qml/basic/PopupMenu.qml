pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// A right-click menu of equally tall entries, opened at the click point and kept inside its
// parent. Choosing an entry closes the menu and reports the entry's index. It takes the
// keyboard focus, so arrows move along its entries.
Rectangle {
    id: menu

    property var labels: []

    signal triggered(int index)

    function popup(atX, atY) {
        x = Math.max(0, Math.min(atX, parent.width - width))
        y = Math.max(0, Math.min(atY, parent.height - height))
        visible = true
        forceActiveFocus()
    }

    function close() {
        visible = false
    }

    width: 159
    height: 105
    visible: false
    z: 200
    color: Style.dialogColor
    border.color: Style.lineColor
    Accessible.role: Accessible.PopupMenu
    Keys.onUpPressed: FocusChain.step(menu, false)
    Keys.onDownPressed: FocusChain.step(menu, true)

    // Entries place themselves, so they are in place before the next frame.
    Repeater {
        model: menu.labels
        delegate: Rectangle {
            id: entry
            required property int index
            required property string modelData
            objectName: menu.objectName + "Item" + index
            x: 1
            y: 1 + index * height
            width: menu.width - 2
            height: (menu.height - 2) / menu.labels.length
            color: area.containsMouse ? Style.accentColor : "transparent"
            Label {
                x: 10
                height: parent.height
                text: entry.modelData
            }
            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    menu.close()
                    menu.triggered(entry.index)
                }
            }
            KeyFocus {
                name: entry.modelData
                role: Accessible.MenuItem
                onActivated: {
                    menu.close()
                    menu.triggered(entry.index)
                }
            }
        }
    }
}
