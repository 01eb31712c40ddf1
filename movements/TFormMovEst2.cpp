#include "movements/TFormMovEst2.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/Globals.h"
#include "data/Parse.h"
#include "data/Routines.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "movements/Ledger.h"
#include "registries/TFormBusca.h"
#include "registries/TFormBuscaForne.h"
#include "registries/TFormLcPro.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/ShowModal.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString TypeCaption = QStringLiteral("(0) Saida / (1) Entrada");
const QString Open = QStringLiteral("open");

// Column lengths: Produtos.CODIGO, EstFic.HISTORICO, EstFic.SDATA, and an
// INTEGER code (a sign and ten digits).
constexpr int CodeLength = 14;
constexpr int HistoryLength = 30;
constexpr int LotLength = 9;
constexpr int IntegerLength = 11;

// The cost-centre list: narrow while idle, wide while the operator chooses.
constexpr int ListIdleWidth = 21;
constexpr int ListOpenWidth = 240;
constexpr int ListLeftWidth = 31;

QLineEdit *makeEdit(const char *name, QWidget *parent, const QString &hint = QString())
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    return edit;
}

QLabel *makeLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton *makeButton(const char *name, const QString &text, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setMinimumWidth(110);
    return button;
}

// A search button beside a field: like the buttons it copies, it never takes
// the focus, so pressing it does not count as leaving the field.
QToolButton *makeSearch(const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool wholeNumber(const QString &text, int *value = nullptr) { return Parse::tryInteger(text, value); }

} // namespace

TFormMovEst2::TFormMovEst2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMovEst2"));
    setWindowTitle(QStringLiteral(".: Movimenta Estoque :."));
    setModal(true);
    Look::setFace(this);
    buildWindow();
    linkEnterChain();

    m_onEnter.insert(m_code, [this] { Edit1Enter(); });
    m_onExit.insert(m_code, [this] { Edit1Exit(); });
    m_onExit.insert(m_lot, [this] { Edit8Exit(); });
    m_onExit.insert(m_type, [this] { MaskEdit2Exit(); });
    m_onEnter.insert(m_costCentres, [this] { ComboBox1Enter(); });
    m_onExit.insert(m_costCentres, [this] { ComboBox1Exit(); });
    m_onExit.insert(m_costCentre, [this] { Edit7Exit(); });
    m_onEnter.insert(m_supplier, [this] { Edit6Enter(); });
    m_onExit.insert(m_supplier, [this] { Edit6Exit(); });
    m_onEnter.insert(m_customer, [this] { Edit5Enter(); });
    m_onExit.insert(m_customer, [this] { Edit5Exit(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });

    onSignal(m_findProduct, &QToolButton::clicked, this, &TFormMovEst2::SpeedButton1Click);
    onSignal(m_findSupplier, &QToolButton::clicked, this, &TFormMovEst2::SpeedButton2Click);
    onSignal(m_findCustomer, &QToolButton::clicked, this, &TFormMovEst2::SpeedButton3Click);
    onSignal(m_confirme, &QPushButton::clicked, this, &TFormMovEst2::BitBtn1Click);
    onSignal(m_retornar, &QPushButton::clicked, this, &TFormMovEst2::BitBtn2Click);
    onSignal(m_naoConfirmar, &QPushButton::clicked, this, &TFormMovEst2::BitBtn3Click);
    onSignal(m_entradas, &QPushButton::clicked, this, &TFormMovEst2::BitBtn4Click);
    onSignal(m_saidas, &QPushButton::clicked, this, &TFormMovEst2::BitBtn5Click);

    guarded([this] { FormShow(); });
    // The window opens in the product-code field, as if the operator had entered it.
    m_current = m_code;
    m_code->setFocus();
    guarded([this] { Edit1Enter(); });
}

TFormMovEst2::~TFormMovEst2() = default;

