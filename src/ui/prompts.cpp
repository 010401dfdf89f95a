#include "ui/prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace z718 {
namespace {

class WidgetPrompts : public Prompts {
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
    void warning(const QString& title, const QString& text) override {
        QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
    }
    bool question(const QString& title, const QString& text) override {
        return QMessageBox::warning(nullptr, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Cancel) == QMessageBox::Ok;
    }
};

WidgetPrompts widgetPrompts;
Prompts* installed = nullptr;

}  // namespace

Prompts& prompts() {
    return installed ? *installed : widgetPrompts;
}

void installPrompts(Prompts* replacement) {
    installed = replacement;
}

}  // namespace z718
