#pragma once

#include "data/DataGrid.h"

#include <QDialog>
#include <QString>
#include <QVector>

class QLineEdit;
class QPushButton;
class WorkingCopy;
class EnterChain;

// A register of the simplest kind: an integer code and a name, kept in a table
// whose rows are created, renamed and deleted from one small window (families,
// cost centres). Each window gives its own table, texts and statements; the
// behaviour is the same.
//
// Object names:
//   DBGrid1  the read-only grid of the table
//   Edit1    "Codigo"  (upper case, whole number)
//   Edit2    "SubIten" (the name, upper case, no longer than the name column)
//   BitBtn1  "Novo"     proposes the next code
//   BitBtn2  "Confirme" creates the code, or renames every row that has it
//   BitBtn3  "Excluir"  deletes the grid's current row after a question
//   BitBtn4  "Retornar" closes the window
class CodeRegister : public QDialog
{
    Q_OBJECT
public:
    struct Config
    {
        QString objectName;
        QString table;
        QString caption;
        QString band;
        QString frameTitle;       // empty: a plain frame
        QVector<GridColumn> columns;
        QString nameField;        // the name column (NOME, GENERO)
        int nameLength = 0;       // characters the name column holds
        QString gridKey;          // shared query the grid is fed from
        QString gridSql;
        QString selectSql;        // + quoted code
        QString insertSql;        // + quoted code + "," + quoted name + ")"
        QString updateSql;        // + quoted name + updateWhere + quoted code
        QString updateWhere;
        QString deleteSql;        // + quoted id
        int insertCut = -1;       // the name is cut to this many characters on creation
        QString codeMask;         // how the code is copied from the grid; empty: as stored
        bool rereadAfterNo = false; // "Excluir" answered No still re-reads the grid
        bool closeSharedQueries = false; // on closing, besides the grid's own query
    };

    CodeRegister(QWidget *parent, const Config &config);

    void done(int result) override;

protected:
    void BitBtn1Click();  // Novo
    void BitBtn2Click();  // Confirme
    void BitBtn3Click();  // Excluir
    void BitBtn4Click();  // Retornar
    void DBGrid1CellClick(); // any choice of a row in the grid
    void FormShow();
    void FormClose();

private:
    void loadGrid();
    // The current row of the grid into the two fields.
    void copyRowToFields();

    Config m_config;
    WorkingCopy *m_copy = nullptr;
    DataGrid *m_grid = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_novo = nullptr;
    QPushButton *m_confirme = nullptr;
    QPushButton *m_excluir = nullptr;
    QPushButton *m_retornar = nullptr;
    EnterChain *m_enter = nullptr;
    bool m_closed = false;
};
