#pragma once

#include "platform/prompts.h"

namespace z718 {

// The QtWidgets dialogs and message boxes.
class WidgetPrompts : public Prompts {
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    void warning(const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text) override;
};

}  // namespace z718
