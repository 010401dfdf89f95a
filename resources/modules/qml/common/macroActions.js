.pragma library

// Macro actions as the macro files keep them: "<type>,<info>" lines followed by the repeat
// count.

const delay = 0
const keyDown = 1
const keyUp = 2
const mouseDown = 3
const mouseUp = 4

// Codes from here on are mouse buttons.
const firstMouseCode = 0xF0

// A decimal number, 0 when the text is none.
function toInteger(text) {
    const value = parseInt(text, 10)
    return isNaN(value) ? 0 : value
}

function toLine(row) {
    return row.type + "," + row.info
}

function fromLine(line) {
    return { type: toInteger(line.charAt(0)), info: line.slice(2) }
}

// The action rows of loaded lines (every element but the last, the repeat count).
function rowsOf(lines) {
    return Array.from(lines).slice(0, -1).map(fromLine)
}

// The press and release rows of a key or mouse-button code.
function pressAndRelease(code, name) {
    const mouse = code >= firstMouseCode
    return [{ type: mouse ? mouseDown : keyDown, info: name },
            { type: mouse ? mouseUp : keyUp, info: name }]
}

// The type of a recorded key event; `released` as the hooks report it.
function recordedType(code, released) {
    if (code >= firstMouseCode)
        return released ? mouseUp : mouseDown
    return released ? keyUp : keyDown
}
