#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <QVector>
#include <QWidget>

class WorkingCopy;

// One column of a read-only grid: the field, its title, a picture mask for numbers.
struct GridColumn
{
    QString field;
    QString title;
    QString mask;  // empty: shown as stored
    int width = 0; // pixels; 0 leaves it to the grid
};

class CopyModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    CopyModel(WorkingCopy *copy, const QVector<GridColumn> &columns, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // How a stored value reads on screen (numbers by mask, dates dd/mm/yy).
    static QString display(const QVariant &value, const QString &mask);

private:
    WorkingCopy *m_copy;
    QVector<GridColumn> m_columns;
};

// The read-only grid of a register: follows the copy's current row and moves it.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    DataGrid(WorkingCopy *copy, const QVector<GridColumn> &columns, QWidget *parent = nullptr);
    WorkingCopy *copy() const { return m_copy; }

signals:
    // A click, double click or key on the grid: the operator chose the current row.
    void rowChosen();
    void doubleClickedRow();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void followCopy(int row);
    WorkingCopy *m_copy;
    CopyModel *m_model;
    bool m_syncing = false;
};

// First, prior, next and last over a copy.
class Navigator : public QWidget
{
    Q_OBJECT
public:
    Navigator(WorkingCopy *copy, QWidget *parent = nullptr);
};
