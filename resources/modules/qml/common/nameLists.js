.pragma library

// Name lists as the name file keeps them, and the first free numbers that new macros and
// profiles take.

// A list of one name comes back from the name file with this element appended.
const listGuard = "listpadguard"

function dropListGuard(names) {
    const list = Array.from(names)
    return list.length === 2 && list[1] === listGuard ? [list[0]] : list
}

// The first n below `limit` for which isTaken(n) is false; `limit` itself when all are taken.
function firstFree(limit, isTaken) {
    let n = 0
    while (n < limit && isTaken(n))
        ++n
    return n
}

// A profile is stored as its name followed by its number as one digit.
function encodeProfile(name, number) {
    return name + number
}

function decodeProfile(text) {
    return { profileName: text.slice(0, -1), profileNo: parseInt(text.slice(-1), 10) }
}
