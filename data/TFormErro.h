#pragma once

#include <QDialog>

// Shown when the server named in SetupRede.Ini cannot be reached.
class TFormErro : public QDialog
{
    Q_OBJECT
public:
    explicit TFormErro(QWidget *parent = nullptr);
    bool aborted() const { return m_aborted; }

private:
    void AbortarClick();
    void ConectarClick();
    bool m_aborted = false; // only "Abortar" leaves; the close box goes on to the local file
};
