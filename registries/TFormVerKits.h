#pragma once

#include <QDialog>

class DataGrid;
class WorkingCopy;

// ".: Ver Kits / Composições:.": every kit by code, to look at only. A double
// click, any key in the grid or "Retorna" closes it.
//
// Components: DBGrid1 (Codigo, Nome, Valor), BitBtn1 "Retorna".
class TFormVerKits : public QDialog
{
    Q_OBJECT
public:
    explicit TFormVerKits(QWidget *parent = nullptr);

    WorkingCopy *list() const { return m_list; }

    void BitBtn1Click();     // Retorna
    void DBGrid1DblClick();
    void DBGrid1KeyDown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WorkingCopy *m_list;
    DataGrid *m_grid;
};
