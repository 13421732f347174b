#include "ChildListController.h"

#include "RecordWrite.h"
#include "data/records/RecordSet.h"
#include "ui/CurrentVersionOffer.h"
#include "ui/ErrorBox.h"
#include "ui/LockWaitOffer.h"
#include "ui/FieldBinding.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace kalvero {

ChildListController::ChildListController(QDialog *window, const ChildListForm &form, ChildListDefinition definition)
    : QObject(window), m_window(window), m_form(form), m_def(std::move(definition)) {
    FieldBinding::bind(form.edtNome, m_def.children, m_def.nameField, TextCase::Upper);
    connect(form.btnIncluir, &QPushButton::clicked, this, [this] { guarded([this] { incluir(); }); });
    connect(form.btnAlterar, &QPushButton::clicked, this, [this] { guarded([this] { alterar(); }); });
    connect(form.btnExcluir, &QPushButton::clicked, this, [this] { guarded([this] { excluir(); }); });
    connect(form.btnGravar, &QPushButton::clicked, this, [this] { guarded([this] { gravar(); }); });
    connect(form.btnVoltar, &QPushButton::clicked, this, [this] { guarded([this] { voltar(); }); });
    connect(window, &QDialog::finished, this, &ChildListController::close);
}

ChildListController::~ChildListController() { m_def.children->close(); }

void ChildListController::guarded(const std::function<void()> &handler) { ErrorBox::guard(m_window, handler); }

void ChildListController::setEntering(bool entering) {
    m_form.grpEntrada->setVisible(entering);
    for (QPushButton *b : {m_form.btnIncluir, m_form.btnAlterar, m_form.btnExcluir})
        b->setEnabled(!entering);
    m_form.grid->setEnabled(!entering);
}

void ChildListController::load(int parentCode, bool enabled) {
    RecordSet *children = m_def.children;
    children->close();
    children->setCommandText(m_def.listStatement, {parentCode});
    children->open();
    m_form.grpEntrada->hide();
    for (QPushButton *b : {m_form.btnIncluir, m_form.btnAlterar, m_form.btnExcluir})
        b->setEnabled(enabled);
    m_form.grid->setEnabled(enabled);
}

void ChildListController::close() {
    m_def.children->close();
    m_form.grpEntrada->hide();
}

void ChildListController::incluir() {
    m_mode = Mode::New;
    m_def.children->append();
    setEntering(true);
    m_form.edtNome->setFocus(Qt::OtherFocusReason);
}

void ChildListController::alterar() {
    RecordSet *children = m_def.children;
    if (!children->isActive() || children->isEmpty()) {
        m_def.noChildren.show(m_window);
        return;
    }
    m_mode = Mode::Change;
    children->edit();
    setEntering(true);
    m_form.edtNome->setFocus(Qt::OtherFocusReason);
}

void ChildListController::gravar() {
    RecordSet *children = m_def.children;
    // A name of blanks is no name, as an empty one.
    if (m_form.edtNome->text().trimmed().isEmpty())
        return;
    const int parent = m_def.parentCode();
    children->field(m_def.parentField).setAsInteger(parent);
    int code = 0;
    if (m_mode == Mode::New) {
        if (!LockWaitOffer::writeOrRetry(m_window, QStringLiteral("Kalvero"), [&] {
                code = m_newChildSave.save({children, m_def.numbering(parent), {}, {}, QStringLiteral("Gravando o cadastro")})
                           .number.toInt();
            }))
            return;
    } else {
        code = int(children->field(m_def.codeField).asInteger());
        // Refused because of another workstation, the entry stays open.
        if (!CurrentVersionOffer::writeOrOffer(m_window, QStringLiteral("Kalvero"), *children,
                                               [children] { postAndApply(*children); }, {}, QStringLiteral("Voltar")))
            return;
    }
    if (m_def.afterSave)
        m_def.afterSave(code);
    setEntering(false);
}

void ChildListController::voltar() {
    setEntering(false);
    RecordSet *children = m_def.children;
    children->cancel();
    if (children->isActive())
        children->cancelUpdates();  // a child whose write failed is not kept pending
}

void ChildListController::excluir() {
    if (m_def.deleteConfirm.ask(m_window) && !deleteAndApply(*m_def.children))
        m_def.deleteFailure.show(m_window);
}

}  // namespace kalvero
