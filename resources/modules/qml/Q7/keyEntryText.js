.pragma library
// How a key entry reads in the key-matrix panel. An entry is four bytes b0..b3, written as
// eight hexadecimal digits with b0 first ("0100f000").

// Display names of whole entries: the built-in name, and the one shown with Chinese texts.
// An empty name means that language has none.
var functionNames = {
    "0100f000": ["Left Button", "左键"],
    "0100f100": ["Right Button", "右键"],
    "0100f200": ["Middle Button", "中键"],
    "0100f400": ["Forward", "前进"],
    "0100f300": ["Back", "后退"],
    "0f002e00": ["Auto Run", "自动奔跑"],
    "0f000500": ["Fire Mode", "开火模式"],
    "0af01e02": ["Double Click", "双击"],
    "07000100": ["DPI +", "DPI +"],
    "07000200": ["DPI -", "DPI -"],
    "07000300": ["DPI LOOP", "DPI LOOP"],
    "03008301": ["미디어 플레이어", "多媒体播放键"],
    "0300b500": ["다음 곡", "下一首"],
    "0300b600": ["이전 곡", "上一首"],
    "0300b700": ["정지", "停止"],
    "0300cd00": ["재생 / 일시정지", "播放/暂停"],
    "0300e200": ["음소거", "静音"],
    "0300e900": ["볼륨 증가", "音量+"],
    "0300ea00": ["볼륨 감소", "音量-"],
    "0000e011": ["새 창 열기", "新建"],
    "0000e01b": ["잘라내기", "剪切"],
    "0000e006": ["복사", "复制"],
    "0000e019": ["붙여넣기", "粘贴"],
    "0000e016": ["저장", "保存"],
    "0000e013": ["인쇄", "打印"],
    "0000e009": ["찾기", "查找"],
    "0000e01c": ["복원 ctrl+y", "重复"],
    "0000e01d": ["실행취소 ctrl+z", "撤销"],
    "0000e004": ["전체 선택", "全选"],
    "03009401": ["내 컴퓨터", "我的电脑"],
    "03002302": ["새 인터넷 창 열기", "浏览器-主页"],
    "03002102": ["검색", "搜索"],
    "00e22c1b": ["최대화", "最大化"],
    "00e22c11": ["최소화", "最小化"],
    "0000e307": ["바탕화면 보기", "显示桌面"],
    "0000e315": ["실행", "运行"],
    "00000000": ["비활성화", "按键关闭"],
    "08000100": ["", "枪械开关"],
    "08000200": ["Gun Management", ""]
}

// [1, 0, 0xF0, 0] -> "0100f000"
function entryHex(bytes) {
    let text = ""
    for (let i = 0; i < 4; ++i)
        text += ("0" + (bytes[i] & 0xFF).toString(16)).slice(-2)
    return text
}

function functionName(bytes, language) {
    const names = functionNames[entryHex(bytes)]
    return names ? names[language === 1 ? 1 : 0] : ""
}

// The text a panel row shows for an entry. `names` gives what the entry refers to:
// keyMatrixLang, language, keyName(code), macroName(button), gunName.
function entryText(bytes, names) {
    const lang = names.keyMatrixLang
    switch (bytes[0]) {
    case 0x00:
        if (bytes[1] === 0 && bytes[2] === 0 && bytes[3] === 0)
            return lang[1]
        if (bytes[1] === 0 && bytes[2] !== 0 && bytes[3] === 0)
            return lang[3] + names.keyName(bytes[2])
        return functionName(bytes, names.language)
    case 0x08:
        return "Fn" + " ( " + names.gunName + " ) "
    case 0x09:
        return lang[0] + names.macroName(bytes[2])
    case 0x0A:
        return lang[5]
    default:
        return functionName(bytes, names.language)
    }
}
