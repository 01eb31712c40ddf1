#include "registries/TFormProd.h"

#include "data/Clock.h"
#include "data/DataGrid.h"
#include "data/FieldBinder.h"
#include "data/Format.h"
#include "data/Globals.h"
#include "data/Parse.h"
#include "data/Paths.h"
#include "data/Routines.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "registries/TFormEstIni.h"
#include "registries/TFormLcPro.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Errors.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/ShowModal.h"
#include "ui/Texts.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString Codigo = QStringLiteral("CODIGO");
const QString Atualiza = QStringLiteral("atualiza");
const QString Pesquisa = QStringLiteral("pesquisa");
const QString Open = QStringLiteral("open");
const QString Exec = QStringLiteral("exec");

const QString CopySql = QStringLiteral("Select * from Produtos order by codigo");
const QString NotFoundAsk = QStringLiteral("Produto nao Localizado, Cadastra?");
const QString NotNumeric = QStringLiteral("|       Ultimo codigo não numerico...        |");
const QString NoMargin = QStringLiteral("0.0%");

// The photo area of the window.
constexpr int PhotoWidth = 268;
constexpr int PhotoHeight = 198;

const QString CommaAdvice = QStringLiteral("\"só usar a virgula para separar centavos\"");

qint64 roundHalfUp(double x) { return qint64(std::floor(x + 0.5)); }

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

// ---------------------------------------------------------------- photos

namespace ProductPhoto {

QString path(const QString &code)
{
    // The code is typed by the operator: it must not lead the file name out
    // of imagens/ ("../x") nor into a hidden or special name.
    if (code.isEmpty() || code.startsWith(QLatin1Char('.')) || code.contains(QLatin1Char('/'))
        || code.contains(QLatin1Char('\\')) || code.contains(QChar(0)))
        return QString();
    return Paths::install() + QStringLiteral("/imagens/") + code + QStringLiteral(".jpg");
}

QSize storedSize(const QSize &picture)
{
    const double W = picture.width(), H = picture.height();
    if (W <= 0 || H <= 0)
        return QSize();
    const qint64 k = roundHalfUp(W / PhotoWidth);
    if (k < 1) {
        // Narrower than 134 pixels: the width ratio rounds to nothing, so the
        // picture is fitted whole into the photo area instead.
        const double scale = std::min(PhotoWidth / W, PhotoHeight / H);
        return QSize(int(std::max<qint64>(1, roundHalfUp(W * scale))),
                     int(std::max<qint64>(1, roundHalfUp(H * scale))));
    }
    qint64 w = PhotoWidth;
    qint64 h = roundHalfUp(H / double(k));
    if (h >= PhotoHeight + 1) {
        const qint64 k2 = roundHalfUp(H / PhotoHeight);
        w = std::max<qint64>(1, roundHalfUp(W / double(k2)));
        h = PhotoHeight;
    }
    return QSize(int(w), int(h));
}

QImage store(const QString &source, const QString &code)
{
    const QString target = path(code);
    if (target.isEmpty())
        return QImage();
    QImageReader reader(source);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(QStringLiteral("Imagem inválida: %1\n%2").arg(source, reader.errorString()));
    const QSize size = storedSize(picture.size());
    if (size.isEmpty())
        throw AppError(QStringLiteral("Imagem inválida: %1").arg(source));
    const QImage stored = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);

    QDir().mkpath(QFileInfo(target).absolutePath());
    // Written beside the old photo and renamed over it only once complete:
    // a failure at any point leaves the old photo as it was.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Não foi possível gravar a foto %1\n%2").arg(target, out.errorString()));
    QImageWriter writer(&out, "jpg");
    if (!writer.write(stored)) {
        const QString why = writer.errorString();
        out.cancelWriting();
        throw AppError(QStringLiteral("Não foi possível gravar a foto %1\n%2").arg(target, why));
    }
    if (!out.commit())
        throw AppError(QStringLiteral("Não foi possível gravar a foto %1\n%2").arg(target, out.errorString()));
    return stored;
}

} // namespace ProductPhoto

// ---------------------------------------------------------------- window