void TFormMovEst2::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(new TitleBand(QStringLiteral("Movimenta Estoque"), Look::BandDark, this));

    auto *top = new QHBoxLayout;
    top->setContentsMargins(8, 4, 8, 0);
    m_entradas = makeButton("BitBtn4", QString(), QStringLiteral("Somente se estiver usando o contas a pagar Kestrum"),
                            this);
    m_saidas = makeButton("BitBtn5", QString(), QString(), this);
    top->addWidget(m_entradas);
    top->addWidget(m_saidas);
    top->addStretch();
    layout->addLayout(top);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(8, 4, 8, 4);
    layout->addLayout(grid);
    int row = 0;
    const auto caption = [&](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
        return label;
    };
    const auto line = [&](std::initializer_list<QWidget *> widgets) {
        auto *box = new QHBoxLayout;
        for (QWidget *w : widgets)
            box->addWidget(w);
        box->addStretch();
        grid->addLayout(box, row, 1);
        ++row;
    };

    m_code = makeEdit("Edit1", this, QStringLiteral("Codigo do Produto"));
    Edits::upperCase(m_code);
    Edits::limit(m_code, CodeLength);
    m_code->setFixedWidth(130);
    m_findProduct = makeSearch("SpeedButton1", this);
    caption(QStringLiteral("Produto"), m_code);
    line({m_code, m_findProduct});

    m_name = makeLabel("Label2", QStringLiteral("Nome do Produto"), this);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    grid->addWidget(m_name, row++, 1);

    // Lots are recorded as "0" by this window: the field is laid out, not offered.
    m_lot = makeEdit("Edit8", this);
    Edits::upperCase(m_lot);
    Edits::limit(m_lot, LotLength);
    m_lot->setFixedWidth(90);
    QLabel *lotCaption = caption(QStringLiteral("Lote"), m_lot);
    line({m_lot});
    m_lot->hide();
    lotCaption->hide();

    m_date = makeEdit("MaskEdit1", this, QStringLiteral("Data da movimentação"));
    m_date->setInputMask(QStringLiteral("00/00/99;_"));
    m_date->setFixedWidth(90);
    caption(QStringLiteral("Data"), m_date);
    line({m_date});

    m_history = makeEdit("Edit2", this, QStringLiteral("Historico da movimentação"));
    Edits::upperCase(m_history);
    Edits::limit(m_history, HistoryLength);
    m_history->setMinimumWidth(260);
    caption(QStringLiteral("Historico"), m_history);
    line({m_history});

    m_type = makeEdit("MaskEdit2", this, QStringLiteral("informe 0 para saida e 1 para entrada "));
    m_type->setInputMask(QStringLiteral("0;_"));
    m_type->setFixedWidth(30);
    m_typeCaption = makeLabel("Label11", TypeCaption, this);
    caption(QStringLiteral("Cod Movimento"), m_type);
    line({m_type, m_typeCaption});

    m_quantity = makeEdit("Edit3", this,
                          QStringLiteral("Informar a quantidade movimentada,  (separar somente a fração)"));
    Edits::decimalComma(m_quantity);
    m_quantity->setFixedWidth(110);
    caption(QStringLiteral("Quantidade"), m_quantity);
    line({m_quantity});

    m_cost = makeEdit("Edit4", this,
                      QStringLiteral("Custo do produto, \"só usar a virgula para separar centavos\""));
    Edits::decimalComma(m_cost);
    m_cost->setFixedWidth(110);
    caption(QStringLiteral("Custo"), m_cost);
    line({m_cost});

    m_supplier = makeEdit("Edit6", this);
    Edits::upperCase(m_supplier);
    Edits::limit(m_supplier, IntegerLength);
    m_supplier->setFixedWidth(90);
    m_findSupplier = makeSearch("SpeedButton2", this);
    m_supplierName = makeLabel("Label23", QStringLiteral("Nome do Fornecedor"), this);
    caption(QStringLiteral("Fornecedor"), m_supplier);
    line({m_supplier, m_findSupplier, m_supplierName});

    m_costCentre = makeEdit("Edit7", this);
    Edits::upperCase(m_costCentre);
    Edits::limit(m_costCentre, IntegerLength);
    m_costCentre->setFixedWidth(90);
    m_costCentres = new QComboBox(this);
    m_costCentres->setObjectName(QStringLiteral("ComboBox1"));
    m_costCentres->setToolTip(QStringLiteral("Escolha um Centro de Custo"));
    m_costCentres->setFixedWidth(ListIdleWidth);
    m_costCentres->view()->setMinimumWidth(ListOpenWidth);
    m_costCentreName = makeLabel("Label16", QString(), this);
    caption(QStringLiteral("Centro de Custo"), m_costCentre);
    line({m_costCentre, m_costCentres, m_costCentreName});

    m_customer = makeEdit("Edit5", this);
    Edits::upperCase(m_customer);
    Edits::limit(m_customer, IntegerLength);
    m_customer->setFixedWidth(90);
    m_findCustomer = makeSearch("SpeedButton3", this);
    m_customerName = makeLabel("Label15", QString(), this);
    caption(QStringLiteral("Cliente"), m_customer);
    line({m_customer, m_findCustomer, m_customerName});

    // The stock figures beside the fields.
    auto *stock = new QGridLayout;
    m_balance = makeLabel("Label13", QStringLiteral("0.0"), this);
    m_balance->setToolTip(QStringLiteral("Informa o Estoque atual do produto"));
    m_balance->setFrameShape(QFrame::Box);
    m_balance->setAlignment(Qt::AlignCenter);
    m_balance->setMinimumWidth(110);
    QFont big = m_balance->font();
    big.setBold(true);
    big.setPixelSize(18);
    m_balance->setFont(big);
    m_lotBalance = makeLabel("Label20", QStringLiteral("0.0"), this);
    m_location = makeLabel("Label5", QString(), this);
    stock->addWidget(new QLabel(QStringLiteral("Estoque Atual"), this), 0, 0);
    stock->addWidget(m_balance, 1, 0);
    auto *lotCaptionBalance = new QLabel(QStringLiteral("Estoque Lote"), this);
    stock->addWidget(lotCaptionBalance, 2, 0);
    stock->addWidget(m_lotBalance, 3, 0);
    lotCaptionBalance->hide();
    m_lotBalance->hide();
    stock->addWidget(new QLabel(QStringLiteral("Localização"), this), 4, 0);
    stock->addWidget(m_location, 5, 0);
    stock->setRowStretch(6, 1);
    grid->addLayout(stock, 2, 2, 6, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 4, 8, 0);
    m_confirme = makeButton("BitBtn1", QStringLiteral("Confirme"), QStringLiteral("Confirmar a movimentação"), this);
    m_naoConfirmar =
        makeButton("BitBtn3", QStringLiteral("Nao Confirmar"), QStringLiteral("Não confirmar a movimentação"), this);
    m_retornar = makeButton("BitBtn2", QStringLiteral("Retornar"), QStringLiteral("Retornar ao menu principal"), this);
    buttons->addWidget(m_confirme);
    buttons->addWidget(m_naoConfirmar);
    buttons->addStretch();
    buttons->addWidget(m_retornar);
    layout->addLayout(buttons);
}

