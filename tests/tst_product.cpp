// The product registry, its initial-stock window and its photos, driven
// through the real windows on a fresh database.
#include "tests/support/TestEnv.h"

#include "app/Openers.h"
#include "data/Clock.h"
#include "data/Globals.h"
#include "data/Paths.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "registries/TFormEstIni.h"
#include "registries/TFormProd.h"
#include "ui/Dialogs.h"
#include "ui/ShowModal.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString NotNumeric = QStringLiteral("|       Ultimo codigo não numerico...        |");

template <typename T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

QLineEdit *edit(QWidget *w, const char *name) { return child<QLineEdit>(w, name); }
QPushButton *button(QWidget *w, const char *name) { return child<QPushButton>(w, name); }
QString label(QWidget *w, const char *name) { return child<QLabel>(w, name)->text(); }

// A product row written straight into the table, as any other window or
// machine would have left it.
void addProduct(TLOGON &logon, const QString &code, const QString &name = QString(),
                const QString &custo = QStringLiteral("NULL"), const QString &valor = QStringLiteral("NULL"))
{
    logon.runStatement(QStringLiteral("insert into produtos (id, codigo, nome, custo, valor) values "
                                      "(GEN_ID(PRODUTO,1), '%1', '%2', %3, %4)")
                           .arg(code, name, custo, valor),
                       false);
}

void addMovement(TLOGON &logon, const QString &code, double entrada, double saida)
{
    logon.runStatement(QStringLiteral("insert into estfic (id, codigo, data, historico, entrada, saida) values "
                                      "(GEN_ID(ESTFIC,1), '%1', '03/01/2026', 'TESTE', %2, %3)")
                           .arg(code)
                           .arg(entrada)
                           .arg(saida),
                       false);
}

int count(TLOGON &logon, const QString &sql) { return scalar(logon, sql).toInt(); }

// Shows the window and makes it the active one, so that focus moves are real.
bool show(QDialog &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// Types a code into Codigo and presses Enter, which leaves the field.
void enterCode(QWidget *w, const QString &text)
{
    QLineEdit *code = edit(w, "Edit1");
    code->setFocus();
    code->clear();
    QTest::keyClicks(code, text);
    QTest::keyClick(code, Qt::Key_Return);
}

QString writePicture(const QString &dir, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    const QString file = dir + QStringLiteral("/picture_%1x%2.jpg").arg(width).arg(height);
    image.save(file, "jpg");
    return file;
}

QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Files larger than a few bytes cannot be written while it lives: the disk is
// "full" for the photo, whoever runs the test (root included).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class TestProduct : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensOnTheSearchedProduct();
    void openerIsRegistered();
    void codeIsNormalisedAndLookedUp_data();
    void codeIsNormalisedAndLookedUp();
    void emptyCodeClosesTheWindow();
    void answeringNoWritesNothing();
    void automaticNumbering_data();
    void automaticNumbering();
    void newProductAsksForInitialStockOnce();
    void existingProductWithoutMovementAsksForInitialStock();
    void initialStockWindow_data();
    void initialStockWindow();
    void deletion_data();
    void deletion();
    void derivedFigures_data();
    void derivedFigures();
    void photoSizes_data();
    void photoSizes();
    void oldPhotoSurvivesAFailedReplacement_data();
    void oldPhotoSurvivesAFailedReplacement();
    void codeCannotReachFilesOutsideImagens_data();
    void codeCannotReachFilesOutsideImagens();
    void codeCreatedMeanwhileElsewhereIsNotInsertedTwice();
    void enteringTheCodeFieldRecounts();
    void failedCreationLeavesNoPhantomCode();
    void failedConfirmationKeepsTheEdits();
    void confirmationWritesOnlyEditedColumns();
    void unappliedEditsSurviveACreation();
    void searchDiscardsTheEditsOfTheCurrentRow();
    void cloneCopiesTheSourceProduct();
    void editsHoldNoMoreThanTheirColumns_data();
    void editsHoldNoMoreThanTheirColumns();
    void enterChain();

private:
    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<TLOGON> m_logon;
};

void TestProduct::init()
{
    m_root = std::make_unique<TestRoot>();
    m_logon = m_root->connect();
    Clock::setFixed(QDateTime(QDate(2026, 3, 10), QTime(9, 30)));
    CurrentUserName = QStringLiteral("ANA");
}

void TestProduct::cleanup()
{
    Clock::setFixed(QDateTime());
    m_logon.reset();
    m_root.reset();
    Dialogs::resetTest();
}

