pragma Singleton
import QtQuick

// Arrow keys in menus and lists: the focus moves along the keyboard controls (KeyFocus) of a
// group in the order Tab visits them.
QtObject {
    // The shown keyboard controls inside `group`, in Tab order.
    function controls(group: Item): list<Item> {
        const found = []
        const walk = item => {
            for (let i = 0; i < item.children.length; ++i) {
                const child = item.children[i]
                if (!child.visible)
                    continue
                if (child.keyboardControl === true)
                    found.push(child)
                walk(child)
            }
        }
        walk(group)
        return found
    }

    // Focuses the control before or after the focused one in `group`, the first or the last
    // when none of them has the focus; the ends stay where they are. Returns it.
    function step(group: Item, forward: bool): Item {
        const found = controls(group)
        if (found.length === 0)
            return null
        const at = found.findIndex(control => control.activeFocus)
        const next = at < 0 ? (forward ? 0 : found.length - 1)
                            : Math.max(0, Math.min(found.length - 1, at + (forward ? 1 : -1)))
        found[next].forceActiveFocus()
        return found[next]
    }

    // Whether `item` lies inside `group`.
    function within(group: Item, item: Item): bool {
        for (let up = item; up; up = up.parent) {
            if (up === group)
                return true
        }
        return false
    }
}
