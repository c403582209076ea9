#include "data/datacontrol.h"

#include "data/database.h"
#include "data/schema.h"

#include <QPointer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kelvane {

namespace {
QString rowVanished() {
    return QStringLiteral("اين رديف ديگر در بانک اطلاعات نيست");
}
} // namespace

DataControl::DataControl(const QString &filePath, const QString &table, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_table(table) {}

DataControl::~DataControl() {
    m_statements.clear();
    if (!m_connection.isEmpty())
        Database::release(m_connection);
}

Status DataControl::open() {
    if (isOpen())
        return Status::success();
    QString connection;
    Status status = Database::acquire(m_filePath, &connection);
    if (!status)
        return status;
    QSqlQuery columns(Database::connection(connection));
    if (!columns.exec(QStringLiteral("PRAGMA table_info(%1)").arg(schema::quoted(m_table)))) {
        status = Status::failure(Database::errorText(columns.lastError()));
    } else {
        while (columns.next()) {
            const QString name = columns.value(1).toString();
            if (name.compare(schema::OrderKey, Qt::CaseInsensitive) == 0)
                continue;
            m_fieldIndex.insert(name.toLower(), int(m_fields.size()));
            m_fields << name;
        }
        if (m_fields.isEmpty())
            status = Status::failure(QStringLiteral("جدول %1 پيدا نشد").arg(m_table));
    }
    columns = QSqlQuery();
    if (!status) {
        m_fields.clear();
        m_fieldIndex.clear();
        Database::release(connection);
        return status;
    }
    m_connection = connection;
    return refresh();
}

int DataControl::fieldIndex(const QString &name) const {
    return m_fieldIndex.value(name.toLower(), -1);
}

Status DataControl::fail(const QString &error) {
    return Status::failure(error);
}

QSqlQuery &DataControl::prepared(const QString &sql, Status *status) {
    // Statements are prepared once per control and reused: filters and counts run often.
    auto &slot = m_statements[sql];
    if (!slot) {
        auto query = std::make_shared<QSqlQuery>(Database::connection(m_connection));
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            *status = Status::failure(Database::errorText(query->lastError()));
            m_statements.remove(sql);
            return m_unprepared;
        }
        slot = query;
    }
    *status = Status::success();
    return *slot;
}

