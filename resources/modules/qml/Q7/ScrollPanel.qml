import QtQuick
import modules.qml

// Lines per wheel notch (1 to 100) or one screen per notch (1000). The field's value is
// applied when the field loses focus or its option is chosen; the arrows only change the
// field.
CollapsiblePanel {
    id: panel

    property var view: null
    property var mainLang: []
    property int lines: 0
    property bool isNeedSave: false
    readonly property bool linesFieldFocus: field.activeFocus
    readonly property bool screenChosen: lines === 1000

    signal linesChange(int linesValue)
    signal clickScrollRate()

    title: mainLang[12] ?? ""
    openHeight: 98

    function init() {
        lines = view.getVerticalScrollLines()
        if (lines !== 1000)
            field.text = String(lines)
    }

    function dropFocus() {
        field.focus = false
    }

    function fieldValue(): int {
        const value = parseInt(field.text, 10)
        return isNaN(value) || value < 1 ? 1 : Math.min(value, 100)
    }

    function step(delta: int) {
        field.text = String(Math.max(1, Math.min(100, fieldValue() + delta)))
    }

    Column {
        x: 18
        y: 12
        spacing: 10

        Row {
            spacing: 10

            OptionMark {
                objectName: "linesOption"
                text: panel.mainLang[15] ?? ""
                checked: !panel.screenChosen
                onChosen: {
                    panel.clickScrollRate()
                    panel.linesChange(panel.fieldValue())
                }
            }

            Rectangle {
                width: 44
                height: 20
                color: "#262626"
                border.color: field.activeFocus ? Style.accentColor : Style.lineColor
                radius: 2

                TextInput {
                    id: field
                    objectName: "linesField"
                    anchors.fill: parent
                    anchors.leftMargin: 6
                    anchors.rightMargin: 6
                    verticalAlignment: TextInput.AlignVCenter
                    horizontalAlignment: TextInput.AlignRight
                    text: "1"
                    maximumLength: 3
                    validator: IntValidator { bottom: 1; top: 100 }
                    color: Style.fontColor
                    selectionColor: Style.accentColor
                    selectByMouse: true
                    font.family: Style.fontFamily
                    font.pixelSize: Style.fontNormalSize
                    activeFocusOnTab: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: panel.mainLang[15] ?? ""
                    Keys.onUpPressed: panel.step(1)
                    Keys.onDownPressed: panel.step(-1)
                    onActiveFocusChanged: {
                        if (activeFocus)
                            return
                        field.text = String(panel.fieldValue())
                        panel.linesChange(panel.fieldValue())
                    }
                    Keys.onReturnPressed: field.focus = false
                    Keys.onEnterPressed: field.focus = false
                }

                FocusMark {
                    visible: field.activeFocus
                }
            }

            Column {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2

                ImageButton {
                    objectName: "linesUp"
                    width: 14
                    height: 9
                    source: Style.image("scrollRate", "arrow_up.svg")
                    name: Names.increase
                    onClicked: panel.step(1)
                }
                ImageButton {
                    objectName: "linesDown"
                    width: 14
                    height: 9
                    source: Style.image("scrollRate", "arrow_down.svg")
                    name: Names.decrease
                    onClicked: panel.step(-1)
                }
            }
        }

        OptionMark {
            objectName: "screenOption"
            text: panel.mainLang[16] ?? ""
            checked: panel.screenChosen
            onChosen: {
                panel.clickScrollRate()
                panel.linesChange(1000)
            }
        }
    }
}
