#include "app/TForm1.h"

#include "app/Access.h"
#include "app/Login.h"
#include "app/Openers.h"
#include "app/ToolbarButton.h"
#include "data/Clock.h"
#include "data/Format.h"
#include "data/Globals.h"
#include "data/Paths.h"
#include "data/TFormCalender.h"
#include "data/TLOGON.h"
#include "data/Upgrade.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TForm1 *Form1 = nullptr;

namespace {

const char *const DateWarning[] = {
    "O formato da data em seu computador",
    "precisa ser corrigido.",
    "O formato correto é DD/MM/AA, ",
    "os passos para resolver esse problema ",
    "são os seguintes:",
    "Iniciar , Configurações , Painel de Controle",
    "selecionar \"opções regionais e de idioma\"",
    "selecionar pesonalizado.. Data.. e selecionar",
    "o formato DD/MM/AA.",
};

QString logoFile() { return Paths::installFile(QStringLiteral("templogo.ini")); }

} // namespace

// The client area: a slate backdrop with the company logo centred over it.
class LogoArea : public QWidget
{
public:
    using QWidget::QWidget;
    void setLogo(const QPixmap &logo)
    {
        m_logo = logo;
        update();
    }
    const QPixmap &logo() const { return m_logo; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient backdrop(0, 0, 0, height());
        backdrop.setColorAt(0, Look::Face.lighter(108));
        backdrop.setColorAt(1, Look::Face.darker(112));
        p.fillRect(rect(), backdrop);
        if (m_logo.isNull())
            return;
        const QSize fitted = m_logo.size().scaled(size(), Qt::KeepAspectRatio);
        const QSize shown = fitted.width() > m_logo.width() ? m_logo.size() : fitted;
        const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(target, m_logo);
    }

private:
    QPixmap m_logo;
};

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tamblo :: versão %1 ::").arg(QStringLiteral(TAMBLO_VERSION)));
    Look::setFace(this);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_logoArea = new LogoArea(central);
    m_logoArea->setObjectName(QStringLiteral("Image1"));
    auto *logoLayout = new QVBoxLayout(m_logoArea);
    m_dateWarning = new QPlainTextEdit(m_logoArea);
    m_dateWarning->setObjectName(QStringLiteral("Memo1"));
    m_dateWarning->setReadOnly(true);
    QStringList lines;
    for (const char *line : DateWarning)
        lines << QString::fromUtf8(line);
    m_dateWarning->setPlainText(lines.join(QLatin1Char('\n')));
    m_dateWarning->setFixedSize(360, 200);
    m_dateWarning->hide();
    logoLayout->addWidget(m_dateWarning, 0, Qt::AlignLeft | Qt::AlignTop);
    logoLayout->addStretch();
    layout->addWidget(m_logoArea);
    setCentralWidget(central);

    buildMenu();
    buildToolbar();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    m_status->setFont(bold);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setFixedHeight(33);
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar { background: rgb(0,116,156); } "
                                              "QLabel { color: white; }"));
    statusBar()->setSizeGripEnabled(false);

    FormCreate();
    refreshStatus();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate()
{
    try {
        m_logon = std::make_unique<TLOGON>();                         // 1
        RunStartupUpgrade(*m_logon);                                   // 2
        QApplication::setApplicationName(QStringLiteral("Controle de Tamblo")); // 3
        // 4: the short date format is fixed by the program (Format::shortDate).
        setLogo(QString());                                            // 5
        const QString today = Format::shortDate(Clock::today()).trimmed(); // 6
        m_dateWarning->setVisible(!dateFormatOk(today));
        m_loginShown = RunLogin();                                     // 7
        m_started = !m_loginShown || !CurrentUserName.trimmed().isEmpty(); // 8
        installKeyboardHook();                                         // 9
    } catch (const EndProgram &) {
        Form1 = nullptr; // the window is never shown: nobody may reach it
        throw;
    } catch (const std::exception &e) {
        // The rest of the start is skipped: no login, and the window closes when shown.
        Dialogs::errorBox(errorText(e));
        m_started = false;
    }
}

bool TForm1::dateFormatOk(const QString &today)
{
    return today.size() == 8 && today.at(2) == QLatin1Char('/') && today.at(5) == QLatin1Char('/');
}