QString DataControl::whereClause(const QString &condition) const {
    QStringList conditions;
    if (m_filterField)
        conditions << QStringLiteral("%1 = ?").arg(schema::quoted(*m_filterField));
    if (!condition.isEmpty())
        conditions << condition;
    return conditions.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

int DataControl::bindFilter(QSqlQuery &query) const {
    if (!m_filterField)
        return 0;
    query.bindValue(0, m_filterValue);
    return 1;
}

Status DataControl::quotedField(const QString &name, QString *column) const {
    const int index = fieldIndex(name);
    if (!isOpen() || index < 0)
        return Status::failure(QStringLiteral("فيلد %1 در جدول %2 نيست").arg(name, m_table));
    *column = schema::quoted(m_fields.at(index));
    return Status::success();
}

Status DataControl::loadOne(bool last) {
    m_isNew = false;
    m_modified.clear();
    m_currentKey.reset();
    m_values.fill(QString(), m_fields.size());
    if (!isOpen()) {
        emit currentRowChanged();
        return fail(QStringLiteral("بانک اطلاعات باز نيست"));
    }
    QStringList columns{schema::quoted(schema::OrderKey)};
    for (const QString &name : m_fields)
        columns << schema::quoted(name);
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 %5 LIMIT 1")
                            .arg(columns.join(QLatin1Char(',')), schema::quoted(m_table),
                                 whereClause(), schema::quoted(schema::OrderKey),
                                 last ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    Status status;
    QSqlQuery &query = prepared(sql, &status);
    if (status) {
        bindFilter(query);
        if (!query.exec()) {
            status = Status::failure(Database::errorText(query.lastError()));
        } else if (query.next()) {
            m_currentKey = query.value(0).toLongLong();
            for (int i = 0; i < m_fields.size(); ++i)
                m_values[i] = query.value(i + 1).toString();
        }
        query.finish();
    }
    emit currentRowChanged();
    return status;
}

Status DataControl::refresh() {
    m_filterField.reset();
    m_filterValue.clear();
    m_cachedCount = -1;
    return loadOne(false);
}

Status DataControl::setFilter(const QString &field, const QString &value) {
    const int index = fieldIndex(field);
    if (index < 0) {
        loadOne(false);
        return fail(QStringLiteral("فيلد %1 در جدول %2 نيست").arg(field, m_table));
    }
    m_filterField = m_fields.at(index);
    m_filterValue = value;
    m_cachedCount = -1;
    return loadOne(false);
}

int DataControl::rowCount() {
    if (m_cachedCount >= 0 || !isOpen())
        return std::max(m_cachedCount, 0);
    Status status;
    QSqlQuery &query = prepared(
        QStringLiteral("SELECT count(*) FROM %1%2").arg(schema::quoted(m_table), whereClause()),
        &status);
    if (!status)
        return 0;
    bindFilter(query);
    if (query.exec() && query.next())
        m_cachedCount = query.value(0).toInt();
    query.finish();
    return std::max(m_cachedCount, 0);
}

Status DataControl::moveFirst() {
    return loadOne(false);
}
Status DataControl::moveLast() {
    return loadOne(true);
}

void DataControl::addNew() {
    m_currentKey.reset();
    m_isNew = true;
    m_values.fill(QString(), m_fields.size());
    m_modified.clear();
    emit currentRowChanged();
}

QString DataControl::field(const QString &name) const {
    const int index = fieldIndex(name);
    return index < 0 || index >= m_values.size() ? QString() : m_values.at(index);
}

void DataControl::setField(const QString &name, const QString &value) {
    const int index = fieldIndex(name);
    if (index < 0 || !hasCurrentRow() || m_values.at(index) == value)
        return;
    m_values[index] = value;
    m_modified.insert(index);
    emit fieldChanged(m_fields.at(index), value);
}

DataControl::Snapshot DataControl::snapshot() const {
    return Snapshot{m_currentKey, m_isNew, m_values, m_modified, m_cachedCount};
}

void DataControl::restore(const Snapshot &state) {
    m_currentKey = state.key;
    m_isNew = state.isNew;
    m_values = state.values;
    m_modified = state.modified;
    m_cachedCount = state.cachedCount;
    emit currentRowChanged();
}

Status DataControl::update() {
    if (!isOpen())
        return fail(QStringLiteral("بانک اطلاعات باز نيست"));
    if (!hasCurrentRow())
        return fail(QStringLiteral("رديفي براي ذخيره وجود ندارد"));
    if (!m_isNew && m_modified.isEmpty())
        return Status::success();

    const Snapshot before = snapshot();
    QSqlQuery query(Database::connection(m_connection));
    if (m_isNew) {
        QStringList columns, marks;
        for (const QString &name : m_fields) {
            columns << schema::quoted(name);
            marks << QStringLiteral("?");
        }
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(schema::quoted(m_table), columns.join(QLatin1Char(',')),
                               marks.join(QLatin1Char(','))));
        for (int i = 0; i < m_values.size(); ++i)
            query.bindValue(i, m_values.at(i).isNull() ? QStringLiteral("") : m_values.at(i));
        if (!query.exec())
            return fail(Database::errorText(query.lastError()));
        m_currentKey = query.lastInsertId().toLongLong();
        m_isNew = false;
        if (m_cachedCount >= 0)
            ++m_cachedCount;
    } else {
        QStringList assignments;
        QList<int> order(m_modified.cbegin(), m_modified.cend());
        std::sort(order.begin(), order.end());
        for (int index : order)
            assignments << schema::quoted(m_fields.at(index)) + QStringLiteral(" = ?");
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(schema::quoted(m_table), assignments.join(QLatin1Char(',')),
                               schema::quoted(schema::OrderKey)));
        int position = 0;
        for (int index : order)
            query.bindValue(position++,
                            m_values.at(index).isNull() ? QStringLiteral("") : m_values.at(index));
        query.bindValue(position, *m_currentKey);
        if (!query.exec())
            return fail(Database::errorText(query.lastError()));
        if (query.numRowsAffected() == 0)
            return fail(rowVanished());
    }
    m_modified.clear();
    if (Database::inTransaction(m_connection)) {
        QPointer<DataControl> self(this);
        Database::onRollback(m_connection, [self, before] {
            if (self)
                self->restore(before);
        });
    }
    return Status::success();
}

