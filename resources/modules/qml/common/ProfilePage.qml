import QtQuick
import modules.qml

// Lists the profiles and switches, creates, renames, copies and deletes them. (Content
// comes next.)
Item {
    id: page

    property var view: null
    property int language: 0
    property var mainLang: []
    property int profileNo: 0

    signal changeProfile(int tmpProfileNo)
    signal closeUI()

    width: 263
    height: 620
    visible: false

    function init() {
    }

    function profileEditorFocus() {
    }

    Picture {
        anchors.fill: parent
        source: Style.image("profile", "background.svg")
    }

    ImageButton {
        x: 240
        y: 12
        width: 14
        height: 14
        source: Style.image("profile", "close.svg")
        onClicked: {
            page.visible = false
            page.closeUI()
        }
    }
}
