import QtQuick

// Key names and codes, shared by the pages; no visuals. (The table comes next.)
Item {
    visible: false
}
