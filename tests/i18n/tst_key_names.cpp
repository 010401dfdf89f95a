// The key-name table: exact labels, the odd international rows, arrows and mouse buttons.
#include <QSet>
#include <QTest>

#include "i18n/key_names.h"

class KeyNamesTest : public QObject {
    Q_OBJECT

private slots:
    void labelsMapToTheirCodes_data();
    void labelsMapToTheirCodes();
    void tableHasEveryRowOnce();
    void rebuildGivesTheSameTable();
};

void KeyNamesTest::labelsMapToTheirCodes_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("code");
    QTest::newRow("KP Enter") << "KP Enter" << 0x58;
    QTest::newRow("Enter") << "Enter" << 0x28;
    QTest::newRow("lower case") << "enter" << 0;
    QTest::newRow("trailing space") << "A " << 0;
    QTest::newRow("A") << "A" << 0x04;
    QTest::newRow("Z") << "Z" << 0x1D;
    QTest::newRow("0 after 9") << "0" << 0x27;
    QTest::newRow("backslash") << "\\ |" << 0x31;
    QTest::newRow("quote") << "' \"" << 0x34;
    QTest::newRow("International 3") << "Int'l 2" << 0x89;
    QTest::newRow("International 2") << "Intl'2" << 0x88;
    QTest::newRow("right arrow") << QString(QChar(0x25BA)) << 0x4F;
    QTest::newRow("left arrow") << QString(QChar(0x25C4)) << 0x50;
    QTest::newRow("down arrow") << QString(QChar(0x25BC)) << 0x51;
    QTest::newRow("up arrow") << QString(QChar(0x25B2)) << 0x52;
    QTest::newRow("F24") << "F24" << 0x73;
    QTest::newRow("KP .") << "KP ." << 0x63;
    QTest::newRow("R Win") << "R Win" << 0xE7;
    QTest::newRow("MS-L") << "MS-L" << 0xF0;
    QTest::newRow("MS-B5") << "MS-B5" << 0xF4;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("non-ASCII") << QStringLiteral(u"Ä") << 0;
}

void KeyNamesTest::labelsMapToTheirCodes() {
    QFETCH(QString, label);
    QFETCH(int, code);
    QCOMPARE(int(z718::keyCode(label)), code);
}

void KeyNamesTest::tableHasEveryRowOnce() {
    z718::buildKeyNameTable();
    const auto& table = z718::keyNameTable();
    QCOMPARE(table.size(), 132);
    QSet<int> codes;
    for (quint8 code : table) {
        codes.insert(code);
    }
    QCOMPARE(codes.size(), 132);  // no two labels share a code
    QVERIFY(!codes.contains(0));
    QVERIFY(!codes.contains(0x32));
    for (int unused : {0x86, 0x8C, 0x8D, 0x8E, 0x8F}) {
        QVERIFY(!codes.contains(unused));
    }
    z718::keyCode(QStringLiteral("missing"));
    QCOMPARE(table.size(), 132);  // look-ups never grow the table
}

void KeyNamesTest::rebuildGivesTheSameTable() {
    z718::buildKeyNameTable();
    const QMap<QString, quint8> first = z718::keyNameTable();
    z718::buildKeyNameTable();
    QCOMPARE(z718::keyNameTable(), first);
}

QTEST_GUILESS_MAIN(KeyNamesTest)
#include "tst_key_names.moc"
