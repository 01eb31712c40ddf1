#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class QWidget;

// Enter moves along a fixed chain of fields; the last link runs an action.
// "swallow" says whether the key stops here or still reaches the field.
class EnterChain : public QObject
{
    Q_OBJECT
public:
    explicit EnterChain(QObject *parent = nullptr);

    void link(QWidget *from, QWidget *to, bool swallow = true);
    void link(QWidget *from, std::function<void()> action, bool swallow = true);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Step
    {
        std::function<void()> action;
        bool swallow = true;
    };
    QHash<QObject *, Step> m_steps;
};
