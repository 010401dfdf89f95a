import QtQuick
import QtTest

// How the window's texts and layers look, in both languages: one font for every script, one
// baseline per row, dialogs that hide what lies under them, choices that stand apart.
SceneUser {
    name: "Look"

    function cleanup() {
        scene.find("profileButton").visible = true
        tidyUp()
    }

    // The shown texts among the children of `item`.
    function texts(item) {
        return Array.from(item.children).filter(child => child.text !== undefined && child.visible)
    }

    function test_oneFontOneBaselinePerRowAndRepeatModesApart_data() {
        return [{ tag: "built-in", chinese: false }, { tag: "Chinese", chinese: true }]
    }

    // One installed font and one baseline per key row; the macro key dialog's repeat modes
    // stand apart from each other.
    function test_oneFontOneBaselinePerRowAndRepeatModesApart(data) {
        if ((scene.find("shell").language === 1) !== data.chinese)
            startIn(data.chinese ? "ChineseSimplified" : "English")
        const family = scene.find("shell").fontFamily
        verify(Qt.fontFamilies().indexOf(family) >= 0, family + " is not installed")
        for (let row = 0; row < 8; ++row) {
            const labels = texts(scene.find("keyRow" + row))
            compare(labels.length, 2)
            compare(labels[0].font.family, family)
            const [left, right] = labels.map(text => text.mapToItem(null, 0, text.baselineOffset).y)
            compare(right, left, "row " + row + ": " + labels[0].text + " / " + labels[1].text)
        }
        clickOn("keyRow2")
        clickOn("keyMenuEntry11")
        verify(shown("macroKeyDialog"))
        const boxes = []
        for (let mode = 0; mode < 3; ++mode) {
            const label = texts(scene.find("macroKeyMode" + mode))[0]
            verify(label.lineCount >= 2, label.text)
            // Where its lines are painted, in window coordinates.
            const top = label.mapToItem(null, 0, 0).y + (label.height - label.contentHeight) / 2
            const box = { top, bottom: top + label.contentHeight,
                          line: label.contentHeight / label.lineCount }
            boxes.push(box)
            const mark = rect("macroKeyMode" + mode)
            verify(Math.abs((box.top + box.bottom) / 2 - (mark.y + mark.height / 2)) <= 1,
                   "mode " + mode + " is centred on its mark")
        }
        for (let mode = 1; mode < 3; ++mode) {
            const gap = boxes[mode].top - boxes[mode - 1].bottom
            verify(gap >= boxes[mode].line / 2, "modes " + (mode - 1) + " and " + mode
                   + " are " + gap + " px apart")
        }
        verify(boxes[2].bottom < rect("macroKeyOk").y, "the modes clear the buttons")
    }

    // The profile page is opaque over the main window's "Config" button; a rename field's
    // selection does not melt into the selected row.
    function test_theProfilePageHidesWhatLiesUnderIt() {
        clickOn("profileButton")
        verify(shown("profilePage"))
        const button = scene.find("profileButton")
        const r = rect("profileNew")
        const under = rect("profileButton")
        verify(r.x < under.x + under.width && r.y < under.y + under.height, "the two overlap")
        const area = [Math.ceil(r.x), Math.ceil(r.y), Math.floor(r.width), Math.floor(r.height)]
        const withButton = scene.pixels(...area)
        button.visible = false
        const withoutButton = scene.pixels(...area)
        const differing = withButton.filter((pixel, i) => pixel !== withoutButton[i]).length
        compare(differing, 0, "pixels of New that show the button under it")

        doubleClickOn("profileRow0")
        const field = scene.find("profileRow0").nameField
        verify(field.editing)
        const rowColor = scene.find("profileRow0").color
        const selection = Array.from(field.children).find(c => c.selectionColor).selectionColor
        const distance = Math.abs(selection.r - rowColor.r) + Math.abs(selection.g - rowColor.g)
                         + Math.abs(selection.b - rowColor.b)
        verify(distance > 0.5, "selection " + selection + " against the row's " + rowColor)
        scene.key(Qt.Key_Escape)
    }
}
