#include "app/MenuTable.h"

namespace {
QString s(const char *text) { return QString::fromUtf8(text); }
} // namespace

const QVector<MenuGroup> &mainMenu()
{
    static const QVector<MenuGroup> menu = {
        {s("&1-Arquivos"),
         {
             {s("movest"), s("&A-Movimenta Estoque"), Guard::Right, 2},
             {s("altlanc"), s("&C-Altera Lançamento"), Guard::Right, 2},
             {s("logs"), s("&D-Arquivo de Log do Sistema")},
             {s("sair"), s("&E-Sair do Programa"), Guard::None, 0, true},
         }},
        {s("&2-Relatorios"),
         {
             {s("imprap"), s("&A-Posição do Estoque Atual"), Guard::Right, 4},
             {s("balancete"), s("&B-Balancete mensal p/mês"), Guard::Right, 4},
             {s("relforne"), s("&C-Relatório entrada/saida p/Fornecedor"), Guard::Right, 4},
             {s("relccusto"), s("&D-Relatório de Saida p/Centro de Custo  "), Guard::Right, 4},
             {s("relcliente"), s("&E-Relatório de Saida por Cliente"), Guard::Right, 4},
             {s("ficha"), s("&F-Ficha de Movimento"), Guard::Right, 8},
             {s("listprod"), s("&G-Listagem Geral dos Produtos")},
             {s("argox"), s("I&-Etiqueta Argox")},
             {s("etigrande"), s("&H-Etiquetas Cod Barra (Grandes)")},
             {s("etipequena"), s("&Z-Etiquetas Cod Barra (Pequenas)")},
             {s("tabvenda"), s("&R-Tabela de Venda")},
             {s("relentrada"), s("&J-Relatorio de Entrada"), Guard::Right, 2, true},
             {s("relsaida"), s("&L-Relatorio de Saida"), Guard::Right, 2},
             {s("listforne"), s("&M-Listagem de Fornecedor"), Guard::None, 0, true},
             {s("listcli"), s("&N-Listagem de Clientes")},
             {s("inventario"), s("&O-Inventário")},
             {s("estmin"), s("&P-Estoque Minimo")},
             {s("contar"), s("&Q-Contar Estoque")},
             {s("validade"), s("&R-Relatório validade produtos")},
         }},
        {s("&3-Cadastros"),
         {
             {s("prod"), s("&A-Cadastro de Produtos"), Guard::Right, 1},
             {s("forne"), s("&B-Cadastro de Fornecedor"), Guard::Right, 16},
             {s("cliente"), s("&C-Cadastro de Cliente"), Guard::Right, 16},
             {s("empresa"), s("&D-Cadastro da Empresa")},
             {s("tipos"), s("&E-Cadastro de Familia / Grupos"), Guard::Right, 16, true},
             {s("ccusto"), s("&F-Cadastro de Centro de Custo "), Guard::Right, 16},
             {s("senha"), s("&G-Manutenção de Senha"), Guard::MasterZero, 0, true},
         }},
        {s("&4-Controle de Compras"),
         {
             {s("pedido"), s("&A-Cadastro de Pedido"), Guard::Right, 64, true, true},
         }},
        {s("&5-Exporta"),
         {
             {s("exporta"), s("&A-Exporta arquivo para Excel")},
         }},
        {s("&6-Setup"),
         {
             {s("logo"), s("&X-Altera o Logo da Empresa")},
             {s("zerar"), s("&L-Inicializar todos os arquivos  (Zerar)"), Guard::Supervisor, 1},
             {s("cfg"), s("&M-Configura Programa"), Guard::Master},
             {s("rede"), s("&E-Setup Configura Rede (IP Servidor)"), Guard::None, 0, true},
             {s("backup"), s("&H-Copia de Segurança (Backup)"), Guard::None, 0, true},
             {s("restore"), s("&J-Copia de Segurança (Restore)")},
         }},
        {s("&7-Sair do Programa"),
         {
             {s("sair"), s("&A-Sair do Programa")},
         }},
    };
    return menu;
}

const QVector<MenuEntry> &toolbarButtons()
{
    static const QVector<MenuEntry> buttons = {
        {s("prod"), s("Cadastro de produtos"), Guard::Right, 1},
        {s("movest"), s("Movimenta estoque"), Guard::Right, 2},
        {s("kits"), s("Composição Produto"), Guard::Right, 32},
        {s("pedido"), s("Pedido Compras"), Guard::Right, 64},
        {s("imprap"), s("Relatório Estoque"), Guard::Right, 4},
        {s("ficha"), s("Ficha do Produto"), Guard::Right, 8},
        {s("sair"), s("Sair do Sistema")},
    };
    return buttons;
}
