import QtQuick
import modules.qml

// A dialog's plate: title bar, optional close icon, body below. Dragged by its title bar and
// kept inside its parent. Nothing under the plate takes the pointer's hover.
Rectangle {
    id: frame

    property string title
    property bool closable: true
    readonly property int titleHeight: 30
    default property alias content: body.data

    signal closeClicked()
    signal titlePressed()

    color: Style.dialogColor
    border.color: Style.accentColor
    border.width: 1
    radius: 4
    Accessible.role: Accessible.Dialog
    Accessible.name: title

    // Presses still fall through to the mask, as on any part of the plate nothing takes.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
    }

    Rectangle {
        id: titleBar
        x: 1
        y: 1
        width: parent.width - 2
        height: frame.titleHeight
        radius: 3
        color: "#262626"

        Label {
            x: 12
            height: parent.height
            text: frame.title
            font.pixelSize: Style.fontMiddleSize
            font.bold: true
        }

        MouseArea {
            anchors.fill: parent
            drag.target: frame
            drag.minimumX: 0
            drag.minimumY: 0
            drag.maximumX: frame.parent ? frame.parent.width - frame.width : 0
            drag.maximumY: frame.parent ? frame.parent.height - frame.height : 0
            onPressed: frame.titlePressed()
        }

        ImageButton {
            objectName: frame.objectName + "Close"
            visible: frame.closable
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 14
            height: 14
            source: Style.image("index", "close.svg")
            name: Names.close
            onClicked: frame.closeClicked()
        }
    }

    Item {
        id: body
        y: frame.titleHeight + 1
        width: frame.width
        height: frame.height - y
    }
}
