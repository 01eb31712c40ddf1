#pragma once

#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TLOGON;

// A company folder of the test's own with a fresh database made from the
// installer's schema (copied from a template made once per test process).
class TestRoot
{
public:
    TestRoot();
    ~TestRoot();

    QString root() const { return m_dir.path(); }
    QString install() const;
    QString database() const;
    void writeFile(const QString &name, const QByteArray &content) const;

    // The data module on this folder, exactly as the program makes it.
    std::unique_ptr<TLOGON> connect() const;

private:
    QTemporaryDir m_dir;
};

// Path of the template database, made on first use.
QString templateDatabase();

// Set-up every test process shares: pt-BR conventions and the dialog seam.
void initTestProcess();

// Runs a statement on a connection of the test's own (not the program's).
QVariant scalar(TLOGON &logon, const QString &sql);

#define TAMBLO_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char **argv)                                                              \
    {                                                                                            \
        Application app(argc, argv);                                                            \
        initTestProcess();                                                                       \
        TestClass tc;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return QTest::qExec(&tc, argc, argv);                                                    \
    }

// What was shown, of one kind only ("message", "question", "modal", ...).
QList<Dialogs::Shown> shownOfKind(const QList<Dialogs::Shown> &shown, const QString &kind);

// Answers the next login window with this name and password.
void queueLogin(const QString &name, const QString &password);
