#pragma once

#include <QString>

class QLineEdit;
class QWidget;
class SharedQuery;

// The name and password pair that the login and the supervisor window ask for:
// each caption above its edit, upper case, as long as KESTRUM's columns, the
// password shown as "*".
struct CredentialFields
{
    QLineEdit *name = nullptr;     // Edit1
    QLineEdit *password = nullptr; // Edit2
};

CredentialFields addCredentialFields(QWidget *window, int left, int top, const char *nameLabel,
                                     const QString &nameCaption, const char *passwordLabel,
                                     const QString &passwordCaption);

// Whether the current row of a KESTRUM read is the user typed. Names and
// passwords match without regard to case or surrounding blanks.
bool isTypedUser(const SharedQuery &users, const QString &name, const QString &password);
