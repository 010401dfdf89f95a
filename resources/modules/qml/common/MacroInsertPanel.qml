import QtQuick
import modules.qml

// The insert section: what to insert (a key or mouse button caught from the next input, or a
// delay), where (before or after the selected action), and the Insert button.
Column {
    id: panel

    property var lang: []
    property var keyTable
    property bool delayKind: false
    // The value field waits for a key or button; it was just filled.
    property bool isInsertting: false
    property bool isInsertEnd: false
    property alias actionName: valueText.text
    readonly property alias delayField: delay
    readonly property alias positionList: position

    signal insertClicked()

    // Takes the reported key or button's name while the value field waits for one.
    function detectInput(code) {
        if (!isInsertting)
            return
        actionName = keyTable.codeName(code)
        isInsertting = false
        // The press that filled the field may be the start of a click on it: that click passes.
        isInsertEnd = true
    }

    function valueFieldClicked() {
        if (isInsertEnd)
            isInsertEnd = false
        else
            isInsertting = true
    }

    spacing: 10

    Label {
        text: panel.lang[18] ?? ""
        color: Style.fontSelectColor
        font.pixelSize: Style.fontMiddleSize
        font.bold: true
    }

    OptionMark {
        objectName: "insertActionOption"
        checked: !panel.delayKind
        text: panel.lang[19] ?? ""
        onChosen: panel.delayKind = false
    }

    OptionMark {
        objectName: "insertDelayOption"
        checked: panel.delayKind
        text: panel.lang[20] ?? ""
        onChosen: panel.delayKind = true
    }

    Item {
        width: panel.width
        height: 24

        Rectangle {
            objectName: "insertValueField"
            visible: !panel.delayKind
            width: 120
            height: parent.height
            color: Style.panelColor
            border.color: panel.isInsertting ? Style.accentColor : Style.lineColor
            Label {
                id: valueText
                x: 6
                height: parent.height
                text: "MS-L"
                color: panel.isInsertting ? Style.fontSelectColor : Style.fontColor
            }
            MouseArea {
                anchors.fill: parent
                onClicked: panel.valueFieldClicked()
            }
            KeyFocus {
                name: panel.lang[19] ?? ""
                Accessible.description: valueText.text
                onActivated: panel.valueFieldClicked()
            }
        }

        NumberField {
            id: delay
            objectName: "insertDelayField"
            name: panel.lang[20] ?? ""
            visible: panel.delayKind
            width: 120
            height: parent.height
            emptyValue: "10"
        }
    }

    DropDownList {
        id: position
        objectName: "insertPositionList"
        width: 150
        model: [panel.lang[22] ?? "", panel.lang[23] ?? ""]
    }

    TextButton {
        objectName: "insertButton"
        width: 120
        text: panel.lang[21] ?? ""
        onClicked: panel.insertClicked()
    }
}