TFormProd::TFormProd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormProd"));
    setWindowTitle(QStringLiteral(".:  Cadastro de Produto  :."));
    setModal(true);
    Look::setFace(this);

    m_copy = new WorkingCopy(QStringLiteral("PRODUTOS"), QStringLiteral("ID"), this);
    m_binder = new FieldBinder(m_copy, this);
    m_enter = new EnterChain(this);

    guarded([this] { readColumnLengths(); });
    buildWindow();
    guarded([this] { FormCreate(); });
}

TFormProd::~TFormProd() = default;

void TFormProd::readColumnLengths()
{
    // Databases upgraded from older versions hold NCM and EXTENDIDA shorter
    // than a fresh installation: the edits take what the real columns hold.
    if (!LOGON)
        return;
    const TLOGON::Result r = LOGON->runStatement(
        QStringLiteral("select rf.rdb$field_name, f.rdb$character_length from rdb$relation_fields rf "
                       "join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                       "where rf.rdb$relation_name = 'PRODUTOS'"),
        true);
    for (const auto &row : r.rows) {
        if (row.size() < 2 || row.at(1).isNull())
            continue;
        m_lengths.insert(row.at(0).toString().trimmed().toUpper(), row.at(1).toInt());
    }
}

int TFormProd::columnLength(const QString &column, int fallback) const
{
    const int n = m_lengths.value(column.toUpper(), 0);
    return n > 0 ? n : fallback;
}

void TFormProd::buildWindow()
{
    resize(980, 660);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    auto *band = new TitleBand(QStringLiteral("Cadastro de Produtos"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    layout->addLayout(body, 1);

    // Left: the fields, then the grid. Right: counts, photo, buttons.
    auto *left = new QVBoxLayout;
    body->addLayout(left, 1);
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(2);
    left->addLayout(fields);

    auto addField = [&](QWidget *w, const QString &text, int row, int col, int span = 1) {
        auto *label = new QLabel(text, this);
        label->setBuddy(w);
        fields->addWidget(label, row * 2, col, 1, span);
        fields->addWidget(w, row * 2 + 1, col, 1, span);
    };
    auto textEdit = [&](const char *name, const QString &field, int fallback, bool upper) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        if (upper)
            Edits::upperCase(edit);
        m_binder->bindText(edit, field, columnLength(field, fallback));
        return edit;
    };
    auto numberEdit = [&](const char *name, const QString &field, const QString &mask) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAlignment(Qt::AlignRight);
        m_binder->bindNumber(edit, field, mask);
        // What was typed reaches the copy when the field is left, as a bound
        // field posts its value; a number that does not read is refused there.
        connect(edit, &QLineEdit::editingFinished, this, [this] { guarded([this] { postEdits(); }); });
        return edit;
    };

    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("Edit1"));
    Edits::upperCase(m_code);
    Edits::limit(m_code, columnLength(Codigo, 14));
    m_code->setToolTip(QStringLiteral(
        "Digitar o codigo do produto e teclar ENTER\npara CADASTRAR novo produto utilize a tecla novo\n"
        "o sistema criará seguencialmente o proximo codigo\nse não sabe o codigo do produto pode-se usar o "
        "botão\n\"Localizar\", a busca será feira atraves do nome do produto\nou parte do nome"));
    m_code->installEventFilter(this);

    m_referencia = textEdit("DBEdit1", QStringLiteral("REFERENCIA"), 15, true);
    m_families = new QComboBox(this);
    m_families->setObjectName(QStringLiteral("DBLookupComboBox1"));
    auto *nome = textEdit("DBEdit2", QStringLiteral("NOME"), 40, true);
    nome->setToolTip(QStringLiteral("Nome do produto \"tente abreviar para que caiba no espaço (40 Caracteres)"));
    auto *extendida = textEdit("DBEdit3", QStringLiteral("EXTENDIDA"), 80, false);
    m_obs = textEdit("DBEdit4", QStringLiteral("MEMO"), 60, true);
    auto *cor = textEdit("DBEdit5", QStringLiteral("COR"), 10, true);
    auto *ncm = textEdit("DBEdit6", QStringLiteral("NCM"), 10, false);
    auto *unidade = textEdit("DBEdit7", QStringLiteral("UNIDADE"), 2, true);
    Edits::decimalComma(unidade);
    unidade->setToolTip(QStringLiteral("Informar a Unidade \"EX: PC, KG, MT UN...."));
    auto *minimo = numberEdit("DBEdit8", QStringLiteral("MINIMO"), QString());
    minimo->setToolTip(QStringLiteral("Informar a quantidade minima que\ndeve haver no estoque deste produto\n"
                                      "informação necessaria para que o sistema \npossa atraves de relatorio "
                                      "solicitar reposição"));
    m_suppliers = new QComboBox(this);
    m_suppliers->setObjectName(QStringLiteral("DBLookupComboBox2"));
    auto *maximo = numberEdit("DBEdit9", QStringLiteral("MAXIMO"), QString());
    auto *icms = textEdit("DBEdit10", QStringLiteral("IMPFISCAL"), 4, true);
    icms->setToolTip(QStringLiteral("informar aliquota do ICMS para venda \"EX: 1700  = 17%"));
    auto *locacao = textEdit("DBEdit11", QStringLiteral("LOCACAO"), 5, true);
    locacao->setToolTip(QStringLiteral("Informe aqui a localização\ndo produto no seu estoque\n"
                                       "Ex:  A-001  (Estante A Prateleira 001)"));
    auto *serie = textEdit("DBEdit12", QStringLiteral("COR"), 10, true);
    auto *ipi = numberEdit("DBEdit13", QStringLiteral("IPI"), QString());
    auto *marca = textEdit("DBEdit14", QStringLiteral("GARANTIA"), 15, true);
    auto *validade = new QLineEdit(this);
    validade->setObjectName(QStringLiteral("DBEdit15"));
    Edits::limit(validade, 10);
    m_binder->bindDate(validade, QStringLiteral("VALIDADE"));
    connect(validade, &QLineEdit::editingFinished, this, [this] { guarded([this] { postEdits(); }); });
    auto *numero = textEdit("DBEdit16", QStringLiteral("NUMERO"), 5, true);
    auto *custo = numberEdit("DBEdit17", QStringLiteral("CUSTO"), QStringLiteral("0.00"));
    custo->setToolTip(QStringLiteral("Custo do produto, ") + CommaAdvice);
    auto *venda = numberEdit("DBEdit18", QStringLiteral("VALOR"), QStringLiteral("0.00"));
    venda->setToolTip(QStringLiteral("Valor de venda do produto, ") + CommaAdvice);
    auto *tipo = textEdit("DBEdit19", QStringLiteral("TIPO"), 1, true);
    tipo->hide();

    addField(m_code, QStringLiteral("Codigo"), 0, 0);
    addField(m_referencia, QStringLiteral("Referencia"), 0, 1);
    addField(m_families, QStringLiteral("Grupo/Familia"), 0, 2, 3);
    addField(nome, QStringLiteral("Produto"), 1, 0, 3);
    addField(unidade, QStringLiteral("Unidade"), 1, 3);
    addField(minimo, QStringLiteral("Est.Min"), 1, 4);
    addField(extendida, QStringLiteral("Descrição"), 2, 0, 4);
    addField(maximo, QStringLiteral("Est.Max"), 2, 4);
    addField(cor, QStringLiteral("Cor"), 3, 0);
    addField(ncm, QStringLiteral("NCM"), 3, 1);
    addField(m_suppliers, QStringLiteral("Fornecedor"), 3, 2, 3);
    addField(icms, QStringLiteral("ICMS I/Fiscal"), 4, 0);
    addField(ipi, QStringLiteral("Aliq IPI %"), 4, 1);
    addField(locacao, QStringLiteral("Localização"), 4, 2);
    addField(serie, QStringLiteral("Serie"), 4, 3);
    addField(marca, QStringLiteral("Marca"), 4, 4);
    addField(validade, QStringLiteral("Validade Produto"), 5, 0);
    addField(numero, QStringLiteral("Num/Tamanho"), 5, 1);
    addField(custo, QStringLiteral("Custo"), 5, 2);
    addField(venda, QStringLiteral("Venda"), 5, 3);
    addField(m_obs, QStringLiteral("Obs"), 6, 0, 5);

    // Derived figures of the current product.
    auto *figures = new QHBoxLayout;
    auto addFigure = [&](const char *labelName, const QString &text, const char *valueName,
                         const QString &initial) {
        auto *l = caption(text, this);
        l->setObjectName(QString::fromLatin1(labelName));
        auto *v = caption(initial, this);
        v->setObjectName(QString::fromLatin1(valueName));
        v->setFrameShape(QFrame::Panel);
        v->setFrameShadow(QFrame::Sunken);
        v->setMinimumWidth(80);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        figures->addWidget(l);
        figures->addWidget(v);
        figures->addSpacing(12);
        return v;
    };
    m_balance = addFigure("Label3", QStringLiteral("Estoque ->"), "Label4", QStringLiteral("0,0"));
    m_average = addFigure("Label5", QStringLiteral("Custo Medio"), "Label6", QString());
    m_margin = addFigure("Label7", QStringLiteral("Margem"), "Label8", NoMargin);
    figures->addStretch();
    left->addLayout(figures);

    auto *help1 = new QLabel(QStringLiteral("Coloque o mouse, sobre as celulas"), this);
    help1->setObjectName(QStringLiteral("Label9"));
    auto *help2 = new QLabel(QStringLiteral("e receberá ajuda"), this);
    help2->setObjectName(QStringLiteral("Label10"));
    auto *help = new QHBoxLayout;
    help->addWidget(help1);
    help->addWidget(help2);
    help->addStretch();
    left->addLayout(help);

    m_grid = new DataGrid(m_copy,
                          {{Codigo, QStringLiteral("CODIGO"), QString(), 120},
                           {QStringLiteral("NOME"), QStringLiteral("NOME"), QString(), 0}},
                          this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setMinimumHeight(160);
    left->addWidget(m_grid, 1);
    m_navigator = new Navigator(m_copy, this);
    m_navigator->setObjectName(QStringLiteral("DBNavigator1"));
    left->addWidget(m_navigator);

    // Right column.
    auto *right = new QVBoxLayout;
    body->addLayout(right);
    auto *countRow = new QHBoxLayout;
    auto *countLabel = caption(QStringLiteral("Prod Cadastrado.:"), this);
    countLabel->setObjectName(QStringLiteral("Label1"));
    m_count = caption(QString(), this);
    m_count->setObjectName(QStringLiteral("Label2"));
    countRow->addStretch();
    countRow->addWidget(countLabel);
    countRow->addWidget(m_count);
    right->addLayout(countRow);

    auto *photoCaption = caption(QStringLiteral("Foto do Produto"), this);
    photoCaption->setObjectName(QStringLiteral("Label11"));
    right->addWidget(photoCaption);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setAutoFillBackground(true);
    QPalette sky = panel->palette();
    sky.setColor(QPalette::Window, QColor(0xA6, 0xCA, 0xF0));
    panel->setPalette(sky);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    m_photo = new QLabel(panel);
    m_photo->setObjectName(QStringLiteral("Image1"));
    m_photo->setFixedSize(PhotoWidth, PhotoHeight);
    m_photo->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_photo);
    right->addWidget(panel);

    auto *automatic = makeButton("BitBtn1", QStringLiteral("Novo numeração\n&Automatico"), this);
    auto *novo = makeButton("BitBtn2", QStringLiteral("&Novo"), this);
    m_clone = makeButton("BitBtn3", QStringLiteral("Copiar/Clonar Reg"), this);
    m_clone->setEnabled(false);
    auto *search = makeButton("BitBtn4", QStringLiteral("&Loc p/Nome"), this);
    auto *remove = makeButton("BitBtn5", QStringLiteral("&Excluir"), this);
    auto *back = makeButton("BitBtn6", QStringLiteral("&Retornar"), this);
    auto *photo = makeButton("BitBtn7", QStringLiteral("Cadastro/Altera &Foto"), this);
    auto *confirm = makeButton("BitBtn8", QStringLiteral("&Confirme/Atualizar"), this);
    auto *buttons = new QGridLayout;
    buttons->addWidget(automatic, 0, 0);
    buttons->addWidget(novo, 0, 1);
    buttons->addWidget(m_clone, 1, 0);
    buttons->addWidget(search, 1, 1);
    buttons->addWidget(remove, 2, 0);
    buttons->addWidget(back, 2, 1);
    buttons->addWidget(photo, 3, 0, 1, 2);
    buttons->addWidget(confirm, 4, 0, 1, 2);
    right->addLayout(buttons);
    right->addStretch();

    onSignal(automatic, &QPushButton::clicked, this, &TFormProd::BitBtn1Click);
    onSignal(novo, &QPushButton::clicked, this, &TFormProd::BitBtn2Click);
    onSignal(m_clone, &QPushButton::clicked, this, &TFormProd::BitBtn3Click);
    onSignal(search, &QPushButton::clicked, this, &TFormProd::BitBtn4Click);
    onSignal(remove, &QPushButton::clicked, this, &TFormProd::BitBtn5Click);
    onSignal(back, &QPushButton::clicked, this, &TFormProd::BitBtn6Click);
    onSignal(photo, &QPushButton::clicked, this, &TFormProd::BitBtn7Click);
    onSignal(confirm, &QPushButton::clicked, this, &TFormProd::BitBtn8Click);
    onSignal(m_grid, &DataGrid::rowChosen, this, &TFormProd::DBGrid1CellClick);
    for (QToolButton *button : m_navigator->findChildren<QToolButton *>()) {
        // Typed numbers reach the copy before it moves away from their row.
        onSignal(button, &QToolButton::pressed, this, &TFormProd::postEdits);
        onSignal(button, &QToolButton::clicked, this, &TFormProd::DBNavigator1Click);
    }

    // The drop-down lists follow the row and write only what the operator picks.
    connect(m_copy, &WorkingCopy::rowChanged, this, &TFormProd::showLists);
    connect(m_copy, &WorkingCopy::reset, this, &TFormProd::showLists);
    connect(m_copy, &WorkingCopy::valueChanged, this, [this](int, const QString &field) {
        if (field.isEmpty() || field.compare(QStringLiteral("CLASSE"), Qt::CaseInsensitive) == 0
            || field.compare(QStringLiteral("FORNECEDOR"), Qt::CaseInsensitive) == 0)
            showLists();
    });
    connect(m_families, &QComboBox::activated, this, [this](int index) {
        guarded([&] {
            if (index >= 0 && !m_copy->isEmpty())
                m_copy->setValue(QStringLiteral("CLASSE"), m_families->itemData(index).toString());
        });
    });
    connect(m_suppliers, &QComboBox::activated, this, [this](int index) {
        guarded([&] {
            if (index >= 0 && !m_copy->isEmpty())
                m_copy->setValue(QStringLiteral("FORNECEDOR"), m_suppliers->itemData(index).toInt());
        });
    });

    // Enter chain, in the order the operator fills a new product.
    m_enter->link(m_code, m_referencia);
    m_enter->link(nome, extendida);
    m_enter->link(extendida, cor);
    m_enter->link(cor, ncm);
    m_enter->link(ncm, unidade);
    m_enter->link(unidade, minimo);
    m_enter->link(minimo, maximo);
    m_enter->link(maximo, icms);
    m_enter->link(icms, ipi);
    m_enter->link(ipi, locacao);
    m_enter->link(locacao, serie);
    m_enter->link(serie, marca);
    m_enter->link(marca, validade);
    m_enter->link(validade, numero);
    m_enter->link(numero, custo);
    m_enter->link(custo, venda);
    m_enter->link(venda, m_obs);
    m_enter->link(m_obs, [this] { BitBtn8Click(); });

    m_code->setFocus();
}

