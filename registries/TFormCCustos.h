#pragma once

#include "registries/CodeRegister.h"

// Cost centres: table Genero, code and name (GENERO, 20 characters). Exits of
// stock carry the centre's code in EstFic.CCUSTO; deleting a centre leaves
// them carrying it.
//
// Object names: DBGrid1 (grid), Edit1 "Codigo", Edit2 "SubIten", BitBtn1 "Novo",
// BitBtn2 "Confirme", BitBtn3 "Excluir", BitBtn4 "Retornar", GroupBox1 the
// frame around the two fields.
class TFormCCustos : public CodeRegister
{
    Q_OBJECT
public:
    explicit TFormCCustos(QWidget *parent = nullptr);

    static Config config();
};
