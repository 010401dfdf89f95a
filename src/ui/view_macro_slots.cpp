// The view's macro slots: thin forwards to the macro store, exchange and encoder.
#include <array>

#include "i18n/key_names.h"
#include "macro/macro_encoder.h"
#include "macro/macro_exchange.h"
#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "ui/Hid_Thread.h"
#include "ui/myQQuickView.h"

namespace {

constexpr int kMacroReadback91 = 192;
constexpr int kMacroReadback93 = 128;

// The device now selected; before the view has a link, the index the link starts with.
uint32_t selectedDeviceId(Hid_Thread* hid) {
    return hid ? hid->link().currentIndex() : 0;
}

template <size_t N>
QVariantList toIntegers(const std::array<uchar, N>& bytes) {
    QVariantList values;
    values.reserve(static_cast<qsizetype>(N));
    for (uchar b : bytes) {
        values << static_cast<int>(b);
    }
    return values;
}

}  // namespace

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex) {
    return z718::MacroStore(settings()).create(name.toString(), macroIndex.toUInt());
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat) {
    return z718::MacroStore(settings()).save(name.toString(), macros, repeat);
}

QStringList myQQuickView::loadMacroIni(QVariant name) {
    return z718::MacroStore(settings()).savedLines(name.toString());
}

QVariant myQQuickView::loadMacroIndex(QVariant name) {
    return z718::MacroStore(settings()).slotOf(name.toString());
}

QVariant myQQuickView::loadMacroType(QVariant name) {
    return z718::MacroStore(settings()).typeOf(name.toString());
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name) {
    return z718::MacroStore(settings()).config(name.toString(), selectedDeviceId(hid_));
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config) {
    z718::MacroStore(settings()).setConfig(name.toString(), config, selectedDeviceId(hid_));
}

void myQQuickView::setMacroIndex(QVariant name, QVariant macroIndex) {
    z718::MacroStore(settings()).setSlot(name.toString(), macroIndex.toInt());
}

void myQQuickView::setMacroType(QVariant name, QVariant macroType) {
    z718::MacroStore(settings()).setType(name.toString(), macroType.toInt());
}

QVariant myQQuickView::modifyMacroName(QVariant oldname, QVariant newname) {
    return z718::MacroStore(settings()).rename(oldname.toString(), newname.toString());
}

QVariant myQQuickView::macroNameFault(QVariant name) {
    return static_cast<int>(z718::macroNameFault(name.toString()));
}

QVariant myQQuickView::deleteMacroIni(QVariant name) {
    return z718::MacroStore(settings()).remove(name.toString());
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName) {
    z718::MacroStore(settings()).renameFileOnly(oldName.toString(), newName.toString());
}

QStringList myQQuickView::isMacroUse(QVariant macroName) {
    return z718::MacroStore(settings()).users(macroName.toString());
}

void myQQuickView::setMacroKey(QVariant index, QVariant macroName) {
    z718::MacroStore(settings()).assign(index.toInt(), macroName.toString());
}

QVariant myQQuickView::getMacroKey(QVariant index) {
    return z718::MacroStore(settings()).assigned(index.toInt());
}

void myQQuickView::saveMacroFile(QVariant macroFileName) {
    z718::MacroExchange(prompts_, this).exportMacro(macroFileName.toString());
}

void myQQuickView::saveMacroIniToFile(QVariant name) {
    z718::MacroExchange(prompts_, this).exportExisting(name.toString());
}

QVariant myQQuickView::loadMacroIniFromFile() {
    const QStringList& messages = settings().messageStrings();
    return z718::MacroExchange(prompts_, this, messages.mid(6, 2)).importMacro();
}

QList<uchar> myQQuickView::macroIncode(QStringList macros) {
    return z718::encodeMacro(macros, selectedDeviceId(hid_), z718::keyCode);
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name) {
    const QList<uchar> stream = macroIncode(loadMacroIni(name));
    if (stream.size() > z718::kDeviceMacroBytes) {
        // The device keeps the first 192 bytes only; the user is told, then it is sent cut.
        const QStringList& texts = settings().messageStrings();
        prompts_.warning(texts.value(0), texts.value(1));
    }
    z718::DeviceMacroBuffer buffer = z718::deviceMacroBuffer(stream);
    if (hid_) {
        hid_->hid_11H_SetMacroKey(static_cast<uchar>(macroId.toUInt() & 0xFF), buffer.data());
    }
}

void myQQuickView::ui_13H_SetMacroKey(QVariant, QVariant) {}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId) {
    // Zero-filled first: a read that does not happen leaves zeros.
    std::array<uchar, kMacroReadback91> buffer{};
    if (hid_) {
        hid_->hid_91H_GetMacroKey(macroId, buffer.data());
    }
    return toIntegers(buffer);
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId) {
    std::array<uchar, kMacroReadback93> buffer{};
    if (hid_) {
        hid_->hid_93H_GetMacroKey(macroId, buffer.data());
    }
    return toIntegers(buffer);
}

QVariant myQQuickView::sendMacroData(QVariantList, QVariant) {
    return true;
}