// ---------------------------------------------------------------- opening

void TFormProd::FormCreate()
{
    fillLists();
    InitialStockDate = Clock::today();
    loadCopy();
    showCount(QStringLiteral("select Count(*) as tg from produtos"), QStringLiteral("tg"));
    m_code->setText(currentCode().trimmed());
    showAverageCost();
    showMargin();
}

void TFormProd::fillLists()
{
    LOGON->RunOnQuery(QStringLiteral("Tipos"), QStringLiteral("select * from tipos order by codigo"), Open);
    m_families->clear();
    for (SharedQuery &q = LOGON->Tipos; !q.eof(); q.next())
        m_families->addItem(q.text(QStringLiteral("NOME")), q.value(Codigo).toString().trimmed());
    LOGON->RunOnQuery(QStringLiteral("fornecedor"), QStringLiteral("select * from fornecedor order by codigo"), Open);
    m_suppliers->clear();
    for (SharedQuery &q = LOGON->Fornecedor; !q.eof(); q.next())
        m_suppliers->addItem(q.text(QStringLiteral("NOME")), q.value(Codigo).toInt());
    LOGON->Tipos.first();
    LOGON->Fornecedor.first();
    showLists();
}

void TFormProd::showLists()
{
    const bool any = !m_copy->isEmpty() && m_copy->hasField(QStringLiteral("CLASSE"));
    const QString family = any ? m_copy->text(QStringLiteral("CLASSE")).trimmed() : QString();
    const QVariant supplier = any ? m_copy->value(QStringLiteral("FORNECEDOR")) : QVariant();
    m_families->setCurrentIndex(family.isEmpty() ? -1 : m_families->findData(family));
    m_suppliers->setCurrentIndex(supplier.isNull() ? -1 : m_suppliers->findData(supplier.toInt()));
}

