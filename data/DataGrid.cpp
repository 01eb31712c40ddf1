#include "data/DataGrid.h"

#include "data/Format.h"
#include "data/WorkingCopy.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaType>
#include <QToolButton>

CopyModel::CopyModel(WorkingCopy *copy, const QVector<GridColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_copy(copy), m_columns(columns)
{
    connect(copy, &WorkingCopy::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(copy, &WorkingCopy::valueChanged, this, [this](int row, const QString &) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int CopyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_copy->count();
}

int CopyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString CopyModel::display(const QVariant &value, const QString &mask)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Format::FormatFloat(mask.isEmpty() ? QString() : mask, value.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
        return mask.isEmpty() ? value.toString() : Format::FormatFloat(mask, value.toDouble());
    case QMetaType::QDate:
        return Format::shortDate(value.toDate());
    default:
        return value.toString();
    }
}

QVariant CopyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const GridColumn &column = m_columns.at(index.column());
    if (role == Qt::DisplayRole) {
        if (!m_copy->hasField(column.field))
            return QVariant();
        return display(m_copy->valueAt(index.row(), column.field), column.mask);
    }
    if (role == Qt::TextAlignmentRole && m_copy->hasField(column.field)) {
        const QVariant v = m_copy->valueAt(index.row(), column.field);
        const int type = v.typeId();
        if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
            || type == QMetaType::LongLong)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant CopyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section < m_columns.size())
        return m_columns.at(section).title;
    return QVariant();
}

DataGrid::DataGrid(WorkingCopy *copy, const QVector<GridColumn> &columns, QWidget *parent)
    : QTableView(parent), m_copy(copy), m_model(new CopyModel(copy, columns, this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setFixedWidth(14);
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).width > 0)
            setColumnWidth(i, columns.at(i).width);
    horizontalHeader()->setStretchLastSection(true);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_syncing && current.isValid())
                    m_copy->setRow(current.row());
            });
    connect(copy, &WorkingCopy::rowChanged, this, &DataGrid::followCopy);
    connect(copy, &WorkingCopy::reset, this, [this] { followCopy(m_copy->row()); });
    connect(this, &QTableView::clicked, this, [this] { emit rowChosen(); });
    connect(this, &QTableView::doubleClicked, this, [this] {
        emit rowChosen();
        emit doubleClickedRow();
    });
    followCopy(copy->row());
}

void DataGrid::followCopy(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_syncing = true;
    const QModelIndex target = m_model->index(row, qMax(0, currentIndex().column()));
    setCurrentIndex(target);
    scrollTo(target);
    m_syncing = false;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    QTableView::keyPressEvent(event);
    emit rowChosen();
}

void DataGrid::keyReleaseEvent(QKeyEvent *event)
{
    QTableView::keyReleaseEvent(event);
    emit rowChosen();
}

Navigator::Navigator(WorkingCopy *copy, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    struct Button
    {
        const char *name, *text, *hint;
        void (WorkingCopy::*move)();
    };
    static const Button buttons[] = {
        {"NavFirst", "|◀", "Primeiro", &WorkingCopy::first},
        {"NavPrior", "◀", "Anterior", &WorkingCopy::prior},
        {"NavNext", "▶", "Próximo", &WorkingCopy::next},
        {"NavLast", "▶|", "Último", &WorkingCopy::last},
    };
    for (const Button &b : buttons) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setText(QString::fromUtf8(b.text));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setFocusPolicy(Qt::NoFocus);
        const auto move = b.move;
        connect(button, &QToolButton::clicked, copy, [copy, move] { (copy->*move)(); });
        layout->addWidget(button);
    }
    layout->addStretch();
}
