#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "settings/name_lists.h"

namespace z718::test {

// A QTest table of whole rows: one column, "row", holding a struct (declared with
// Q_DECLARE_METATYPE), and one data row per element, named by its `tag`. The test reads it
// with QFETCH(Row, row).
template <typename Row, std::size_t N>
void addRows(const Row (&rows)[N]) {
    QTest::addColumn<Row>("row");
    for (const Row& row : rows) {
        QTest::newRow(row.tag) << row;
    }
}

// Names the row of a table looped over in a test when a check in it fails there.
struct RowName {
    explicit RowName(QString row) : name(std::move(row)) {}
    ~RowName() {
        if (QTest::currentTestFailed()) {
            qWarning("in row \"%s\"", qPrintable(name));
        }
    }
    QString name;
};

// Each row of a list model as it shows: the texts of `roles`, joined by `separator`.
inline QStringList shownRows(const QAbstractItemModel& model, std::initializer_list<int> roles,
                             const QString& separator = {}) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList texts;
        for (const int role : roles) {
            texts << model.data(model.index(r, 0), role).toString();
        }
        rows << texts.join(separator);
    }
    return rows;
}

// The names the name list of `type` holds, without the guard a single name is written with.
inline QStringList storedNames(int type) {
    const QStringList names = QVariant(namelists::read(type)).toStringList();
    return names.size() == 2 && names[1] == namelists::kPadGuard ? names.mid(0, 1) : names;
}

}  // namespace z718::test
