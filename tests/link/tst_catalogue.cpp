#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "sim/virtual_mouse.h"

using namespace z718;

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void shippedFileForm();
    void shippedEntries();
    void missingKeysAndHexForms();
    void matchingRule();
};

void CatalogueTest::shippedFileForm() {
    QFile file(kCataloguePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("; type 0: Keyboard, type 1: Mouse\r\n"));
    QCOMPARE(text.count("\n"), text.count("\r\n"));
    QVERIFY(text.contains("isEncode=false\r\n"));
}

void CatalogueTest::shippedEntries() {
    const auto entries = loadCatalogue(kCataloguePath, {"Keyboard", "Mouse"});
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].type, 0);
    QCOMPARE(entries[0].usagePage, 0xff01);
    QCOMPARE(entries[0].usage, 0);
    QCOMPARE(entries[0].usagePage2, 0xff02);
    QCOMPARE(entries[0].usage2, 2);
    QCOMPARE(entries[1].type, 1);
    QCOMPARE(entries[1].usagePage, 0xff00);
    QCOMPARE(entries[1].usage, 0xff00);
    QCOMPARE(entries[1].usagePage2, 0xff01);
    QCOMPARE(entries[1].usage2, 0xff01);
    QSet<QString> identities;
    for (const auto& entry : entries) {
        QCOMPARE(entry.reportLength, 32u);
        QVERIFY(entry.vid != 0 && entry.pid != 0);
        identities.insert(QStringLiteral("%1:%2").arg(entry.vid).arg(entry.pid));
    }
    QCOMPARE(identities.size(), 2);
    QCOMPARE(entries[1].name, QStringLiteral("Mouse"));
    QCOMPARE(loadCatalogue(kCataloguePath, {}).at(1).name, QString());
}

void CatalogueTest::missingKeysAndHexForms() {
    QTemporaryDir dir;
    const QString path = dir.filePath("cat.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[common]\r\ntotal=2\r\n[0]\r\nvid=04d9\r\npid=1ABCD\r\nusagePage=zz\r\n"
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
    keyboard.type = 0;
    keyboard.usagePage = 0xff01;
    keyboard.usage = 0;
    keyboard.usagePage2 = 0xff02;
    keyboard.usage2 = 2;
    // usage 0 matches only usage 0 exactly.
    FixedHid near({{"a", 0, 0, 0xff01, 0x0001}, {"b", 0, 0, 0xff02, 2}});
    QVERIFY(scanDevices(near, {keyboard}, 7).devices[0].interface1Path.isEmpty());
    QCOMPARE(scanDevices(near, {keyboard}, 7).currentIndex, 7u);
    // Only the first interface: not present, the lone path is dropped.
    FixedHid half({{"a", 0, 0, 0xff01, 0}});
    const auto lone = scanDevices(half, {keyboard}, 0).devices[0];
    QVERIFY(lone.interface1Path.isEmpty() && lone.interface2Path.isEmpty());
    // One interface may satisfy both pairs.
    CatalogueEntry same = keyboard;
    same.usagePage2 = 0xff01;
    same.usage2 = 0;
    FixedHid single({{"one", 0, 0, 0xff01, 0}});
    const auto both = scanDevices(single, {same}, 0).devices[0];
    QCOMPARE(both.interface1Path, QStringLiteral("one"));
    QCOMPARE(both.interface2Path, QStringLiteral("one"));
    // Several entries present: the last one becomes current.
    FixedHid all({{"x", 0, 0, 0xff01, 0}, {"y", 0, 0, 0xff02, 2}});
    QCOMPARE(scanDevices(all, {keyboard, keyboard}, 0).currentIndex, 1u);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
