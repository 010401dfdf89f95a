// Listing language files, reading text groups and layout texts, with broken files.
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include "../settings/scratch_dir.h"
#include "i18n/language_files.h"
#include "i18n/locale_names.h"

using z718::test::ScratchDir;

namespace {

void writeLanguage(const QString& name, const QByteArray& content = "[main]\ntotal=0\n") {
    ScratchDir::write(QStringLiteral("modules/i18n/") + name, content);
}

}  // namespace

class LanguageFilesTest : public QObject {
    Q_OBJECT

private slots:
    void displayNamesUseTheOldLocaleNames();
    void laterFileWithTheSameNameWins();
    void noLanguagesWithoutDirectoryOrFiles();
    void groupTextsFollowTotal();
    void groupTypesAndSections();
    void hostileLanguageFiles();
    void layoutTextsAreAlwaysSixteen();
};

void LanguageFilesTest::displayNamesUseTheOldLocaleNames() {
    ScratchDir scratch;
    writeLanguage(QStringLiteral("lang_025044.ini"));
    writeLanguage(QStringLiteral("lang_025208.ini"));
    writeLanguage(QStringLiteral("lang_031000.ini"));
    writeLanguage(QStringLiteral("lang_022178.ini"));  // names later Qt versions changed
    writeLanguage(QStringLiteral("lang_999999.ini"));
    writeLanguage(QStringLiteral("lang_abc.ini"));
    writeLanguage(QStringLiteral("other_031000.ini"));
    const QVariantMap languages = z718::i18n::availableLanguages();
    QCOMPARE(languages.value(QStringLiteral("CHINESE (Simp)")).toString(),
             QStringLiteral("025044"));
    QCOMPARE(languages.value(QStringLiteral("CHINESE (Trad)")).toString(),
             QStringLiteral("025208"));
    QCOMPARE(languages.value(QStringLiteral("ENGLISH")).toString(), QStringLiteral("031000"));
    QCOMPARE(languages.value(QStringLiteral("BYELORUSSIAN (RUSSIANFEDERATION)")).toString(),
             QStringLiteral("022178"));
    QCOMPARE(languages.value(QStringLiteral("UNKNOWN (UNKNOWN)")).toString(),
             QStringLiteral("999999"));
    QCOMPARE(languages.value(QStringLiteral("DEFAULT")).toString(), QStringLiteral("abc.in"));
    QCOMPARE(languages.size(), 6);

    QCOMPARE(z718::languageName(214), QStringLiteral("Shambala"));
    QCOMPARE(z718::countryName(246), QStringLiteral("LatinAmericaAndTheCaribbean"));
    QCOMPARE(z718::languageName(-1), QStringLiteral("Unknown"));
}

void LanguageFilesTest::laterFileWithTheSameNameWins() {
    ScratchDir scratch;
    // All three are "ENGLISH" (a country part that is no number counts as none); the files are
    // taken in case-insensitive name order, so the upper-case name comes last.
    writeLanguage(QStringLiteral("LANG_031ZZZ.ini"));
    writeLanguage(QStringLiteral("lang_031000.ini"));
    writeLanguage(QStringLiteral("lang_031abc.ini"));
    const QVariantMap languages = z718::i18n::availableLanguages();
    QCOMPARE(languages.size(), 1);
    QCOMPARE(languages.value(QStringLiteral("ENGLISH")).toString(), QStringLiteral("031ZZZ"));
}

void LanguageFilesTest::noLanguagesWithoutDirectoryOrFiles() {
    ScratchDir scratch;
    QVERIFY(z718::i18n::availableLanguages().isEmpty());
    QDir(QStringLiteral("modules/i18n")).removeRecursively();
    QVERIFY(z718::i18n::availableLanguages().isEmpty());
    QVERIFY(z718::i18n::groupTexts(0, QStringLiteral("lang_025044")).isEmpty());
}

