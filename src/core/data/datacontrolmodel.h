#pragma once

#include "common/status.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QPointer>
#include <QStringList>
#include <QVector>

namespace kelvane {

class DataControl;

// Read-only table over the visible rows of a data control, for grids. reload() reads only the
// keys of the visible rows; the given fields are read in pages by key range when a view asks
// for them, so a large table opens quickly. Reload after the control's filter or rows change.
class DataControlModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
    };

    DataControlModel(DataControl *source, const QVector<Column> &columns,
                     QObject *parent = nullptr);

    Status reload();
    const Status &lastError() const { return m_lastError; }

    // Rows per page read at once.
    void setPageSize(int rows);
    int pageSize() const { return m_pageSize; }
    // Pages read from the file since the last reload.
    int pagesRead() const { return m_pagesRead; }

    qint64 keyAt(int row) const { return m_keys.value(row, -1); }
    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    using Page = QVector<QStringList>;
    const Page *page(int number) const;

    QPointer<DataControl> m_source;
    QVector<Column> m_columns;
    QStringList m_fields;
    QVector<qint64> m_keys;
    int m_pageSize = 256;
    mutable QCache<int, Page> m_pages;
    mutable int m_pagesRead = 0;
    mutable Status m_lastError;
};

} // namespace kelvane