void TForm1::buildMenu()
{
    for (const MenuGroup &group : mainMenu()) {
        QMenu *menu = menuBar()->addMenu(group.caption);
        for (const MenuEntry &entry : group.entries) {
            if (entry.separatorBefore)
                menu->addSeparator();
            QAction *action = menu->addAction(entry.caption);
            action->setObjectName(QStringLiteral("menu_") + entry.id);
            connect(action, &QAction::triggered, this, [this, entry] { guarded([&] { openEntry(entry); }); });
            if (entry.separatorAfter)
                menu->addSeparator();
        }
    }
}

void TForm1::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFixedHeight(97);
    bar->setStyleSheet(QStringLiteral("QToolBar { background: rgb(0,116,156); border: none; spacing: 2px; }"));
    int picture = 0;
    for (const MenuEntry &entry : toolbarButtons()) {
        auto *button = new ToolbarButton(entry.caption, picture++, bar);
        button->setObjectName(QStringLiteral("tool_") + entry.id);
        connect(button, &QToolButton::clicked, this, [this, entry] { guarded([&] { openEntry(entry); }); });
        bar->addWidget(button);
    }
}

void TForm1::openEntry(const MenuEntry &entry)
{
    if (entry.id == QLatin1String("sair")) {
        close();
        return;
    }
    if (!checkAccess(entry.guard, entry.bit))
        return;
    if (entry.id == QLatin1String("logo")) {
        changeLogo();
        return;
    }
    const auto &table = openers();
    const auto it = table.constFind(entry.id);
    if (it != table.constEnd())
        (*it)(this);
}

void TForm1::setLogo(const QString &file)
{
    QString path = file;
    if (path.isEmpty()) {
        QFile ini(logoFile());
        if (ini.open(QIODevice::ReadOnly | QIODevice::Text))
            path = QTextStream(&ini).readLine();
    }
    // A missing or unreadable picture just leaves the area empty.
    QPixmap logo;
    if (!path.trimmed().isEmpty())
        logo.load(path.trimmed());
    m_logoArea->setLogo(logo);
}

bool TForm1::hasLogo() const { return !m_logoArea->logo().isNull(); }

void TForm1::changeLogo()
{
    const QString file = Dialogs::openFileName(this, QStringLiteral("Abrir"), QString(),
                                               QStringLiteral("Imagens (*.jpg *.jpeg *.bmp *.png *.gif *.ico)"));
    if (file.isEmpty())
        return;
    setLogo(file);
    QFile ini(logoFile());
    if (ini.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        QTextStream out(&ini);
        out << file << '\n';
    }
}

QString TForm1::statusText() const
{
    return QStringLiteral("|") + QStringLiteral("  ") + CurrentCompanyName + QStringLiteral("  ")
         + QStringLiteral(" | ") + QStringLiteral("  Operador: ") + CurrentUserName
         + QStringLiteral("  ") + QStringLiteral(" | ");
}

void TForm1::refreshStatus() { m_status->setText(statusText()); }

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    refreshStatus();
    if (!m_started || (m_loginShown && CurrentUserName.trimmed().isEmpty()))
        QTimer::singleShot(0, this, &QWidget::close);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        Dialogs::message(QStringLiteral("** Faça backup do sistema regularmente **\n"
                                        "** Utilize o aplicativo instalado junto com o programa  **"));
        // With no connection there is nothing to log, and no second error to show.
        if (m_logon && m_logon->connected())
            guarded([&] { m_logon->AppendLog(QStringLiteral("Saiu do sistema nessa data e hora")); });
    }
    event->accept();
}

QString findCalculator()
{
    for (const char *name : {"galculator", "gnome-calculator", "kcalc", "qalculate-gtk", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

void installKeyboardHook()
{
    Application::setKeyHook([](QKeyEvent *key) {
        if (key->key() == Qt::Key_F2) {
            const QString calculator = findCalculator();
            if (!calculator.isEmpty())
                Dialogs::startProgram(calculator);
        } else if (key->key() == Qt::Key_F3) {
            guarded([] { OpenCalendar(); });
        }
    });
}
