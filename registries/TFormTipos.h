#pragma once

#include "registries/CodeRegister.h"

// Product families (groups): table Tipos, code and name (NOME, 40 characters).
// Products keep the family's code in Produtos.CLASSE; deleting a family leaves
// them carrying it.
//
// Object names: DBGrid1 (grid), Edit1 "Codigo", Edit2 "SubIten", BitBtn1 "Novo",
// BitBtn2 "Confirme", BitBtn3 "Excluir", BitBtn4 "Retornar", GroupBox1 the
// frame "| Categorias |".
class TFormTipos : public CodeRegister
{
    Q_OBJECT
public:
    explicit TFormTipos(QWidget *parent = nullptr);

    static Config config();
};
