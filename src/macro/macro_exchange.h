#pragma once

#include <QString>
#include <QStringList>
#include <utility>

#include "platform/prompts.h"

class QWidget;

namespace z718 {

// Export of macro files to, and import from, files the user picks ("Macro(*.mc)").
class MacroExchange {
public:
    // `refusal`: the title and text of the warning for a file that cannot become a macro.
    MacroExchange(Prompts& prompts, QWidget* dialogParent, QStringList refusal = {})
        : prompts_(prompts), parent_(dialogParent), refusal_(std::move(refusal)) {}

    // Asks for a target, then copies the macro file there (replacing what was there).
    void exportMacro(const QString& name);
    // The same, but only when the macro file exists.
    void exportExisting(const QString& name);
    // Asks for a file and copies it over the macro named by its base name; that name, or ""
    // when cancelled or when the file cannot become a macro (with the refusal warning when
    // its content is what no settings file may hold).
    QString importMacro();

private:
    Prompts& prompts_;
    QWidget* parent_;
    QStringList refusal_;
};

}  // namespace z718
