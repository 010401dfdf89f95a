import QtQuick
import modules.qml

// The window's root: lays out the pages, takes the program's calls and is the only item that
// talks to the program ("ui_View", "ui_Ctl"); the pages get it through `view`.
Item {
    id: shell
    objectName: "shell"

    width: 1000
    height: 640
    visible: false

    property int language: 1
    property var mainLang: ["Axis Sensitivity", "x-Axis", "y-Axis", "DPI Setting", "Lighting",
        "Static", "Breath", "Neon", "Finger \nTapping", "Polling Rate", "마우스 속도",
        "더블클릭 속도", "스크롤 속도", "느리게", "빠르게", "행 수", "한 화면 스크롤", "Top View",
        "Side View", "Config", "New", "Delete", "Edit", "Copy", "Load", "Save", "Reset",
        "Reset Factroy Setting", "OK", "Cancel", "", "", "", "", ""]
    property bool initProfile: true
    property bool isScrollRateFocus: scrollPanel.linesFieldFocus
    property string fontFamily: Style.fontFamily
    property int fontNormalSize: Style.fontNormalSize
    property int fontMinSize: Style.fontMinSize
    property int fontMiddleSize: Style.fontMiddleSize
    property int fontMaxSize: Style.fontMaxSize
    property color fontColor: Style.fontColor
    property color fontSelectColor: Style.fontSelectColor
    property int skin_No: 1
    onSkin_NoChanged: Style.skin_No = skin_No

    // The program's objects, handed to the pages once the program has registered them.
    property var view: null
    readonly property var keyTable: view ? view.keyTable : null
    property bool isProtected: false
    // A dialog is open: the program keeps the scene while the window is hidden.
    readonly property bool dialogOpen: mask.visible
    property bool profileChanged: false

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int dravCode, int x, int y)

    // --- calls from the program ---

    function initUI() {
        setProtectUI(1000)
        const profileNo = showProgramState(true)
        // The buttons only: the pointer settings stay as the system has them.
        view.activateProfile(profileNo, false)
    }

    // A scene loaded again after the window was hidden shows what the program holds, as
    // started, and sends nothing.
    function restoreUI() {
        showProgramState(false)
        rereadPanels()
    }

    // Reads what the pages show from the program; the start-up also makes the profile the
    // mouse's current one (`send`). Returns the current profile's number.
    function showProgramState(send) {
        view = ui_View // qmllint disable unqualified
        visible = true
        forceActiveFocus()
        language = String(view.getLang()) === "ChineseSimplified" ? 1 : 0
        const profileNo = parseInt(String(view.getProfile()), 10) || 0
        profilePage.profileNo = profileNo
        if (send)
            view.ui_02H_SetCurrentProfile(profileNo)
        if (language === 1)
            loadTranslatedTexts()
        macroEditor.init()
        gunControl.init()
        profilePage.init()
        keyMenu.init()
        return profileNo
    }

    function run() {
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, dravCode, x, y) {
        msg_MS(isDown, dravCode, x, y)
    }

    // Shows the busy text and keeps input out of the whole view for `interval` ms.
    function setProtectUI(interval) {
        isProtected = true
        ui_View.setEnabled(false) // qmllint disable unqualified
        protectTimer.interval = interval === undefined ? 1000 : interval
        protectTimer.restart()
    }

    // --- the shell's own work ---

    function loadTranslatedTexts() {
        const code = "lang_025044"
        mainLang = view.getGlobalStrings(0, code)
        keyMatrixPanel.keyMatrixLang = view.getGlobalStrings(1, code)
        keyMenu.keyMenuLang = view.getGlobalStrings(2, code)
        macroEditor.macroEditorLang = view.getGlobalStrings(3, code)
        gunControl.gunLang = view.getGlobalStrings(4, code)
        macroKeyDialog.macroKeyLang = view.getGlobalStrings(5, code)
        view.getGlobalStrings(6, code)
    }

    // Ends what a press outside the pages should end: the lines field's edit and the menus.
    function focusControl() {
        if (isScrollRateFocus)
            scrollPanel.dropFocus()
        if (keyMenu.visible) {
            keyMenu.visible = false
            mousePicture.selectKey = -1
        }
        helpMenu.visible = false
    }

    // The window is drawn for the pointer; keyboard use is our own addition. Escape closes the
    // open menu, else the open dialog (its own menu or list first).
    function escapePressed(event) {
        if (keyMenu.visible) {
            keyMenu.visible = false
            mousePicture.selectKey = -1
        } else if (helpMenu.visible) {
            helpMenu.visible = false
        } else if (macroEditor.visible) {
            macroEditor.escapePressed()
        } else if (programPicker.visible) {
            programPicker.done()
        } else if (profilePage.visible) {
            profilePage.escapePressed()
        } else if (macroKeyDialog.visible) {
            macroKeyDialog.escapePressed()
        } else if (singleKeyDialog.visible) {
            singleKeyDialog.closeSure()
        } else if (resetDialog.visible) {
            resetDialog.rejected()
        } else {
            event.accepted = false
        }
    }

    function moveWindow(dx, dy) {
        ui_Ctl.onXChanged(dx) // qmllint disable unqualified
        ui_Ctl.onYChanged(dy) // qmllint disable unqualified
    }

    // The key menu beside the row of the button to edit, with that button selected.
    function openKeyMenu(row) {
        focusControl()
        mousePicture.selectKey = row
        keyMenu.x = 300
        keyMenu.y = keyMenu.rowY[row]
        keyMenu.showControl()
        keyMenu.visible = true
        focusKeeper.take(keyMenu)
    }

    // Hovering a button's row or hot spot shows it on the picture, unless the menu is open
    // or a dialog is: a dialog writes to the button it was opened for.
    function pointAtButton(row) {
        if (!keyMenu.visible && !mask.visible)
            mousePicture.selectKey = row
    }

    function assignToSelectedButton(b0, b1, b2, b3) {
        keyMatrixPanel.modifyData(mousePicture.selectKey, b0, b1, b2, b3)
        keyMatrixPanel.refreashUI(true)
    }

    // Applies the current profile again, with its pointer settings when `applyPointer`.
    function reloadPanels(applyPointer) {
        view.activateProfile(profilePage.profileNo, applyPointer)
    }

    // A profile was applied: the panels show it.
    function rereadPanels() {
        keyMatrixPanel.init()
        pointerSpeedPanel.init()
        doubleClickPanel.init()
        scrollPanel.init()
    }

    // Menus and edits end first, as a press outside them would end them.
    function showDialog(dialog) {
        focusControl()
        dialog.x = (width - dialog.width) / 2
        dialog.y = (height - dialog.height) / 2
        dialog.visible = true
        focusKeeper.take(dialog)
        mask.visible = true
    }

    function closeDialog(dialog) {
        dialog.visible = false
        hideMask()
    }

    // What lay under the dialog takes input again, the keyboard focus first.
    function hideMask() {
        mask.visible = false
        focusKeeper.giveBack()
    }

    function saveChanges() {
        view.clearHidBusy()
        if (keyMatrixPanel.isNeedSave) {
            setProtectUI(1000)
            keyMatrixPanel.isNeedSave = false
            keyMatrixPanel.refreashUI(true)
        }
        if (pointerSpeedPanel.isNeedSave) {
            pointerSpeedPanel.isNeedSave = false
            view.setCursorSpeed(pointerSpeedPanel.mouseRateValue)
            view.setDoubleClickSpeed(pointerSpeedPanel.doubleRateValue)
        }
        if (doubleClickPanel.isNeedSave) {
            doubleClickPanel.isNeedSave = false
            view.setDoubleClickSpeed(doubleClickPanel.doubleRateValue)
        }
        if (scrollPanel.isNeedSave) {
            scrollPanel.isNeedSave = false
            view.setVerticalScrollLines(scrollPanel.lines)
        }
    }

    Binding {
        target: Names
        property: "language"
        value: shell.language
    }

    Keys.onEscapePressed: event => shell.escapePressed(event)
    // With nothing focused yet, Tab starts at the first control (or Shift+Tab at the last).
    Keys.onTabPressed: nextItemInFocusChain(true)?.forceActiveFocus(Qt.TabFocusReason)
    Keys.onBacktabPressed: nextItemInFocusChain(false)?.forceActiveFocus(Qt.BacktabFocusReason)

    Connections {
        target: shell.view
        function onProfileActivated(profile: int) {
            profilePage.profileNo = profile
            shell.view.profiles.follow(profile)
            shell.rereadPanels()
        }
    }

    FocusKeeper {
        id: focusKeeper
        home: shell
        blocked: mask.visible
    }

    Timer {
        id: protectTimer
        onTriggered: {
            ui_View.setEnabled(true) // qmllint disable unqualified
            shell.isProtected = false
        }
    }

    onMsg_KB: function(isDown, usbCode) {
        if (macroEditor.isInputting)
            macroEditor.detectKeyboard(isDown, usbCode)
        if (macroEditor.isInsertting)
            macroEditor.detectInput(isDown, usbCode)
        if (singleKeyDialog.visible)
            singleKeyDialog.detectKeyboard(isDown, usbCode)
    }

    onMsg_MS: function(isDown, dravCode, x, y) {
        if (macroEditor.isInsertting && isDown)
            macroEditor.detectInput(isDown, dravCode)
    }

    // --- children, bottom to top ---

    WindowDragArea {
        id: dragRegion
        objectName: "dragRegion"
        anchors.fill: parent
        onPressedHere: {
            shell.emptyAreaPressed()
            shell.focusControl()
        }
        onDragged: function(dx, dy) { shell.moveWindow(dx, dy) }
    }

    Picture {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        visible: false
        source: Style.image("index", "logo.svg")
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        anchors.fill: parent
        z: 100
        visible: shell.isProtected
    }

    Picture {
        id: background
        objectName: "background"
        width: 1000
        height: 640
        source: Style.background
    }

    Column {
        id: leftPanel
        objectName: "leftPanel"
        // Nothing under an open dialog takes the keyboard focus, as nothing there takes the
        // pointer: Tab stays in the dialog.
        enabled: !mask.visible
        x: 24
        y: 60
        spacing: 10

        KeyMatrixPanel {
            id: keyMatrixPanel
            objectName: "keyMatrixPanel"
            view: shell.view
            keyTable: shell.keyTable
            language: shell.language
            selectGunName: gunControl.selectGunName
            selectKey: mousePicture.selectKey
            onClickFrame: shell.focusControl()
            onClickKeyMatrix: function(row) { shell.openKeyMenu(row) }
            onEnterBtn: function(row) { shell.pointAtButton(row) }
            onLeaveBtn: shell.pointAtButton(-1)
        }

        MacroManagerBar {
            id: macroManagerBar
            objectName: "macroManagerBar"
            text: macroEditor.macroEditorLang[0] ?? ""
            onClicked: shell.showDialog(macroEditor)
        }

        PointerSpeedPanel {
            id: pointerSpeedPanel
            objectName: "pointerSpeedPanel"
            view: shell.view
            mainLang: shell.mainLang
            onClickFrame: shell.focusControl()
            onMouseRateChange: function(index, value) {
                if (index === 0)
                    shell.view.setCursorSpeed(value)
                else
                    shell.view.setDoubleClickSpeed(value)
            }
        }

        ScrollPanel {
            id: scrollPanel
            objectName: "scrollPanel"
            view: shell.view
            mainLang: shell.mainLang
            onClickFrame: shell.focusControl()
            onLinesChange: function(linesValue) {
                scrollPanel.lines = linesValue
                shell.view.setVerticalScrollLines(linesValue)
            }
        }
    }

    TextButton {
        id: profileButton
        objectName: "profileButton"
        enabled: !mask.visible
        x: 24
        y: 590
        text: shell.mainLang[19] ?? ""
        onClicked: {
            if (profilePage.visible) {
                shell.closeDialog(profilePage)
            } else {
                shell.focusControl()
                profilePage.x = 24
                profilePage.y = 10
                profilePage.visible = true
                focusKeeper.take(profilePage)
                mask.visible = true
            }
        }
    }

    Flickable {
        id: rightPanel
        objectName: "rightPanel"
        enabled: !mask.visible
        x: 734
        y: 60
        width: 250
        height: Math.min(contentHeight, 563)
        contentWidth: width
        contentHeight: rightColumn.height
        interactive: !pointerSpeedPanel.knobPressed
        clip: true

        Column {
            id: rightColumn
            DoubleClickPanel {
                id: doubleClickPanel
                objectName: "doubleClickPanel"
                visible: false
                view: shell.view
                mainLang: shell.mainLang
                onClickFrame: shell.focusControl()
                onDoubleRateChange: function(value) { shell.view.setDoubleClickSpeed(value) }
            }
        }
    }

    BottomMenu {
        id: bottomMenu
        objectName: "bottomMenu"
        enabled: !mask.visible
        x: 850
        y: 590
        mainLang: shell.mainLang
        onResetClicked: shell.showDialog(resetDialog)
        onReloadClicked: shell.reloadPanels(false)
        onSaveClicked: shell.saveChanges()
    }

    TopMenu {
        id: topMenu
        objectName: "topMenu"
        x: 935
        y: 16
        enabled: !mask.visible
        onHelpClicked: {
            helpMenu.visible = !helpMenu.visible
            if (helpMenu.visible)
                focusKeeper.take(helpMenu)
        }
        onMinimizeClicked: ui_Ctl.onMinimize() // qmllint disable unqualified
        onCloseClicked: ui_Ctl.onClose() // qmllint disable unqualified
    }

    MousePicture {
        id: mousePicture
        objectName: "mousePicture"
        enabled: !mask.visible
        anchors.fill: parent
        mainLang: shell.mainLang
        buttonNames: keyMatrixPanel.rowNames
        onEnterBtn: function(row) { shell.pointAtButton(row) }
        onLeaveBtn: shell.pointAtButton(-1)
        onClickBtn: function(row) { shell.openKeyMenu(row) }
    }

    Mask {
        id: mask
        objectName: "mask"
        anchors.fill: parent
        onPressedHere: {
            shell.emptyAreaPressed()
            shell.focusControl()
            macroEditor.macroEditorFocus()
            profilePage.profileEditorFocus()
            gunControl.gunControlFocus()
            macroKeyDialog.macroKeyFocus()
        }
        onDragged: function(dx, dy) { shell.moveWindow(dx, dy) }
    }

    MacroEditor {
        id: macroEditor
        objectName: "macroEditor"
        view: shell.view
        keyTable: shell.keyTable
        onCloseUI: shell.hideMask()
        onDeleteMacroSignal: function(macroName) { keyMatrixPanel.deleteMacroProc(macroName) }
        onMacroRenamed: keyMatrixPanel.refreashUI(true)
    }

    GunControl {
        id: gunControl
        objectName: "gunControl"
        view: shell.view
    }

    KeyMenu {
        id: keyMenu
        objectName: "keyMenu"
        language: shell.language
        onVisibleChanged: {
            if (!visible)
                focusKeeper.giveBack()
        }
        onMenuCmd: function(entryText) {
            const bytes = [0, 2, 4, 6].map(i => parseInt(entryText.substr(i, 2), 16))
            shell.assignToSelectedButton(bytes[0], bytes[1], bytes[2], bytes[3])
            keyMenu.visible = false
            mousePicture.selectKey = -1
        }
        onOpenSingleKeyDialog: {
            keyMenu.visible = false
            shell.showDialog(singleKeyDialog)
        }
        onOpenMacroKeyDialog: {
            keyMenu.visible = false
            macroKeyDialog.showUI()
            shell.showDialog(macroKeyDialog)
        }
    }

    ProfilePage {
        id: profilePage
        objectName: "profilePage"
        view: shell.view
        profiles: shell.view ? shell.view.profiles : null
        language: shell.language
        mainLang: shell.mainLang
        onProfileLoaded: shell.reloadPanels(true)
        onPickPrograms: function(number, name) {
            programPicker.profileNo = number
            programPicker.profileName = name
            programPicker.choices = shell.view.programChoices(number)
            programPicker.available = shell.view.canFollowPrograms()
            programPicker.x = (shell.width - programPicker.width) / 2
            programPicker.y = (shell.height - programPicker.height) / 2
            programPicker.visible = true
            focusKeeper.take(programPicker)
        }
        onChangeProfile: function(tmpProfileNo) {
            if (tmpProfileNo === profilePage.profileNo)
                return
            profilePage.profileNo = tmpProfileNo
            shell.profileChanged = true
            shell.reloadPanels(false)
        }
        onCloseUI: {
            programPicker.visible = false
            shell.hideMask()
            if (!shell.profileChanged)
                return
            shell.setProtectUI(1200)
            shell.profileChanged = false
            shell.reloadPanels(true)
        }
    }

    // Over the profile page, which stays open behind it.
    ProgramPicker {
        id: programPicker
        objectName: "programPicker"
        rules: shell.view ? shell.view.programRules : null
        language: shell.language
        mainLang: shell.mainLang
        onDone: {
            visible = false
            profilePage.forceActiveFocus()
        }
    }

    SingleKeyDialog {
        id: singleKeyDialog
        objectName: "singleKeyDialog"
        macroKeyLang: macroKeyDialog.macroKeyLang
        keyTable: shell.keyTable
        onKeyAssigned: function(code) { shell.assignToSelectedButton(0, 0, code, 0) }
        onCloseSure: {
            shell.closeDialog(singleKeyDialog)
            mousePicture.selectKey = -1
        }
    }

    MacroKeyDialog {
        id: macroKeyDialog
        objectName: "macroKeyDialog"
        macroListModel: macroEditor.macroListModel
        onMacroAssigned: function(name, mode) {
            const row = mousePicture.selectKey
            shell.view.setMacroKey(row, name)
            shell.assignToSelectedButton(9, mode, row, 0)
            macroEditor.sendMacro(row, name)
        }
        onCloseSure: {
            shell.closeDialog(macroKeyDialog)
            mousePicture.selectKey = -1
        }
    }

    ResetDialog {
        id: resetDialog
        objectName: "resetDialog"
        mainLang: shell.mainLang
        onAccepted: {
            shell.closeDialog(resetDialog)
            shell.view.resetProfile(profilePage.profileNo)
            shell.reloadPanels(true)
        }
        onRejected: shell.closeDialog(resetDialog)
    }

    HelpMenu {
        id: helpMenu
        objectName: "helpMenu"
        x: 834
        y: 38
        onVisibleChanged: {
            if (!visible)
                focusKeeper.giveBack()
        }
        onUpdateChosen: shell.view.openUpdateExe()
    }
}