void TestProduct::opensOnTheSearchedProduct()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addProduct(*m_logon, "000002", "PARAFUSO");
    addProduct(*m_logon, "000003", "PREGO");
    // The operator searches "PARAF" in the product search that opens with the window.
    Dialogs::queueModal([](QDialog *pick) {
        QTest::keyClicks(edit(pick, "Edit1"), "paraf");
        pick->accept();
    });
    TFormProd w;
    QVERIFY(show(w));
    const auto modals = shownOfKind(Dialogs::takeShown(), "modal");
    QCOMPARE(modals.size(), 1);
    QCOMPARE(modals.first().caption, QStringLiteral("Localiza Produto"));
    QCOMPARE(edit(&w, "Edit1")->text(), QStringLiteral("000002"));
    QCOMPARE(edit(&w, "DBEdit2")->text(), QStringLiteral("PARAFUSO"));
    QCOMPARE(label(&w, "Label2"), QStringLiteral("003"));
    QCOMPARE(InitialStockDate, QDate(2026, 3, 10));
}

void TestProduct::openerIsRegistered()
{
    QVERIFY(openers().contains("prod"));
    openers().value("prod")(nullptr);
    const auto modals = shownOfKind(Dialogs::takeShown(), "modal");
    QVERIFY(!modals.isEmpty());
    QCOMPARE(modals.last().caption, QStringLiteral(".:  Cadastro de Produto  :."));
}

void TestProduct::codeIsNormalisedAndLookedUp_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("whole number padded") << "12" << "000012";
    QTest::newRow("blanks around it") << "  41 " << "000041";
    QTest::newRow("letters in upper case") << "abc" << "ABC";
    QTest::newRow("13-digit barcode as typed") << "7891234567890" << "7891234567890";
    QTest::newRow("six digits already") << "000012" << "000012";
}

void TestProduct::codeIsNormalisedAndLookedUp()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    for (const char *code : {"000001", "000012", "000041", "7891234567890", "ABC"})
        addProduct(*m_logon, code, QStringLiteral("P") + code);
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    enterCode(&w, typed);
    QVERIFY(shownOfKind(Dialogs::takeShown(), "question").isEmpty());
    QCOMPARE(w.copy()->text("CODIGO"), found);
    QCOMPARE(edit(&w, "Edit1")->text(), found);
    QCOMPARE(edit(&w, "DBEdit2")->text(), QStringLiteral("P") + found);
    QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit1"));
}

void TestProduct::emptyCodeClosesTheWindow()
{
    addProduct(*m_logon, "000001");
    TFormProd w;
    QVERIFY(show(w));
    enterCode(&w, QString());
    QVERIFY(!w.isVisible());
    QCOMPARE(count(*m_logon, "select count(*) from produtos"), 1);
}

void TestProduct::answeringNoWritesNothing()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addProduct(*m_logon, "000005", "PREGO");
    SelectedCode = "000005";
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    Dialogs::queueAnswer(Dialogs::Answer::No);
    enterCode(&w, "999");
    const auto questions = shownOfKind(Dialogs::takeShown(), "question");
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.first().text, QStringLiteral("Produto nao Localizado, Cadastra?"));
    QCOMPARE(questions.first().caption, QStringLiteral("Aviso"));
    QCOMPARE(count(*m_logon, "select count(*) from produtos"), 2);
    QCOMPARE(edit(&w, "Edit1")->text(), QStringLiteral("000005"));
    QCOMPARE(QApplication::focusWidget(), edit(&w, "Edit1"));
    QVERIFY(!w.justCreated());
    QVERIFY(!button(&w, "BitBtn3")->isEnabled());
}

void TestProduct::automaticNumbering_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<bool>("message");
    QTest::newRow("after 000041") << QStringList{"000001", "000041"} << "000042" << false;
    QTest::newRow("after 000009") << QStringList{"000009"} << "000010" << false;
    QTest::newRow("after ABC") << QStringList{"000001", "ABC"} << "" << true;
    QTest::newRow("empty register") << QStringList{} << "" << true;
}

void TestProduct::automaticNumbering()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, proposed);
    QFETCH(bool, message);
    for (const QString &code : codes)
        addProduct(*m_logon, code);
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    button(&w, "BitBtn1")->click();
    QCOMPARE(edit(&w, "Edit1")->text(), proposed);
    QCOMPARE(QApplication::focusWidget(), edit(&w, "Edit1"));
    const auto messages = shownOfKind(Dialogs::takeShown(), "message");
    QCOMPARE(messages.size(), message ? 1 : 0);
    if (message)
        QCOMPARE(messages.first().text, NotNumeric);
    // Nothing is created before the operator leaves the code field and says Yes.
    QCOMPARE(count(*m_logon, "select count(*) from produtos"), codes.size());
}