void LanguageFilesTest::groupTextsFollowTotal() {
    ScratchDir scratch;
    writeLanguage(QStringLiteral("lang_025044.ini"),
                  "[keyMenu]\ntotal=3\n0=\xe5\xb7\xa6\xe9\x94\xae\n2=\"a, b\"\n"
                  "[macroKey]\ntotal=2\n0=\\x5b8f\n1=two\\nlines\n");
    QCOMPARE(z718::i18n::groupTexts(2, QStringLiteral("lang_025044")),
             (QStringList{QStringLiteral(u"左键"), QString(), QStringLiteral("a, b")}));
    QCOMPARE(z718::i18n::groupTexts(5, QStringLiteral("lang_025044")),
             (QStringList{QStringLiteral(u"宏"), QStringLiteral("two\nlines")}));
    QVERIFY(z718::i18n::groupTexts(0, QStringLiteral("lang_025044")).isEmpty());
    QVERIFY(z718::i18n::groupTexts(2, QStringLiteral("lang_031000")).isEmpty());
}

void LanguageFilesTest::groupTypesAndSections() {
    ScratchDir scratch;
    writeLanguage(QStringLiteral("lang_1.ini"),
                  "[General]\ntotal=2\n0=root0\n1=root1\n[other]\ntotal=1\n0=o\n");
    QCOMPARE(z718::i18n::groupTexts(6, QStringLiteral("lang_1")), QStringList{"o"});
    // Types without a section read the keys of the empty section name.
    QCOMPARE(z718::i18n::groupTexts(7, QStringLiteral("lang_1")),
             (QStringList{QStringLiteral("root0"), QStringLiteral("root1")}));
    QCOMPARE(z718::i18n::groupTexts(-1, QStringLiteral("lang_1")).size(), 2);
    QCOMPARE(z718::i18n::groupName(3), QStringLiteral("macroEditor"));
}

void LanguageFilesTest::hostileLanguageFiles() {
    ScratchDir scratch;
    writeLanguage(QStringLiteral("lang_huge.ini"), "[main]\ntotal=1000000\n0=x\n");
    writeLanguage(QStringLiteral("lang_neg.ini"), "[main]\ntotal=-5\n0=x\n");
    writeLanguage(QStringLiteral("lang_bin.ini"), QByteArray("\x00\x01[main\xff\ntotal=2", 15));
    QElapsedTimer timer;
    timer.start();
    const QStringList huge = z718::i18n::groupTexts(0, QStringLiteral("lang_huge"));
    QVERIFY(huge.size() <= 1000);
    QCOMPARE(huge.first(), QStringLiteral("x"));
    QVERIFY(timer.elapsed() < 10000);
    QVERIFY(z718::i18n::groupTexts(0, QStringLiteral("lang_neg")).isEmpty());
    z718::i18n::groupTexts(0, QStringLiteral("lang_bin"));  // any result, no crash

    // A code that tries to leave the language folder reads nothing.
    ScratchDir::write(QStringLiteral("modules/outside.ini"), "[main]\ntotal=1\n0=leak\n");
    QVERIFY(z718::i18n::groupTexts(0, QStringLiteral("../outside")).isEmpty());
    QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("/../../outside")), QStringList(16, QString()));

    QDir().mkpath(QStringLiteral("modules/i18n/lang_dir.ini"));
    QVERIFY(z718::i18n::groupTexts(0, QStringLiteral("lang_dir")).isEmpty());
}

void LanguageFilesTest::layoutTextsAreAlwaysSixteen() {
    ScratchDir scratch;
    QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("025044")), QStringList(16, QString()));
    writeLanguage(QStringLiteral("lang_025044.ini"), "[Q7_5E08F1D]\n0=a\n15=p\n16=extra\n");
    const QStringList texts = z718::i18n::layoutTexts(QStringLiteral("025044"));
    QCOMPARE(texts.size(), 16);
    QCOMPARE(texts.first(), QStringLiteral("a"));
    QCOMPARE(texts.last(), QStringLiteral("p"));
    QCOMPARE(texts.at(1), QString());
    writeLanguage(QStringLiteral("lang_031000.ini"));
    QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("031000")), QStringList(16, QString()));
}

QTEST_GUILESS_MAIN(LanguageFilesTest)
#include "tst_language_files.moc"