void TFormMovEst2::linkEnterChain()
{
    m_enter = new EnterChain(this);
    // A field that is hidden or disabled at that moment cannot take the
    // focus: Enter then goes on to "Confirme".
    const auto to = [this](QWidget *target) {
        return [this, target] {
            if (target->isVisibleTo(this) && target->isEnabled())
                target->setFocus(Qt::TabFocusReason);
            else
                m_confirme->setFocus(Qt::TabFocusReason);
        };
    };
    m_enter->link(m_code, m_date);
    m_enter->link(m_lot, m_date);
    m_enter->link(m_date, m_history);
    m_enter->link(m_history, [this, to] { to(m_type->isEnabled() ? m_type : m_quantity)(); });
    m_enter->link(m_type, m_quantity);
    m_enter->link(m_quantity,
                  [this, to] { to(m_type->text() == QLatin1String("0") ? static_cast<QWidget *>(m_costCentres)
                                                                        : m_cost)(); });
    m_enter->link(m_cost, to(m_supplier));
    m_enter->link(m_supplier, m_confirme);
    m_enter->link(m_costCentres, to(m_costCentre));
    m_enter->link(m_costCentre, m_customer);
    m_enter->link(m_customer, m_confirme);
    m_enter->link(m_retornar, m_date);
}

