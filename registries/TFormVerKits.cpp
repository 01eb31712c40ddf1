#include "registries/TFormVerKits.h"

#include "data/DataGrid.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFormVerKits::TFormVerKits(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormVerKits"));
    setWindowTitle(QStringLiteral(".: Ver Kits / Composições:."));
    setModal(true);
    Look::setFace(this);

    m_list = new WorkingCopy(QStringLiteral("KitMaster"), QStringLiteral("ID"), this);
    auto *layout = new QVBoxLayout(this);
    m_grid = new DataGrid(m_list,
                          {{QStringLiteral("CODIGO"), QStringLiteral("Codigo"), QString(), 90},
                           {QStringLiteral("NOME"), QStringLiteral("Nome"), QString(), 260},
                           {QStringLiteral("VALOT"), QStringLiteral("Valor"), QStringLiteral("0.00"), 80}},
                          this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setMinimumSize(480, 320);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    auto *buttons = new QHBoxLayout;
    auto *retorna = new QPushButton(QStringLiteral("Retorna"), this);
    retorna->setObjectName(QStringLiteral("BitBtn1"));
    retorna->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(retorna);
    layout->addLayout(buttons);

    onSignal(retorna, &QPushButton::clicked, this, &TFormVerKits::BitBtn1Click);
    onSignal(m_grid, &DataGrid::doubleClickedRow, this, &TFormVerKits::DBGrid1DblClick);

    guarded([this] {
        LOGON->RunOnQuery(QStringLiteral("KitMaster"), QStringLiteral("select * from KitMaster order by codigo"),
                          QStringLiteral("open"));
        m_list->load(LOGON->KitMaster);
    });
}

bool TFormVerKits::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        guarded([this] { DBGrid1KeyDown(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormVerKits::BitBtn1Click() { accept(); }

void TFormVerKits::DBGrid1DblClick() { accept(); }

void TFormVerKits::DBGrid1KeyDown() { accept(); }
