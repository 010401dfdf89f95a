#include "device/key_assignments.h"

#include <array>

#include "device/scene_values.h"
#include "engine/shared_tables.h"
#include "macro/macro_store.h"
#include "macro/playback_list.h"
#include "settings/ini_values.h"

namespace z718 {

namespace {

constexpr int kKeyEntries = 16;
constexpr int kKeyMatrixBytes = kKeyEntries * 4;
constexpr int kWideMatrixBytes = 512;
constexpr int kWideMatrixGroups = 126;  // the last 8 values of the wide matrix are not stored
constexpr int kMaintainedProfiles = 5;
constexpr int kMaintainedKeys = 7;
constexpr uchar kMacroEntry = 0x09;

// What a key whose macro is removed goes back to.
constexpr uchar kDefaultEntries[kMaintainedKeys][4] = {
    {0x01, 0x00, 0xF0, 0x00}, {0x01, 0x00, 0xF1, 0x00}, {0x01, 0x00, 0xF2, 0x00},
    {0x01, 0x00, 0xF4, 0x00}, {0x01, 0x00, 0xF3, 0x00}, {0x07, 0x00, 0x01, 0x00},
    {0x07, 0x00, 0x02, 0x00},
};

// What a button whose macro is deleted goes back to, buttons 0..15, the four bytes first to
// last: unlike the keys above, the sixth button shows the desktop again.
constexpr uint32_t kButtonDefaults[kKeyEntries] = {
    0x0100F000, 0x0100F100, 0x0100F200, 0x0100F400, 0x0100F300, 0x0000E307, 0x07000100, 0x07000200,
    0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x04000100, 0x04000200};

QVariantList buttonDefault(int key) {
    const uint32_t entry = kButtonDefaults[key];
    return {int(entry >> 24), int(entry >> 16 & 0xFF), int(entry >> 8 & 0xFF), int(entry & 0xFF)};
}

// The first value of a stored entry, as the pages read it.
int entryType(const QVariantList& stored) {
    return stored.isEmpty() ? 0 : leadingInteger(stored[0].toString()).toInt();
}

bool isLeftClick(const uchar* entry) {
    return entry[0] == 0x01 && entry[2] == 0xF0;
}

QVariantList paddedTo(QVariantList values, int count) {
    while (values.size() < count) {
        values.append(0);
    }
    return values;
}

}  // namespace

bool mayChangeButton(const std::array<uchar, kKeyMatrixBytes>& matrix, int row) {
    if (row < 0 || row >= kKeyEntries) {
        return false;
    }
    int leftClicks = 0;
    for (int k = 0; k < kKeyEntries; ++k) {
        leftClicks += isLeftClick(&matrix[static_cast<size_t>(4 * k)]);
    }
    return !isLeftClick(&matrix[static_cast<size_t>(4 * row)]) || leftClicks > 1;
}

QVariantList KeyAssignments::storedEntry(int key) {
    return listValue(settings_.currentProfile().value(numberedKey("keydefine_Q7/", key)));
}

QVariantList KeyAssignments::storedMatrix() {
    QVariantList values;
    for (int k = 0; k < kKeyEntries; ++k) {
        const QVariantList stored = storedEntry(k);
        for (int j = 0; j < 4; ++j) {
            values << (j < stored.size() ? leadingInteger(stored[j].toString()) : QVariant(0));
        }
    }
    return values;
}

void KeyAssignments::setButtonEntries(const QVariantList& given) {
    const QVariantList values = paddedTo(given, kKeyMatrixBytes);
    std::array<uchar, kKeyMatrixBytes> matrix{};
    for (int k = 0; k < kKeyEntries; ++k) {
        const QVariantList entry = values.mid(4 * k, 4);
        for (int j = 0; j < 4; ++j) {
            matrix[static_cast<size_t>(4 * k + j)] = static_cast<uchar>(entry[j].toUInt());
        }
        settings_.currentProfile().setValue(numberedKey("keydefine_Q7/", k), storedForm(entry));
    }
    keyMatrix().write(matrix.data());
}

void KeyAssignments::setWideMatrix(const QVariantList& given) {
    const QVariantList values = paddedTo(given, kWideMatrixBytes);
    for (int k = 0; k < kWideMatrixGroups; ++k) {
        settings_.currentProfile().setValue(numberedKey("keydefine/", k),
                                            storedForm(values.mid(4 * k, 4)));
    }
    const std::array<uchar, kWideMatrixBytes> matrix = intBlock<kWideMatrixBytes>(values);
    if (commands_) {
        commands_->send(setRow("hid_0DH_SetKeyMatrix"), {}, matrix.data());
    }
}

std::array<uchar, 64> KeyAssignments::deviceButtonEntries() {
    std::array<uchar, kKeyMatrixBytes> matrix{};
    if (commands_) {
        commands_->fetch(getRow("hid_92H_GetKeyMatrix"), {}, {}, matrix.data());
    }
    return matrix;
}

std::array<uchar, 512> KeyAssignments::deviceWideMatrix() {
    std::array<uchar, kWideMatrixBytes> matrix{};
    if (commands_) {
        commands_->fetch(getRow("hid_8DH_GetKeyMatrix"), {}, {}, matrix.data());
    }
    return matrix;
}

template <typename Change>
void KeyAssignments::changeMacroEntries(Change change) {
    for (int p = 0; p < kMaintainedProfiles; ++p) {
        if (p == settings_.currentProfileIndex()) {
            continue;  // the scene rewrites the current profile itself
        }
        for (int k = 0; k < kMaintainedKeys; ++k) {
            const QString key = numberedKey("keydefine_Q7/", k);
            const QVariantList stored = listValue(settings_.profile(p).value(key, 0));
            if (stored.size() < 4) {
                continue;
            }
            std::array<uchar, 4> entry = intBlock<4>(stored);
            if (entry[0] != kMacroEntry) {
                continue;
            }
            change(k, entry);
            settings_.profile(p).setValue(key, intList(entry));
        }
    }
}

void KeyAssignments::macroRepeatChanged(uint slot, int macroType) {
    const uchar mode = macroType == 1 ? 2 : 0;
    changeMacroEntries([&](int, std::array<uchar, 4>& entry) {
        if (entry[2] == slot) {
            entry[1] = mode;
        }
    });
}

void KeyAssignments::macroRemoved(uint slot) {
    changeMacroEntries([&](int key, std::array<uchar, 4>& entry) {
        if (entry[2] == slot) {
            std::copy(std::begin(kDefaultEntries[key]), std::end(kDefaultEntries[key]),
                      entry.begin());
        } else if (entry[2] > slot) {
            --entry[2];
        }
    });
}

void KeyAssignments::macroDeleted(const QString& name) {
    const MacroStore macros(settings_);
    bool currentChanged = false;
    for (int p = 0; p < kProfileCount; ++p) {
        for (int k = 0; k < kKeyEntries; ++k) {
            const QString key = numberedKey("keydefine_Q7/", k);
            if (entryType(listValue(settings_.profile(p).value(key))) != kMacroEntry ||
                macros.assignedIn(p, k) != name) {
                continue;
            }
            settings_.profile(p).setValue(key, buttonDefault(k));
            currentChanged |= p == settings_.currentProfileIndex();
        }
    }
    if (currentChanged) {
        setButtonEntries(storedMatrix());
    }
}

}  // namespace z718
