#include "registries/TFormKitItens.h"

#include "data/Format.h"
#include "data/Globals.h"
#include "data/Parse.h"
#include "data/Routines.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "registries/TFormLcPro.h"
#include "reports/TFormImpPratoQui.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/ShowModal.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Open = QStringLiteral("open");
const QString Exec = QStringLiteral("exec");
const QString SelectKit = QStringLiteral("select * from KitMaster where codigo = ");
const QString SelectItems = QStringLiteral("select * from KitProd where codigo = ");
const QString ChooseKit = QStringLiteral("  Selecione uma composição..  ");
const QString NoProduct = QStringLiteral("         Produto não localizado          ");

// Characters KitProd.CODPROD holds.
constexpr int ProductCodeLength = 14;
// The item keeps a copy of the product's name cut to this many characters.
constexpr int ItemNameLength = 19;

QLineEdit *makeEdit(const char *name, QWidget *parent, bool readOnly)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    if (readOnly)
        edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

} // namespace

TFormKitItens::TFormKitItens(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormKitItens"));
    setWindowTitle(QStringLiteral("Composição Pratos/Drinks"));
    setModal(true);
    Look::setFace(this);
    buildWindow();
}

void TFormKitItens::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    auto *band = new TitleBand(QStringLiteral("Composição / Produtos"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    layout->addLayout(body);

    auto *kit = new QGridLayout;
    m_codigo = makeEdit("Edit1", this, true);
    m_codigo->setMaximumWidth(110);
    m_nome = makeEdit("Edit2", this, true);
    m_venda = makeEdit("Edit3", this, true);
    m_venda->setMaximumWidth(100);
    m_venda->setAlignment(Qt::AlignRight);
    kit->addWidget(new QLabel(QStringLiteral("Codigo"), this), 0, 0);
    kit->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    kit->addWidget(new QLabel(QStringLiteral("Venda"), this), 0, 2);
    kit->addWidget(m_codigo, 1, 0);
    kit->addWidget(m_nome, 1, 1);
    kit->addWidget(m_venda, 1, 2);
    kit->setColumnStretch(1, 1);
    body->addLayout(kit);

    auto *entry = new QGridLayout;
    m_codProd = makeEdit("Edit4", this, false);
    m_codProd->setMaximumWidth(130);
    Edits::upperCase(m_codProd);
    Edits::limit(m_codProd, ProductCodeLength);
    // A speed button: it never takes the focus, so using it does not leave
    // "Cod Produto".
    m_search = new QToolButton(this);
    m_search->setObjectName(QStringLiteral("SpeedButton1"));
    m_search->setText(QStringLiteral("..."));
    m_search->setToolTip(QStringLiteral("Localiza Produto"));
    m_search->setFocusPolicy(Qt::NoFocus);
    m_nomeProd = makeEdit("Edit5", this, true);
    m_quant = makeEdit("Edit6", this, false);
    m_quant->setMaximumWidth(100);
    m_quant->setAlignment(Qt::AlignRight);
    Edits::decimalComma(m_quant);
    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(2);
    codeRow->addWidget(m_codProd);
    codeRow->addWidget(m_search);
    entry->addWidget(new QLabel(QStringLiteral("Cod Produto"), this), 0, 0);
    entry->addWidget(new QLabel(QStringLiteral("Nome do Produto"), this), 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Quantidade"), this), 0, 2);
    entry->addLayout(codeRow, 1, 0);
    entry->addWidget(m_nomeProd, 1, 1);
    entry->addWidget(m_quant, 1, 2);
    entry->setColumnStretch(1, 1);
    body->addLayout(entry);

    m_grid = new QTableWidget(0, 4, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("Cod Produto"), QStringLiteral("Nome"), QStringLiteral("QUANT"), QStringLiteral("VALOR")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->verticalHeader()->setFixedWidth(14);
    m_grid->setColumnWidth(0, 110);
    m_grid->setColumnWidth(1, 220);
    m_grid->setColumnWidth(2, 70);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumSize(520, 220);
    body->addWidget(m_grid, 1);

    auto *bottom = new QHBoxLayout;
    m_novo = makeButton("BitBtn1", QStringLiteral("Novo Prod"), this);
    m_confirma = makeButton("BitBtn2", QStringLiteral("Confirma"), this);
    m_excluir = makeButton("BitBtn3", QStringLiteral("Excluir"), this);
    m_custo = makeEdit("Edit7", this, true);
    m_custo->setMaximumWidth(100);
    m_custo->setAlignment(Qt::AlignRight);
    m_custo->setText(QStringLiteral("0,00"));
    for (QPushButton *b : {m_novo, m_confirma, m_excluir})
        bottom->addWidget(b);
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("Custo"), this));
    bottom->addWidget(m_custo);
    body->addLayout(bottom);

    showEntry(false);

    onSignal(m_novo, &QPushButton::clicked, this, &TFormKitItens::BitBtn1Click);
    onSignal(m_confirma, &QPushButton::clicked, this, &TFormKitItens::BitBtn2Click);
    onSignal(m_excluir, &QPushButton::clicked, this, &TFormKitItens::BitBtn3Click);
    onSignal(m_search, &QToolButton::clicked, this, &TFormKitItens::SpeedButton1Click);
    m_codProd->installEventFilter(this);

    m_enter = new EnterChain(this);
    m_enter->link(m_codProd, m_quant);
    m_enter->link(m_quant, m_confirma);
}

void TFormKitItens::setKit(const QString &code, const QString &name, const QString &value)
{
    m_kitCode = code;
    m_codigo->setText(code);
    m_nome->setText(name);
    m_venda->setText(value);
}

void TFormKitItens::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    guarded([this] { FormShow(); });
}

