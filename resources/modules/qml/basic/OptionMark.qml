import QtQuick
import modules.qml

// A round option mark with its label; clicking it chooses it.
Item {
    id: option

    property bool checked: false
    property alias text: label.text
    signal chosen()

    implicitWidth: mark.width + 6 + label.implicitWidth
    implicitHeight: Math.max(20, label.implicitHeight)

    Picture {
        id: mark
        width: 14
        height: 14
        anchors.verticalCenter: parent.verticalCenter
        source: Style.image("scrollRate", option.checked ? "option_on.svg" : "option_off.svg")
    }

    Label {
        id: label
        x: mark.width + 6
        height: parent.height
        color: area.containsMouse ? Style.fontSelectColor : Style.fontColor
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: option.chosen()
    }

    KeyFocus {
        name: option.text
        role: Accessible.RadioButton
        Accessible.checkable: true
        Accessible.checked: option.checked
        onActivated: option.chosen()
    }
}
