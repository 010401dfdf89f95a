#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "macro/macro_exchange.h"
#include "scratch_dir.h"

using z718::MacroExchange;

class TestMacroExchange : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchDir> scratch_;
    z718::ScriptedPrompts prompts_;
    MacroExchange exchange_{prompts_, nullptr};

    // A macro file as the first release of the program wrote it.
    const QByteArray legacyMacro_ =
        "[config]\r\nindex=0\r\ntotal=2\r\nrepeat=1\r\ndid=-1\r\n\r\n"
        "[macro]\r\n0=\"1,\\x25ba\"\r\n1=\"2,\\x25ba\"\r\n";

    QString outside(const QString& fileName) const { return scratch_->path() + "/" + fileName; }

private slots:
    void init() {
        scratch_ = std::make_unique<ScratchDir>();
        QVERIFY(scratch_->isValid());
        prompts_ = z718::ScriptedPrompts();
        ScratchDir::writeText("./modules/macro/m.bin", legacyMacro_);
    }
    void cleanup() { scratch_.reset(); }

    void exportAsksThenReplacesTarget() {
        ScratchDir::writeText(outside("out.mc"), "older export");
        prompts_.fileNames.push_back(outside("out.mc"));
        exchange_.saveMacroFile("m");
        QCOMPARE(prompts_.asked.size(), size_t(1));
        QCOMPARE(prompts_.asked[0].kind, QString("save"));
        QCOMPARE(prompts_.asked[0].caption, QString("Save File"));
        QCOMPARE(prompts_.asked[0].filter, QString("Macro(*.mc)"));
        QCOMPARE(prompts_.asked[0].text,
                 QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        QCOMPARE(ScratchDir::readText(outside("out.mc")), legacyMacro_);
    }

    void exportCancelledOrWithoutSource() {
        exchange_.saveMacroFile("m");
        QCOMPARE(prompts_.asked.size(), size_t(1));
        ScratchDir::writeText(outside("keep.mc"), "keep");
        prompts_.fileNames.push_back(outside("keep.mc"));
        exchange_.saveMacroFile("missing");
        QCOMPARE(prompts_.asked.size(), size_t(2));
        QCOMPARE(ScratchDir::readText(outside("keep.mc")), QByteArray("keep"));
        exchange_.saveMacroIniToFile("missing");
        exchange_.saveMacroIniToFile("../modules/macro/m");
        QCOMPARE(prompts_.asked.size(), size_t(2));
        prompts_.fileNames.push_back(outside("checked.mc"));
        exchange_.saveMacroIniToFile("m");
        QCOMPARE(prompts_.asked.back().caption, QString("Save File"));
        QCOMPARE(ScratchDir::readText(outside("checked.mc")), legacyMacro_);
    }

    void importNamesMacroByFirstDot() {
        ScratchDir::writeText(outside("fast.macro.mc"), legacyMacro_);
        prompts_.fileNames.push_back(outside("fast.macro.mc"));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString("fast"));
        QCOMPARE(prompts_.asked[0].kind, QString("open"));
        QCOMPARE(prompts_.asked[0].caption, QString("Open File"));
        QCOMPARE(prompts_.asked[0].filter, QString("Macro(*.mc)"));
        QCOMPARE(ScratchDir::readText("./modules/macro/fast.bin"), legacyMacro_);
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString());
    }

    void importReplacesExistingMacro() {
        ScratchDir::writeText(outside("m.mc"), "[config]\ntotal=0\n");
        prompts_.fileNames.push_back(outside("m.mc"));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString("m"));
        QCOMPARE(ScratchDir::readText("./modules/macro/m.bin"), QByteArray("[config]\ntotal=0\n"));
        // picking the macro file itself keeps it
        prompts_.fileNames.push_back(QDir::current().absoluteFilePath("modules/macro/m.bin"));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString("m"));
        QCOMPARE(ScratchDir::readText("./modules/macro/m.bin"), QByteArray("[config]\ntotal=0\n"));
    }

    void importMakesMissingFolder() {
        QVERIFY(QDir("./modules/macro").removeRecursively());
        ScratchDir::writeText(outside("new.mc"), legacyMacro_);
        prompts_.fileNames.push_back(outside("new.mc"));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString("new"));
        QVERIFY(QFile::exists("./modules/macro/new.bin"));
    }

    void importRefusesUnusableFiles_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("device name") << "CON.mc";
        QTest::newRow("no base name") << ".mc";
        QTest::newRow("trailing blank") << "m .mc";
    }
    void importRefusesUnusableFiles() {
        QFETCH(QString, fileName);
        ScratchDir::writeText(outside(fileName), legacyMacro_);
        const QStringList before = scratch_->files();
        prompts_.fileNames.push_back(outside(fileName));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString());
        QCOMPARE(scratch_->files(), before);
    }

    void importOfVanishedFileKeepsMacro() {
        prompts_.fileNames.push_back(outside("m.mc"));
        QCOMPARE(exchange_.loadMacroIniFromFile(), QString());
        QCOMPARE(ScratchDir::readText("./modules/macro/m.bin"), legacyMacro_);
        QVERIFY(!QFile::exists("./modules/macro/m.bin.part"));
    }
};

QTEST_GUILESS_MAIN(TestMacroExchange)
#include "tst_macro_exchange.moc"
