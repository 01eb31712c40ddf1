#include "registries/PickWindow.h"

#include "data/Globals.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Errors.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

PickWindow::PickWindow(QWidget *parent, const PickDesign &design) : QDialog(parent), m_design(design)
{
    setObjectName(design.objectName);
    setWindowTitle(design.caption);
    Look::setFace(this);
    resize(640, 440);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    auto *band = new TitleBand(design.band, Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    layout->addLayout(body, 1);

    auto *top = new QHBoxLayout;
    auto *searchColumn = new QVBoxLayout;
    auto *label = new QLabel(design.label, this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setToolTip(design.hint);
    Edits::upperCase(m_edit);
    label->setBuddy(m_edit);
    searchColumn->addWidget(label);
    searchColumn->addWidget(m_edit);
    searchColumn->addStretch();
    top->addLayout(searchColumn, 1);

    if (!design.kindsCaption.isEmpty()) {
        m_kinds = new QGroupBox(design.kindsCaption, this);
        m_kinds->setObjectName(QStringLiteral("RadioGroup1"));
        auto *kindsLayout = new QHBoxLayout(m_kinds);
        m_kindButtons = new QButtonGroup(this);
        for (int i = 0; i < design.kinds.size(); ++i) {
            auto *item = new QRadioButton(design.kinds.at(i).caption, m_kinds);
            item->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
            item->setFocusPolicy(Qt::NoFocus);
            m_kindButtons->addButton(item, i);
            kindsLayout->addWidget(item);
        }
        m_kindButtons->button(0)->setChecked(true);
        top->addWidget(m_kinds);
        // Only a choice the operator makes counts, as with the original radio group.
        connect(m_kindButtons, &QButtonGroup::idClicked, this, [this] { guarded([this] { RadioGroup1Click(); }); });
    }
    body->addLayout(top);

    m_list = new WorkingCopy(design.table, QStringLiteral("ID"), this);
    if (design.showCurrent) {
        auto *current = new QHBoxLayout;
        m_code = new QLabel(this);
        m_code->setObjectName(QStringLiteral("DBText1"));
        m_code->setFont(bold);
        m_code->setMinimumWidth(130);
        m_name = new QLabel(this);
        m_name->setObjectName(QStringLiteral("DBText2"));
        m_name->setFont(bold);
        current->addWidget(m_code);
        current->addWidget(m_name, 1);
        body->addLayout(current);
        connect(m_list, &WorkingCopy::rowChanged, this, &PickWindow::showCurrent);
        connect(m_list, &WorkingCopy::reset, this, &PickWindow::showCurrent);
    }

    m_grid = new DataGrid(m_list, design.columns, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    body->addWidget(m_grid, 1);

    auto *chain = new EnterChain(this);
    chain->link(m_edit, m_grid);
    chain->link(m_grid, [this] { DBGrid1DblClick(); });
    connect(m_grid, &DataGrid::doubleClickedRow, this, [this] { guarded([this] { DBGrid1DblClick(); }); });

    FormShow();
    // Connected after the opening so that only the operator's typing searches.
    connect(m_edit, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    m_edit->setFocus();
}

PickWindow::~PickWindow() = default;

int PickWindow::kind() const { return m_kindButtons ? qMax(0, m_kindButtons->checkedId()) : 0; }

QString PickWindow::pattern() const
{
    return QStringLiteral("%") + m_edit->text().toUpper() + QStringLiteral("%");
}

QString PickWindow::searchStatement() const
{
    return m_design.kinds.at(kind()).statement + QuoteSql(pattern());
}

void PickWindow::fill(const QString &sql)
{
    LOGON->RunOnQuery(m_design.queryKey, sql, QStringLiteral("open"));
    m_list->load(LOGON->query(m_design.queryKey));
}

void PickWindow::FormShow()
{
    guarded([this] { fill(m_design.opening.join(QLatin1Char('\n'))); });
}

void PickWindow::Edit1Change()
{
    const QString sql = searchStatement();
    // The upper-case pass of the box reports one keystroke twice; the list
    // already answers that text.
    if (sql == m_lastSearch)
        return;
    m_lastSearch = sql;
    if (m_design.quietFailures) {
        try {
            fill(sql);
        } catch (const AppError &) {
            // The previous list stays: the list is a copy, untouched by the failed statement.
        }
        return;
    }
    guarded([&] { fill(sql); });
}

void PickWindow::RadioGroup1Click()
{
    if (!m_design.kindEmptiesBox)
        return; // the new kind applies from the next keystroke
    m_lastSearch.clear();
    if (m_edit->text().isEmpty())
        Edit1Change(); // emptying an empty box changes nothing, yet the list must follow the kind
    else
        m_edit->clear();
    m_edit->setFocus();
}

void PickWindow::DBGrid1DblClick() { accept(); }

void PickWindow::done(int result)
{
    SelectedCode = m_list->isEmpty() ? QString() : m_list->text(QStringLiteral("CODIGO"));
    if (m_design.closeListOnClose && LOGON)
        LOGON->query(m_design.queryKey).close();
    QDialog::done(result);
}

void PickWindow::showCurrent()
{
    const bool any = !m_list->isEmpty();
    m_code->setText(any ? m_list->text(QStringLiteral("CODIGO")) : QString());
    m_name->setText(any ? m_list->text(QStringLiteral("NOME")) : QString());
}
