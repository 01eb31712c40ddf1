#include "registries/TFormKit.h"

#include "data/DataGrid.h"
#include "data/FieldBinder.h"
#include "data/Format.h"
#include "data/Parse.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "registries/TFormAjuKits.h"
#include "registries/TFormKitItens.h"
#include "registries/TFormVerKits.h"
#include "reports/ReportPreview.h"
#include "reports/TFormImpKits.h"
#include "reports/TFormImpPratoQui.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Errors.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/ShowModal.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString Codigo = QStringLiteral("CODIGO");
const QString Nome = QStringLiteral("NOME");
const QString Valot = QStringLiteral("VALOT");
const QString Open = QStringLiteral("open");
const QString Exec = QStringLiteral("exec");

// Characters the KitMaster columns hold.
constexpr int CodeLength = 10;
constexpr int NameLength = 30;

const QString ValueMask = QStringLiteral("0.00");
const QString CodeTaken = QStringLiteral("         Codigo Ja Existe, escolha outro..       ");

const QVector<GridColumn> &gridColumns()
{
    static const QVector<GridColumn> columns = {
        {Codigo, QStringLiteral("CODIGO"), QString(), 90},
        {Nome, QStringLiteral("NOME"), QString(), 250},
        {Valot, QStringLiteral("VALOR"), ValueMask, 80},
    };
    return columns;
}

// The kits grid edits the copy: the name and the value, never the code. A
// kit's items and the movement window know the kit by its code, so changing
// it here would strand them.
class KitGridModel : public CopyModel
{
public:
    KitGridModel(WorkingCopy *copy, QObject *parent)
        : CopyModel(copy, gridColumns(), parent), m_copy(copy)
    {
    }

    static bool editable(int column) { return column == 1 || column == 2; }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = CopyModel::flags(index);
        if (index.isValid() && editable(index.column()))
            f |= Qt::ItemIsEditable;
        return f;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::EditRole && index.isValid())
            return CopyModel::data(index, Qt::DisplayRole);
        return CopyModel::data(index, role);
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid() || !editable(index.column()))
            return false;
        bool written = false;
        guarded([&] {
            const QString text = value.toString();
            QVariant stored;
            if (index.column() == 1) {
                stored = text.toUpper().left(NameLength);
            } else if (!text.trimmed().isEmpty()) {
                stored = Parse::number(text); // ConvertError: the standard box, the value stays
            }
            const QString field = index.column() == 1 ? Nome : Valot;
            const int keep = m_copy->row();
            if (keep != index.row())
                m_copy->setRow(index.row());
            m_copy->setValue(field, stored);
            if (keep != index.row())
                m_copy->setRow(keep);
            written = true;
        });
        return written;
    }

private:
    WorkingCopy *m_copy;
};

// The grid's editors follow the fields above it: the name in capitals, no
// longer than its column; the value with the decimal comma.
class KitGridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(index.column() == 1 ? QStringLiteral("GridNome") : QStringLiteral("GridValor"));
        if (index.column() == 1) {
            Edits::upperCase(edit);
            Edits::limit(edit, NameLength);
        } else {
            Edits::decimalComma(edit);
        }
        return edit;
    }
};

// An editable grid over the copy that follows its current row and moves it.
class KitGrid : public QTableView
{
public:
    KitGrid(WorkingCopy *copy, QWidget *parent) : QTableView(parent), m_copy(copy)
    {
        m_model = new KitGridModel(copy, this);
        setModel(m_model);
        setItemDelegate(new KitGridDelegate(this));
        // A double click opens the composition, so it does not start an edit.
        setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed);
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setSelectionMode(QAbstractItemView::SingleSelection);
        verticalHeader()->setDefaultSectionSize(20);
        verticalHeader()->setFixedWidth(14);
        for (int i = 0; i < gridColumns().size(); ++i)
            setColumnWidth(i, gridColumns().at(i).width);
        horizontalHeader()->setStretchLastSection(true);

        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex &current) {
                    if (!m_syncing && current.isValid())
                        m_copy->setRow(current.row());
                });
        connect(copy, &WorkingCopy::rowChanged, this, [this](int row) { follow(row); });
        connect(copy, &WorkingCopy::reset, this, [this] { follow(m_copy->row()); });
        follow(copy->row());
    }

