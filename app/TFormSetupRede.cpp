#include "app/TFormSetupRede.h"

#include "app/TForm1.h"
#include "data/Paths.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

const char *const ServerNotes[] = {
    "=======   SOMENTE NO SERVIDOR  =======",
    "Se esse computador for o SERVIDOR",
    "- Não esquecer de instalar o Firebird",
    "- Abrir a porte no FIREWALL do windows 3050",
    "- Excluir os arquivos na pasta",
    "  C:\\kestrum\\estoque",
    "    - aliases.conf,  firebird.conf ,  gds32.dll",
    "",
    " ",
};

} // namespace

QString TFormSetupRede::setupFile() { return Paths::installFile(QStringLiteral("SetupRede.Ini")); }

TFormSetupRede::TFormSetupRede(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormSetupRede"));
    setWindowTitle(QStringLiteral("..::  Setup da Rede::.."));
    Look::setFace(this);
    resize(460, 400);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    auto *band = new TitleBand(QStringLiteral("Configura o Sistema em Rede"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 10, 16, 0);
    layout->addLayout(body, 1);

    auto *title = new QLabel(QStringLiteral("Informe o Endereco IP do Servidor"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QPalette maroon = title->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    title->setPalette(maroon);
    body->addWidget(title);

    auto *label = new QLabel(QStringLiteral("Endereco IP"), this);
    label->setObjectName(QStringLiteral("Label2"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(m_edit);
    body->addWidget(label);
    body->addWidget(m_edit);

    auto *buttons = new QHBoxLayout;
    auto *confirmar = new QPushButton(QStringLiteral("&C-Confirmar"), this);
    confirmar->setObjectName(QStringLiteral("BitBtn1"));
    auto *retornar = new QPushButton(QStringLiteral("&R-Retornar"), this);
    retornar->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {confirmar, retornar}) {
        b->setMinimumSize(120, 34);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    body->addLayout(buttons);

    auto *memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    QStringList lines;
    for (const char *line : ServerNotes)
        lines << QString::fromUtf8(line);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    body->addWidget(memo, 1);

    onSignal(confirmar, &QPushButton::clicked, this, &TFormSetupRede::BitBtn1Click);
    onSignal(retornar, &QPushButton::clicked, this, &TFormSetupRede::BitBtn2Click);

    FormShow();
    m_edit->setFocus();
}

void TFormSetupRede::FormShow()
{
    QFile file(setupFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QString line = QTextStream(&file).readLine();
    if (!line.trimmed().isEmpty())
        m_edit->setText(line);
}

void TFormSetupRede::BitBtn1Click()
{
    // Whatever is typed, even nothing, replaces the file; the start judges it next time.
    QSaveFile file(setupFile());
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (written) {
        QTextStream out(&file);
        out << m_edit->text() << '\n';
        out.flush();
        written = file.commit();
    }
    if (!written) {
        Dialogs::errorBox(QStringLiteral("Não foi possível gravar o arquivo \"%1\". %2")
                              .arg(setupFile(), file.errorString()));
        return;
    }
    Dialogs::message(QStringLiteral("** IP do Servidor Gravado com sucesso...\n"
                                     "** O sistema precisa ser reiniciado para reconhecer o novo IP"));
    accept();
    // The new address is read only at a start: the program ends through the
    // main window's own closing (backup reminder and exit row in the log).
    if (Form1)
        Form1->close();
}

void TFormSetupRede::BitBtn2Click() { reject(); }