void TestProduct::newProductAsksForInitialStockOnce()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, "50");
    QCOMPARE(count(*m_logon, "select count(*) from produtos where codigo = '000050'"), 1);
    QVERIFY(w.justCreated());
    QVERIFY(button(&w, "BitBtn3")->isEnabled());
    QCOMPARE(w.copy()->text("CODIGO"), QStringLiteral("000050"));
    QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit1"));

    QTest::keyClicks(edit(&w, "DBEdit2"), "bucha 8mm");
    Dialogs::takeShown();
    Dialogs::queueModal([](QDialog *d) { d->close(); }); // the close box
    button(&w, "BitBtn8")->click();
    const auto modals = shownOfKind(Dialogs::takeShown(), "modal");
    QCOMPARE(modals.size(), 1);
    QCOMPARE(modals.first().caption, QStringLiteral("Estoque Inicial"));
    QCOMPARE(scalar(*m_logon, "select nome from produtos where codigo = '000050'").toString(),
             QStringLiteral("BUCHA 8MM"));
    QCOMPARE(count(*m_logon, "select count(*) from estfic where codigo = '000050' and entrada = 0 "
                             "and historico = 'Estoque Inicial' and data = '03/10/2026'"),
             1);
    QCOMPARE(count(*m_logon, "select count(*) from logs where historico = 'Alt/Cad Produto' and usuario = 'ANA'"),
             1);
    QVERIFY(!w.justCreated());
    QCOMPARE(w.copy()->text("CODIGO"), QStringLiteral("000050"));

    // The product now has a movement: a second confirmation asks nothing.
    button(&w, "BitBtn8")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "modal").isEmpty());
    QCOMPARE(count(*m_logon, "select count(*) from estfic"), 1);
    QCOMPARE(count(*m_logon, "select count(*) from logs where historico = 'Alt/Cad Produto'"), 2);
}

void TestProduct::existingProductWithoutMovementAsksForInitialStock()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addProduct(*m_logon, "000002", "PREGO");
    addMovement(*m_logon, "000001", 3, 0);
    SelectedCode = "000002";
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    Dialogs::queueModal([](QDialog *d) {
        QLineEdit *quantity = edit(d, "Edit1");
        quantity->clear();
        QTest::keyClicks(quantity, "7.5");
        button(d, "BitBtn1")->click();
    });
    button(&w, "BitBtn8")->click();
    QCOMPARE(shownOfKind(Dialogs::takeShown(), "modal").size(), 1);
    QCOMPARE(scalar(*m_logon, "select entrada from estfic where codigo = '000002'").toDouble(), 7.5);
    QCOMPARE(label(&w, "Label4"), QStringLiteral("7,5"));

    // A product with movements is confirmed without the question.
    SelectedCode = "000001";
    button(&w, "BitBtn4")->click(); // the search (not shown) leaves SelectedCode as it is
    QCOMPARE(w.copy()->text("CODIGO"), QStringLiteral("000001"));
    Dialogs::takeShown();
    button(&w, "BitBtn8")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "modal").isEmpty());
}

void TestProduct::initialStockWindow_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDate>("initialStockDate");
    const QString notNumber = QStringLiteral("    valor tem quer ser numerico      ");
    const QDate start(2026, 3, 1);
    QTest::newRow("close box, default 0") << "" << "" << false << 1 << "" << start;
    QTest::newRow("confirmed with a date") << "2,5" << "15/02/26" << true << 1 << "" << QDate(2026, 2, 15);
    QTest::newRow("quantity not a number") << "abc" << "" << true << 0 << notNumber << start;
    QTest::newRow("closed with a broken date") << "3" << "31/02/26" << false << 0 << notNumber << start;
}

