pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// Assigns a macro and its repeat mode to the selected button. The repeat mode stays as the
// user left it from one opening to the next.
DialogFrame {
    id: dialog

    property var macroListModel: null
    property int macroType: 0
    property var macroKeyLang: []

    signal macroAssigned(string name, int mode)
    signal closeSure()

    width: 340
    height: 340
    visible: false
    closable: false
    title: macroKeyLang[0] ?? ""
    onTitlePressed: macroKeyFocus()

    // Opens with the first name chosen, so OK alone assigns it.
    function showUI() {
        const model = dialog.macroListModel
        names.choose(0, model && model.count > 0 ? model.get(0).macroName : "")
    }

    function macroKeyFocus() {
        names.open = false
    }

    // Escape closes the open list first, then the dialog.
    function escapePressed() {
        if (names.open) {
            names.open = false
            forceActiveFocus()
        } else {
            closeSure()
        }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: dialog.macroKeyFocus()
    }

    Label {
        x: 24
        y: 16
        text: dialog.macroKeyLang[1] ?? ""
    }

    // Two-line labels: the gap between choices is wider than between a label's lines, so
    // each label stays with its mark.
    Column {
        x: 24
        y: 96
        spacing: 14

        Repeater {
            model: 3

            OptionMark {
                id: mode
                required property int index
                objectName: "macroKeyMode" + index
                text: dialog.macroKeyLang[2 + mode.index] ?? ""
                checked: dialog.macroType === mode.index
                onChosen: dialog.macroType = mode.index
            }
        }
    }

    MacroNameDropDown {
        id: names
        objectName: "macroKeyList"
        x: 24
        y: 44
        width: dialog.width - 48
        model: dialog.macroListModel
        name: dialog.macroKeyLang[1] ?? ""
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: 12

        TextButton {
            objectName: "macroKeyOk"
            text: dialog.macroKeyLang[5] ?? ""
            onClicked: {
                if (names.chosenName !== "")
                    dialog.macroAssigned(names.chosenName, dialog.macroType)
                dialog.closeSure()
            }
        }
        TextButton {
            objectName: "macroKeyCancel"
            text: dialog.macroKeyLang[6] ?? ""
            onClicked: dialog.closeSure()
        }
    }
}
