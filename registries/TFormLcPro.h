#pragma once

#include "registries/PickWindow.h"

// Product search: by name or by code; leaves the chosen code in SelectedCode.
class TFormLcPro : public PickWindow
{
    Q_OBJECT
public:
    explicit TFormLcPro(QWidget *parent = nullptr);
};