void TFormMovEst2::focusMoved(QWidget *now)
{
    // Focus leaving for a message box or a search window (now outside this
    // window) and coming back to the same field is no move at all.
    if (m_moving || !now || now->window() != this || now == m_current)
        return;
    m_moving = true;
    QPointer<QWidget> left = m_current;
    m_current = now;
    if (left) {
        const auto exit = m_onExit.constFind(left);
        if (exit != m_onExit.constEnd())
            guarded(*exit);
    }
    // The field just left may have kept the focus (a lookup that failed) or
    // sent it elsewhere; only the field that really has it is entered.
    QWidget *target = focusWidget();
    if (target && target != left) {
        m_current = target;
        const auto enter = m_onEnter.constFind(target);
        if (enter != m_onEnter.constEnd())
            guarded(*enter);
    } else {
        m_current = left;
    }
    m_moving = false;
}

void TFormMovEst2::FormShow()
{
    m_code->clear();
    m_history->clear();
    m_quantity->clear();
    m_cost->clear();
    m_costCentre->setText(QStringLiteral("0"));
    m_date->setText(Format::shortDate(Clock::today()));
    m_type->clear();
    m_entradas->setText(QStringLiteral("Entrada Varios Itens"));
    m_saidas->setText(QStringLiteral("Saida Varios Itens"));
    fillCostCentres();
}

void TFormMovEst2::fillCostCentres()
{
    m_costCentres->clear();
    LOGON->RunOnQuery(QStringLiteral("genero"), QStringLiteral("select * from genero order by codigo"), Open);
    SharedQuery &centres = LOGON->Genero;
    for (centres.first(); !centres.eof(); centres.next())
        m_costCentres->addItem(PadNumber(QStringLiteral("#0"), 10, centres.number(QStringLiteral("CODIGO")))
                               + QStringLiteral(" - ") + centres.text(QStringLiteral("GENERO")));
    if (m_costCentres->count() > 0)
        m_costCentres->setCurrentIndex(0);
}

void TFormMovEst2::Edit1Enter()
{
    m_location->clear();
    m_customerName->clear();
    m_costCentreName->clear();
    m_findSupplier->hide();
    m_findCustomer->hide();
    m_supplier->clear();
    m_customer->clear();
    m_costCentre->hide();
    m_costCentres->hide();
    m_supplier->hide();
    m_balance->setText(QStringLiteral("0.0"));
    m_type->setEnabled(true);
    m_cost->setEnabled(true);
}

QString TFormMovEst2::supplierName(int code)
{
    LOGON->RunOnQuery(QStringLiteral("fornecedor"),
                      QStringLiteral("select * from fornecedor where codigo = ")
                          + QuoteSql(Format::FormatFloat(QStringLiteral("0"), code)),
                      Open);
    return LOGON->Fornecedor.text(QStringLiteral("NOME"));
}

