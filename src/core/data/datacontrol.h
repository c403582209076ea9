#pragma once

#include "common/status.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>

namespace kelvane {

// A window's view of one table: an optional filter (field = value, exact text), the rows it
// makes visible in stored order, and a current row that bound controls show and edit.
// Only what is asked for is read: the current row, a count, or the keys of the visible rows.
class DataControl : public QObject {
    Q_OBJECT
public:
    DataControl(const QString &filePath, const QString &table, QObject *parent = nullptr);
    ~DataControl() override;

    // Opens the file; every later operation fails with this status when it could not.
    Status open();
    bool isOpen() const { return !m_connection.isEmpty(); }
    const QString &table() const { return m_table; }
    const QString &connectionName() const { return m_connection; }
    const QStringList &fieldNames() const { return m_fields; }
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // Drops the filter and any unsaved new row; the first row becomes current.
    Status refresh();
    // Only rows whose field equals value (as text) stay visible; the first becomes current.
    Status setFilter(const QString &field, const QString &value);
    bool isFiltered() const { return m_filterField.has_value(); }
    QString filterField() const { return m_filterField.value_or(QString()); }
    QString filterValue() const { return m_filterValue; }

    // Visible rows as of the last refresh or filter (and the rows this control added or deleted).
    int rowCount();
    bool hasCurrentRow() const { return m_currentKey.has_value() || m_isNew; }
    bool isNewRow() const { return m_isNew; }
    bool isModified() const { return !m_modified.isEmpty(); }

    Status moveFirst();
    Status moveLast();
    // A new empty row becomes current; it reaches the file only by update().
    void addNew();

    QString field(const QString &name) const;
    // Writes into the current row (nothing happens without one); update() stores it.
    void setField(const QString &name, const QString &value);

    // Stores the current row: inserts a new one, or writes the fields changed since it was read.
    // An unchanged row is not written.
    Status update();
    // Removes the current row from the file; afterwards there is no current row.
    Status deleteCurrent();

    // Stored-order keys of the visible rows, and rows fetched by key (for grids).
    Status visibleKeys(QVector<qint64> *keys);
    Status rowsByKeyRange(qint64 firstKey, qint64 lastKey, const QStringList &fields,
                          QVector<QPair<qint64, QStringList>> *rows);
    // The field's values over the visible rows that are plain whole numbers (digits only, no
    // leading zero) of at least `from`, ascending: a run of used numbers in one query.
    Status wholeNumberValues(const QString &field, qint64 from, QVector<qint64> *numbers);
    // The field's values over the visible rows, each once, in the order they first occur.
    Status distinctValues(const QString &field, QStringList *values);

signals:
    // A different row (or none) became current, or the current row was read again.
    void currentRowChanged();
    // One field of the current row changed through setField().
    void fieldChanged(const QString &field, const QString &value);

private:
    int fieldIndex(const QString &name) const;
    // " WHERE" with the filter and the extra condition, or nothing.
    QString whereClause(const QString &condition = QString()) const;
    // Binds the filter's value; returns the next parameter position.
    int bindFilter(QSqlQuery &query) const;
    Status quotedField(const QString &name, QString *column) const;
    Status loadOne(bool last);
    Status fail(const QString &error);
    QSqlQuery &prepared(const QString &sql, Status *status);

    struct Snapshot {
        std::optional<qint64> key;
        bool isNew;
        QVector<QString> values;
        QSet<int> modified;
        int cachedCount;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot &state);

    QString m_filePath;
    QString m_table;
    QString m_connection;
    QStringList m_fields;
    QHash<QString, int> m_fieldIndex; // lower-case name -> column

    std::optional<QString> m_filterField;
    QString m_filterValue;
    int m_cachedCount = -1;

    std::optional<qint64> m_currentKey;
    bool m_isNew = false;
    QVector<QString> m_values;
    QSet<int> m_modified;

    QHash<QString, std::shared_ptr<QSqlQuery>> m_statements;
    QSqlQuery m_unprepared; // handed out (never run) when a statement fails to prepare
};

} // namespace kelvane

#include "data/schema.h"

namespace kelvane {

// A window's data control on a table of one of the program folder's files, named as the window
// names it ("Adodc2") and opened at once (connection, query, refresh). A file that cannot be
// opened leaves the control empty; its operations then fail with the reason.
DataControl *openDataControl(QObject *owner, const QString &name, schema::FileKind file,
                             const QString &table);

} // namespace kelvane