private:
    void follow(int row)
    {
        if (m_syncing || row < 0 || row >= m_model->rowCount())
            return;
        m_syncing = true;
        const QModelIndex target = m_model->index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        scrollTo(target);
        m_syncing = false;
    }

    WorkingCopy *m_copy;
    KitGridModel *m_model;
    bool m_syncing = false;
};

QPushButton *makeButton(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(100);
    return button;
}

} // namespace

TFormKit::TFormKit(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormKit"));
    setWindowTitle(QStringLiteral(".: Composição de Custo :."));
    setModal(true);
    Look::setFace(this);

    m_copy = new WorkingCopy(QStringLiteral("KitMaster"), QStringLiteral("ID"), this);
    buildWindow();
    guarded([this] { FormCreate(); });
}

void TFormKit::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);

    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("MainMenu1"));
    layout->setMenuBar(m_menu);
    auto addAction = [this](QMenu *menu, const char *name, const QString &text, void (TFormKit::*handler)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        onSignal(action, &QAction::triggered, this, handler);
    };
    QMenu *manutencao = m_menu->addMenu(QStringLiteral("&1-Manutenção"));
    addAction(manutencao, "AVisualizar1", QStringLiteral("&A-Visualizar Arquivos"), &TFormKit::AVisualizarClick);
    addAction(manutencao, "ZSair1", QStringLiteral("&Z-Sair do Kits"), &TFormKit::ZSairClick);
    QMenu *relatorios = m_menu->addMenu(QStringLiteral("&2-Relatórios"));
    addAction(relatorios, "ARelatorios1", QStringLiteral("&A-Relatorios dos Kits"), &TFormKit::ARelatoriosClick);
    addAction(relatorios, "BImprimir1", QStringLiteral("&B-Imprimir Composição"), &TFormKit::BImprimirClick);
    QMenu *ajuda = m_menu->addMenu(QStringLiteral("&3-Ajuda"));
    addAction(ajuda, "AComoUtilizar1", QStringLiteral("&A-Como utilizar os Kits"), &TFormKit::AComoUtilizarClick);
    QMenu *sair = m_menu->addMenu(QStringLiteral("&4-Sair"));
    addAction(sair, "ZSair2", QStringLiteral("&Z-Sair do Kits"), &TFormKit::ZSairClick);

    auto *band = new TitleBand(QStringLiteral("Composição de Produtos"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    layout->addLayout(body);

    auto *fields = new QGridLayout;
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("DBEdit1"));
    m_code->setReadOnly(true);
    m_code->setFocusPolicy(Qt::NoFocus);
    m_code->setMaximumWidth(110);
    m_newCode = new QLineEdit(this);
    m_newCode->setObjectName(QStringLiteral("Edit1"));
    m_newCode->setMaximumWidth(110);
    Edits::upperCase(m_newCode);
    Edits::limit(m_newCode, CodeLength);
    m_newCode->hide();
    m_nome = new QLineEdit(this);
    m_nome->setObjectName(QStringLiteral("DBEdit2"));
    Edits::upperCase(m_nome);
    m_valor = new QLineEdit(this);
    m_valor->setObjectName(QStringLiteral("DBEdit3"));
    m_valor->setMaximumWidth(110);
    m_valor->setAlignment(Qt::AlignRight);

    auto *codeLabel = new QLabel(QStringLiteral("Codigo"), this);
    codeLabel->setBuddy(m_code);
    auto *nomeLabel = new QLabel(QStringLiteral("Nome"), this);
    nomeLabel->setBuddy(m_nome);
    auto *valorLabel = new QLabel(QStringLiteral("Valor"), this);
    valorLabel->setBuddy(m_valor);
    fields->addWidget(codeLabel, 0, 0);
    fields->addWidget(nomeLabel, 0, 1);
    fields->addWidget(valorLabel, 0, 2);
    // The new-code field lies over the code while a kit is being created.
    fields->addWidget(m_code, 1, 0);
    fields->addWidget(m_newCode, 1, 0);
    fields->addWidget(m_nome, 1, 1);
    fields->addWidget(m_valor, 1, 2);
    fields->setColumnStretch(1, 1);
    body->addLayout(fields);

    m_binder = new FieldBinder(m_copy, this);
    m_binder->bindText(m_code, Codigo, CodeLength);
    m_binder->bindText(m_nome, Nome, NameLength);
    m_binder->bindNumber(m_valor, Valot, ValueMask);

    auto *grid = new KitGrid(m_copy, this);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setMinimumSize(480, 260);
    m_grid = grid;
    body->addWidget(m_grid, 1);

    auto *buttons = new QHBoxLayout;
    m_novo = makeButton("BitBtn1", QStringLiteral("Novo Kit"), this);
    m_excluir = makeButton("BitBtn2", QStringLiteral("Excluir"), this);
    m_confirma = makeButton("BitBtn3", QStringLiteral("Confirma"), this);
    m_composicao = makeButton("BitBtn4", QString(), this);
    m_composicao->setMinimumHeight(40);
    for (QPushButton *b : {m_novo, m_excluir, m_confirma, m_composicao})
        buttons->addWidget(b);
    buttons->addStretch();
    body->addLayout(buttons);

    onSignal(m_novo, &QPushButton::clicked, this, &TFormKit::BitBtn1Click);
    onSignal(m_excluir, &QPushButton::clicked, this, &TFormKit::BitBtn2Click);
    onSignal(m_confirma, &QPushButton::clicked, this, &TFormKit::BitBtn3Click);
    onSignal(m_composicao, &QPushButton::clicked, this, &TFormKit::BitBtn4Click);
    onSignal(m_grid, &QTableView::doubleClicked, this, &TFormKit::BitBtn4Click);
    // A typed value reaches the copy when the field is left, so that moving
    // to another kit does not drop it.
    // A value that does not convert stays on screen and "Confirma" reports it.
    onSignal(m_valor, &QLineEdit::editingFinished, this, [this] {
        if (m_valor->text().trimmed().isEmpty() || Parse::tryNumber(m_valor->text()))
            m_binder->post();
    });

    m_newCode->installEventFilter(this);

    m_enter = new EnterChain(this);
    m_enter->link(m_newCode, m_nome);
    m_enter->link(m_nome, m_valor);
    m_enter->link(m_valor, m_confirma);
}

