#pragma once

#include <QToolButton>

// A flat button of the main toolbar: its picture above, its caption below in
// white, wrapped on two lines when it does not fit the button's width.
class ToolbarButton : public QToolButton
{
    Q_OBJECT
public:
    ToolbarButton(const QString &caption, int picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

// The seven pictures of the toolbar, drawn in white line art.
QPixmap toolbarPicture(int index, int size);
