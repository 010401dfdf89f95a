// The command slots of Hid_Thread: each names its row of the command tables and hands its
// arguments to the one send path or the one read path.
#include "device/command_set.h"
#include "ui/Hid_Thread.h"

using z718::CommandSet;
using z718::getRow;
using z718::setRow;

namespace {

bool succeeded(CommandSet::Exchange exchange) {
    return exchange == CommandSet::Exchange::Done;
}

}  // namespace

// --- set commands ---

void Hid_Thread::hid_01H_SetReportRate(uchar rate) {
    commands().send(setRow("hid_01H_SetReportRate"), {rate});
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile) {
    commands().send(setRow("hid_02H_SetCurrentProfile"), {profile});
}

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    commands().send(setRow("hid_03H_SetKeyboardoption"), {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4) {
    commands().send(setRow("hid_04H_SetGunData"), {par0, par1, par2, par3, par4});
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    commands().send(setRow("hid_07H_SetControlIndicatorLight"), {effect, frequenty});
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                    uchar color, uchar direction) {
    commands().send(setRow("hid_08H_SetLEDType"), {option, effect, speed, light, color, direction});
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode) {
    commands().send(setRow("hid_09H_SetKeyboardMode"), {mode});
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar* src512) {
    commands().send(setRow("hid_0DH_SetKeyMatrix"), {}, src512);
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar* src21) {
    commands().send(setRow("hid_0EH_SetKeyOnOff"), {}, src21);
}

void Hid_Thread::hid_0EH_SetXYSensitive(uchar par0, uchar par1) {
    commands().send(setRow("hid_0EH_SetXYSensitive"), {par0, par1});
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar* src192) {
    commands().send(setRow("hid_11H_SetMacroKey"), {macroId}, src192);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar* src512) {
    commands().send(setRow("hid_12H_SetUserPicture"), {index, option}, src512);
}

void Hid_Thread::hid_13H_SetRecoveryData() {
    commands().send(setRow("hid_13H_SetRecoveryData"), {});
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    commands().send(setRow("hid_14H_SetColor"), {index, rValue, gValue, bValue});
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2) {
    commands().send(setRow("hid_03H_SetFunctionOption"), {type, rate, option1, option2});
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3) {
    commands().send(setRow("hid_07H_SetLEDInstructFunction"), {type, option1, option2, option3});
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage) {
    commands().send(setRow("hid_0BH_SetCurrentDPIStage"), {dpiStage});
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2) {
    commands().send(setRow("hid_0DH_SetRGBLedEffect"), {effect, option1, option2});
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar* src24) {
    commands().send(setRow("hid_10H_SetLED8StageColor"), {type}, src24);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar* src8) {
    commands().send(setRow("hid_11H_SetDPISet"), {dpiStage}, src8);
}

// --- get commands ---

void Hid_Thread::hid_00H_GetSecrecyCode(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4) {
    commands().fetch(getRow("hid_00H_GetSecrecyCode"), {byte1, byte2, byte3, byte4},
                     {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid_80H_GetFWVersion(QString& version) {
    z718::readFirmwareVersion(commands(), version);
}

void Hid_Thread::hid_81H_GetReportRate(uchar& rate) {
    commands().fetch(getRow("hid_81H_GetReportRate"), {}, {&rate});
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar& profile) {
    commands().fetch(getRow("hid_82H_GetCurrentProfile"), {}, {&profile});
}

void Hid_Thread::hid_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4) {
    commands().fetch(getRow("hid_83H_GetKeyboardoption"), {}, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar& sens1, uchar& sens2, uchar& sens3,
                                              uchar& sens4) {
    commands().fetch(getRow("hid_84H_GetButtonSensitivity"), {}, {&sens1, &sens2, &sens3, &sens4});
}

void Hid_Thread::hid_88H_GetLEDType(uchar& effect, uchar& speed, uchar& light, uchar& color,
                                    uchar& direction) {
    commands().fetch(getRow("hid_88H_GetLEDType"), {},
                     {&effect, &speed, &light, &color, &direction});
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar& mode) {
    commands().fetch(getRow("hid_89H_GetKeyboardMode"), {}, {&mode});
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar* src512) {
    commands().fetch(getRow("hid_8DH_GetKeyMatrix"), {}, {}, src512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar* src21) {
    commands().fetch(getRow("hid_8EH_GetKeyOnOff"), {}, {}, src21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar* src192) {
    commands().fetch(getRow("hid_91H_GetMacroKey"), {macroId}, {}, src192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar* src512) {
    commands().fetch(getRow("hid_92H_GetUserPicture"), {index}, {}, src512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar& rValue, uchar& gValue, uchar& bValue) {
    commands().fetch(getRow("hid_94H_GetColor"), {index}, {&rValue, &gValue, &bValue});
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar& type, uchar& option1, uchar& option2) {
    commands().fetch(getRow("hid_83H_GetFunctionOption"), {}, {&type, &option1, &option2});
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar& option1, uchar& option2,
                                                uchar& option3) {
    return succeeded(commands().fetch(getRow("hid_87H_GetLEDInstructFunction"), {type},
                                      {&option1, &option2, &option3}));
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar& dpiStage) {
    commands().fetch(getRow("hid_8BH_GetCurrentDPIStage"), {}, {&dpiStage});
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar& effect, uchar& option1, uchar& option2) {
    commands().fetch(getRow("hid_8DH_GetRGBLedEffect"), {}, {&effect, &option1, &option2});
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar* src24) {
    commands().fetch(getRow("hid_90H_GetLED8StageColor"), {type}, {}, src24);
}

bool Hid_Thread::hid_91H_GetDPISet(uchar& dpiMAXStage, uchar* src8) {
    return succeeded(commands().fetch(getRow("hid_91H_GetDPISet"), {}, {&dpiMAXStage}, src8));
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar* src64) {
    commands().fetch(getRow("hid_92H_GetKeyMatrix"), {}, {}, src64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar* src128) {
    commands().fetch(getRow("hid_93H_GetMacroKey"), {macroId}, {}, src128);
}
