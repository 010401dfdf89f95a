#pragma once

#include <QPointer>
#include <QQuickWidget>
#include <QUrl>
#include <QVariant>

#include "hooks/global_hooks.h"
#include "macro/macro_list_model.h"
#include "platform/input_platform.h"
#include "platform/prompts.h"
#include "settings/profile_list_model.h"
#include "settings/settings_store.h"
#include "ui/key_table_object.h"

class Hid_Thread;

// The scene's host ("ui_View"). Its slots are the scene's way into the program; each one
// forwards to the plain class that owns the behaviour.
class myQQuickView : public QQuickWidget, public z718::SceneInputReports {
    Q_OBJECT
    // The pages' key table.
    Q_PROPERTY(QObject* keyTable READ keyTable CONSTANT)
    // The profile page's rows and their rules.
    Q_PROPERTY(QObject* profiles READ profiles CONSTANT)
    // Which program brings which profile.
    Q_PROPERTY(QObject* programRules READ programRules CONSTANT)
    // The macro editor's library of macros and its rules.
    Q_PROPERTY(QObject* macroList READ macroList CONSTANT)
public:
    // Asks the user through `prompts` and changes the system's `pointer` settings.
    myQQuickView(z718::Prompts& prompts, z718::platform::PointerSettings& pointer,
                 QWidget* parent = nullptr);
    ~myQQuickView() override;

    // Loads the scene; only then hands it the program's objects: the view, `hid` and the window
    // controller. Hidden, the view lets go of the scene and loads it again on its next show.
    void loadScene(const QUrl& scene, QObject* hid, QObject* controller);
    // Lets go of the scene until the view next shows; an open dialog keeps it. Hiding the view
    // does this by itself; a window that starts hidden asks for it.
    void releaseScene();

    void setHid(Hid_Thread* hid) { hid_ = hid; }
    Hid_Thread* hid() const { return hid_; }
    z718::SettingsStore& settings() { return settings_; }
    z718::Prompts& prompts() { return prompts_; }
    z718::platform::PointerSettings& pointer() { return pointer_; }

    // Calls a function of the scene's root object; false when there is no such function.
    bool callScene(const char* function, Qt::ConnectionType type,
                   const QList<QVariant>& arguments = {});

    // The hooks' reports to the scene, queued; callable from any thread.
    void reportKey(bool released, int usage) override;
    void reportMouse(bool pressed, uint code, uint x, uint y) override;

    QObject* keyTable() { return &keyTable_; }
    QObject* profiles() { return &profiles_; }
    z718::ProfileListModel& profileList() { return profiles_; }
    QObject* programRules() { return &rules_; }
    z718::AppRules& rules() { return rules_; }
    QObject* macroList() { return macros_; }

signals:
    // A profile was applied; the pages show it again.
    void profileActivated(int profile);

public slots:
    // --- scene start-up and window ---
    void initUI();
    void runUI();
    void setEnableAudio(bool isEnable);
    void clearHidBusy();

