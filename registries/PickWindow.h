#pragma once

#include "data/DataGrid.h"

#include <QDialog>
#include <QString>
#include <QVector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class WorkingCopy;

// One way of searching: the caption of its item in the kind choice and the
// fixed text the quoted LIKE pattern follows.
struct PickSearch
{
    QString caption;
    QString statement;
};

// Everything that sets one pick window apart from the others.
struct PickDesign
{
    QString objectName;
    QString caption;
    QString band;
    QString queryKey;   // the shared query the list comes from
    QString table;      // the table the list is a copy of
    QStringList opening; // lines of the statement run when the window opens
    QVector<GridColumn> columns;
    QString label;
    QString hint;
    QString kindsCaption;       // empty: a single way of searching, no choice shown
    QVector<PickSearch> kinds;  // the first is preselected
    bool kindEmptiesBox = false; // choosing a kind empties the box, which searches again at once
    bool quietFailures = false;  // a search that fails leaves the previous list, with no message
    bool showCurrent = false;    // CODIGO and NOME of the current row above the grid
    bool closeListOnClose = false;
};

// The pick windows share one design: a search box, a list fed by "first N"
// queries with LIKE '%text%', and the chosen code left in SelectedCode
// whichever way the window closes.
class PickWindow : public QDialog
{
    Q_OBJECT
public:
    ~PickWindow() override;

    WorkingCopy *list() const { return m_list; }
    DataGrid *grid() const { return m_grid; }
    QLineEdit *searchBox() const { return m_edit; }
    int kind() const;
    // "%" + the box's text in upper case + "%".
    QString pattern() const;
    // The statement a change of the search box runs now.
    QString searchStatement() const;

protected:
    PickWindow(QWidget *parent, const PickDesign &design);
    void done(int result) override;

    void FormShow();
    void Edit1Change();
    void RadioGroup1Click();
    void DBGrid1DblClick();

private:
    // Runs a select on the shared query and takes its rows into the list.
    void fill(const QString &sql);
    void showCurrent();

    PickDesign m_design;
    WorkingCopy *m_list = nullptr;
    DataGrid *m_grid = nullptr;
    QLineEdit *m_edit = nullptr;
    QGroupBox *m_kinds = nullptr;
    QButtonGroup *m_kindButtons = nullptr;
    QLabel *m_code = nullptr;
    QLabel *m_name = nullptr;
    QString m_lastSearch;
};
