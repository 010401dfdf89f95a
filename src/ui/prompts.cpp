#include "ui/prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace z718 {

QString WidgetPrompts::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString WidgetPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void WidgetPrompts::warning(const QString& title, const QString& text) {
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}

bool WidgetPrompts::question(const QString& title, const QString& text) {
    return QMessageBox::warning(nullptr, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace z718