void TFormKit::FormCreate()
{
    m_composicao->setText(QStringLiteral("Incluir/Alterar\nComposição"));
    LOGON->RunOnQuery(QStringLiteral("tipos"), QStringLiteral("select * from tipos order by codigo"), Open);
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), QStringLiteral("select * from KitMaster order by codigo"), Open);
    SharedQuery &kits = LOGON->KitMaster;
    kits.first();
    const QString first = kits.isEmpty() ? QString() : kits.text(Codigo);
    LOGON->RunOnQuery(QStringLiteral("KitProd"), QStringLiteral("select * from KitProd where codigo = ") + QuoteSql(first),
                      Open);
    m_copySql = QStringLiteral("select * from KitMaster order by codigo");
    m_copy->load(kits);
}

void TFormKit::openCopy(const QString &sql)
{
    m_copySql = sql;
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), sql, Open);
    m_copy->load(LOGON->KitMaster);
}

void TFormKit::rereadCopy()
{
    // The copy's own statement, whatever the composition editor or a report
    // left on the shared query since.
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), m_copySql, Open);
    m_copy->reload(LOGON->KitMaster);
}

QString TFormKit::currentCode() const { return m_copy->isEmpty() ? QString() : m_copy->text(Codigo); }

// ---------------------------------------------------------------- new kit

void TFormKit::BitBtn1Click()
{
    m_newCode->clear();
    m_code->hide();
    m_newCode->show();
    m_newCode->raise();
    m_newCodeOpen = true;
    m_newCode->setFocus(Qt::OtherFocusReason);
}

