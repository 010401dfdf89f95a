#pragma once

#include <QObject>
#include <QVariant>
#include <atomic>
#include <thread>

#include "device/command_set.h"
#include "engine/action_engine.h"
#include "hooks/global_hooks.h"
#include "link/detection.h"
#include "link/transport.h"

// The device link as the scene sees it ("hid"): transfers, detection, the worker, and the
// command slots. Each slot forwards to the plain class that owns the behaviour.
class Hid_Thread : public QObject, public z718::WorkerControl, public z718::EngineInput {
    Q_OBJECT
public:
    // Reaches the device through `hid`; the engine replays through `injector`.
    Hid_Thread(z718::ConnectionHost* owner, z718::HidApi& hid,
               z718::platform::InputInjector& injector, QObject* parent = nullptr);
    ~Hid_Thread() override;

    z718::Link& link() { return link_; }
    z718::DeviceCommands& commands() { return commands_; }
    // Frees the link for the next command, whatever holds it now.
    void freeLink() { link_.setIdle(); }
    z718::Detection& detection() { return detection_; }

    void startWorker(uint32_t deviceIndex) override;
    void stopWorker() override;
    bool workerRunning() const override { return workerRunning_.load(); }
    const std::atomic<bool>& workerRunningFlag() const override { return workerRunning_; }

    // The worker: runs the engine until stopped, then performs the removal steps.
    void keyActionLoop(uint did);

    // The event queue the hooks feed.
    MySafeQueue& eventQueue() override { return *eventQueue_; }

public slots:
    uchar hidCS(uchar* cmd);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);
    void swichCurDevice(uint did);
    void chkDeviceIsEnCode();

    // --- engine ---
    // Replaces the shared key-matrix table with 64 bytes (16 entries of 4); nothing is sent.
    void hidSetKeyMatrix(uchar* src64);

    // --- set commands ---
    void hid_01H_SetReportRate(uchar rate);
    void hid_02H_SetCurrentProfile(uchar profile);
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                            uchar direction);
    void hid_09H_SetKeyboardMode(uchar mode);
    void hid_0DH_SetKeyMatrix(uchar* src512);
    void hid_0EH_SetKeyOnOff(uchar* src21);
    void hid_0EH_SetXYSensitive(uchar par0, uchar par1);
    void hid_11H_SetMacroKey(uchar macroId, uchar* src192);
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar* src512);
    void hid_13H_SetRecoveryData();
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    void hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2);
    void hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2, uchar option3);
    void hid_0BH_SetCurrentDPIStage(uchar dpiStage);
    void hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid_10H_SetLED8StageColor(uchar type, uchar* src24);
    void hid_11H_SetDPISet(uchar dpiStage, uchar* src8);

    // --- get commands ---
    void hid_00H_GetSecrecyCode(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4);
    void hid_80H_GetFWVersion(QString& version);
    void hid_81H_GetReportRate(uchar& rate);
    void hid_82H_GetCurrentProfile(uchar& profile);
    void hid_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4);
    void hid_84H_GetButtonSensitivity(uchar& sens1, uchar& sens2, uchar& sens3, uchar& sens4);
    void hid_88H_GetLEDType(uchar& effect, uchar& speed, uchar& light, uchar& color,
                            uchar& direction);
    void hid_89H_GetKeyboardMode(uchar& mode);
    void hid_8DH_GetKeyMatrix(uchar* src512);
    void hid_8EH_GetKeyOnOff(uchar* src21);
    void hid_91H_GetMacroKey(uchar macroId, uchar* src192);
    void hid_92H_GetUserPicture(uchar index, uchar* src512);
    void hid_94H_GetColor(uchar index, uchar& rValue, uchar& gValue, uchar& bValue);
    void hid_83H_GetFunctionOption(uchar& type, uchar& option1, uchar& option2);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar& option1, uchar& option2, uchar& option3);
    void hid_8BH_GetCurrentDPIStage(uchar& dpiStage);
    void hid_8DH_GetRGBLedEffect(uchar& effect, uchar& option1, uchar& option2);
    void hid_90H_GetLED8StageColor(uchar type, uchar* src24);
    bool hid_91H_GetDPISet(uchar& dpiMAXStage, uchar* src8);
    void hid_92H_GetKeyMatrix(uchar* src64);
    void hid_93H_GetMacroKey(uchar macroId, uchar* src128);

    // --- macros ---
    // Fills macro slot `index` from (type, value) pairs followed by the repeat count.
    void hidSetMacro(int index, QVariantList tempData);

private:
    z718::ConnectionHost* owner_;
    z718::Link link_;
    z718::CommandSet commands_{link_};
    z718::Detection detection_;
    // Created here, released with deleteLater; declared before the engine that uses them.
    MySafeQueue* eventQueue_ = new MySafeQueue;
    MyQueue* macroQueue_ = new MyQueue;
    MyQueue* actionQueue_ = new MyQueue;
    z718::ActionEngine engine_;
    std::atomic<bool> workerRunning_{false};
    // A thread of its own: the worker parks for hours and must never wait for a pool slot.
    std::thread worker_;
};
