import QtQuick
import modules.qml

// Assigns one keyboard key to the selected button: the field takes the name of the next key
// pressed, so it only ever holds a key of the key table, or nothing.
DialogFrame {
    id: dialog

    property var macroKeyLang: []
    property var keyTable: null
    property alias keyName: field.text

    signal keyAssigned(int code)
    signal closeSure()

    width: 320
    height: 170
    visible: false
    closable: false
    title: macroKeyLang[7] ?? ""
    onVisibleChanged: {
        if (visible)
            field.text = ""
    }

    function detectKeyboard(isDown: bool, usbCode: int) {
        field.text = keyTable ? keyTable.keyName(usbCode) : ""
    }

    Label {
        x: 24
        y: 18
        text: dialog.macroKeyLang[8] ?? ""
    }

    Rectangle {
        x: 24
        y: 46
        width: dialog.width - 48
        height: 28
        radius: 2
        color: "#262626"
        border.color: Style.accentColor
        border.width: 1

        Label {
            id: field
            objectName: "singleKeyField"
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: Style.fontMaxSize
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: 12

        TextButton {
            objectName: "singleKeyOk"
            text: dialog.macroKeyLang[5] ?? ""
            onClicked: {
                if (field.text !== "")
                    dialog.keyAssigned(dialog.keyTable.keyCode(field.text))
                dialog.closeSure()
            }
        }
        TextButton {
            objectName: "singleKeyCancel"
            text: dialog.macroKeyLang[6] ?? ""
            onClicked: dialog.closeSure()
        }
    }
}
