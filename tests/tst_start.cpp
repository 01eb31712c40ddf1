// Program start and the main window.
#include "tests/support/TestEnv.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QToolButton>

class TestStart : public QObject
{
    Q_OBJECT
private slots:
    void secondCopyIsRefused();
    void lockOfACrashedCopyDoesNotBlock();
    void menuAndToolbarAsTabled();
    void statusBarAndClosingSteps();
    void missingDatabaseEndsTheStartWithOneError();
    void failedUpgradeEndsTheStartBeforeLogin();
    void dateFormatCheck_data();
    void dateFormatCheck();
    void f2StartsACalculatorEachTime();
    void logoIsKeptAcrossStarts();

private:
    static QStringList menuDump(QMenuBar *bar);
};

void TestStart::secondCopyIsRefused()
{
    QTemporaryDir dir;
    const QString lock = dir.path() + "/InstanciaIniciadaEstoque.lock";
    QVERIFY(claimSingleCopy(*qApp, lock));
    QVERIFY(Dialogs::takeShown().isEmpty());
    QVERIFY(!claimSingleCopy(*qApp, lock));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QString("Você não pode executar outra cópia do aplicativo."));
    QCOMPARE(shown[0].caption, QString("Informação do Sistema"));
}

void TestStart::lockOfACrashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString lock = dir.path() + "/InstanciaIniciadaEstoque.lock";
    QProcess holder;
    holder.start("flock", {"--no-fork", "-n", lock, "sleep", "60"});
    QVERIFY(holder.waitForStarted());
    QTest::qWait(300);
    QVERIFY(!acquireSingleInstance(lock));
    holder.kill(); // the running copy dies without cleaning up
    holder.waitForFinished();
    QVERIFY(QFile::exists(lock));
    QVERIFY(acquireSingleInstance(lock));
}

QStringList TestStart::menuDump(QMenuBar *bar)
{
    QStringList out;
    for (QAction *top : bar->actions()) {
        out << top->text();
        for (QAction *a : top->menu()->actions())
            out << (a->isSeparator() ? QString("  ----") : "  " + a->text());
    }
    return out;
}

void TestStart::menuAndToolbarAsTabled()
{
    TestRoot root;
    queueLogin("KESTRUM", "7358");
    TForm1 form;
    QVERIFY(form.started());
    const QStringList expected = {
        "&1-Arquivos", "  &A-Movimenta Estoque", "  &C-Altera Lançamento", "  &D-Arquivo de Log do Sistema",
        "  ----", "  &E-Sair do Programa",
        "&2-Relatorios", "  &A-Posição do Estoque Atual", "  &B-Balancete mensal p/mês",
        "  &C-Relatório entrada/saida p/Fornecedor", "  &D-Relatório de Saida p/Centro de Custo  ",
        "  &E-Relatório de Saida por Cliente", "  &F-Ficha de Movimento", "  &G-Listagem Geral dos Produtos",
        "  I&-Etiqueta Argox", "  &H-Etiquetas Cod Barra (Grandes)", "  &Z-Etiquetas Cod Barra (Pequenas)",
        "  &R-Tabela de Venda", "  ----", "  &J-Relatorio de Entrada", "  &L-Relatorio de Saida", "  ----",
        "  &M-Listagem de Fornecedor", "  &N-Listagem de Clientes", "  &O-Inventário", "  &P-Estoque Minimo",
        "  &Q-Contar Estoque", "  &R-Relatório validade produtos",
        "&3-Cadastros", "  &A-Cadastro de Produtos", "  &B-Cadastro de Fornecedor", "  &C-Cadastro de Cliente",
        "  &D-Cadastro da Empresa", "  ----", "  &E-Cadastro de Familia / Grupos",
        "  &F-Cadastro de Centro de Custo ", "  ----", "  &G-Manutenção de Senha",
        "&4-Controle de Compras", "  ----", "  &A-Cadastro de Pedido", "  ----",
        "&5-Exporta", "  &A-Exporta arquivo para Excel",
        "&6-Setup", "  &X-Altera o Logo da Empresa", "  &L-Inicializar todos os arquivos  (Zerar)",
        "  &M-Configura Programa", "  ----", "  &E-Setup Configura Rede (IP Servidor)", "  ----",
        "  &H-Copia de Segurança (Backup)", "  &J-Copia de Segurança (Restore)",
        "&7-Sair do Programa", "  &A-Sair do Programa",
    };
    QCOMPARE(menuDump(form.menuBar()), expected);

    QStringList buttons;
    for (QToolButton *b : form.findChildren<QToolButton *>()) {
        if (!b->objectName().startsWith("tool_"))
            continue;
        QCOMPARE(b->size(), QSize(105, 92));
        buttons << b->text();
    }
    QCOMPARE(buttons, QStringList({"Cadastro de produtos", "Movimenta estoque", "Composição Produto",
                                   "Pedido Compras", "Relatório Estoque", "Ficha do Produto", "Sair do Sistema"}));
}

