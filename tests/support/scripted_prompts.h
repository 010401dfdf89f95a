#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/prompts.h"

namespace z718 {

// Answers from queues filled in advance and remembers what was asked. An empty queue answers
// "" (cancel) for file names and false for questions.
class ScriptedPrompts : public Prompts {
public:
    std::deque<QString> fileNames;
    std::deque<bool> answers;
    // What was asked, in order, as "kind|caption|text|filter": the kind is "open", "save",
    // "warning" or "question", the text a dialog's start directory or a box's message.
    std::vector<QString> asked;

    QString last() const { return asked.back(); }

    QString openFileName(QWidget*, const QString& caption, const QString& dir,
                         const QString& filter) override {
        note("open", caption, dir, filter);
        return take(fileNames, QString());
    }
    QString saveFileName(QWidget*, const QString& caption, const QString& dir,
                         const QString& filter) override {
        note("save", caption, dir, filter);
        return take(fileNames, QString());
    }
    void warning(const QString& title, const QString& text) override {
        note("warning", title, text);
    }
    bool question(const QString& title, const QString& text) override {
        note("question", title, text);
        return take(answers, false);
    }

private:
    void note(const char* kind, const QString& caption, const QString& text,
              const QString& filter = {}) {
        asked.push_back(QStringList{QLatin1String(kind), caption, text, filter}.join('|'));
    }
    template <typename T>
    static T take(std::deque<T>& queue, T fallback) {
        if (!queue.empty()) {
            fallback = queue.front();
            queue.pop_front();
        }
        return fallback;
    }
};

}  // namespace z718