void TestProduct::initialStockWindow()
{
    QFETCH(QString, quantity);
    QFETCH(QString, date);
    QFETCH(bool, confirm);
    QFETCH(int, rows);
    QFETCH(QString, message);
    QFETCH(QDate, initialStockDate);
    addProduct(*m_logon, "000001");
    addProduct(*m_logon, "000007");
    InitialStockDate = QDate(2026, 3, 1);
    SelectedCode = QStringLiteral("000007 ");
    WorkingCopy copy("PRODUTOS");
    m_logon->RunOnQuery("produtos", "select * from produtos order by codigo", "open");
    copy.load(m_logon->Produtos);
    QDate shownDate;
    Dialogs::queueModal([&](QDialog *d) {
        shownDate = QDate::fromString(edit(d, "MaskEdit1")->text(), "dd/MM/yy").addYears(100);
        QCOMPARE(d->focusWidget(), edit(d, "Edit1")); // the quantity is typed first
        if (!quantity.isEmpty()) {
            edit(d, "Edit1")->clear();
            QTest::keyClicks(edit(d, "Edit1"), quantity);
        }
        if (!date.isEmpty())
            edit(d, "MaskEdit1")->setText(date);
        if (confirm)
            button(d, "BitBtn1")->click();
        else
            d->close();
    });
    ShowModalForm<TFormEstIni>(nullptr, &copy);
    QCOMPARE(shownDate, QDate(2026, 3, 1));
    QCOMPARE(count(*m_logon, "select count(*) from estfic where codigo = '000007' and historico = 'Estoque Inicial'"),
             rows);
    if (rows) {
        const double expected = quantity.isEmpty() ? 0.0 : quantity.replace(',', '.').toDouble();
        QCOMPARE(scalar(*m_logon, "select entrada from estfic").toDouble(), expected);
        const QDate written = scalar(*m_logon, "select data from estfic").toDate();
        QCOMPARE(written, date.isEmpty() ? QDate(2026, 3, 1) : QDate::fromString(date, "dd/MM/yy").addYears(100));
    }
    const auto messages = shownOfKind(Dialogs::takeShown(), "message");
    QCOMPARE(messages.isEmpty() ? QString() : messages.first().text, message);
    QCOMPARE(InitialStockDate, initialStockDate);
    // The registry's copy stands on the product whatever happened.
    QCOMPARE(copy.text("CODIGO"), QStringLiteral("000007"));
}

void TestProduct::deletion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestProduct::deletion()
{
    QFETCH(bool, yes);
    addProduct(*m_logon, "000001", "ARRUELA");
    addProduct(*m_logon, "000002", "PREGO");
    addMovement(*m_logon, "000001", 10, 0);
    addMovement(*m_logon, "000001", 0, 4);
    addMovement(*m_logon, "000002", 5, 0);
    TFormProd w;
    QVERIFY(show(w));
    QCOMPARE(label(&w, "Label4"), QStringLiteral("6,0"));
    Dialogs::takeShown();
    const int logs = count(*m_logon, "select count(*) from logs");
    Dialogs::queueAnswer(yes ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    button(&w, "BitBtn5")->click();
    const auto questions = shownOfKind(Dialogs::takeShown(), "question");
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.first().text, QStringLiteral("Deseja Excluir Este Registro ?"));
    QCOMPARE(questions.first().caption, QStringLiteral("Excluir"));
    QCOMPARE(count(*m_logon, "select count(*) from produtos where codigo = '000001'"), yes ? 0 : 1);
    QCOMPARE(count(*m_logon, "select count(*) from estfic where codigo = '000001'"), yes ? 0 : 2);
    QCOMPARE(count(*m_logon, "select count(*) from estfic where codigo = '000002'"), 1);
    QCOMPARE(count(*m_logon, "select count(*) from logs"), logs);
    QCOMPARE(edit(&w, "Edit1")->text(), yes ? QStringLiteral("000002") : QStringLiteral("000001"));
    QCOMPARE(label(&w, "Label4"), yes ? QStringLiteral("5,0") : QStringLiteral("6,0"));
    QCOMPARE(w.copy()->count(), yes ? 1 : 2);
}

void TestProduct::derivedFigures_data()
{
    QTest::addColumn<QString>("custo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("medio");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("average");
    QTest::newRow("10 and 15") << "10" << "15" << "12.345" << "50,0%" << "12,35";
    QTest::newRow("cost 0") << "0" << "15" << "NULL" << "0.0%" << "0,00";
    QTest::newRow("no cost") << "NULL" << "15" << "0" << "0.0%" << "0,00";
    QTest::newRow("sold below cost") << "8" << "6" << "1234.5" << "-25,0%" << "1234,50";
    QTest::newRow("no price") << "4" << "NULL" << "4" << "-100,0%" << "4,00";
}

void TestProduct::derivedFigures()
{
    QFETCH(QString, custo);
    QFETCH(QString, valor);
    QFETCH(QString, medio);
    QFETCH(QString, margin);
    QFETCH(QString, average);
    addProduct(*m_logon, "000001", "A", custo, valor);
    m_logon->runStatement("update produtos set medio = " + medio, false);
    addProduct(*m_logon, "000002", "B", "10", "11");
    addMovement(*m_logon, "000001", 2.5, 0.125);
    TFormProd w;
    QVERIFY(show(w));
    QCOMPARE(label(&w, "Label8"), margin);
    QCOMPARE(label(&w, "Label6"), average);
    QCOMPARE(label(&w, "Label4"), QStringLiteral("2,375"));
    // Leaving the code field recomputes the margin of the product found.
    enterCode(&w, "2");
    QCOMPARE(label(&w, "Label8"), QStringLiteral("10,0%"));
    QCOMPARE(label(&w, "Label4"), QStringLiteral("0,0"));
    enterCode(&w, "1");
    QCOMPARE(label(&w, "Label8"), margin);
}

void TestProduct::photoSizes_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("stored");
    QTest::newRow("1000 x 750") << QSize(1000, 750) << QSize(268, 188);
    QTest::newRow("800 x 600") << QSize(800, 600) << QSize(267, 198);
    QTest::newRow("half of 268 rounds up") << QSize(134, 100) << QSize(268, 100);
    QTest::newRow("narrow and wide") << QSize(100, 50) << QSize(268, 134);
    QTest::newRow("narrow and tall") << QSize(50, 400) << QSize(25, 198);
}

