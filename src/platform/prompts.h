#pragma once

#include <QString>

class QWidget;

namespace z718 {

// The file dialogs and message boxes the program shows. Classes that ask the user take one of
// these, so tests answer in place of the user and nothing modal ever opens.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Both return "" when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // A warning box without parent and a single OK button.
    virtual void warning(const QString& title, const QString& text) = 0;
    // A warning box without parent, OK and Cancel, Cancel the default; true for OK.
    virtual bool question(const QString& title, const QString& text) = 0;
};

}  // namespace z718