void TestStart::statusBarAndClosingSteps()
{
    TestRoot root;
    queueLogin("kestrum", "7358");
    {
        TForm1 form;
        form.show();
        QCOMPARE(form.statusText(), QString("|  LOJA TESTE   |   Operador: KESTRUM   | "));
        Dialogs::takeShown();
        form.findChild<QAction *>("menu_sair")->trigger();
        QVERIFY(!form.isVisible());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("** Faça backup do sistema regularmente **\n"
                                        "** Utilize o aplicativo instalado junto com o programa  **"));
    }
    auto logon = root.connect();
    const TLOGON::Result r = logon->runStatement("select historico, usuario from logs order by id", true);
    QCOMPARE(r.rows.size(), 2);
    QCOMPARE(r.rows[0][0].toString(), QString("Entrou no sistema nessa data e hora "));
    QCOMPARE(r.rows[1][0].toString(), QString("Saiu do sistema nessa data e hora"));
    QCOMPARE(r.rows[1][1].toString(), QString("KESTRUM"));
}

void TestStart::missingDatabaseEndsTheStartWithOneError()
{
    TestRoot root;
    QVERIFY(QFile::remove(root.database()));
    TForm1 form;
    QVERIFY(!form.started());
    form.show();
    QTRY_VERIFY(!form.isVisible());
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2); // the database's error, then the reminder: no login, no second error
    QCOMPARE(shown[0].kind, QString("error"));
    QVERIFY(!shown[0].text.isEmpty());
    QCOMPARE(shown[1].kind, QString("message"));
    QVERIFY(shown[1].text.startsWith("** Faça backup"));
}

void TestStart::failedUpgradeEndsTheStartBeforeLogin()
{
    TestRoot root;
    {
        auto logon = root.connect();
        logon->RunOnQuery("atualiza", "drop table produtos", "exec");
    }
    TForm1 form;
    QVERIFY(!form.started());
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
    QVERIFY2(shown[0].text.contains("PRODUTOS", Qt::CaseInsensitive), qPrintable(shown[0].text));
}

void TestStart::dateFormatCheck_data()
{
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("ok");
    QTest::newRow("slashes") << "25/03/21" << true;
    QTest::newRow("dashes") << "25-03-21" << false;
    QTest::newRow("dots") << "25.03.21" << false;
    QTest::newRow("four-digit year") << "25/03/2021" << false;
    QTest::newRow("short") << "5/3/21" << false;
}

void TestStart::dateFormatCheck()
{
    QFETCH(QString, today);
    QFETCH(bool, ok);
    QCOMPARE(TForm1::dateFormatOk(today), ok);
}

void TestStart::f2StartsACalculatorEachTime()
{
    QTemporaryDir bin;
    QFile calc(bin.path() + "/xcalc");
    QVERIFY(calc.open(QIODevice::WriteOnly));
    calc.write("#!/bin/sh\n");
    calc.close();
    calc.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());

    TestRoot root;
    queueLogin("KESTRUM", "7358");
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Dialogs::takeShown();
    QTest::keyClick(&form, Qt::Key_F2);
    QTest::keyClick(&form, Qt::Key_F2);
    qputenv("PATH", path);
    int started = 0;
    for (const auto &s : Dialogs::takeShown())
        if (s.kind == "program" && s.caption.endsWith("/xcalc"))
            ++started;
    QCOMPARE(started, 2);
    form.close();
}

void TestStart::logoIsKeptAcrossStarts()
{
    TestRoot root;
    const QString picture = root.root() + "/logo.png";
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    {
        queueLogin("KESTRUM", "7358");
        TForm1 form;
        QVERIFY(!form.hasLogo());
        Dialogs::queueText(picture);
        form.findChild<QAction *>("menu_logo")->trigger();
        QVERIFY(form.hasLogo());
        form.close();
    }
    QFile ini(root.install() + "/templogo.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(ini.readLine()).trimmed(), picture);
    ini.close();
    {
        queueLogin("KESTRUM", "7358");
        TForm1 form;
        QVERIFY(form.hasLogo());
        form.close();
    }
    QFile::remove(picture);
    Dialogs::takeShown();
    {
        queueLogin("KESTRUM", "7358");
        TForm1 form;
        QVERIFY(!form.hasLogo());
        form.close();
        for (const auto &s : Dialogs::takeShown())
            QVERIFY(s.kind != "error");
    }
}

TAMBLO_TEST_MAIN(TestStart)
#include "tst_start.moc"