void TestProduct::photoSizes()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, stored);
    addProduct(*m_logon, "000001");
    const QString old = m_root->install() + "/imagens/000001.jpg";
    QDir().mkpath(m_root->install() + "/imagens");
    QFile::copy(writePicture(m_root->root(), 300, 300), old);
    TFormProd w;
    QVERIFY(show(w));
    QVERIFY(!child<QLabel>(&w, "Image1")->pixmap().isNull());
    Dialogs::takeShown();
    Dialogs::queueText(writePicture(m_root->root(), picture.width(), picture.height()));
    button(&w, "BitBtn7")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "error").isEmpty());
    QCOMPARE(QImageReader(old).size(), stored);
    QVERIFY(!child<QLabel>(&w, "Image1")->pixmap().isNull());
    QCOMPARE(QDir(m_root->install() + "/imagens").entryList(QDir::Files), QStringList{"000001.jpg"});
}

void TestProduct::oldPhotoSurvivesAFailedReplacement_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("picture that does not read") << true << false;
    QTest::newRow("photo that cannot be written") << false << true;
}

void TestProduct::oldPhotoSurvivesAFailedReplacement()
{
    QFETCH(bool, unreadable);
    QFETCH(bool, diskFull);
    addProduct(*m_logon, "000001");
    const QString old = m_root->install() + "/imagens/000001.jpg";
    QDir().mkpath(m_root->install() + "/imagens");
    QFile::copy(writePicture(m_root->root(), 300, 300), old);
    const QByteArray before = readAll(old);
    QString chosen = writePicture(m_root->root(), 1000, 750);
    if (unreadable) {
        chosen = m_root->root() + "/broken.jpg";
        QFile f(chosen);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is no picture");
    }
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    Dialogs::queueText(chosen);
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFull)
            limit = std::make_unique<FileSizeLimit>(64);
        button(&w, "BitBtn7")->click();
    }
    QCOMPARE(shownOfKind(Dialogs::takeShown(), "error").size(), 1);
    QCOMPARE(readAll(old), before);
    QCOMPARE(QDir(m_root->install() + "/imagens").entryList(QDir::Files), QStringList{"000001.jpg"});
}

void TestProduct::codeCannotReachFilesOutsideImagens_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("outside"); // relative to the company folder
    QTest::newRow("one level up") << "../x" << "Estoque/X.jpg";
    QTest::newRow("two levels up") << "../../x" << "X.jpg";
    QTest::newRow("hidden name") << ".x" << "Estoque/imagens/.X.jpg";
}

void TestProduct::codeCannotReachFilesOutsideImagens()
{
    QFETCH(QString, typed);
    QFETCH(QString, outside);
    addProduct(*m_logon, "000001");
    QDir().mkpath(m_root->install() + "/imagens");
    const QString sentinel = m_root->root() + "/" + outside;
    QVERIFY(QFile::copy(writePicture(m_root->root(), 300, 300), sentinel));
    const QString chosen = writePicture(m_root->root(), 1000, 750);
    // Every file of the company folder but the database, with its content.
    auto files = [this] {
        QMap<QString, QByteArray> out;
        QDirIterator it(m_root->root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!file.endsWith(".FDB"))
                out.insert(file, readAll(file));
        }
        return out;
    };
    const auto before = files();
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, typed);
    QCOMPARE(w.copy()->text("CODIGO"), typed.toUpper());
    QVERIFY(child<QLabel>(&w, "Image1")->pixmap().isNull()); // the file there is not read
    Dialogs::takeShown();
    Dialogs::queueText(chosen);
    button(&w, "BitBtn7")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "error").isEmpty());
    QCOMPARE(files(), before);
}