Status DataControl::deleteCurrent() {
    if (!isOpen())
        return fail(QStringLiteral("بانک اطلاعات باز نيست"));
    if (!m_currentKey) {
        if (m_isNew) {
            m_isNew = false;
            emit currentRowChanged();
            return Status::success();
        }
        return fail(QStringLiteral("رديفي براي حذف وجود ندارد"));
    }
    QSqlQuery query(Database::connection(m_connection));
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                      .arg(schema::quoted(m_table), schema::quoted(schema::OrderKey)));
    query.bindValue(0, *m_currentKey);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    if (query.numRowsAffected() == 0)
        return fail(rowVanished());
    const Snapshot before = snapshot();
    if (Database::inTransaction(m_connection)) {
        QPointer<DataControl> self(this);
        Database::onRollback(m_connection, [self, before] {
            if (self)
                self->restore(before);
        });
    }
    m_currentKey.reset();
    m_values.fill(QString(), m_fields.size());
    m_modified.clear();
    if (m_cachedCount > 0)
        --m_cachedCount;
    emit currentRowChanged();
    return Status::success();
}

Status DataControl::visibleKeys(QVector<qint64> *keys) {
    keys->clear();
    if (!isOpen())
        return fail(QStringLiteral("بانک اطلاعات باز نيست"));
    Status status;
    QSqlQuery &query =
        prepared(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %1")
                     .arg(schema::quoted(schema::OrderKey), schema::quoted(m_table), whereClause()),
                 &status);
    if (!status)
        return status;
    bindFilter(query);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    while (query.next())
        keys->append(query.value(0).toLongLong());
    query.finish();
    m_cachedCount = int(keys->size());
    return Status::success();
}

Status DataControl::rowsByKeyRange(qint64 firstKey, qint64 lastKey, const QStringList &fields,
                                   QVector<QPair<qint64, QStringList>> *rows) {
    rows->clear();
    const QString keyColumn = schema::quoted(schema::OrderKey);
    QStringList columns{keyColumn};
    for (const QString &name : fields) {
        QString column;
        if (const Status known = quotedField(name, &column); !known)
            return known;
        columns << column;
    }
    Status status;
    QSqlQuery &query =
        prepared(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                     .arg(columns.join(QLatin1Char(',')), schema::quoted(m_table),
                          whereClause(keyColumn + QStringLiteral(" BETWEEN ? AND ?")), keyColumn),
                 &status);
    if (!status)
        return status;
    int position = bindFilter(query);
    query.bindValue(position++, firstKey);
    query.bindValue(position, lastKey);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    while (query.next()) {
        QStringList values;
        values.reserve(fields.size());
        for (int i = 0; i < fields.size(); ++i)
            values << query.value(i + 1).toString();
        rows->append({query.value(0).toLongLong(), values});
    }
    query.finish();
    return Status::success();
}

Status DataControl::wholeNumberValues(const QString &field, qint64 from, QVector<qint64> *numbers) {
    numbers->clear();
    QString column;
    if (const Status known = quotedField(field, &column); !known)
        return known;
    // Eighteen digits at most: every such number fits in 64 bits.
    const QString condition =
        QStringLiteral("%1 GLOB '[1-9]*' AND %1 NOT GLOB '*[^0-9]*' AND length(%1) <= 18 "
                       "AND CAST(%1 AS INTEGER) >= ?")
            .arg(column);
    Status status;
    QSqlQuery &query =
        prepared(QStringLiteral("SELECT CAST(%1 AS INTEGER) AS n FROM %2%3 ORDER BY n")
                     .arg(column, schema::quoted(m_table), whereClause(condition)),
                 &status);
    if (!status)
        return status;
    query.bindValue(bindFilter(query), from);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    while (query.next())
        numbers->append(query.value(0).toLongLong());
    query.finish();
    return Status::success();
}

Status DataControl::distinctValues(const QString &field, QStringList *values) {
    values->clear();
    QString column;
    if (const Status known = quotedField(field, &column); !known)
        return known;
    Status status;
    QSqlQuery &query = prepared(
        QStringLiteral("SELECT %1 FROM %2%3 GROUP BY %1 ORDER BY min(%4)")
            .arg(column, schema::quoted(m_table), whereClause(), schema::quoted(schema::OrderKey)),
        &status);
    if (!status)
        return status;
    bindFilter(query);
    if (!query.exec())
        return fail(Database::errorText(query.lastError()));
    while (query.next())
        values->append(query.value(0).toString());
    query.finish();
    return Status::success();
}

} // namespace kelvane

#include "platform/programfolder.h"

namespace kelvane {

DataControl *openDataControl(QObject *owner, const QString &name, schema::FileKind file,
                             const QString &table) {
    auto *control = new DataControl(ProgramFolder::file(schema::fileName(file)), table, owner);
    control->setObjectName(name);
    control->open();
    return control;
}

} // namespace kelvane
