#include "i18n/desktop_texts.h"

namespace z718 {

namespace {

struct Texts {
    const char* english;
    const char* chinese;
};

// In DesktopText's order.
// clang-format off
constexpr Texts kTexts[] = {
    {"Show", "显示"},
    {"The mouse is not connected.", "鼠标未连接。"},
    {"KESTRAN SOLUX MOUSE Z718 - mouse not connected", "KESTRAN SOLUX MOUSE Z718 - 鼠标未连接"},
    {"Updates come from the system's package manager.", "更新请通过系统的软件包管理器获取。"},
    {"Profile \"%1\" is in use for %2.", "配置“%1”已用于 %2。"},
};
// clang-format on

}  // namespace

QString desktopText(DesktopText text, bool chinese) {
    const Texts& texts = kTexts[static_cast<int>(text)];
    return QString::fromUtf8(chinese ? texts.chinese : texts.english);
}

}  // namespace z718
