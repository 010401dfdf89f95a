// Listing language files, reading text groups and layout texts, with broken files; the
// key-name table: exact labels, the odd international rows, arrows and mouse buttons.
#include <QDir>
#include <QSet>
#include <QTest>

#include "i18n/key_names.h"
#include "i18n/language_files.h"
#include "i18n/locale_names.h"
#include "support/scratch_dir.h"

using z718::test::ScratchDir;

class LanguageFilesTest : public QObject {
    Q_OBJECT

    static void writeLanguage(const QString& name,
                              const QByteArray& content = "[main]\ntotal=0\n") {
        ScratchDir::write(QStringLiteral("modules/i18n/") + name, content);
    }
    static QStringList texts(int type, const char* fileBase) {
        return z718::i18n::groupTexts(type, QString::fromLatin1(fileBase));
    }

private slots:
    // Display names in the old locale names; text groups and layout texts from sound, broken and
    // hostile files.
    void languageFiles() {
        ScratchDir scratch;
        for (const char* name : {"lang_025044.ini", "lang_025208.ini", "lang_022178.ini",
                                 "lang_999999.ini", "lang_abc.ini", "other_031000.ini",
                                 // three "ENGLISH"es: in case-insensitive name order the last wins
                                 "LANG_031ZZZ.ini", "lang_031000.ini", "lang_031abc.ini"}) {
            writeLanguage(QString::fromLatin1(name));
        }
        // Byelorussian and the Russian Federation as Qt named them before it changed the names.
        QCOMPARE(z718::i18n::availableLanguages(),
                 (QVariantMap{{"CHINESE (Simp)", "025044"},
                              {"CHINESE (Trad)", "025208"},
                              {"BYELORUSSIAN (RUSSIANFEDERATION)", "022178"},
                              {"UNKNOWN (UNKNOWN)", "999999"},
                              {"DEFAULT", "abc.in"},
                              {"ENGLISH", "031ZZZ"}}));
        QCOMPARE(z718::languageName(214), QStringLiteral("Shambala"));
        QCOMPARE(z718::countryName(246), QStringLiteral("LatinAmericaAndTheCaribbean"));

        QDir(QStringLiteral("modules/i18n")).removeRecursively();
        QVERIFY(z718::i18n::availableLanguages().isEmpty());

        writeLanguage(QStringLiteral("lang_025044.ini"),
                      "[keyMenu]\ntotal=3\n0=\xe5\xb7\xa6\xe9\x94\xae\n2=\"a, b\"\n"
                      "[macroKey]\ntotal=2\n0=\\x5b8f\n1=two\\nlines\n[other]\ntotal=1\n0=o\n");
        QCOMPARE(texts(2, "lang_025044"), (QStringList{QStringLiteral(u"左键"), "", "a, b"}));
        QCOMPARE(texts(5, "lang_025044"), (QStringList{QStringLiteral(u"宏"), "two\nlines"}));
        QCOMPARE(texts(6, "lang_025044"), QStringList{"o"});
        QVERIFY(texts(0, "lang_025044").isEmpty());

        // Types without a section read the keys of the empty section name.
        writeLanguage(QStringLiteral("lang_1.ini"), "[General]\ntotal=2\n0=root0\n1=root1\n");
        QCOMPARE(texts(7, "lang_1"), (QStringList{"root0", "root1"}));
        QCOMPARE(texts(-1, "lang_1").size(), 2);

        // Layout texts are always sixteen, missing ones empty, extra ones ignored.
        QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("031000")), QStringList(16, QString()));
        writeLanguage(QStringLiteral("lang_025044.ini"), "[Q7_5E08F1D]\n0=a\n15=p\n16=extra\n");
        QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("025044")),
                 QStringList{"a"} + QStringList(14) + QStringList{"p"});

        // Broken and hostile files.
        writeLanguage(QStringLiteral("lang_huge.ini"), "[main]\ntotal=1000000\n0=x\n");
        writeLanguage(QStringLiteral("lang_neg.ini"), "[main]\ntotal=-5\n0=x\n");
        const QStringList huge = texts(0, "lang_huge");
        QVERIFY(huge.size() <= 1000);
        QCOMPARE(huge.first(), QStringLiteral("x"));
        QVERIFY(texts(0, "lang_neg").isEmpty());

        // A code that tries to leave the language folder reads nothing.
        ScratchDir::write("modules/outside.ini", "[main]\ntotal=1\n0=leak\n");
        QVERIFY(texts(0, "../outside").isEmpty());
        QCOMPARE(z718::i18n::layoutTexts(QStringLiteral("/../../outside")),
                 QStringList(16, QString()));
        QDir().mkpath(QStringLiteral("modules/i18n/lang_dir.ini"));
        QVERIFY(texts(0, "lang_dir").isEmpty());
    }
    // Exact labels, the odd international rows, arrows and mouse buttons; every label and code
    // once, look-ups adding nothing and rebuilds changing nothing.
    void keyNameTable() {
        // clang-format off
        const QList<QPair<QString, int>> rows = {
            {"KP Enter", 0x58}, {"Enter", 0x28}, {"enter", 0}, {"A ", 0}, {"", 0}, {"Z", 0x1D},
            {"0", 0x27}, {"\\ |", 0x31}, {"' \"", 0x34}, {"Int'l 2", 0x89}, {"Intl'2", 0x88},
            {"F24", 0x73}, {"MS-B5", 0xF4}, {"R Win", 0xE7}, {QChar(0x25BA), 0x4F},
            {QChar(0x25C4), 0x50}, {QChar(0x25BC), 0x51}, {QChar(0x25B2), 0x52}};
        // clang-format on
        for (const auto& [label, code] : rows) {
            QVERIFY2(z718::keyCode(label) == code, qUtf8Printable(label));
        }
        z718::buildKeyNameTable();
        const QMap<QString, quint8> first = z718::keyNameTable();
        QCOMPARE(first.size(), 132);
        const QList<quint8> values = first.values();
        const QSet<int> codes(values.begin(), values.end());
        QCOMPARE(codes.size(), 132);  // no two labels share a code
        for (int unused : {0, 0x32, 0x86, 0x8C, 0x8D, 0x8E, 0x8F}) {
            QVERIFY(!codes.contains(unused));
        }
        z718::keyCode(QStringLiteral("missing"));
        z718::buildKeyNameTable();
        QCOMPARE(z718::keyNameTable(), first);  // look-ups add nothing, rebuilds change nothing
    }
};

QTEST_GUILESS_MAIN(LanguageFilesTest)
#include "tst_language_files.moc"