    // --- configuration, profiles, name lists, languages ---
    QVariant getLang();
    QVariant getProfile();
    void setProfile(QVariant profileNo);
    QVariantList loadApConfig();
    void saveApConfig(QVariantList apConfigs);
    QVariantList loadDeviceApConfig();
    void resetApconfig();
    bool getIsSkinShow();
    QVariantList loadDefaultProfile(uchar uiPageId);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariantList getNameList(QVariant type);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QString getCustomFilePath();
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QVariant type, QString langCode);
    QStringList getProductLayoutStrings_Q7(QString langCode);

    // --- applying a profile ---
    // Makes `profile` current and applies its buttons and macros, and with `applyPointer`
    // its pointer settings; a number outside 0..9 applies the current profile again.
    void activateProfile(int profile, bool applyPointer);
    // Loads macro `name` into the playback slot of `button`; false when it has no file.
    bool uploadMacro(int button, const QString& name);

    // --- programs that bring a profile ---
    // What the program picker offers for `profile`: its programs, then those with a window.
    QStringList programChoices(int profile);
    // False where the system does not tell which program is in front.
    bool canFollowPrograms();

    // --- device-settings bridge ---
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_11H_SetDPISelect(QVariantList valueForIndex);
    QVariant ui_81H_GetReportRate();
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_91H_GetDPISelect();
    uchar ui_91H_SyncDPI();
    QVariant getSensorType();
    bool chkIsLogoLedWork();
    bool getMsgAns_FoolProofing();
    void openUpdateExe();
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0EH_SetKeyOnOff(QVariantList src21);
    void ui_0EH_SetXYSensitive(QVariant par0, QVariant par1);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QString ui_80H_GetFWVersion();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

    // --- key assignments ---
    QVariantList getKeydefine(QVariant matrixId);
    // False when button `row` of the page's matrix `src64` holds the last left click.
    bool mayChangeKeydefine(QVariantList src64, int row);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    void ui_12H_SetGunKeyMatrix(QVariantList src64);
    void ui_0DH_SetKeyMatrix(QVariantList src512);
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_8DH_GetKeyMatrix();
    void changeMacroFileType(QVariant macroIndex, QVariant macroType);
    void changeMacroFileIndex(QVariant macroIndex);

    // --- macros ---
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QStringList loadMacroIni(QVariant name);
    QVariant loadMacroIndex(QVariant name);
    QVariant loadMacroType(QVariant name);
    QVariantList loadMacroIniConfig(QVariant name);
    void setMacroIniConfig(QVariant name, QVariantList config);
    void setMacroIndex(QVariant name, QVariant macroIndex);
    void setMacroType(QVariant name, QVariant macroType);
    QVariant modifyMacroName(QVariant oldname, QVariant newname);
    // Why `name` cannot be a macro's name (its file's name): 0 it can, 1 empty, 2 too long,
    // 3 a character file names refuse, 4 a name the system keeps for itself.
    QVariant macroNameFault(QVariant name);
    QVariant deleteMacroIni(QVariant name);
    void renameMacroIniFile(QVariant oldName, QVariant newName);
    QStringList isMacroUse(QVariant macroName);
    void setMacroKey(QVariant index, QVariant macroName);
    QVariant getMacroKey(QVariant index);
    void saveMacroFile(QVariant macroFileName);
    void saveMacroIniToFile(QVariant name);
    QVariant loadMacroIniFromFile();
    QList<uchar> macroIncode(QStringList macros);
    void ui_11H_SetMacroKey(QVariant macroId, QVariant name);
    void ui_13H_SetMacroKey(QVariant macroId, QVariant name);
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    QVariantList ui_93H_GetMacroKey(uchar macroId);
    QVariant sendMacroData(QVariantList macroData, QVariant macroIndex);

    // --- gun data ---
    void saveGundata(QVariantList src6);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getselectGun(QVariant index);
    void setSelectGun(QVariant index, QVariant xyData);
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);

    // --- pointer settings ---
    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    void setAcceleration(bool acceleration);
    bool getAcceleration();
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();
    void setScrollPinSwap(bool isSwap);
    bool getScrollPinSwap();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Q_INVOKABLE void deliverKeyReport(bool released, int usage);
    Q_INVOKABLE void deliverMouseReport(bool pressed, uint code, uint x, uint y);
    // A deleted macro's buttons get their defaults back, in every profile.
    void forgetMacro(const QString& name);
    // A saved macro reaches the buttons that play it.
    void reloadMacro(const QString& name);
    // What the scene's start-up sends, while there is no scene to send it.
    void startWithoutScene();

    z718::SettingsStore settings_;
    bool audioEnabled_ = true;
    // The scene went while hidden and is loaded again on show; with it the view's frame.
    bool sceneReleased_ = false;
    bool frameReleased_ = false;
    // The scene was started (initUI) since the program began: a scene loaded again is shown
    // as started, without the start-up's busy time and sends.
    bool sceneStarted_ = false;
    z718::Prompts& prompts_;
    z718::platform::PointerSettings& pointer_;
    QUrl scene_;
    QPointer<QObject> sceneHid_;
    QPointer<QObject> sceneController_;
    Hid_Thread* hid_ = nullptr;
    KeyTableObject keyTable_;
    z718::AppRules rules_;
    z718::ProfileListModel profiles_;
    z718::MacroListModel* macros_ = nullptr;
};
