// Installs the company's database: the installation folder and
// ESTFBKESTRUM20.FDB in it, with every table, generator and first row.
#include "data/Paths.h"
#include "data/Schema.h"
#include "ui/Errors.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamblo-install-db"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Cria a pasta de instalação e o banco de dados ESTFBKESTRUM20.FDB.\n"
        "A pasta é $TAMBLO_ROOT/Estoque (por padrão ~/Kestrum/Estoque)."));
    parser.addHelpOption();
    const QCommandLineOption root(QStringLiteral("root"), QStringLiteral("Pasta da empresa (em vez de $TAMBLO_ROOT)."), QStringLiteral("pasta"));
    const QCommandLineOption name(QStringLiteral("empresa"), QStringLiteral("Nome da empresa (40 letras)."), QStringLiteral("nome"));
    const QCommandLineOption address(QStringLiteral("endereco"), QStringLiteral("Endereço (40 letras)."), QStringLiteral("endereco"));
    const QCommandLineOption city(QStringLiteral("cidade"), QStringLiteral("Cidade (20 letras)."), QStringLiteral("cidade"));
    const QCommandLineOption state(QStringLiteral("estado"), QStringLiteral("Estado, sigla de 2 letras."), QStringLiteral("UF"));
    parser.addOptions({root, name, address, city, state});
    parser.process(app);

    if (parser.isSet(root))
        Paths::setRoot(QDir(parser.value(root)).absolutePath());
    const QString database = Paths::database();

    // An existing database holds a company's data: never touch it.
    if (QFileInfo::exists(database)) {
        std::fprintf(stderr, "O banco de dados já existe e não foi alterado: %s\n",
                     qPrintable(QDir::toNativeSeparators(database)));
        return 2;
    }
    if (!QDir().mkpath(Paths::install())) {
        std::fprintf(stderr, "Não foi possível criar a pasta %s\n", qPrintable(Paths::install()));
        return 1;
    }
    try {
        Schema::install(database, {parser.value(name), parser.value(address), parser.value(city),
                                   parser.value(state)});
    } catch (const AppError &e) {
        QFile::remove(database); // a half-made database would block the next attempt
        std::fprintf(stderr, "Erro ao criar o banco de dados: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("Banco de dados criado: %s\n", qPrintable(database));
    return 0;
}
