#include "engine/shared_tables.h"
#include "ui/Hid_Thread.h"

void Hid_Thread::hidSetKeyMatrix(uchar* src64) {
    z718::keyMatrix().write(src64);
}