void TFormMovEst2::Edit1Exit()
{
    Ledger::normalizeLots(*LOGON);
    m_typeCaption->setText(TypeCaption);
    m_history->clear();
    m_quantity->clear();
    m_cost->clear();
    m_type->clear();
    m_code->setText(NormalizeProductCode(m_code->text()));
    const QString code = m_code->text();

    if (!code.startsWith(QLatin1Char('/'))) {
        LOGON->RunOnQuery(QStringLiteral("produtos"),
                          QStringLiteral("select * from Produtos where codigo = ") + QuoteSql(code), Open);
        if (code.isEmpty()) {
            m_retornar->setFocus();
            return;
        }
        const SharedQuery &product = LOGON->Produtos;
        if (product.isEmpty()) {
            Dialogs::message(MovementTexts::ProductNotFound);
            m_code->setFocus();
            return;
        }
        const QString location = product.text(QStringLiteral("LOCACAO"));
        m_name->setText(product.text(QStringLiteral("NOME")));
        m_cost->setText(Format::FormatFloat(QStringLiteral("0.0000"), product.number(QStringLiteral("CUSTO"))).trimmed());
        m_supplier->setText(product.text(QStringLiteral("FORNECEDOR")));
        m_productSupplier = m_supplier->text();
        m_supplierName->clear();
        if (!m_supplier->text().trimmed().isEmpty())
            m_supplierName->setText(supplierName(product.integer(QStringLiteral("FORNECEDOR"))));
        m_balance->setText(Format::FormatFloat(QStringLiteral("0.#"), Ledger::displayedBalance(*LOGON, code)));
        m_location->setText(location);
        return;
    }

    // A kit: its code as typed, the same form the confirmation moves.
    LOGON->RunOnQuery(QStringLiteral("kitmaster"),
                      QStringLiteral("select * from kitmaster where codigo = ") + QuoteSql(kitCodeOf(code)), Open);
    const SharedQuery &kit = LOGON->KitMaster;
    if (kit.isEmpty()) {
        Dialogs::message(MovementTexts::ProductNotFound);
        m_code->setFocus();
        return;
    }
    m_name->setText(QStringLiteral("[KIT] ") + kit.text(QStringLiteral("NOME")));
    m_cost->setText(Format::FormatFloat(QStringLiteral("0.0000"), kit.number(QStringLiteral("VALOT"))).trimmed());
    m_supplier->clear();
    m_productSupplier.clear();
}

void TFormMovEst2::Edit8Exit()
{
    m_lotBalance->setText(
        Format::FormatFloat(QStringLiteral("0.0"), Ledger::lotBalance(*LOGON, m_code->text(), m_lot->text())));
}

void TFormMovEst2::MaskEdit2Exit()
{
    const QString type = m_type->text();
    if (type == QLatin1String("1")) {
        m_typeCaption->setText(QStringLiteral("Entrada"));
        m_cost->show();
        m_supplier->show();
        m_findSupplier->show();
        m_costCentre->hide();
        m_costCentres->hide();
    } else if (type == QLatin1String("0")) {
        m_typeCaption->setText(QStringLiteral("Saida"));
        // An exit is valued at the product's cost, shown but not typed.
        m_cost->setEnabled(false);
        m_costCentre->show();
        m_costCentres->show();
        m_supplier->show();
        m_findSupplier->show();
    } else {
        m_type->setFocus();
    }
}

void TFormMovEst2::ComboBox1Enter() { m_costCentres->setFixedWidth(ListOpenWidth); }

void TFormMovEst2::ComboBox1Exit()
{
    m_costCentres->setFixedWidth(ListLeftWidth);
    // Items read "      12 - NAME": the code is right-aligned in the first 10 characters.
    m_costCentre->setText(m_costCentres->currentText().left(10).trimmed());
}

void TFormMovEst2::Edit7Exit()
{
    // Codes are whole numbers; anything else (a decimal too) is centre 0.
    if (!wholeNumber(m_costCentre->text()))
        m_costCentre->setText(QStringLiteral("0"));
    LOGON->RunOnQuery(QStringLiteral("genero"),
                      QStringLiteral("select * from genero where codigo = ") + QuoteSql(m_costCentre->text().trimmed()),
                      Open);
    if (LOGON->Genero.isEmpty()) {
        m_costCentre->setText(QStringLiteral("0"));
        m_costCentreName->clear();
    } else {
        m_costCentreName->setText(LOGON->Genero.text(QStringLiteral("GENERO")));
    }
}

void TFormMovEst2::Edit6Enter() { m_findSupplier->show(); }

void TFormMovEst2::Edit6Exit()
{
    int code = 0;
    if (!wholeNumber(m_supplier->text(), &code))
        m_supplier->setText(QStringLiteral("0"));
    const QString name = supplierName(code);
    if (LOGON->Fornecedor.isEmpty()) {
        Dialogs::message(MovementTexts::SupplierNotFound);
        m_supplier->setText(m_productSupplier);
        m_supplier->setFocus();
    }
    m_supplierName->setText(name);
}

void TFormMovEst2::Edit5Enter() { m_findCustomer->show(); }

