pragma ComponentBehavior: Bound
import QtQuick
import modules.qml
import "pages.js" as Pages

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
    // The tables of the pages made when they first open, translated at start.
    property var keyMenuLang: ["Left Button", "Right Button", "Middle Button", "Auto Run",
        "Fire Mode", "Fire key", "DPI Setting +", "멀티미디어 명령", "기본 명령", "추가 명령",
        "키보드 키 할당", "메크로", "Gun Management", "비활성화", "DPI +", "DPI -", "DPI LOOP",
        "미디어 플레이어", "다음 곡", "이전 곡", "정지", "재생 / 일시정지", "음소거", "볼륨 증가",
        "볼륨 감소", "새 창 열기", "잘라내기", "복사", "붙여넣기", "저장", "인쇄", "찾기",
        "복원 ctrl+y", "실행취소 ctrl+z", "전체 선택", "내 컴퓨터", "새 인터넷 창 열기", "검색",
        "최대화", "최소화", "바탕화면 보기", "실행", "Forward", "Back", ""]
    property var macroEditorLang: ["메크로 메니저", "메크로", "순서", "Options", "Start Record",
        "Stop Record", "Rec Time", "루프 타이머", "New", "Delete", "OK", "Cancel", "Delete",
        "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
        "기본 지연시간", "Insert Action", "Mouse/Keyboard Action", "Delay Action", "Insert",
        "Insert Before", "Insert After", ""]
    property var macroKeyLang: ["Macro Key", "Please select a macro",
        "Macro runs one-time after\npressing the button",
        "Macro runs endless loop\nuntil any button is pressed",
        "Macro runs endless loop\nuntil button is released", "OK", "Cancel", "Key",
        "Please assign a Key", ""]
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
    // Made the first time they open (made()): null until then.
    property var macroEditor: null
    property var keyMenu: null
    property var profilePage: null
    property var programPicker: null
    property var singleKeyDialog: null
    property var macroKeyDialog: null
    property var resetDialog: null
    property var helpMenu: null
    // The current profile's number, which the profile page shows.
    property int profileNo: 0
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
        profileNo = parseInt(String(view.getProfile()), 10) || 0
        if (send)
            view.ui_02H_SetCurrentProfile(profileNo)
        if (language === 1)
            loadTranslatedTexts()
        // The macro editor's list; the editor and the key menu are made when they open.
        view.macroList.load()
        gunControl.init()
        // The profile page's list, as its start-up would load it.
        view.profiles.load(profileNo, language === 0)
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
        keyMenuLang = view.getGlobalStrings(2, code)
        macroEditorLang = view.getGlobalStrings(3, code)
        gunControl.gunLang = view.getGlobalStrings(4, code)
        macroKeyLang = view.getGlobalStrings(5, code)
        view.getGlobalStrings(6, code)
    }

    // Ends what a press outside the pages should end: the lines field's edit and the menus.
    function focusControl() {
        if (isScrollRateFocus)
            scrollPanel.dropFocus()
        if (keyMenu?.visible) {
            keyMenu.visible = false
            mousePicture.selectKey = -1
        }
        if (helpMenu)
            helpMenu.visible = false
    }

    // The window is drawn for the pointer; keyboard use is our own addition. Escape closes the
    // open menu, else the open dialog (its own menu or list first).
    function escapePressed(event) {
        if (keyMenu?.visible) {
            keyMenu.visible = false
            mousePicture.selectKey = -1
        } else if (helpMenu?.visible) {
            helpMenu.visible = false
        } else if (macroEditor?.visible) {
            macroEditor.escapePressed()
        } else if (programPicker?.visible) {
            programPicker.done()
        } else if (profilePage?.visible) {
            profilePage.escapePressed()
        } else if (macroKeyDialog?.visible) {
            macroKeyDialog.escapePressed()
        } else if (singleKeyDialog?.visible) {
            singleKeyDialog.closeSure()
        } else if (resetDialog?.visible) {
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
        made("keyMenu")
        keyMenu.x = 300
        keyMenu.y = keyMenu.rowY[row]
        keyMenu.showControl()
        keyMenu.visible = true
        focusKeeper.take(keyMenu)
    }

    // Hovering a button's row or hot spot shows it on the picture, unless the menu is open
    // or a dialog is: a dialog writes to the button it was opened for.
    function pointAtButton(row) {
        if (!keyMenu?.visible && !mask.visible)
            mousePicture.selectKey = row
    }

    function assignToSelectedButton(b0, b1, b2, b3) {
        keyMatrixPanel.modifyData(mousePicture.selectKey, b0, b1, b2, b3)
        keyMatrixPanel.refreashUI(true)
    }

    // Applies the current profile again, with its pointer settings when `applyPointer`.
    function reloadPanels(applyPointer) {
        view.activateProfile(profileNo, applyPointer)
    }

    // A profile was applied: the panels show it.
    function rereadPanels() {
        keyMatrixPanel.init()
        pointerSpeedPanel.init()
        doubleClickPanel.init()
        scrollPanel.init()
    }

    // The page kept in the property `name`, made now if it was not yet. Each goes over
    // everything made before it, as the pages and dialogs it covers need.
    function made(name: string): Item {
        if (shell[name])
            return shell[name]
        const component = Qt.createComponent(Pages.file(name))
        if (component.status !== Component.Ready) {
            console.warn(component.errorString())
            return null
        }
        const page = Pages.make(component, name, {
            shell: shell,
            keyMatrixPanel: keyMatrixPanel,
            mousePicture: mousePicture,
            focusKeeper: focusKeeper
        }) as Item
        shell[name] = page
        return page
    }

    // Menus and edits end first, as a press outside them would end them.
    function showDialog(dialog: Item) {
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
            shell.profileNo = profile
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
        if (macroEditor?.isInputting)
            macroEditor.detectKeyboard(isDown, usbCode)
        if (macroEditor?.isInsertting)
            macroEditor.detectInput(isDown, usbCode)
        if (singleKeyDialog?.visible)
            singleKeyDialog.detectKeyboard(isDown, usbCode)
    }

    onMsg_MS: function(isDown, dravCode, x, y) {
        if (macroEditor?.isInsertting && isDown)
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

    Background {
        id: background
        objectName: "background"
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
            text: shell.macroEditorLang[0] ?? ""
            onClicked: shell.showDialog(shell.made("macroEditor"))
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
            if (shell.profilePage?.visible) {
                shell.closeDialog(shell.profilePage)
            } else {
                shell.focusControl()
                const page = shell.made("profilePage")
                page.x = 24
                page.y = 10
                page.visible = true
                focusKeeper.take(page)
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
        onResetClicked: shell.showDialog(shell.made("resetDialog"))
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
            const menu = shell.made("helpMenu")
            menu.visible = !menu.visible
            if (menu.visible)
                focusKeeper.take(menu)
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
            shell.macroEditor?.macroEditorFocus()
            shell.profilePage?.profileEditorFocus()
            gunControl.gunControlFocus()
            shell.macroKeyDialog?.macroKeyFocus()
        }
        onDragged: function(dx, dy) { shell.moveWindow(dx, dy) }
    }

    GunControl {
        id: gunControl
        objectName: "gunControl"
        view: shell.view
    }
}
