.pragma library
// What the key menu offers. An entry written is four bytes b0..b3 as eight hexadecimal digits,
// b0 first ("0100f000").

// The key menu's main entries in display order: `label` indexes keyMenuLang; an entry has a
// `value` it writes, a `submenu` it opens on hover, or a `dialog` it opens on click.
var mainEntries = [
    { label: 0, value: "0100f000" },
    { label: 1, value: "0100f100" },
    { label: 2, value: "0100f200" },
    { label: 42, value: "0100f400" },
    { label: 43, value: "0100f300" },
    { label: 40, value: "0000e307" },
    { label: 8, submenu: "basic" },
    { label: 7, submenu: "media" },
    { label: 9, submenu: "more" },
    { label: 6, submenu: "dpi", hidden: true },
    { label: 5, value: "0af02003" },
    { label: 10, dialog: "singleKey" },
    { label: 11, dialog: "macroKey" },
    { label: 12, hidden: true },
    { label: 13, value: "00000000" }
]

// The sub-menus' entries, label index and value, in display order.
var subEntries = {
    dpi: [[14, "07000100"], [15, "07000200"], [16, "07000300"]],
    media: [[17, "03008301"], [18, "0300b500"], [19, "0300b600"], [20, "0300b700"],
            [21, "0300cd00"], [22, "0300e200"], [23, "0300e900"], [24, "0300ea00"]],
    basic: [[25, "0000e011"], [26, "0000e01b"], [27, "0000e006"], [28, "0000e019"],
            [29, "0000e016"], [30, "0000e013"], [31, "0000e009"], [32, "0000e01c"],
            [33, "0000e01d"], [34, "0000e004"]],
    more: [[35, "03009401"], [36, "03002302"], [37, "03002102"], [38, "00e22c1b"],
           [39, "00e22c11"], [40, "0000e307"], [41, "0000e315"]]
}