void TFormKitItens::FormShow()
{
    clearEntry();
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), SelectKit + QuoteSql(m_kitCode), Open);
    SharedQuery &kit = LOGON->KitMaster;
    kit.first();
    const QString code = kit.isEmpty() ? QString() : kit.text(QStringLiteral("CODIGO"));
    LOGON->RunOnQuery(QStringLiteral("KitProd"), SelectItems + QuoteSql(code), Open);
    readItems();
    showCost();
}

// ---------------------------------------------------------------- the entry row

void TFormKitItens::clearEntry()
{
    m_codProd->clear();
    m_nomeProd->clear();
    m_quant->clear();
}

void TFormKitItens::showEntry(bool on)
{
    // Hiding the field that has the focus moves it: not a move of the operator's.
    m_quiet = true;
    m_codProd->setVisible(on);
    m_search->setVisible(on);
    m_quant->setVisible(on);
    m_quiet = false;
}

void TFormKitItens::BitBtn1Click()
{
    if (m_kitCode.isEmpty())
        return;
    showEntry(true);
    clearEntry();
    m_codProd->setFocus(Qt::OtherFocusReason);
}

bool TFormKitItens::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_codProd && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Only real moves of the focus inside this window count: not a message
        // box or the search window taking it for a moment, nor the window closing.
        const bool real = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
                       && reason != Qt::NoFocusReason;
        if (real && !m_quiet && isVisible() && m_codProd->isVisible()) {
            if (event->type() == QEvent::FocusIn) {
                guarded([this] { Edit4Enter(); });
            } else {
                QWidget *next = QApplication::focusWidget();
                if (!m_inExit && (!next || next->window() == this)) {
                    m_inExit = true;
                    guarded([this] { Edit4Exit(); });
                    m_inExit = false;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormKitItens::Edit4Enter() { clearEntry(); }

void TFormKitItens::Edit4Exit()
{
    const QString code = NormalizeProductCode(m_codProd->text());
    m_codProd->setText(code);
    if (!kitExists()) {
        Dialogs::message(ChooseKit);
        m_codProd->setFocus(Qt::OtherFocusReason);
        return;
    }
    QString name;
    if (!findProduct(code, &name)) {
        Dialogs::message(NoProduct);
        m_codProd->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_nomeProd->setText(name);
}

void TFormKitItens::SpeedButton1Click()
{
    ShowModalForm<TFormLcPro>(this);
    const QString code = SelectedCode;
    QString name;
    if (!code.isEmpty() && !findProduct(code, &name))
        name.clear();
    m_codProd->setText(code);
    m_nomeProd->setText(name);
}

bool TFormKitItens::kitExists()
{
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), SelectKit + QuoteSql(m_kitCode), Open);
    return !LOGON->KitMaster.isEmpty();
}

bool TFormKitItens::findProduct(const QString &code, QString *name)
{
    LOGON->RunOnQuery(QStringLiteral("produtos"), QStringLiteral("select * from produtos where codigo = ") + QuoteSql(code),
                      Open);
    SharedQuery &product = LOGON->Produtos;
    product.first();
    if (product.isEmpty())
        return false;
    *name = product.text(QStringLiteral("NOME"));
    return true;
}

// ---------------------------------------------------------------- add, remove

void TFormKitItens::BitBtn2Click()
{
    showEntry(false);
    if (IsNumber(m_quant->text()) != QLatin1String("S"))
        m_quant->setText(QStringLiteral("0"));
    const QString code = NormalizeProductCode(m_codProd->text());
    if (!code.isEmpty()) {
        // Checked again here: the button can be pressed while "Cod Produto"
        // still holds a code its exit refused, and an item must name a kit
        // and a product that exist.
        QString name;
        if (!kitExists()) {
            Dialogs::message(ChooseKit);
        } else if (!findProduct(code, &name)) {
            Dialogs::message(NoProduct);
        } else {
            m_nomeProd->setText(name);
            LOGON->RunOnQuery(QStringLiteral("atualiza"),
                              QStringLiteral("insert into kitprod (id,codigo,codprod,nome,quant) values (GEN_ID(KITPROD,1),")
                                  + QuoteSql(m_kitCode) + QLatin1Char(',') + QuoteSql(code) + QLatin1Char(',')
                                  + QuoteSql(name.left(ItemNameLength)) + QLatin1Char(',')
                                  + QuoteSql(SqlNumber(Parse::number(m_quant->text()))) + QLatin1Char(')'),
                              Exec);
        }
    }
    LOGON->RunOnQuery(QStringLiteral("KitProd"), SelectItems + QuoteSql(m_kitCode), Open);
    readItems();
    showCost();
    clearEntry();
}

void TFormKitItens::BitBtn3Click()
{
    const int row = m_grid->currentRow();
    if (row >= 0 && row < m_items.size()
        && Dialogs::askDelete()) {
        LOGON->RunOnQuery(QStringLiteral("atualiza"),
                          QStringLiteral("delete from kitprod where id = ")
                              + QuoteSql(Format::FormatFloat(QStringLiteral("0"), m_items.at(row).id)),
                          Exec);
    }
    LOGON->RunOnQuery(QStringLiteral("KitProd"), SelectItems + QuoteSql(m_kitCode), Open);
    readItems();
    showCost();
}

// ---------------------------------------------------------------- items and cost

void TFormKitItens::readItems()
{
    const SharedQuery &rows = LOGON->KitProd;
    QList<Item> items;
    QSet<QString> codes;
    for (int r = 0; r < rows.count(); ++r) {
        Item item;
        item.id = rows.valueAt(r, QStringLiteral("ID")).toInt();
        item.codprod = rows.valueAt(r, QStringLiteral("CODPROD")).toString();
        item.nome = rows.valueAt(r, QStringLiteral("NOME")).toString();
        item.quant = rows.valueAt(r, QStringLiteral("QUANT")).toDouble();
        items.append(item);
        codes.insert(item.codprod);
    }
    // An item whose product has gone costs nothing.
    const QHash<QString, double> costs = codes.isEmpty() ? QHash<QString, double>() : KitCost::unitCosts(codes);
    for (Item &item : items)
        item.custo = costs.value(item.codprod, 0.0);
    m_items = items;

    m_grid->setRowCount(0);
    m_grid->setRowCount(int(m_items.size()));
    for (int r = 0; r < m_items.size(); ++r) {
        const Item &item = m_items.at(r);
        auto put = [&](int column, const QString &text, bool right) {
            auto *cell = new QTableWidgetItem(text);
            if (right)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, column, cell);
        };
        put(0, item.codprod, false);
        put(1, item.nome, false);
        put(2, Format::FormatFloat(QStringLiteral("0"), item.quant), true);
        put(3, Format::FormatFloat(QStringLiteral("0.00"), item.custo), true);
    }
    if (!m_items.isEmpty())
        m_grid->setCurrentCell(0, 0);
}

void TFormKitItens::showCost()
{
    double cost = 0;
    for (const Item &item : std::as_const(m_items))
        cost += item.custo * item.quant;
    m_cost = cost;
    m_custo->setText(Format::FormatFloat(QStringLiteral("0.00"), cost));
}
