import QtQuick
import modules.qml

// A panel under a title bar; a click on the bar folds the panel up to the bar or opens it.
// Clicks that come while it is still moving are ignored, so it always ends where the last
// accepted click sent it.
Item {
    id: panel

    property string title
    property bool isOpen: true
    property int openHeight: 120
    readonly property int titleHeight: 18
    readonly property bool moving: heightAnimation.running || bodyAnimation.running
    default property alias content: body.data

    signal clickFrame()

    function toggle() {
        if (!moving)
            isOpen = !isOpen
    }

    width: 286
    height: isOpen ? openHeight : titleHeight
    clip: true

    Behavior on height {
        NumberAnimation { id: heightAnimation; duration: 300; easing.type: Easing.OutQuint }
    }

    Rectangle {
        id: titleBar
        // First for Tab, above the body for the eye.
        z: 1
        objectName: panel.objectName + "Title"
        width: panel.width
        height: panel.titleHeight
        color: Style.accentColor

        Label {
            x: 8
            height: parent.height
            text: panel.title
            font.pixelSize: Style.fontMinSize
            font.bold: true
        }

        Picture {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            width: 12
            height: 12
            source: Style.image("index", panel.isOpen ? "collapse.svg" : "expand.svg")
        }

        MouseArea {
            anchors.fill: parent
            onClicked: panel.toggle()
        }

        KeyFocus {
            name: panel.title
            markOutset: 0
            Accessible.checkable: true
            Accessible.checked: panel.isOpen
            onActivated: panel.toggle()
        }
    }

    Rectangle {
        id: body
        y: panel.isOpen ? panel.titleHeight : panel.titleHeight - height
        width: panel.width
        height: panel.openHeight - panel.titleHeight
        color: Style.panelColor
        visible: panel.height > panel.titleHeight

        Behavior on y {
            NumberAnimation { id: bodyAnimation; duration: 300; easing.type: Easing.OutQuint }
        }

        MouseArea {
            anchors.fill: parent
            onPressed: panel.clickFrame()
        }
    }
}