void TFormProd::loadCopy()
{
    LOGON->RunOnQuery(QStringLiteral("produtos"), CopySql, Open);
    m_copy->load(LOGON->Produtos);
}

void TFormProd::rereadCopy()
{
    // Rows written meanwhile by other machines come in; the operator's
    // unapplied edits of other products are kept.
    LOGON->RunOnQuery(QStringLiteral("produtos"), CopySql, Open);
    m_copy->reload(LOGON->Produtos);
}

void TFormProd::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { FormShow(); });
}

void TFormProd::FormShow()
{
    ShowModalForm<TFormLcPro>(this);
    if (SelectedCode.isEmpty() || !m_copy->locate(Codigo, SelectedCode))
        m_copy->first();
    showCurrent();
}

void TFormProd::done(int result)
{
    if (LOGON) {
        try {
            LOGON->CloseSharedQueries();
        } catch (const AppError &) {
            // Closing a query that failed to close changes nothing for the operator.
        }
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------- current product

QString TFormProd::currentCode() const
{
    return m_copy->isEmpty() ? QString() : m_copy->text(Codigo);
}

void TFormProd::normalizeCode() { m_code->setText(NormalizeProductCode(m_code->text())); }

void TFormProd::showCurrent()
{
    m_code->setText(currentCode().trimmed());
    showAverageCost();
    loadPhoto();
    showBalance();
}

void TFormProd::showAverageCost()
{
    const double medio = m_copy->isEmpty() ? 0.0 : m_copy->number(QStringLiteral("MEDIO"));
    m_average->setText(Format::FormatFloat(QStringLiteral("##0.00"), medio));
}

void TFormProd::showMargin()
{
    const double custo = m_copy->isEmpty() ? 0.0 : m_copy->number(QStringLiteral("CUSTO"));
    const double valor = m_copy->isEmpty() ? 0.0 : m_copy->number(QStringLiteral("VALOR"));
    if (custo == 0.0 || !std::isfinite(valor / custo)) {
        m_margin->setText(NoMargin);
        return;
    }
    m_margin->setText(Format::FormatFloat(QStringLiteral("0.0%"), valor / custo * 100.0 - 100.0));
}

void TFormProd::showBalance()
{
    normalizeCode();
    LOGON->RunOnQuery(Pesquisa,
                      QStringLiteral("Select sum(saida) as tsai, sum(entrada) as tent from estfic where codigo = ")
                          + QuoteSql(currentCode()),
                      Open);
    // No movement: the sums are null and count as 0.
    const double tsai = LOGON->Pesquisa.number(QStringLiteral("tsai"));
    const double tent = LOGON->Pesquisa.number(QStringLiteral("tent"));
    m_balance->setText(Format::FormatFloat(QStringLiteral("0.0##"), tent - tsai));
}

void TFormProd::showCount(const QString &sql, const QString &field)
{
    LOGON->RunOnQuery(Pesquisa, sql, Open);
    m_count->setText(Format::FormatFloat(QStringLiteral("#000"), LOGON->Pesquisa.integer(field)));
}

void TFormProd::loadPhoto()
{
    m_photo->clear();
    const QString file = ProductPhoto::path(m_code->text());
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    QImage image = reader.read();
    if (image.isNull())
        return; // no photo, or one that does not read: the area stays empty
    if (image.width() > PhotoWidth || image.height() > PhotoHeight)
        image = image.scaled(PhotoWidth, PhotoHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_photo->setPixmap(QPixmap::fromImage(image));
}

void TFormProd::postEdits() { m_binder->post(); }

void TFormProd::DBGrid1CellClick() { showCurrent(); }

void TFormProd::DBNavigator1Click() { showCurrent(); }

// ---------------------------------------------------------------- the code field

bool TFormProd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_code && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Only real moves of the focus inside this window count: not a message
        // box taking the focus for a moment, nor the window closing.
        const bool real = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
                       && reason != Qt::NoFocusReason;
        if (event->type() == QEvent::FocusIn) {
            if (real)
                guarded([this] { Edit1Enter(); });
        } else {
            QWidget *next = QApplication::focusWidget();
            if (real && next && next->window() == this && isVisible() && !m_inExit) {
                m_inExit = true;
                guarded([this] { Edit1Exit(); });
                m_inExit = false;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormProd::Edit1Enter()
{
    showCount(QStringLiteral("select count(*) as treg from produtos"), QStringLiteral("treg"));
    m_clone->setEnabled(false);
}

void TFormProd::Edit1Exit()
{
    normalizeCode();
    const QString code = m_code->text();
    if (code.isEmpty()) {
        m_code->setText(currentCode().trimmed());
        loadPhoto();
        showBalance();
        reject();
        return;
    }
    m_justCreated = false;
    if (m_copy->locate(Codigo, code)) {
        showAverageCost();
        showMargin();
    } else if (Dialogs::askYesNo(NotFoundAsk, QStringLiteral("Aviso"), true)) {
        try {
            createProduct(code);
        } catch (const AppError &) {
            // The code field must not go on naming a product that was not
            // created: a confirmation would give it an initial stock.
            m_justCreated = false;
            m_code->setText(currentCode().trimmed());
            m_code->setFocus();
            throw;
        }
    } else {
        m_margin->setText(NoMargin);
        m_code->setText(currentCode().trimmed());
        showMargin();
        m_code->setFocus();
    }
    m_code->setText(currentCode().trimmed());
    loadPhoto();
    showBalance();
}

void TFormProd::createProduct(const QString &code)
{
    // The copy may be hours old: another machine may have registered this
    // code since. The database decides, right before the insert.
    LOGON->RunOnQuery(Pesquisa, QStringLiteral("select count(*) as tg from produtos where codigo = ") + QuoteSql(code),
                      Open);
    if (LOGON->Pesquisa.integer(QStringLiteral("tg")) > 0) {
        rereadCopy();
        m_copy->locate(Codigo, code);
        showAverageCost();
        showMargin();
        m_referencia->setFocus();
        return;
    }
    LOGON->RunOnQuery(QStringLiteral("Atualiza"),
                      QStringLiteral("INSERT INTO Produtos (id,Codigo) values (GEN_ID(PRODUTO,1),") + QuoteSql(code)
                          + QStringLiteral(")"),
                      Exec);
    m_justCreated = true;
    rereadCopy();
    m_copy->locate(Codigo, code);
    m_clone->setEnabled(true);
    m_referencia->setFocus();
}

// ---------------------------------------------------------------- buttons

void TFormProd::BitBtn1Click()
{
    m_average->clear();
    m_code->clear();
    m_copy->last();
    int last = 0;
    if (!m_copy->isEmpty() && Parse::tryInteger(currentCode(), &last))
        m_code->setText(Format::FormatFloat(QStringLiteral("#0"), double(last) + 1.0));
    else
        Dialogs::message(NotNumeric);
    m_code->setFocus();
    showBalance();
}

void TFormProd::BitBtn2Click()
{
    m_average->clear();
    m_code->clear();
    m_copy->last();
    m_code->setFocus();
}

void TFormProd::BitBtn3Click()
{
    // The new product takes every field of the product typed here but its
    // own id, code and average cost; it is written at the next confirmation.
    const QString source = NormalizeProductCode(
        Dialogs::inputBox(QStringLiteral("Clonar Codigo"), QStringLiteral("Digiteo Codigo a ser clonado.."), QString()));
    if (source.isEmpty() || m_copy->isEmpty())
        return;
    LOGON->RunOnQuery(Pesquisa, QStringLiteral("select * from Produtos where codigo = ") + QuoteSql(source), Open);
    SharedQuery &found = LOGON->Pesquisa;
    if (found.isEmpty()) {
        Dialogs::message(Texts::ProductNotFound);
        return;
    }
    static const QStringList kept = {QStringLiteral("ID"), Codigo, QStringLiteral("MEDIO"),
                                     QStringLiteral("COMPL")}; // COMPL: binary, never edited here
    for (const QString &field : m_copy->fieldNames()) {
        if (kept.contains(field, Qt::CaseInsensitive) || !found.hasField(field))
            continue;
        m_copy->setValue(field, found.value(field));
    }
    showMargin();
}

void TFormProd::BitBtn4Click()
{
    m_clone->setEnabled(false);
    m_copy->revertRow();
    ShowModalForm<TFormLcPro>(this);
    if (!SelectedCode.isEmpty())
        m_copy->locate(Codigo, SelectedCode);
    showCurrent();
}

void TFormProd::BitBtn5Click()
{
    if (Dialogs::askDelete() && !m_copy->isEmpty()) {
        const double id = m_copy->number(QStringLiteral("ID"));
        const QString code = currentCode();
        // The product's movements go with it.
        LOGON->RunOnQuery(Atualiza, QStringLiteral("delete from Produtos where id = ")
                                        + QuoteSql(Format::FormatFloat(QStringLiteral("0"), id)),
                          Exec);
        LOGON->RunOnQuery(Atualiza, QStringLiteral("delete from estfic where codigo = ") + QuoteSql(code), Exec);
        rereadCopy();
    }
    m_code->setText(currentCode().trimmed());
    normalizeCode();
    m_code->setFocus();
    showCurrent();
}

void TFormProd::BitBtn6Click() { reject(); }

void TFormProd::BitBtn7Click()
{
    const QString file = Dialogs::openFileName(this, QStringLiteral("Abrir"), QString(),
                                               QStringLiteral("All (*.jpeg *.jpg);;JPEG Image File (*.jpg)"));
    if (file.isEmpty())
        return;
    const QImage stored = ProductPhoto::store(file, m_code->text());
    if (stored.isNull())
        return; // a code that cannot name a photo file
    m_photo->clear();
    QImage shown = stored;
    if (shown.width() > PhotoWidth || shown.height() > PhotoHeight)
        shown = shown.scaled(PhotoWidth, PhotoHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_photo->setPixmap(QPixmap::fromImage(shown));
}

void TFormProd::BitBtn8Click()
{
    // A write that fails shows the database's message and stops here: the
    // edits stay in the copy for another try, and nothing is logged.
    postEdits();
    m_copy->applyUpdates(*LOGON);
    rereadCopy();
    m_clone->setEnabled(false);
    LOGON->AppendLog(QStringLiteral("Alt/Cad Produto"));
    if (m_justCreated) {
        SelectedCode = m_code->text();
        openInitialStock();
    } else {
        m_code->setFocus();
    }
    LOGON->RunOnQuery(Pesquisa,
                      QStringLiteral("select count(*) as tg from estfic where codigo = ") + QuoteSql(m_code->text()),
                      Open);
    if (LOGON->Pesquisa.integer(QStringLiteral("tg")) == 0) {
        SelectedCode = m_code->text();
        openInitialStock();
    }
    m_justCreated = false;
    showCurrent();
}

void TFormProd::openInitialStock() { ShowModalForm<TFormEstIni>(this, m_copy); }
