#pragma once

#include "registries/PickWindow.h"

// Supplier search, always by name; leaves the chosen code in SelectedCode.
class TFormBuscaForne : public PickWindow
{
    Q_OBJECT
public:
    explicit TFormBuscaForne(QWidget *parent = nullptr);
};
