// The view's configuration, profile and language slots, called by name as the scene calls them.
#include <QMetaMethod>
#include <QSettings>
#include <QTest>

#include "i18n/key_names.h"
#include "scratch_dir.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

using z718::test::ScratchDir;

namespace {

template <typename R, typename... Args>
R call(QObject* object, const char* slot, Args... args) {
    R result{};
    const bool invoked = QMetaObject::invokeMethod(
        object, slot, Qt::DirectConnection,
        QReturnArgument<R>(QMetaType::fromType<R>().name(), result), args...);
    if (!invoked) {
        qWarning("no slot %s", slot);
    }
    return result;
}

}  // namespace

class ViewSettingsSlotsTest : public QObject {
    Q_OBJECT

private slots:
    void everySlotExistsUnderItsName();
    void slotsReachTheSettingsFiles();
    void profileSlotsUseThePrompts();
    void languageSlotsAndKeyNames();
};

void ViewSettingsSlotsTest::everySlotExistsUnderItsName() {
    const QStringList signatures = {
        "getLang()",
        "getProfile()",
        "setProfile(QVariant)",
        "loadApConfig()",
        "saveApConfig(QVariantList)",
        "loadDeviceApConfig()",
        "resetApconfig()",
        "getIsSkinShow()",
        "loadDefaultProfile(uchar)",
        "updataNameList(QVariant,QStringList)",
        "getNameList(QVariant)",
        "loadProfile(int)",
        "saveProfile(int)",
        "resetProfile(int)",
        "copyProfile(int,int)",
        "getCustomFilePath()",
        "chkLanguages()",
        "getGlobalStrings(QVariant,QString)",
        "getProductLayoutStrings_Q7(QString)",
    };
    const QMetaObject& meta = myQQuickView::staticMetaObject;
    for (const QString& signature : signatures) {
        const int index = meta.indexOfSlot(signature.toLatin1().constData());
        QVERIFY2(index >= 0, qPrintable(signature));
        QCOMPARE(meta.method(index).access(), QMetaMethod::Public);
    }
}

void ViewSettingsSlotsTest::slotsReachTheSettingsFiles() {
    ScratchDir scratch;
    ScratchDir::write(z718::kAppConfigPath,
                      "[common]\nlanguage=ChineseSimplified\n[Q7]\nprofileNo=2\n");
    ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
    myQQuickView view;
    QCOMPARE(call<QVariant>(&view, "getLang").toString(), QStringLiteral("ChineseSimplified"));
    QCOMPARE(call<QVariant>(&view, "getProfile").toInt(), 2);
    QMetaObject::invokeMethod(&view, "setProfile", Q_ARG(QVariant, 4));
    QCOMPARE(call<QVariant>(&view, "getProfile").toInt(), 4);
    QCOMPARE(view.settings().currentProfileIndex(), 0);  // the number alone changes no index

    QMetaObject::invokeMethod(&view, "saveApConfig", Q_ARG(QVariantList, (QVariantList{1, 2})));
    QCOMPARE(call<QVariantList>(&view, "loadApConfig").size(), 2);
    QCOMPARE(call<QVariantList>(&view, "loadDeviceApConfig"), QVariantList{8});
    QCOMPARE(call<QVariantList>(&view, "loadDefaultProfile", Q_ARG(uchar, 3)).at(1).toInt(), 9);

    QCOMPARE(call<QVariant>(&view, "updataNameList", Q_ARG(QVariant, 1),
                            Q_ARG(QStringList, QStringList{"AK"})),
             QVariant(true));
    QCOMPARE(call<QVariantList>(&view, "getNameList", Q_ARG(QVariant, 1)).size(), 2);
    QVERIFY(!call<bool>(&view, "getIsSkinShow"));

    QMetaObject::invokeMethod(&view, "resetApconfig");  // no factory copy: all defaults
    QCOMPARE(call<QVariant>(&view, "getProfile").toInt(), 0);
}

void ViewSettingsSlotsTest::profileSlotsUseThePrompts() {
    ScratchDir scratch;
    ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
    z718::ScriptedPrompts prompts;
    z718::ScopedPrompts installed(prompts);
    myQQuickView view;
    QVERIFY(!call<bool>(&view, "loadProfile", Q_ARG(int, 0)));
    QMetaObject::invokeMethod(&view, "resetProfile", Q_ARG(int, 1));
    QMetaObject::invokeMethod(&view, "copyProfile", Q_ARG(int, 2), Q_ARG(int, 1));
    QCOMPARE(view.settings().profile(2).value("sensor/cursorSpeed_Q7").toInt(), 9);
    prompts.fileNames.push_back(QStringLiteral("out.pf"));
    QMetaObject::invokeMethod(&view, "saveProfile", Q_ARG(int, 2));
    QVERIFY(ScratchDir::read(QStringLiteral("out.pf")).contains("cursorSpeed_Q7=9"));
    QCOMPARE(call<QString>(&view, "getCustomFilePath"), QString());
    QCOMPARE(prompts.asked.size(), size_t(3));
}

void ViewSettingsSlotsTest::languageSlotsAndKeyNames() {
    ScratchDir scratch;
    ScratchDir::write(QStringLiteral("modules/i18n/lang_025044.ini"),
                      "[main]\ntotal=1\n0=\xe8\xbd\xb4\n[Q7_5E08F1D]\n3=x\n");
    myQQuickView view;
    QCOMPARE(call<QVariantMap>(&view, "chkLanguages").keys(), QStringList{"CHINESE (Simp)"});
    QCOMPARE(call<QStringList>(&view, "getGlobalStrings", Q_ARG(QVariant, 0),
                               Q_ARG(QString, QStringLiteral("lang_025044"))),
             QStringList{QStringLiteral(u"轴")});
    QCOMPARE(call<QStringList>(&view, "getProductLayoutStrings_Q7",
                               Q_ARG(QString, QStringLiteral("025044")))
                 .at(3),
             QStringLiteral("x"));
    QCOMPARE(z718::keyNameTable().size(), 132);
}

QTEST_MAIN(ViewSettingsSlotsTest)
#include "tst_view_settings_slots.moc"
