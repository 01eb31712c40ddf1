#include "app/Credentials.h"

#include "data/SharedQuery.h"
#include "ui/Edits.h"
#include "ui/Widgets.h"

#include <QLineEdit>

namespace {

// KESTRUM.NOME and KESTRUM.SENHA.
constexpr int NameLength = 15;
constexpr int PasswordLength = 10;

QString comparable(const QString &text) { return text.toUpper().trimmed(); }

QLineEdit *addEdit(QWidget *window, const char *name, int left, int top, int length)
{
    auto *edit = new QLineEdit(window);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, 180, 24);
    Edits::upperCase(edit);
    Edits::limit(edit, length);
    return edit;
}

} // namespace

CredentialFields addCredentialFields(QWidget *window, int left, int top, const char *nameLabel,
                                     const QString &nameCaption, const char *passwordLabel,
                                     const QString &passwordCaption)
{
    CredentialFields fields;
    makeLabel(window, nameLabel, nameCaption, QRect(left, top, 180, 16), true);
    fields.name = addEdit(window, "Edit1", left, top + 18, NameLength);
    makeLabel(window, passwordLabel, passwordCaption, QRect(left, top + 50, 180, 16), true);
    fields.password = addEdit(window, "Edit2", left, top + 68, PasswordLength);
    fields.password->setEchoMode(QLineEdit::Password);
    return fields;
}

bool isTypedUser(const SharedQuery &users, const QString &name, const QString &password)
{
    return comparable(users.text(QStringLiteral("SENHA"))) == comparable(password)
        && comparable(users.text(QStringLiteral("NOME"))) == comparable(name);
}
