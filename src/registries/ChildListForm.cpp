#include "ChildListForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvero {

ChildListForm ChildListForm::build(QWidget *parent, const QString &title, RecordSet *children,
                                   const QStringList &listFields, RecordGrid::Colours colours) {
    ChildListForm f;
    f.group = new QGroupBox(title, parent);
    auto *column = new QVBoxLayout(f.group);
    auto *buttons = new QHBoxLayout;
    auto button = [&](QWidget *owner, const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, owner);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    f.btnIncluir = button(f.group, "btnIncluirFilho", QStringLiteral("Incluir"));
    f.btnAlterar = button(f.group, "btnAlterarFilho", QStringLiteral("Alterar"));
    f.btnExcluir = button(f.group, "btnExcluirFilho", QStringLiteral("Excluir"));
    for (QPushButton *b : {f.btnIncluir, f.btnAlterar, f.btnExcluir})
        buttons->addWidget(b);
    buttons->addStretch();
    column->addLayout(buttons);

    f.grpEntrada = new QGroupBox(f.group);
    f.grpEntrada->setObjectName(QStringLiteral("grpEntrada"));
    auto *entry = new QHBoxLayout(f.grpEntrada);
    entry->addWidget(new QLabel(QStringLiteral("Nome"), f.grpEntrada));
    f.edtNome = new QLineEdit(f.grpEntrada);
    f.edtNome->setObjectName(QStringLiteral("edtNomeFilho"));
    entry->addWidget(f.edtNome, 1);
    f.btnGravar = button(f.grpEntrada, "btnGravarFilho", QStringLiteral("Gravar"));
    f.btnVoltar = button(f.grpEntrada, "btnVoltarFilho", QStringLiteral("Voltar"));
    entry->addWidget(f.btnGravar);
    entry->addWidget(f.btnVoltar);
    f.grpEntrada->hide();
    column->addWidget(f.grpEntrada);

    f.grid = new RecordGrid(children, colours, f.group);
    f.grid->setObjectName(QStringLiteral("DBGrid2"));
    f.grid->setFieldNames(listFields);
    column->addWidget(f.grid, 1);
    return f;
}

}  // namespace kalvero
