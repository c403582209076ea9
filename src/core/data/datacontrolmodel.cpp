#include "data/datacontrolmodel.h"

#include "data/datacontrol.h"

namespace kelvane {

namespace {
// Enough pages to cover several screens in both directions without holding a large table.
constexpr int CachedPages = 64;
} // namespace

DataControlModel::DataControlModel(DataControl *source, const QVector<Column> &columns,
                                   QObject *parent)
    : QAbstractTableModel(parent), m_source(source), m_columns(columns), m_pages(CachedPages) {
    for (const Column &column : columns)
        m_fields << column.field;
}

void DataControlModel::setPageSize(int rows) {
    m_pageSize = std::max(1, rows);
    m_pages.clear();
}

Status DataControlModel::reload() {
    beginResetModel();
    m_pages.clear();
    m_pagesRead = 0;
    m_keys.clear();
    m_lastError = m_source ? m_source->visibleKeys(&m_keys)
                           : Status::failure(QStringLiteral("منبع داده وجود ندارد"));
    if (!m_lastError)
        m_keys.clear();
    endResetModel();
    return m_lastError;
}

const DataControlModel::Page *DataControlModel::page(int number) const {
    if (const Page *cached = m_pages.object(number))
        return cached;
    if (!m_source)
        return nullptr;
    const int first = number * m_pageSize;
    const int last = std::min(first + m_pageSize, int(m_keys.size())) - 1;
    if (first > last)
        return nullptr;

    QVector<QPair<qint64, QStringList>> rows;
    const Status status =
        m_source->rowsByKeyRange(m_keys.at(first), m_keys.at(last), m_fields, &rows);
    ++m_pagesRead;
    if (!status) {
        m_lastError = status;
        return nullptr;
    }
    // Both lists are in key order. A row deleted since the reload leaves its line empty; a row
    // added within the range since then is not one of ours and is skipped.
    auto *result = new Page(last - first + 1, QStringList());
    int row = first;
    for (const auto &[key, values] : std::as_const(rows)) {
        while (row <= last && m_keys.at(row) < key)
            ++row;
        if (row > last)
            break;
        if (m_keys.at(row) == key)
            (*result)[row - first] = values;
    }
    m_pages.insert(number, result);
    return result;
}

QString DataControlModel::text(int row, int column) const {
    if (row < 0 || row >= m_keys.size() || column < 0 || column >= m_columns.size())
        return QString();
    const Page *rows = page(row / m_pageSize);
    if (!rows)
        return QString();
    return rows->at(row % m_pageSize).value(column);
}

int DataControlModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_keys.size());
}

int DataControlModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataControlModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return text(index.row(), index.column());
}

QVariant DataControlModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns.at(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DataControlModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace kelvane
