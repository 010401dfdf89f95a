// z718_scene_tests: runs the tst_*.qml files of any folder (-input DIR) against the program's
// real window, with the virtual mouse plugged in and the program's own input backend (the
// portable one, or on Windows the system's hooks).
#include <QApplication>
#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>
#include <memory>

#include "app/startup.h"
#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "platform/focus_source.h"
#include "scene_driver.h"
#include "sim/virtual_mouse.h"
#include "test_objects.h"
#include "ui/Ui_Controler.h"
#include "ui/myQQuickView.h"

// Everything a test file sees; one instance for the whole run.
class SceneTestSetup : public QObject, public SceneHost {
    Q_OBJECT
public:
    bool start() {
        const QString shipped = QCoreApplication::applicationDirPath() + "/modules";
        if (!scratch_.isValid() || !copyOver(shipped, scratch_.path() + "/modules")) {
            qWarning("Cannot prepare a scratch folder with a copy of %s", qPrintable(shipped));
            return false;
        }
        QDir::setCurrent(scratch_.path());
        z718::platform::useFocusSource(&foreground_);
        startProgram();
        scene_ = std::make_unique<SceneDriver>(*this, mouse_);
        return true;
    }

    Widget* program() override { return widget_.get(); }

    void restartProgram(const std::function<void()>& whileStopped) override {
        stopProgram();
        if (whileStopped) {
            whileStopped();
        }
        startProgram();
        if (engine_) {
            registerProgram(engine_->rootContext());
        }
    }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine_ = engine;
        // Lets a test file import the scene's module and load one page alone.
        engine->addImportPath(QStringLiteral("qrc:/"));
        QQmlContext* context = engine->rootContext();
        registerProgram(context);
        context->setContextProperty("virtualInput", &inputObject_);
        context->setContextProperty("scene", scene_.get());
        context->setContextProperty("prompts", &promptsObject_);
        context->setContextProperty("foreground", &foreground_);
    }

    void cleanupTestCase() {
        scene_.reset();
        stopProgram();
        z718::platform::useFocusSource(nullptr);
    }

private:
    // As the program's main() does it.
    void startProgram() {
        widget_ = std::make_unique<Widget>(services_);
        hooks_ =
            std::make_unique<z718::GlobalHooks>(widget_->view(), widget_->hid(), input_.hooks());
        hooks_->install();
        inputObject_.programHooksInstalled();
        windowFeed_ = z718::feedHooksFromWindow(input_.window());
        widget_->showNormal();
        widget_->checkDevice();
    }

    void stopProgram() {
        windowFeed_.reset();
        if (hooks_) {
            hooks_->uninstall();
        }
        hooks_.reset();
        if (widget_) {
            widget_->hide();
        }
        widget_.reset();
        // The window controller goes with deleteLater.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void registerProgram(QQmlContext* context) {
        context->setContextProperty("ui_View", widget_->view());
        context->setContextProperty("hid", &widget_->hid());
        context->setContextProperty("ui_Ctl", widget_->controller());
    }

    QTemporaryDir scratch_;
    z718::sim::VirtualMouse mouse_;
    z718::platform::InputBackend input_;
    PromptsObject promptsObject_;
    const z718::Services services_{mouse_, input_.hooks(), input_.injector(), input_.pointer(),
                                   promptsObject_.scripted()};
    std::unique_ptr<Widget> widget_;
    std::unique_ptr<z718::GlobalHooks> hooks_;
    std::unique_ptr<QObject> windowFeed_;
    std::unique_ptr<SceneDriver> scene_;
    QQmlEngine* engine_ = nullptr;
    VirtualInputObject inputObject_{input_};
    z718::platform::FakeFocusSource foreground_;
};

int main(int argc, char** argv) {
    // The scene graph the program picks; under Wine, Direct3D would draw a white window.
    z718::chooseSceneGraph();
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
