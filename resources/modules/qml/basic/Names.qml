pragma Singleton
import QtQuick

// What screen readers call the controls drawn only as pictures, in the window's language. The
// shell sets `language` (1 Chinese Simplified, else the built-in texts).
QtObject {
    property int language: 0
    readonly property bool chinese: language === 1

    readonly property string help: chinese ? "帮助" : "Help"
    readonly property string minimize: chinese ? "最小化" : "Minimize"
    readonly property string close: chinese ? "关闭" : "Close"
    readonly property string importFile: chinese ? "导入" : "Import"
    readonly property string exportFile: chinese ? "导出" : "Export"
    readonly property string increase: chinese ? "增加" : "Increase"
    readonly property string decrease: chinese ? "减少" : "Decrease"
}
