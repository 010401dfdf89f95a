#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace z718 {

// The file dialogs and message boxes the view shows. The program uses the QtWidgets ones;
// tests install a ScriptedPrompts so that nothing modal ever opens.
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

// The prompts in use: the QtWidgets ones unless a test installed its own.
Prompts& prompts();
// Installs `replacement` (not owned); nullptr goes back to the QtWidgets prompts.
void installPrompts(Prompts* replacement);

// Answers from queues filled in advance and remembers what was asked. An empty queue answers
// "" (cancel) for file names and false for questions.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        QString kind;  // "open", "save", "warning" or "question"
        QString caption;
        QString text;  // start directory for dialogs, message text for boxes
        QString filter;
    };

    std::deque<QString> fileNames;
    std::deque<bool> answers;
    std::vector<Asked> asked;

    QString openFileName(QWidget*, const QString& caption, const QString& dir,
                         const QString& filter) override {
        asked.push_back({QStringLiteral("open"), caption, dir, filter});
        return take(fileNames, QString());
    }
    QString saveFileName(QWidget*, const QString& caption, const QString& dir,
                         const QString& filter) override {
        asked.push_back({QStringLiteral("save"), caption, dir, filter});
        return take(fileNames, QString());
    }
    void warning(const QString& title, const QString& text) override {
        asked.push_back({QStringLiteral("warning"), title, text, {}});
    }
    bool question(const QString& title, const QString& text) override {
        asked.push_back({QStringLiteral("question"), title, text, {}});
        return take(answers, false);
    }

private:
    template <typename T>
    static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T front = queue.front();
        queue.pop_front();
        return front;
    }
};

// Installs a ScriptedPrompts for the lifetime of the guard.
class ScopedPrompts {
public:
    explicit ScopedPrompts(Prompts& replacement) { installPrompts(&replacement); }
    ~ScopedPrompts() { installPrompts(nullptr); }
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;
};

}  // namespace z718
