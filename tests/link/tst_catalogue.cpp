#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "sim/virtual_mouse.h"

using namespace z718;

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void shippedCatalogue();
    void missingKeysAndHexForms();
    void matchingRule();
};

void CatalogueTest::shippedCatalogue() {
    QFile file(kCataloguePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("; type 0: Keyboard, type 1: Mouse\r\n"));
    QCOMPARE(text.count("\n"), text.count("\r\n"));

    const auto entries = loadCatalogue(kCataloguePath, {"Keyboard", "Mouse"});
    QCOMPARE(entries.size(), 2);
    const auto pairs = [](const CatalogueEntry& e) {
        return QList<int>{e.type,       e.usagePage, e.usage,
                          e.usagePage2, e.usage2,    int(e.reportLength)};
    };
    QCOMPARE(pairs(entries[0]), (QList<int>{0, 0xff01, 0, 0xff02, 2, 32}));
    QCOMPARE(pairs(entries[1]), (QList<int>{1, 0xff00, 0xff00, 0xff01, 0xff01, 32}));
    QVERIFY(entries[0].vid && entries[0].pid && entries[1].vid && entries[1].pid);
    QVERIFY(entries[0].vid != entries[1].vid || entries[0].pid != entries[1].pid);
    QCOMPARE(entries[1].name, QStringLiteral("Mouse"));
}

void CatalogueTest::missingKeysAndHexForms() {
    QTemporaryDir dir;
    const QString path = dir.filePath("cat.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "[common]\r\ntotal=2\r\n[0]\r\nvid=04d9\r\npid=1ABCD\r\nusagePage=zz\r\n"
        "[1]\r\ntype=1\r\n");
    file.close();
    const auto entries = loadCatalogue(path, {"only one"});
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].type, -1);
    QCOMPARE(entries[0].vid, 0x04d9);
    QCOMPARE(entries[0].pid, 0xABCD);  // truncated to 16 bits
    QCOMPARE(entries[0].usagePage, 0);
    QCOMPARE(entries[0].reportLength, 0u);
    QCOMPARE(entries[1].name, QString());
    QVERIFY(loadCatalogue(dir.filePath("missing.ini"), {}).isEmpty());
}

// Interfaces the scan sees, in enumeration order, for a fake entry.
class FixedHid : public sim::VirtualMouse {
public:
    explicit FixedHid(Enumeration interfaces) : interfaces_(std::move(interfaces)) {}
    Enumeration* enumerate(uint16_t, uint16_t) override { return new Enumeration(interfaces_); }

private:
    Enumeration interfaces_;
};

void CatalogueTest::matchingRule() {
    CatalogueEntry keyboard;
    keyboard.usagePage = 0xff01;
    keyboard.usagePage2 = 0xff02;
    keyboard.usage2 = 2;
    // usage 0 matches only usage 0 exactly; the index stays when nothing matches.
    FixedHid near({{"a", 0, 0, 0xff01, 0x0001}, {"b", 0, 0, 0xff02, 2}});
    const ScanResult missed = scanDevices(near, {keyboard}, 7);
    QVERIFY(missed.devices[0].interface1Path.isEmpty());
    QCOMPARE(missed.currentIndex, 7u);
    // Only the first interface: not present, the lone path is dropped.
    FixedHid half({{"a", 0, 0, 0xff01, 0}});
    QVERIFY(scanDevices(half, {keyboard}, 0).devices[0].interface1Path.isEmpty());
    // One interface may satisfy both pairs.
    CatalogueEntry same = keyboard;
    same.usagePage2 = 0xff01;
    same.usage2 = 0;
    const auto both = scanDevices(half, {same}, 0).devices[0];
    QCOMPARE(both.interface1Path + both.interface2Path, QStringLiteral("aa"));
    // Several entries present: the last one becomes current.
    FixedHid all({{"x", 0, 0, 0xff01, 0}, {"y", 0, 0, 0xff02, 2}});
    QCOMPARE(scanDevices(all, {keyboard, keyboard}, 0).currentIndex, 1u);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
