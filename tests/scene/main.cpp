// z718_scene_tests: runs the tst_*.qml files of any folder (-input DIR) against the program's
// real scene-facing objects, with the virtual mouse plugged in and the portable input backend.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>
#include <memory>

#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "sim/virtual_mouse.h"
#include "test_objects.h"
#include "ui/Ui_Controler.h"
#include "ui/myQQuickView.h"

namespace {

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QDir().mkpath(to);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Everything a test file sees; one instance for the whole run.
class SceneTestSetup : public QObject {
    Q_OBJECT
public:
    bool start() {
        const QString shipped = QCoreApplication::applicationDirPath() + "/modules";
        if (!scratch_.isValid() || !copyTree(shipped, scratch_.path() + "/modules")) {
            qWarning("Cannot prepare a scratch folder with a copy of %s", qPrintable(shipped));
            return false;
        }
        QDir::setCurrent(scratch_.path());
        z718::setHidBackend(&mouse_);
        widget_ = std::make_unique<Widget>();
        hooks_ = std::make_unique<z718::GlobalHooks>(widget_->view(), widget_->hid());
        hooks_->install();
        widget_->showNormal();
        widget_->checkDevice();
        return true;
    }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        QQmlContext* context = engine->rootContext();
        context->setContextProperty("ui_View", widget_->view());
        context->setContextProperty("hid", &widget_->hid());
        context->setContextProperty("ui_Ctl", widget_->controller());
        context->setContextProperty("virtualMouse", &mouseObject_);
        context->setContextProperty("virtualInput", &inputObject_);
    }

    void cleanupTestCase() {
        hooks_->uninstall();
        hooks_.reset();
        widget_.reset();
        z718::setHidBackend(nullptr);
    }

private:
    QTemporaryDir scratch_;
    z718::sim::VirtualMouse mouse_;
    std::unique_ptr<Widget> widget_;
    std::unique_ptr<z718::GlobalHooks> hooks_;
    VirtualMouseObject mouseObject_{mouse_};
    VirtualInputObject inputObject_;
};

int main(int argc, char** argv) {
    // The main window is a widget: the test runner takes this application instead of making
    // a QGuiApplication of its own.
    QApplication app(argc, argv);
    SceneTestSetup setup;
    if (!setup.start()) {
        return 1;
    }
    return quick_test_main_with_setup(argc, argv, "z718_scene_tests", nullptr, &setup);
}

#include "main.moc"