bool TFormKit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_newCode && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Only a real move of the focus inside this window leaves the field:
        // not a message box taking the focus for a moment, nor the window closing.
        const bool real = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
                       && reason != Qt::NoFocusReason;
        QWidget *next = QApplication::focusWidget();
        if (real && m_newCodeOpen && !m_inExit && isVisible() && (!next || next->window() == this)) {
            m_inExit = true;
            guarded([this] { Edit1Exit(); });
            m_inExit = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormKit::Edit1Exit()
{
    const QString code = m_newCode->text().trimmed();
    if (code.isEmpty()) {
        m_newCodeOpen = false;
        reject();
        return;
    }
    const QString select = QStringLiteral("select * from KitMaster where codigo = ") + QuoteSql(code);
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), select, Open);
    if (!LOGON->KitMaster.isEmpty()) {
        Dialogs::message(CodeTaken);
        m_newCode->setFocus(Qt::OtherFocusReason);
        return;
    }
    LOGON->RunOnQuery(QStringLiteral("atualiza"),
                      QStringLiteral("insert into KitMaster (id,codigo) values (GEN_ID(KITMASTER,1),") + QuoteSql(code)
                          + QLatin1Char(')'),
                      Exec);
    openCopy(select);
    m_newCodeOpen = false;
    m_newCode->hide();
    m_code->show();
    m_nome->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- confirm, delete

void TFormKit::BitBtn3Click()
{
    // Every kit the copy holds is there already (kits are created in the
    // database at once), so confirming writes the edited names and values.
    // A value that does not convert or a write the database refuses reaches
    // the operator; the edits not written stay for another try.
    m_binder->post();
    m_copy->applyUpdates(*LOGON);
}

void TFormKit::BitBtn2Click()
{
    if (m_copy->isEmpty())
        return;
    if (!Dialogs::askDelete())
        return;
    const QString id = Format::FormatFloat(QStringLiteral("0"), m_copy->number(QStringLiteral("ID")));
    const QString code = currentCode();
    LOGON->RunOnQuery(QStringLiteral("atualiza"), QStringLiteral("delete from KitMaster where id = ") + QuoteSql(id),
                      Exec);
    // Its items go with it: a kit created later with the same code must start empty.
    LOGON->RunOnQuery(QStringLiteral("atualiza"), QStringLiteral("delete from KitProd where codigo = ") + QuoteSql(code),
                      Exec);
    rereadCopy();
}

// ---------------------------------------------------------------- composition, menus

void TFormKit::BitBtn4Click()
{
    const QString code = m_code->text();
    LOGON->RunOnQuery(QStringLiteral("kitprod"), QStringLiteral("select * from kitprod where Codigo = ") + QuoteSql(code),
                      Open);
    TFormKitItens editor(this);
    editor.setKit(code, m_nome->text(), m_valor->text());
    Dialogs::execModal(&editor);
}

void TFormKit::AVisualizarClick() { ShowModalForm<TFormVerKits>(this); }

void TFormKit::ARelatoriosClick()
{
    TFormImpKits report;
    ReportOutput::preview(report.generate(), this);
}

void TFormKit::BImprimirClick()
{
    const QString code = currentCode();
    LOGON->RunOnQuery(QStringLiteral("kitprod"), QStringLiteral("select * from KitProd where codigo = ") + QuoteSql(code),
                      Open);
    TFormImpPratoQui sheet;
    sheet.setProductLine(code + QStringLiteral(" / ") + (m_copy->isEmpty() ? QString() : m_copy->text(Nome)));
    sheet.setStoredTotal(Format::FormatFloat(QStringLiteral("#,##0.00"), m_copy->isEmpty() ? 0.0 : m_copy->number(Valot)));
    ReportOutput::preview(sheet.generate(), this);
}

void TFormKit::AComoUtilizarClick() { ShowModalForm<TFormAjuKits>(this); }

void TFormKit::ZSairClick() { reject(); }

void TFormKit::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        m_newCodeOpen = false;
        if (LOGON)
            guarded([] { LOGON->CloseSharedQueries(); });
    }
    QDialog::done(result);
}
