#pragma once

#include "registries/PickWindow.h"

// Customer search: by name or by address; leaves the chosen code in SelectedCode.
class TFormBusca : public PickWindow
{
    Q_OBJECT
public:
    explicit TFormBusca(QWidget *parent = nullptr);
};
