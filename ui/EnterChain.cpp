#include "ui/EnterChain.h"

#include "ui/Guard.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

EnterChain::EnterChain(QObject *parent) : QObject(parent) {}

void EnterChain::link(QWidget *from, QWidget *to, bool swallow)
{
    QPointer<QWidget> target(to);
    link(from, [target] {
        if (target)
            target->setFocus(Qt::TabFocusReason);
    }, swallow);
}

void EnterChain::link(QWidget *from, std::function<void()> action, bool swallow)
{
    from->installEventFilter(this);
    m_steps.insert(from, Step{std::move(action), swallow});
}

bool EnterChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto it = m_steps.constFind(watched);
            if (it != m_steps.constEnd()) {
                const Step step = *it;
                guarded(step.action);
                return step.swallow;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
