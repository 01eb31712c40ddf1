#pragma once

#include <QString>
#include <stdexcept>

// The program raises no errors of its own: what reaches the operator is the
// database's message or a conversion failure, each carried with its own text.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

class DbError : public AppError
{
public:
    using AppError::AppError;
};

class ConvertError : public AppError
{
public:
    using AppError::AppError;
};

// What the standard error box shows for any exception.
QString errorText(const std::exception &e);
