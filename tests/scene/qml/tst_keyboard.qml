import QtQuick
import QtTest

// The window without a pointer: Tab and Shift+Tab walk the controls with a visible mark,
// Space and Enter use them, arrows move in menus and lists, Escape closes menus and dialogs;
// every control tells a screen reader its name and role in the window's language.
SceneUser {
    name: "Keyboard"

    // A fresh window: once an earlier file's test engine that called a scene function (the
    // macro editor's init) is gone, closing the macro editor crashes (Qt 6.4).
    function initTestCase() {
        restartAndWait()
    }

    function cleanup() {
        tidyUp()
    }

    function focusedName() {
        return scene.accessible(scene.focused()).name ?? ""
    }

    // Presses these keys one after another; the name of the focused control after each.
    function focusAfter(keys) {
        return keys.map(key => {
            scene.key(key)
            return focusedName()
        })
    }

    // Tab (or Shift+Tab) until the focus is on the control named `name`.
    function tabTo(name, backwards) {
        for (let i = 0; i < 60 && focusedName() !== name; ++i)
            scene.key(Qt.Key_Tab, backwards ? Qt.ShiftModifier : 0)
        compare(focusedName(), name)
    }

    // From the window's first control, the accessible name of every control Tab reaches
    // until it comes round again.
    function tabRound() {
        scene.find("shell").forceActiveFocus()
        const names = []
        for (let i = 0; i < 80; ++i) {
            scene.key(Qt.Key_Tab)
            if (names.length > 0 && scene.focused() === names[0].item)
                break
            const told = scene.accessible(scene.focused())
            names.push({ item: scene.focused(), name: told.name, role: told.role })
        }
        return names
    }

    // Pixels around the control with the keyboard focus, 4 pixels beyond its edges.
    function around(item) {
        const p = item.mapToItem(null, 0, 0)
        return scene.pixels(Math.floor(p.x) - 4, Math.floor(p.y) - 4, Math.ceil(item.width) + 8,
                            Math.ceil(item.height) + 8)
    }

    function test_tabWalksTheWindowAndSpaceOrEnterUsesTheFocusedControl() {
        const round = tabRound()
        compare(round.map(c => c.name), ["버튼 할당", "버튼 1: Left Button", "버튼 2: Right Button",
            "버튼 3: Middle Button", "버튼 4: Forward", "버튼 5: Back", "버튼 6: 바탕화면 보기",
            "버튼 7: DPI +", "버튼 8: DPI -", "메크로 메니저", "마우스 속도", "마우스 속도",
            "더블클릭 속도", "스크롤 속도", "행 수", "행 수", "Increase", "Decrease", "한 화면 스크롤",
            "Config", "Reset", "Help", "Minimize", "Close", "Top View", "Side View"])
        tabTo("Side View")
        tabTo("Reset", true)
        const marked = around(scene.focused())
        scene.key(Qt.Key_Tab)
        const unmarked = around(scene.find("resetButton"))
        verify(marked.filter((pixel, i) => pixel !== unmarked[i]).length > 40,
               "the focus mark of Reset is hardly visible")
        tabTo("Reset", true)
        scene.key(Qt.Key_Space)
        verify(shown("resetDialog") && shown("mask"))
        // The dialog has the focus, and only its buttons take it while it is open.
        compare(focusedName(), "Reset")
        compare(focusAfter([Qt.Key_Tab, Qt.Key_Tab, Qt.Key_Tab]), ["OK", "Cancel", "OK"])
        scene.key(Qt.Key_Tab)
        scene.key(Qt.Key_Return)
        verify(!shown("resetDialog") && !shown("mask"))
        compare(scene.focused().parent, scene.find("resetButton"),
                "the focus goes back to the opener")
        tabTo("버튼 3: Middle Button", true)
        scene.key(Qt.Key_Enter)
        verify(shown("keyMenu"))
        compare(scene.find("mousePicture").selectKey, 2)
    }

    // Arrows move in the key menu and into its sub-menus; Enter chooses.
    function test_arrowsMoveInMenusAndLists() {
        tabTo("버튼 2: Right Button")
        scene.key(Qt.Key_Space)
        verify(shown("keyMenu"))
        const path = focusAfter([Qt.Key_Down, Qt.Key_Down, Qt.Key_Up, Qt.Key_Down, Qt.Key_Down,
                                 Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Right,
                                 Qt.Key_Down, Qt.Key_Left, Qt.Key_Right, Qt.Key_Down])
        compare(path, ["Left Button", "Right Button", "Left Button", "Right Button",
                       "Middle Button", "Forward", "Back", "바탕화면 보기", "기본 명령", "새 창 열기",
                       "잘라내기", "기본 명령", "새 창 열기", "잘라내기"])
        scene.key(Qt.Key_Return)
        verify(!shown("keyMenu"))
        compare(ui_View.getKeydefine(1).map(Number), [0, 0, 0xe0, 0x1b])

        tabTo("메크로 메니저")
        scene.key(Qt.Key_Return)
        verify(shown("macroEditor"))
        clickOn("macroAddButton")
        clickAgainOn("macroAddButton")
        tabTo("Macro_1")
        // The first row keeps the focus.
        compare(focusAfter([Qt.Key_Up, Qt.Key_Up]), ["Macro_0", "Macro_0"])
        scene.key(Qt.Key_Space)
        compare(scene.find("macroEditor").selectedMacro, 0)
        clickOn("macroDeleteButton")
        compare(rows("macroRow", row => row.macroName), ["Macro_1"])
        clickAgainOn("macroDeleteButton")
        compare(scene.find("macroEditor").macroListModel.count, 0)
        scene.key(Qt.Key_Escape)
        verify(!shown("macroEditor"))

        // F2 renames a row in place; the Menu key gives its context menu; Escape closes the
        // menu, then the page.
        clickOn("profileButton")
        tabTo("Standard")
        scene.key(Qt.Key_F2)
        verify(scene.find("profileRow0").nameField.editing)
        scene.key(Qt.Key_Return)
        tabTo("Standard")
        scene.key(Qt.Key_Menu)
        verify(shown("profileMenu"))
        compare(focusAfter([Qt.Key_Down, Qt.Key_Down])[1], "Edit")
        scene.key(Qt.Key_Escape)
        verify(!shown("profileMenu") && shown("profilePage"))
        scene.key(Qt.Key_Escape)
        verify(!shown("profilePage"))
    }

    function test_escapeClosesTheOpenMenuOrDialog_data() {
        // What shows, what opens it and the key menu's entry that does.
        return [["keyMenu", "keyRow0"], ["helpMenu", "helpButton"], ["resetDialog", "resetButton"],
                ["macroEditor", "macroManagerBar"], ["profilePage", "profileButton"],
                ["singleKeyDialog", "keyRow0", "keyMenuEntry10"],
                ["macroKeyDialog", "keyRow0", "keyMenuEntry11"]
        ].map(([shows, opener, entry]) => ({ tag: shows, shows, opener, entry }))
    }

    function test_escapeClosesTheOpenMenuOrDialog(data) {
        clickOn(data.opener)
        if (data.entry)
            clickOn(data.entry)
        verify(shown(data.shows))
        scene.key(Qt.Key_Escape)
        verify(!shown(data.shows), data.shows + " stays open")
        verify(!shown("mask") && !shown("keyMenu"))
        compare(scene.find("mousePicture").selectKey, -1)
        compare(ui_View.getKeydefine(0).map(Number), [1, 0, 0xf0, 0])
    }

    // Every control Tab reaches, in the main window and in each dialog, has a name and a
    // role; the names are the texts the controls show, in the window's language.
    function test_everyControlTellsItsNameAndRole_data() {
        return [
            { tag: "built-in", language: "English",
              names: ["Reset", "Close", "Minimize", "버튼 1: Left Button", "OK", "Cancel",
                      "Start Record", "New", "Config"] },
            { tag: "Chinese", language: "ChineseSimplified",
              names: ["重置", "关闭", "最小化", "按键 1: 左键", "确定", "取消", "开始录制", "新建",
                      "配置", "鼠标速度", "双击速度", "滚轮速度", "行数"] }
        ]
    }

    function test_everyControlTellsItsNameAndRole(data) {
        startIn(data.language)
        const named = new Set()
        const check = where => {
            for (const control of tabRound()) {
                verify(control.name !== "", where + ": a control without a name after "
                       + Array.from(named).pop())
                verify(control.role !== Accessible.NoRole, where + ": " + control.name)
                named.add(control.name)
            }
        }
        check("main window")
        for (const dialog of [["resetButton", "resetCancel"],
                              ["macroManagerBar", "macroEditorClose"]]) {
            clickOn(dialog[0])
            check(dialog[0])
            clickOn(dialog[1])
        }
        clickOn("profileButton")
        clickOn("profileRow0", Qt.RightButton)
        check("profile page and its menu")
        clickOn("profileMenuItem5")
        check("program picker")
        clickOn("programPickerOk")
        clickOn("profileClose")
        for (const entry of ["keyMenuEntry10", "keyMenuEntry11"]) {
            clickOn("keyRow0")
            check("key menu")
            clickOn(entry)
            check(entry)
            clickOn(entry === "keyMenuEntry10" ? "singleKeyCancel" : "macroKeyCancel")
        }
        for (const name of data.names)
            verify(named.has(name), name + " not among " + Array.from(named))
        // Controls off the Tab chain: the buttons on the mouse picture.
        const spot = scene.accessible(scene.find("buttonSpot0"))
        compare(spot.name, data.names[3])
        compare(spot.role, Accessible.Button)
    }
}
