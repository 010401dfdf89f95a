// The link object's macro slot: fills a playback slot for the engine.
#include "engine/key_tables.h"
#include "engine/shared_tables.h"
#include "macro/macro_slot_image.h"
#include "ui/Hid_Thread.h"

void Hid_Thread::hidSetMacro(int index, QVariantList tempData) {
    // Buttons above 5 have no slot; the write refuses them.
    const auto image = z718::macroSlotImage(tempData, z718::usageToVk);
    if (image) {
        z718::macroSlots().write(index, *image);
    }
}
