// The view's configuration, profile and language slots, called by name as the scene calls them.
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include "support/scratch_dir.h"
#include "support/scripted_prompts.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

using z718::test::ScratchDir;

namespace {

template <typename R, typename... Args>
R call(QObject* object, const char* slot, Args... args) {
    R result{};
    QMetaObject::invokeMethod(object, slot, Qt::DirectConnection,
                              QReturnArgument<R>(QMetaType::fromType<R>().name(), result), args...);
    return result;
}

}  // namespace

// Every slot is called under its exact name and parameter types; a missing one makes Qt warn.
class ViewSettingsSlotsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("No such method"))); }
    void configurationAndNameListSlots();
    void profileAndLanguageSlots();
};

void ViewSettingsSlotsTest::configurationAndNameListSlots() {
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

void ViewSettingsSlotsTest::profileAndLanguageSlots() {
    ScratchDir scratch;
    ScratchDir::write(z718::kDefaultProfilePath, "[sensor]\ncursorSpeed_Q7=9\n");
    ScratchDir::write("modules/i18n/lang_025044.ini",
                      "[main]\ntotal=1\n0=\xe8\xbd\xb4\n[Q7_5E08F1D]\n3=x\n");
    z718::ScriptedPrompts prompts;
    z718::ScopedPrompts installed(prompts);
    myQQuickView view;
    QVERIFY(!call<bool>(&view, "loadProfile", Q_ARG(int, 0)));
    QMetaObject::invokeMethod(&view, "resetProfile", Q_ARG(int, 1));
    QMetaObject::invokeMethod(&view, "copyProfile", Q_ARG(int, 2), Q_ARG(int, 1));
    QCOMPARE(view.settings().profile(2).value("sensor/cursorSpeed_Q7").toInt(), 9);
    prompts.fileNames.push_back(QStringLiteral("out.pf"));
    QMetaObject::invokeMethod(&view, "saveProfile", Q_ARG(int, 2));
    QVERIFY(ScratchDir::read("out.pf").contains("cursorSpeed_Q7=9"));
    QCOMPARE(call<QString>(&view, "getCustomFilePath"), QString());
    QCOMPARE(prompts.asked.size(), size_t(3));

    QCOMPARE(call<QVariantMap>(&view, "chkLanguages").keys(), QStringList{"CHINESE (Simp)"});
    QCOMPARE(call<QStringList>(&view, "getGlobalStrings", Q_ARG(QVariant, 0),
                               Q_ARG(QString, QStringLiteral("lang_025044"))),
             QStringList{QStringLiteral(u"轴")});
    QCOMPARE(call<QStringList>(&view, "getProductLayoutStrings_Q7",
                               Q_ARG(QString, QStringLiteral("025044")))
                 .value(3),
             QStringLiteral("x"));
}

QTEST_MAIN(ViewSettingsSlotsTest)
#include "tst_view_settings_slots.moc"
