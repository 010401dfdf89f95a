pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// Picks the programs that bring a profile when in front: the programs with a window now and
// those the profile already has, ticked when they bring it (a click ticks or unticks one),
// and a name typed into the field. The rules are the program rules model's.
DialogFrame {
    id: picker

    // The program rules model; `choices` the programs to offer.
    property var rules: null
    property var choices: []
    property bool available: true
    property int language: 0
    property int profileNo: 0
    property string profileName
    property var mainLang: []
    // Bumped at each change, so that the ticks are read again.
    property int revision: 0

    readonly property var texts: language === 1
        ? ["“%1”的程序", "以下程序在前台时自动使用此配置。",
           "自动切换需要 Windows 或 X11 会话。", "添加"]
        : ["Programs for \"%1\"", "These programs bring this profile when in front.",
           "Automatic switching needs Windows or an X11 session.", "Add"]

    signal done()

    function toggle(program) {
        rules.toggle(program, profileNo)
        revision++
    }

    function addTyped() {
        const program = nameInput.text.trim()
        if (program === "" || !rules.setRule(program, profileNo))
            return
        if (choices.indexOf(program) < 0)
            choices = choices.concat([program])
        nameInput.text = ""
        revision++
    }

    width: 330
    height: 310
    visible: false
    title: texts[0].arg(profileName)
    onCloseClicked: done()

    Label {
        objectName: "programPickerNote"
        x: 12
        y: 8
        width: picker.width - 24
        elide: Text.ElideRight
        font.pixelSize: Style.fontMinSize
        color: picker.available ? Style.fontDimColor : Style.fontColor
        text: picker.available ? picker.texts[1] : picker.texts[2]
    }

    Rectangle {
        anchors.fill: programList
        color: "#101010"
        border.color: Style.lineColor
    }

    ScrollList {
        id: programList
        objectName: "programList"
        x: 12
        y: 32
        width: picker.width - 24
        height: 166
        rowHeight: 22
        model: picker.choices
        delegate: Item {
            id: row
            required property int index
            required property string modelData
            objectName: "programRow" + index
            y: index * height
            width: programList.width
            height: programList.rowHeight
            // The whole row takes the click.
            OptionMark {
                x: 6
                width: parent.width - 12
                height: parent.height
                text: row.modelData
                checked: picker.revision >= 0 && picker.rules !== null
                         && picker.rules.profileFor(row.modelData) === picker.profileNo
                onChosen: picker.toggle(row.modelData)
            }
        }
    }

    Rectangle {
        x: 12
        y: 208
        width: picker.width - 24 - 99
        height: 26
        color: "#101010"
        border.color: nameInput.activeFocus ? Style.accentColor : Style.lineColor
        TextInput {
            id: nameInput
            objectName: "programName"
            anchors.fill: parent
            leftPadding: 4
            verticalAlignment: TextInput.AlignVCenter
            font.family: Style.fontFamily
            font.pixelSize: Style.fontNormalSize
            color: Style.fontColor
            maximumLength: 255
            clip: true
            activeFocusOnTab: true
            Accessible.role: Accessible.EditableText
            Accessible.name: picker.texts[3]
            Keys.onReturnPressed: picker.addTyped()
            Keys.onEnterPressed: picker.addTyped()
        }
        FocusMark {
            visible: nameInput.activeFocus
        }
    }

    TextButton {
        objectName: "programAdd"
        x: picker.width - 12 - width
        y: 207
        width: 91
        text: picker.texts[3]
        onClicked: picker.addTyped()
    }

    TextButton {
        objectName: "programPickerOk"
        x: (picker.width - width) / 2
        y: 244
        text: picker.mainLang[28] ?? "OK"
        onClicked: picker.done()
    }
}