void TFormMovEst2::Edit5Exit()
{
    if (!wholeNumber(m_customer->text()))
        m_customer->setText(QStringLiteral("0"));
    LOGON->RunOnQuery(QStringLiteral("clientes"),
                      QStringLiteral("select * from clientes where codigo = ") + QuoteSql(m_customer->text().trimmed()),
                      Open);
    if (!LOGON->Clientes.isEmpty()) {
        m_customerName->setText(LOGON->Clientes.text(QStringLiteral("NOME")));
        return;
    }
    Dialogs::message(MovementTexts::CustomerNotFound);
    SpeedButton3Click();
}

void TFormMovEst2::SpeedButton1Click()
{
    ShowModalForm<TFormLcPro>(this);
    LOGON->RunOnQuery(QStringLiteral("produtos"),
                      QStringLiteral("select * from Produtos where codigo = ") + QuoteSql(SelectedCode), Open);
    m_code->setText(LOGON->Produtos.text(QStringLiteral("CODIGO")));
    m_name->setText(LOGON->Produtos.text(QStringLiteral("NOME")));
    m_code->setFocus();
}

void TFormMovEst2::SpeedButton2Click()
{
    ShowModalForm<TFormBuscaForne>(this);
    m_supplier->setText(SelectedCode);
    m_supplier->setFocus();
}

void TFormMovEst2::SpeedButton3Click()
{
    ShowModalForm<TFormBusca>(this);
    m_customer->setText(SelectedCode);
    // The search worked on the customers query: the name comes from the code chosen.
    m_customerName->clear();
    if (wholeNumber(SelectedCode)) {
        LOGON->RunOnQuery(QStringLiteral("clientes"),
                          QStringLiteral("select * from clientes where codigo = ") + QuoteSql(SelectedCode.trimmed()),
                          Open);
        m_customerName->setText(LOGON->Clientes.text(QStringLiteral("NOME")));
    }
    m_customer->setFocus();
}

MovementFields TFormMovEst2::fields() const
{
    MovementFields f;
    f.code = m_code->text();
    f.lot = m_lot->text();
    f.date = m_date->text();
    f.history = m_history->text();
    f.type = m_type->text();
    f.quantity = m_quantity->text();
    f.cost = m_cost->text();
    f.supplier = m_supplier->text();
    f.costCentre = m_costCentre->text();
    f.customer = m_customer->text();
    f.balance = m_balance->text();
    f.lotBalance = m_lotBalance->text();
    f.productName = m_name->text();
    return f;
}

void TFormMovEst2::setFields(const MovementFields &f)
{
    m_code->setText(f.code);
    m_lot->setText(f.lot);
    m_date->setText(f.date);
    m_history->setText(f.history);
    m_type->setText(f.type);
    m_quantity->setText(f.quantity);
    m_cost->setText(f.cost);
    m_supplier->setText(f.supplier);
    m_costCentre->setText(f.costCentre);
    m_customer->setText(f.customer);
    m_balance->setText(f.balance);
    m_lotBalance->setText(f.lotBalance);
    m_name->setText(f.productName);
}

void TFormMovEst2::BitBtn1Click()
{
    MovementFields f = fields();
    ConfirmResult result;
    try {
        result = confirmMovement(*LOGON, f);
    } catch (...) {
        // What was repaired before the failure stays repaired on screen.
        setFields(f);
        throw;
    }
    setFields(f);
    if (result.repaired)
        m_findSupplier->hide();
    m_code->setFocus();
}

void TFormMovEst2::BitBtn2Click() { close(); }

void TFormMovEst2::BitBtn3Click()
{
    m_code->clear();
    m_history->clear();
    m_quantity->clear();
    m_cost->clear();
    m_date->clear();
    m_type->clear();
    m_code->setFocus();
}

// The several-item windows open from these two buttons once they are part of the program.
void TFormMovEst2::BitBtn4Click() {}

void TFormMovEst2::BitBtn5Click() {}

void TFormMovEst2::done(int result)
{
    if (LOGON)
        LOGON->CloseSharedQueries();
    QDialog::done(result);
}