void TestProduct::codeCreatedMeanwhileElsewhereIsNotInsertedTwice()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    TFormProd w;
    QVERIFY(show(w));
    // Another machine registers 000077 after this window loaded its copy.
    addProduct(*m_logon, "000077", "BUCHA");
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, "77");
    QCOMPARE(count(*m_logon, "select count(*) from produtos where codigo = '000077'"), 1);
    QCOMPARE(w.copy()->text("CODIGO"), QStringLiteral("000077"));
    QCOMPARE(edit(&w, "DBEdit2")->text(), QStringLiteral("BUCHA"));
    QVERIFY(!w.justCreated());
    QVERIFY(!button(&w, "BitBtn3")->isEnabled());
}

void TestProduct::enteringTheCodeFieldRecounts()
{
    addProduct(*m_logon, "000001");
    TFormProd w;
    QVERIFY(show(w));
    QCOMPARE(label(&w, "Label2"), QStringLiteral("001"));
    addProduct(*m_logon, "000002");
    edit(&w, "DBEdit2")->setFocus();
    QCOMPARE(label(&w, "Label2"), QStringLiteral("001"));
    edit(&w, "Edit1")->setFocus();
    QCOMPARE(label(&w, "Label2"), QStringLiteral("002"));
}

void TestProduct::failedCreationLeavesNoPhantomCode()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addMovement(*m_logon, "000001", 1, 0);
    // The next id the generator gives is taken: the insert fails.
    m_logon->runStatement("set generator PRODUTO to 0", false);
    TFormProd w;
    QVERIFY(show(w));
    Dialogs::takeShown();
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, "88");
    const auto errors = shownOfKind(Dialogs::takeShown(), "error");
    QCOMPARE(errors.size(), 1);
    QCOMPARE(count(*m_logon, "select count(*) from produtos"), 1);
    QCOMPARE(edit(&w, "Edit1")->text(), QStringLiteral("000001"));
    QCOMPARE(QApplication::focusWidget(), edit(&w, "Edit1"));
    QVERIFY(!w.justCreated());
    QVERIFY(!button(&w, "BitBtn3")->isEnabled());
    // Confirming now concerns 000001, which has its movement: no initial stock for 000088.
    button(&w, "BitBtn8")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "modal").isEmpty());
    QCOMPARE(count(*m_logon, "select count(*) from estfic where codigo = '000088'"), 0);
}

void TestProduct::failedConfirmationKeepsTheEdits()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    m_logon->runStatement("alter table produtos add constraint ck_nome check (nome is null or nome <> 'FALHA')",
                          false);
    TFormProd w;
    QVERIFY(show(w));
    QLineEdit *nome = edit(&w, "DBEdit2");
    nome->clear();
    QTest::keyClicks(nome, "falha");
    Dialogs::takeShown();
    const int logs = count(*m_logon, "select count(*) from logs");
    button(&w, "BitBtn8")->click();
    const auto shown = Dialogs::takeShown();
    const auto errors = shownOfKind(shown, "error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().text.contains("CK_NOME", Qt::CaseInsensitive), qPrintable(errors.first().text));
    QVERIFY(shownOfKind(shown, "modal").isEmpty());
    QCOMPARE(count(*m_logon, "select count(*) from logs"), logs);
    QCOMPARE(nome->text(), QStringLiteral("FALHA"));
    QVERIFY(w.copy()->isModified());
    QCOMPARE(scalar(*m_logon, "select nome from produtos").toString(), QStringLiteral("ARRUELA"));

    // Corrected, the same edit goes through.
    nome->clear();
    QTest::keyClicks(nome, "falho");
    addMovement(*m_logon, "000001", 1, 0);
    button(&w, "BitBtn8")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "error").isEmpty());
    QCOMPARE(scalar(*m_logon, "select nome from produtos").toString(), QStringLiteral("FALHO"));
    QCOMPARE(count(*m_logon, "select count(*) from logs where historico = 'Alt/Cad Produto'"), 1);
}

void TestProduct::confirmationWritesOnlyEditedColumns()
{
    addProduct(*m_logon, "000001", "ARRUELA", "10.1234", "12");
    addMovement(*m_logon, "000001", 1, 0);
    TFormProd w;
    QVERIFY(show(w));
    // "Serie" is a second box of the column "Cor".
    QLineEdit *serie = edit(&w, "DBEdit12");
    serie->setFocus();
    QTest::keyClicks(serie, "azul");
    QCOMPARE(edit(&w, "DBEdit5")->text(), QStringLiteral("AZUL"));
    m_logon->setRecording(true);
    button(&w, "BitBtn8")->click();
    QStringList updates;
    for (const QString &sql : m_logon->takeStatements())
        if (sql.startsWith("update", Qt::CaseInsensitive))
            updates << sql;
    m_logon->setRecording(false);
    QCOMPARE(updates.size(), 1);
    QVERIFY2(updates.first().contains("COR = 'AZUL'") && !updates.first().contains("CUSTO")
                 && !updates.first().contains("NOME"),
             qPrintable(updates.first()));
    QCOMPARE(scalar(*m_logon, "select custo from produtos").toDouble(), 10.1234);
    QCOMPARE(scalar(*m_logon, "select cor from produtos").toString(), QStringLiteral("AZUL"));
}

