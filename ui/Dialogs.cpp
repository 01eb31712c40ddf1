#include "ui/Dialogs.h"

#include "ui/Texts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QQueue>
#include <QTimer>

namespace Dialogs {
namespace {

struct TestState
{
    bool on = false;
    QQueue<Answer> answers;
    QQueue<QString> texts;
    QQueue<ModalHandler> modals;
    ModalHandler defaultModal;
    QList<Shown> shown;
};

TestState &state()
{
    static TestState s;
    return s;
}

void record(const QString &kind, const QString &caption, const QString &text)
{
    state().shown.append({kind, caption, text});
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QWidget *activeParent()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

} // namespace

void message(const QString &text, const QString &caption, Icon icon)
{
    const QString title = caption.isEmpty() ? QApplication::applicationName() : caption;
    if (state().on) {
        record(QStringLiteral("message"), title, text);
        if (!state().answers.isEmpty())
            state().answers.dequeue();
        return;
    }
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, activeParent());
    box.exec();
}

bool askYesNo(const QString &text, const QString &caption, bool defaultYes, Icon icon)
{
    if (state().on) {
        record(QStringLiteral("question"), caption, text);
        if (state().answers.isEmpty())
            return defaultYes;
        return state().answers.dequeue() == Answer::Yes;
    }
    QMessageBox box(toQt(icon), caption, text, QMessageBox::Yes | QMessageBox::No, activeParent());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool askDelete()
{
    return askYesNo(Texts::DeleteQuestion, Texts::DeleteCaption, false, Icon::Question);
}

void errorBox(const QString &text)
{
    if (state().on) {
        record(QStringLiteral("error"), QApplication::applicationName(), text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text,
                    QMessageBox::Ok, activeParent());
    box.exec();
}

QString inputBox(const QString &caption, const QString &prompt, const QString &defaultText)
{
    if (state().on) {
        record(QStringLiteral("input"), caption, prompt);
        return state().texts.isEmpty() ? defaultText : state().texts.dequeue();
    }
    bool ok = false;
    const QString typed = QInputDialog::getText(activeParent(), caption, prompt,
                                                QLineEdit::Normal, defaultText, &ok);
    return ok ? typed : defaultText;
}

QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter)
{
    if (state().on) {
        record(QStringLiteral("open"), caption, filter);
        return state().texts.isEmpty() ? QString() : state().texts.dequeue();
    }
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter, QString *selectedFilter)
{
    if (state().on) {
        record(QStringLiteral("save"), caption, filter);
        return state().texts.isEmpty() ? QString() : state().texts.dequeue();
    }
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter);
}

int execModal(QDialog *dialog)
{
    if (state().on) {
        record(QStringLiteral("modal"), dialog->windowTitle(), dialog->objectName());
        ModalHandler handler;
        if (!state().modals.isEmpty())
            handler = state().modals.dequeue();
        else
            handler = state().defaultModal;
        if (!handler)
            return QDialog::Rejected;
        // The handler runs inside the window's own modal loop, as a user would;
        // a handler that forgets to close the window must not hang the test.
        QPointer<QDialog> guard(dialog);
        QTimer::singleShot(0, dialog, [guard, handler] {
            if (!guard)
                return;
            handler(guard);
            if (guard && guard->isVisible())
                guard->reject();
        });
        return dialog->exec();
    }
    return dialog->exec();
}

void beep()
{
    if (state().on) {
        record(QStringLiteral("beep"), QString(), QString());
        return;
    }
    QApplication::beep();
}

void setTestMode(bool on) { state().on = on; }
bool testMode() { return state().on; }
void queueAnswer(Answer answer) { state().answers.enqueue(answer); }
void queueText(const QString &text) { state().texts.enqueue(text); }
void queueModal(const ModalHandler &handler) { state().modals.enqueue(handler); }
void setDefaultModal(const ModalHandler &handler) { state().defaultModal = handler; }

QList<Shown> takeShown()
{
    QList<Shown> out;
    out.swap(state().shown);
    return out;
}

const QList<Shown> &shown() { return state().shown; }

void resetTest()
{
    auto &s = state();
    s.answers.clear();
    s.texts.clear();
    s.modals.clear();
    s.defaultModal = nullptr;
    s.shown.clear();
}

} // namespace Dialogs


namespace Dialogs {
void startProgram(const QString &program, const QStringList &arguments)
{
    if (state().on) {
        record(QStringLiteral("program"), program, arguments.join(QLatin1Char(' ')));
        return;
    }
    QProcess::startDetached(program, arguments);
}
} // namespace Dialogs
