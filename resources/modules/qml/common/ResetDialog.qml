import QtQuick
import modules.qml

// Asks before the current profile goes back to its factory settings.
DialogFrame {
    id: dialog

    property var mainLang: []

    signal accepted()
    signal rejected()

    width: 360
    height: 170
    visible: false
    closable: false
    title: mainLang[26] ?? ""

    Label {
        x: 24
        y: 24
        width: dialog.width - 48
        text: dialog.mainLang[27] ?? ""
        wrapMode: Text.WordWrap
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 18
        spacing: 12

        TextButton {
            objectName: "resetOk"
            text: dialog.mainLang[28] ?? ""
            onClicked: dialog.accepted()
        }
        TextButton {
            objectName: "resetCancel"
            text: dialog.mainLang[29] ?? ""
            onClicked: dialog.rejected()
        }
    }
}
