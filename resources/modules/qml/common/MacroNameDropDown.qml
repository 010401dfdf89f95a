pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// A field showing the chosen macro name; clicking it drops the list of names down below it
// (18-pixel rows, 128 pixels of them visible, scrolling beyond that). From the keyboard, Space or
// Enter drops it down, arrows move along the names and Space or Enter chooses one.
Item {
    id: dropDown

    property var model: null
    property string chosenName
    property alias currentIndex: list.currentIndex
    readonly property alias count: list.count
    property bool open: false
    // What a screen reader calls the field.
    property alias name: fieldFocus.name

    width: 240
    height: 24
    z: open ? 10 : 0

    function choose(index: int, name: string) {
        const hadFocus = list.activeFocus
        list.currentIndex = index
        chosenName = name
        open = false
        if (hadFocus)
            fieldFocus.forceActiveFocus()
    }

    function chooseCurrent() {
        if (list.currentIndex >= 0 && list.currentIndex < list.count)
            choose(list.currentIndex, String(model.get(list.currentIndex).macroName))
    }

    function openFromKeyboard() {
        open = true
        list.forceActiveFocus()
    }

    Rectangle {
        anchors.fill: parent
        radius: 2
        color: "#262626"
        border.color: fieldArea.containsMouse || dropDown.open ? Style.accentColor : Style.lineColor
        border.width: 1

        Label {
            x: 8
            width: parent.width - 30
            height: parent.height
            text: dropDown.chosenName
            elide: Text.ElideRight
        }

        Label {
            anchors.right: parent.right
            anchors.rightMargin: 8
            height: parent.height
            text: dropDown.open ? "▴" : "▾"
        }

        MouseArea {
            id: fieldArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: dropDown.open = !dropDown.open
        }

        KeyFocus {
            id: fieldFocus
            role: Accessible.ComboBox
            Accessible.description: dropDown.chosenName
            onActivated: dropDown.open ? dropDown.chooseCurrent() : dropDown.openFromKeyboard()
        }
    }

    Rectangle {
        y: dropDown.height
        width: dropDown.width
        height: Math.min(list.contentHeight, 128) + 2
        visible: dropDown.open
        color: "#1a1a1a"  // opaque: the options below must not show through the names
        border.color: Style.accentColor
        border.width: 1

        ListView {
            id: list
            x: 1
            y: 1
            width: parent.width - 2
            height: parent.height - 2
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: dropDown.model
            highlightMoveDuration: 0
            Accessible.role: Accessible.List
            Accessible.name: dropDown.model && currentIndex >= 0 && currentIndex < count
                             ? String(dropDown.model.get(currentIndex).macroName) : ""
            Keys.onSpacePressed: dropDown.chooseCurrent()
            Keys.onReturnPressed: dropDown.chooseCurrent()
            Keys.onEnterPressed: dropDown.chooseCurrent()

            delegate: Rectangle {
                id: row
                required property int index
                required property string macroName
                readonly property bool lit: rowArea.containsMouse || ListView.isCurrentItem

                objectName: "macroKeyRow" + index
                width: ListView.view.width
                height: 18
                color: lit ? "#2a0095de" : "transparent"

                Label {
                    x: 8
                    width: parent.width - 16
                    height: parent.height
                    text: row.macroName
                    elide: Text.ElideRight
                    color: row.lit ? Style.fontSelectColor : Style.fontColor
                }

                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: dropDown.choose(row.index, row.macroName)
                }

                FocusMark {
                    anchors.margins: 1
                    visible: list.activeFocus && row.ListView.isCurrentItem
                }
            }
        }
    }
}
