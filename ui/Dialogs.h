#pragma once

#include <QList>
#include <QStringList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Every message box, question, input box, file dialog and modal window goes
// through here: the program shows the real thing, a test answers it and reads
// what would have been shown.
namespace Dialogs {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Yes, No, Cancel };

struct Shown
{
    QString kind;    // "message", "question", "error", "input", "open", "save", "modal", "beep"
    QString caption;
    QString text;
};

// ShowMessage: the caption is the application's title.
void message(const QString &text, const QString &caption = QString(), Icon icon = Icon::None);
// A Yes/No question; true for Yes.
bool askYesNo(const QString &text, const QString &caption, bool defaultYes = false,
              Icon icon = Icon::Question);
// The standard deletion question ("Excluir", Yes/No, No preselected); true for Yes.
bool askDelete();
// Standard error box: the error's own text, the window stays open.
void errorBox(const QString &text);
// InputBox: returns the typed text, or the default when cancelled.
QString inputBox(const QString &caption, const QString &prompt, const QString &defaultText);
QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter);
QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter, QString *selectedFilter = nullptr);
// ShowModalForm: shows the window modally and returns its result.
int execModal(QDialog *dialog);
void beep();

// ---- test side ----
using ModalHandler = std::function<void(QDialog *)>;

void setTestMode(bool on);
bool testMode();
void queueAnswer(Answer answer);
void queueText(const QString &text);         // input boxes and file dialogs
void queueModal(const ModalHandler &handler); // drives the next modal window
void setDefaultModal(const ModalHandler &handler); // for modals with nothing queued
QList<Shown> takeShown();
const QList<Shown> &shown();
void resetTest();

} // namespace Dialogs

namespace Dialogs {
// Starts another program (the calculator) without waiting for it.
void startProgram(const QString &program, const QStringList &arguments = {});
} // namespace Dialogs
