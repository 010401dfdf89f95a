pragma Singleton
import QtQuick

// Fonts, colours and the image path scheme shared by every page.
QtObject {
    // Absent on Linux; the font system falls back to the installed fonts, CJK ones included.
    readonly property string fontFamily: "MS Reference Sans Serif"
    readonly property int fontNormalSize: 13
    readonly property int fontMinSize: 11
    readonly property int fontMiddleSize: 14
    readonly property int fontMaxSize: 16
    readonly property color fontColor: "#ffffff"
    readonly property color fontSelectColor: "#0095de"
    readonly property color fontDimColor: "#9a9a9a"
    readonly property color accentColor: "#0095de"
    readonly property color panelColor: "#b31a1a1a"
    readonly property color dialogColor: "#f01a1a1a"
    readonly property color lineColor: "#3a3a3a"
    readonly property color hoverColor: "#999999"
    readonly property color selectColor: "#00a0e8"
    readonly property color maskColor: "#90000000"

    property int skin_No: 1

    readonly property string background: "qrc:/modules/img/background.svg"

    // "qrc:/<group>/modules/img/skin<N>/<group>/<file>"
    function image(group: string, file: string): string {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
}