void TestProduct::unappliedEditsSurviveACreation()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addMovement(*m_logon, "000001", 1, 0);
    TFormProd w;
    QVERIFY(show(w));
    QLineEdit *custo = edit(&w, "DBEdit17");
    custo->setFocus();
    custo->clear();
    QTest::keyClicks(custo, "3.5");
    QCOMPARE(custo->text(), QStringLiteral("3,5"));
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, "2"); // leaving Custo posts it; creating 000002 re-reads the copy
    QCOMPARE(w.copy()->text("CODIGO"), QStringLiteral("000002"));
    enterCode(&w, "1");
    QCOMPARE(custo->text(), QStringLiteral("3,50"));
    button(&w, "BitBtn8")->click();
    QCOMPARE(scalar(*m_logon, "select custo from produtos where codigo = '000001'").toDouble(), 3.5);
}

void TestProduct::searchDiscardsTheEditsOfTheCurrentRow()
{
    addProduct(*m_logon, "000001", "ARRUELA");
    addProduct(*m_logon, "000002", "PREGO");
    addMovement(*m_logon, "000001", 1, 0);
    addMovement(*m_logon, "000002", 1, 0);
    TFormProd w;
    QVERIFY(show(w));
    // An edit of 000002 left behind in the copy, then an edit of 000001.
    enterCode(&w, "2");
    QTest::keyClicks(edit(&w, "DBEdit1"), "ref2");
    enterCode(&w, "1");
    QTest::keyClicks(edit(&w, "DBEdit1"), "ref1");
    SelectedCode = "000001";
    Dialogs::takeShown();
    button(&w, "BitBtn4")->click();
    QCOMPARE(shownOfKind(Dialogs::takeShown(), "modal").first().caption, QStringLiteral("Localiza Produto"));
    QCOMPARE(edit(&w, "DBEdit1")->text(), QString());
    button(&w, "BitBtn8")->click();
    QCOMPARE(scalar(*m_logon, "select referencia from produtos where codigo = '000001'").toString(), QString());
    QCOMPARE(scalar(*m_logon, "select referencia from produtos where codigo = '000002'").toString(),
             QStringLiteral("REF2"));
}

void TestProduct::cloneCopiesTheSourceProduct()
{
    m_logon->runStatement("insert into tipos (id, codigo, nome) values (1, 3, 'FERRAGENS')", false);
    m_logon->runStatement("insert into fornecedor (id, codigo, nome) values (1, 12, 'ACME')", false);
    addProduct(*m_logon, "000001", "ARRUELA", "2", "3");
    m_logon->runStatement("update produtos set classe = '3', fornecedor = 12, medio = 2.2, unidade = 'PC', "
                          "locacao = 'A-001'",
                          false);
    addMovement(*m_logon, "000001", 1, 0);
    TFormProd w;
    QVERIFY(show(w));
    QCOMPARE(child<QComboBox>(&w, "DBLookupComboBox1")->currentText(), QStringLiteral("FERRAGENS"));
    QCOMPARE(child<QComboBox>(&w, "DBLookupComboBox2")->currentText(), QStringLiteral("ACME"));
    QVERIFY(!button(&w, "BitBtn3")->isEnabled());
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    enterCode(&w, "2");
    QVERIFY(button(&w, "BitBtn3")->isEnabled());
    QCOMPARE(child<QComboBox>(&w, "DBLookupComboBox1")->currentIndex(), -1);

    // An unknown source: the message, nothing copied.
    Dialogs::takeShown();
    Dialogs::queueText("99");
    button(&w, "BitBtn3")->click();
    auto shown = Dialogs::takeShown();
    QCOMPARE(shown.first().kind, QStringLiteral("input"));
    QCOMPARE(shown.first().caption, QStringLiteral("Clonar Codigo"));
    QCOMPARE(shown.first().text, QStringLiteral("Digiteo Codigo a ser clonado.."));
    QCOMPARE(shownOfKind(shown, "message").first().text, QStringLiteral("        Produto Nao Localizado          "));
    QVERIFY(!w.copy()->isModified());

    Dialogs::queueText("1");
    button(&w, "BitBtn3")->click();
    QCOMPARE(edit(&w, "DBEdit2")->text(), QStringLiteral("ARRUELA"));
    QCOMPARE(child<QComboBox>(&w, "DBLookupComboBox1")->currentText(), QStringLiteral("FERRAGENS"));
    QCOMPARE(label(&w, "Label8"), QStringLiteral("50,0%"));
    Dialogs::queueModal([](QDialog *d) { d->close(); });
    button(&w, "BitBtn8")->click();
    const auto row = m_logon->runStatement("select codigo, nome, custo, valor, classe, fornecedor, medio, unidade, "
                                           "locacao from produtos where codigo = '000002'",
                                           true);
    QCOMPARE(row.rows.size(), 1);
    const auto &r = row.rows.first();
    QCOMPARE(r.at(1).toString(), QStringLiteral("ARRUELA"));
    QCOMPARE(r.at(2).toDouble(), 2.0);
    QCOMPARE(r.at(3).toDouble(), 3.0);
    QCOMPARE(r.at(4).toString(), QStringLiteral("3"));
    QCOMPARE(r.at(5).toInt(), 12);
    QVERIFY(r.at(6).isNull()); // the average cost is the new product's own
    QCOMPARE(r.at(7).toString(), QStringLiteral("PC"));
    QCOMPARE(r.at(8).toString(), QStringLiteral("A-001"));
    QCOMPARE(count(*m_logon, "select count(*) from produtos where codigo = '000001' and nome = 'ARRUELA'"), 1);
}

