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
    struct Asked {
        QString kind;  // "open", "save", "warning" or "question"
        QString caption;
        QString text;  // start directory for dialogs, message text for boxes
        QString filter;
    };

    std::deque<QString> fileNames;
    std::deque<bool> answers;
    std::vector<Asked> asked;

    // The last thing asked, as "kind|caption|text|filter".
    QString last() const {
        const Asked& a = asked.back();
        return QStringList{a.kind, a.caption, a.text, a.filter}.join(QLatin1Char('|'));
    }

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
        if (!queue.empty()) {
            fallback = queue.front();
            queue.pop_front();
        }
        return fallback;
    }
};

}  // namespace z718
