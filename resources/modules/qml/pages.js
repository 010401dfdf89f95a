.pragma library
// The pages and dialogs made the first time they open: the file of each, what it is made with
// and how the shell wires it. Nothing else names their types, so their code loads with them: a
// start, or a show from the tray, loads nothing of what is not on screen.
//
// `s` holds what the pages talk to: the shell and its keyMatrixPanel, mousePicture and
// focusKeeper.

function file(name) {
    return pages[name].file
}

// Makes page `name` from `component` over everything the shell holds. The page is made with
// its bindings' values, so that its first layout has its texts; they become bindings once it is
// made (Qt takes no binding among the values an object is made with).
function make(component, name, s) {
    const bindings = pages[name].bindings(s.shell)
    const values = { objectName: name }
    for (const property in bindings)
        values[property] = bindings[property]()
    const page = component.createObject(s.shell, values)
    for (const property in bindings)
        page[property] = Qt.binding(bindings[property])
    pages[name].wire(page, s, s.shell)
    return page
}

// The menus give the keyboard back when they close.
function givesFocusBackWhenHidden(page, s) {
    page.visibleChanged.connect(() => {
        if (!page.visible)
            s.focusKeeper.giveBack()
    })
}

const pages = {
    macroEditor: {
        file: "common/MacroEditor.qml",
        bindings: shell => ({
            view: () => shell.view,
            keyTable: () => shell.keyTable,
            macroEditorLang: () => shell.macroEditorLang
        }),
        wire(page, s, shell) {
            page.closeUI.connect(shell.hideMask)
            page.deleteMacroSignal.connect(macroName => s.keyMatrixPanel.deleteMacroProc(macroName))
            page.macroRenamed.connect(() => s.keyMatrixPanel.refreashUI(true))
        }
    },

    keyMenu: {
        file: "common/KeyMenu.qml",
        bindings: shell => ({
            language: () => shell.language,
            keyMenuLang: () => shell.keyMenuLang
        }),
        wire(page, s, shell) {
            givesFocusBackWhenHidden(page, s)
            page.menuCmd.connect(entryText => {
                const bytes = [0, 2, 4, 6].map(i => parseInt(entryText.substr(i, 2), 16))
                shell.assignToSelectedButton(bytes[0], bytes[1], bytes[2], bytes[3])
                page.visible = false
                s.mousePicture.selectKey = -1
            })
            page.openSingleKeyDialog.connect(() => {
                page.visible = false
                shell.showDialog(shell.made("singleKeyDialog"))
            })
            page.openMacroKeyDialog.connect(() => {
                page.visible = false
                const dialog = shell.made("macroKeyDialog")
                dialog.showUI()
                shell.showDialog(dialog)
            })
        }
    },

    profilePage: {
        file: "common/ProfilePage.qml",
        bindings: shell => ({
            view: () => shell.view,
            profiles: () => shell.view ? shell.view.profiles : null,
            language: () => shell.language,
            mainLang: () => shell.mainLang,
            profileNo: () => shell.profileNo
        }),
        wire(page, s, shell) {
            page.init()
            page.profileLoaded.connect(() => shell.reloadPanels(true))
            page.pickPrograms.connect((number, name) => {
                const picker = shell.made("programPicker")
                picker.profileNo = number
                picker.profileName = name
                picker.choices = shell.view.programChoices(number)
                picker.available = shell.view.canFollowPrograms()
                picker.x = (shell.width - picker.width) / 2
                picker.y = (shell.height - picker.height) / 2
                picker.visible = true
                s.focusKeeper.take(picker)
            })
            page.changeProfile.connect(tmpProfileNo => {
                if (tmpProfileNo === shell.profileNo)
                    return
                shell.profileNo = tmpProfileNo
                shell.profileChanged = true
                shell.reloadPanels(false)
            })
            page.closeUI.connect(() => {
                if (shell.programPicker)
                    shell.programPicker.visible = false
                shell.hideMask()
                if (!shell.profileChanged)
                    return
                shell.setProtectUI(1200)
                shell.profileChanged = false
                shell.reloadPanels(true)
            })
        }
    },

    // Over the profile page, which stays open behind it.
    programPicker: {
        file: "common/ProgramPicker.qml",
        bindings: shell => ({
            rules: () => shell.view ? shell.view.programRules : null,
            language: () => shell.language,
            mainLang: () => shell.mainLang
        }),
        wire(page, s, shell) {
            page.done.connect(() => {
                page.visible = false
                shell.profilePage.forceActiveFocus()
            })
        }
    },

    singleKeyDialog: {
        file: "common/SingleKeyDialog.qml",
        bindings: shell => ({
            macroKeyLang: () => shell.macroKeyLang,
            keyTable: () => shell.keyTable
        }),
        wire(page, s, shell) {
            page.keyAssigned.connect(code => shell.assignToSelectedButton(0, 0, code, 0))
            page.closeSure.connect(() => {
                shell.closeDialog(page)
                s.mousePicture.selectKey = -1
            })
        }
    },

    macroKeyDialog: {
        file: "common/MacroKeyDialog.qml",
        bindings: shell => ({
            macroKeyLang: () => shell.macroKeyLang,
            macroListModel: () => shell.view ? shell.view.macroList : null
        }),
        wire(page, s, shell) {
            page.macroAssigned.connect((name, mode) => {
                const row = s.mousePicture.selectKey
                shell.view.setMacroKey(row, name)
                shell.assignToSelectedButton(9, mode, row, 0)
                shell.view.uploadMacro(row, name)
            })
            page.closeSure.connect(() => {
                shell.closeDialog(page)
                s.mousePicture.selectKey = -1
            })
        }
    },

    resetDialog: {
        file: "common/ResetDialog.qml",
        bindings: shell => ({ mainLang: () => shell.mainLang }),
        wire(page, s, shell) {
            page.accepted.connect(() => {
                shell.closeDialog(page)
                shell.view.resetProfile(shell.profileNo)
                shell.reloadPanels(true)
            })
            page.rejected.connect(() => shell.closeDialog(page))
        }
    },

    helpMenu: {
        file: "common/HelpMenu.qml",
        bindings: () => ({ x: () => 834, y: () => 38 }),
        wire(page, s, shell) {
            givesFocusBackWhenHidden(page, s)
            page.updateChosen.connect(() => shell.view.openUpdateExe())
        }
    }
}