void TestProduct::editsHoldNoMoreThanTheirColumns_data()
{
    QTest::addColumn<bool>("upgraded");
    QTest::addColumn<int>("ncm");
    QTest::addColumn<int>("extendida");
    QTest::newRow("fresh database") << false << 10 << 80;
    QTest::newRow("upgraded database") << true << 8 << 60;
}

void TestProduct::editsHoldNoMoreThanTheirColumns()
{
    QFETCH(bool, upgraded);
    QFETCH(int, ncm);
    QFETCH(int, extendida);
    if (upgraded) {
        // Older databases got these two columns from the start-up upgrade, shorter.
        m_logon->runStatement("alter table produtos drop ncm", false);
        m_logon->runStatement("alter table produtos drop extendida", false);
        m_logon->runStatement("alter table produtos add ncm varchar(8)", false);
        m_logon->runStatement("alter table produtos add extendida varchar(60)", false);
    }
    addProduct(*m_logon, "000001");
    TFormProd w;
    QVERIFY(show(w));
    const QList<QPair<const char *, int>> lengths = {
        {"Edit1", 14},    {"DBEdit1", 15},  {"DBEdit2", 40},  {"DBEdit3", extendida}, {"DBEdit4", 60},
        {"DBEdit5", 10},  {"DBEdit6", ncm}, {"DBEdit7", 2},   {"DBEdit10", 4},         {"DBEdit11", 5},
        {"DBEdit12", 10}, {"DBEdit14", 15}, {"DBEdit16", 5},  {"DBEdit19", 1},
    };
    for (const auto &[name, length] : lengths)
        QVERIFY2(edit(&w, name)->maxLength() == length, name);
    // What is typed into a full field is cut, and the write succeeds.
    QLineEdit *ncmEdit = edit(&w, "DBEdit6");
    ncmEdit->setFocus();
    QTest::keyClicks(ncmEdit, "123456789012345");
    Dialogs::queueModal([](QDialog *d) { d->close(); });
    Dialogs::takeShown();
    button(&w, "BitBtn8")->click();
    QVERIFY(shownOfKind(Dialogs::takeShown(), "error").isEmpty());
    QCOMPARE(scalar(*m_logon, "select ncm from produtos").toString(), QStringLiteral("1234567890").left(ncm));
}

void TestProduct::enterChain()
{
    addProduct(*m_logon, "000001");
    addMovement(*m_logon, "000001", 1, 0);
    TFormProd w;
    QVERIFY(show(w));
    QStringList visited;
    QWidget *field = edit(&w, "DBEdit2");
    field->setFocus();
    for (int i = 0; i < 17; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(visited, (QStringList{"DBEdit2", "DBEdit3", "DBEdit5", "DBEdit6", "DBEdit7", "DBEdit8", "DBEdit9",
                                   "DBEdit10", "DBEdit13", "DBEdit11", "DBEdit12", "DBEdit14", "DBEdit15",
                                   "DBEdit16", "DBEdit17", "DBEdit18", "DBEdit4"}));
    // Enter in "Obs" confirmed.
    QCOMPARE(count(*m_logon, "select count(*) from logs where historico = 'Alt/Cad Produto'"), 1);
    // From the code field Enter goes to Referencia, where it stops.
    enterCode(&w, "1");
    QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit1"));
    QTest::keyClick(edit(&w, "DBEdit1"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit1"));
}

TAMBLO_TEST_MAIN(TestProduct)
#include "tst_product.moc"
