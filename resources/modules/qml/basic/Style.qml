pragma Singleton
import QtQuick

// Fonts, colours and the image path scheme shared by every page.
QtObject {
    // The first family installed: the Windows one, else the program's own (the Han, Hangul and
    // Latin glyphs its texts use, cut from Noto Sans CJK SC), else one that holds all three with
    // one set of metrics. Left to the font system, each script would take a family of its own,
    // with its own weight and baseline.
    readonly property string fontFamily: {
        const installed = Qt.fontFamilies()
        return ["MS Reference Sans Serif", "Z718 Sans", "Noto Sans CJK SC", "WenQuanYi Micro Hei"]
            .find(family => installed.includes(family)) ?? "MS Reference Sans Serif"
    }
    readonly property int fontNormalSize: 13
    readonly property int fontMinSize: 11
    readonly property int fontMiddleSize: 14
    readonly property int fontMaxSize: 16
    readonly property color fontColor: "#ffffff"
    readonly property color fontSelectColor: "#0095de"
    readonly property color fontDimColor: "#9a9a9a"
    readonly property color accentColor: "#0095de"
    readonly property color panelColor: "#b31a1a1a"
    // Opaque: what lies under a dialog or menu must not show through it.
    readonly property color dialogColor: "#1a1a1a"
    readonly property color lineColor: "#3a3a3a"
    readonly property color hoverColor: "#999999"
    readonly property color selectColor: "#00a0e8"
    readonly property color maskColor: "#90000000"
    // The keyboard focus's mark: stands out on the dark plates and on the blue bars.
    readonly property color focusColor: "#ffb400"

    property int skin_No: 1

    // "qrc:/<group>/modules/img/skin<N>/<group>/<file>"
    function image(group: string, file: string): string {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
}
