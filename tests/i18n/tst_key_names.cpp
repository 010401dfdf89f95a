// The key-name table: exact labels, the odd international rows, arrows and mouse buttons.
#include <QSet>
#include <QTest>

#include "i18n/key_names.h"

class KeyNamesTest : public QObject {
    Q_OBJECT

private slots:
    void labelsMapToTheirCodes();
    void tableHasEveryRowOnce();
};

void KeyNamesTest::labelsMapToTheirCodes() {
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
}

void KeyNamesTest::tableHasEveryRowOnce() {
    z718::buildKeyNameTable();
    const QMap<QString, quint8> first = z718::keyNameTable();
    QCOMPARE(first.size(), 132);
    QSet<int> codes;
    for (quint8 code : first) {
        codes.insert(code);
    }
    QCOMPARE(codes.size(), 132);  // no two labels share a code
    for (int unused : {0, 0x32, 0x86, 0x8C, 0x8D, 0x8E, 0x8F}) {
        QVERIFY(!codes.contains(unused));
    }
    z718::keyCode(QStringLiteral("missing"));
    z718::buildKeyNameTable();
    QCOMPARE(z718::keyNameTable(), first);  // look-ups add nothing, rebuilds change nothing
}

QTEST_GUILESS_MAIN(KeyNamesTest)
#include "tst_key_names.moc"
