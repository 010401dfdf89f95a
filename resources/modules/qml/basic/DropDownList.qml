pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// A field showing the chosen label; a press opens the list of labels below it, sliding in
// faster the more rows it has. Beyond maxVisibleRows the list scrolls. From the keyboard, Space
// or Enter opens it on the chosen row and arrows move along the rows.
Item {
    id: dropDown

    property var model: []
    property int currentIndex: 0
    property int rowHeight: 24
    property int maxVisibleRows: 10
    readonly property bool isOpen: popup.visible
    readonly property Item popupItem: popup
    readonly property int visibleRows: Math.min(model.length, maxVisibleRows)

    signal chosen(int index)

    width: 120
    height: rowHeight
    z: isOpen ? 100 : 0

    function open() {
        popup.height = 0
        popup.visible = true
        slideIn.restart()
    }

    // A list the keyboard had hands the focus back to the field.
    function close() {
        const hadFocus = FocusChain.within(popup, dropDown.Window.activeFocusItem)
        slideIn.stop()
        popup.visible = false
        if (hadFocus)
            fieldFocus.forceActiveFocus()
    }

    function openFromKeyboard() {
        open()
        rows.currentIndex = currentIndex
        rows.forceActiveFocus()
    }

    function choose(index) {
        currentIndex = index
        close()
        chosen(index)
    }

    Rectangle {
        anchors.fill: parent
        color: Style.panelColor
        border.color: dropDown.isOpen ? Style.accentColor : Style.lineColor

        Label {
            x: 6
            width: mark.x - x
            height: parent.height
            text: dropDown.model[dropDown.currentIndex] ?? ""
            elide: Text.ElideRight
        }
        Label {
            id: mark
            x: parent.width - width - 6
            height: parent.height
            text: dropDown.isOpen ? "\u25B2" : "\u25BC"
            font.pixelSize: 9
        }
        MouseArea {
            anchors.fill: parent
            onClicked: dropDown.isOpen ? dropDown.close() : dropDown.open()
        }
        KeyFocus {
            id: fieldFocus
            name: dropDown.model[dropDown.currentIndex] ?? ""
            role: Accessible.ComboBox
            onActivated: dropDown.isOpen ? dropDown.close() : dropDown.openFromKeyboard()
        }
    }

    Rectangle {
        id: popup
        objectName: dropDown.objectName + "Popup"
        visible: false
        y: dropDown.rowHeight
        width: dropDown.width
        clip: true
        color: Style.dialogColor
        border.color: Style.lineColor

        NumberAnimation {
            id: slideIn
            target: popup
            property: "height"
            to: dropDown.visibleRows * dropDown.rowHeight
            duration: Math.max(0, 180 - 10 * dropDown.model.length)
            easing.type: Easing.OutQuad
        }

        ListView {
            id: rows
            anchors.fill: parent
            anchors.rightMargin: scrollBar.visible ? scrollBar.width : 0
            model: dropDown.model
            boundsBehavior: Flickable.StopAtBounds
            // The keyboard moves the current row; Space or Enter chooses it.
            highlightMoveDuration: 0
            Accessible.role: Accessible.List
            Accessible.name: dropDown.model[currentIndex] ?? ""
            Keys.onSpacePressed: dropDown.choose(currentIndex)
            Keys.onReturnPressed: dropDown.choose(currentIndex)
            Keys.onEnterPressed: dropDown.choose(currentIndex)
            delegate: Rectangle {
                id: row
                required property int index
                required property var modelData
                objectName: dropDown.objectName + "Row" + index
                width: rows.width
                height: dropDown.rowHeight
                color: hover.containsMouse ? Style.hoverColor : "transparent"
                Label {
                    x: 6
                    height: parent.height
                    text: row.modelData
                    color: row.index === dropDown.currentIndex ? Style.fontSelectColor
                                                                : Style.fontColor
                }
                MouseArea {
                    id: hover
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: dropDown.choose(row.index)
                }
                FocusMark {
                    anchors.margins: 1
                    visible: rows.activeFocus && row.ListView.isCurrentItem
                }
            }
        }

        Rectangle {
            id: scrollBar
            visible: dropDown.model.length > dropDown.maxVisibleRows
            anchors.right: parent.right
            width: 6
            height: Math.max(12, popup.height * rows.visibleArea.heightRatio)
            y: rows.visibleArea.yPosition * popup.height
            radius: 3
            color: Style.accentColor
        }
    }
}
